#include "console/window_layout.h"

#include "text/blank_ends.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

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

int rowsTaken(const std::string& text, int columns) {
    if (columns < 1) return 0;
    std::int64_t rows = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find('\n', start);
        std::string_view line(text.data() + start, (end == std::string::npos ? text.size() : end) - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // Wrap is lazy: a line of exactly `columns` characters takes one row.
        rows += std::max<std::int64_t>(1, (static_cast<std::int64_t>(line.size()) + columns - 1) / columns);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return static_cast<int>(std::min<std::int64_t>(rows, largestWindowDimension));
}

std::string captionFor(const std::string& title) {
    std::string caption = text::withoutBlankEnds(title);
    if (caption.size() > 140) caption = caption.substr(0, 140) + "...";
    return caption;
}

int limitFontDimension(int value) { return std::clamp(value, -fontDimensionLimit, fontDimensionLimit); }

}  // namespace console
