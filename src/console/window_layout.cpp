#include "console/window_layout.h"

#include "text/blank_ends.h"

#include <algorithm>
#include <cstdint>

namespace console {

namespace {
// Window sizes are computed wide and kept within what a window can be.
constexpr std::int64_t largestWindowDimension = 32767;

int fit(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, largestWindowDimension));
}
}  // namespace

Size initialWindowSize(const FrameMetrics& frame, int averageCharWidth, int lineHeight, int rows) {
    Size size;
    size.width = fit(2LL * frame.frameWidth + 80LL * averageCharWidth);
    size.height = fit(2LL * frame.frameHeight + static_cast<std::int64_t>(rows) * lineHeight + frame.captionHeight);
    return size;
}

SizeLimits windowSizeLimits(const FrameMetrics& frame, int cellWidth, int lineHeight, int columns, int rows) {
    SizeLimits limits;
    limits.maximized.width =
        fit(std::min<std::int64_t>(static_cast<std::int64_t>(columns) * cellWidth, frame.screenWidth) +
            2LL * frame.frameWidth);
    limits.maximized.height =
        fit(std::min<std::int64_t>(frame.captionHeight + static_cast<std::int64_t>(rows) * lineHeight,
                                   frame.screenHeight) +
            2LL * frame.frameHeight);
    limits.smallestTrack.width = fit(2LL * frame.frameWidth + 16LL * cellWidth);
    limits.smallestTrack.height = fit(2LL * frame.frameHeight + 4LL * lineHeight + frame.captionHeight);
    limits.largestTrack = limits.maximized;
    return limits;
}

std::string captionFor(const std::string& title) {
    std::string caption = text::withoutBlankEnds(title);
    if (caption.size() > 140) caption = caption.substr(0, 140) + "...";
    return caption;
}

int limitFontDimension(int value) { return std::clamp(value, -fontDimensionLimit, fontDimensionLimit); }

}  // namespace console
