// Where the magnifier takes its picture from: the part of the window snapshot
// that is stretched over the whole window for a pointer at (x, y).
#pragma once

struct MagnifierSource {
    int x, y, width, height;
};

// A factor below 1 (the settings give 0 for "0" and "8") is used as 1: the
// window is shown at its normal size instead of dividing by zero.
int effectiveMagnifyFactor(int factor);

// Source rectangle in the snapshot of a windowWidth x windowHeight window:
// origin (x - x div f, y - y div f), at least 0, size (W div f) x (H div f),
// so that the pixel under the pointer stays under it.
MagnifierSource magnifierSource(int x, int y, int windowWidth, int windowHeight, int factor);
