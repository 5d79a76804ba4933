// Sizes and texts of the console window that follow from the font metrics and
// the system metrics; no Win32 here so that the rules are testable natively.
#pragma once
#include <string>

namespace console {

struct FrameMetrics {
    int frameWidth = 0;     // SM_CXFRAME
    int frameHeight = 0;    // SM_CYFRAME
    int captionHeight = 0;  // SM_CYCAPTION
    int screenWidth = 0;    // SM_CXSCREEN
    int screenHeight = 0;   // SM_CYSCREEN
};

struct Size {
    int width = 0, height = 0;
};

// The window's size at creation: always 80 columns wide, `rows` lines high.
Size initialWindowSize(const FrameMetrics& frame, int averageCharWidth, int lineHeight, int rows);

struct SizeLimits {
    Size maximized;
    Size smallestTrack;
    Size largestTrack;
};
SizeLimits windowSizeLimits(const FrameMetrics& frame, int cellWidth, int lineHeight, int columns, int rows);

// The lines a text written from the top left takes on a screen `columns`
// wide: each line (ended by a line feed) at least one, a longer one wraps.
int rowsTaken(const std::string& text, int columns);

// The caption shown for a title: codes 0..32 trimmed at both ends, then more
// than 140 characters cut to 140 followed by "...".
std::string captionFor(const std::string& title);

// Font cell sizes beyond this many pixels either way are taken as this limit,
// so that a wild setting cannot ask the system for a glyph of a million pixels.
constexpr int fontDimensionLimit = 1024;
int limitFontDimension(int value);

}  // namespace console
