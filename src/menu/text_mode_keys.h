// Text-mode codes of the keys the spoken menus read from the window's queue:
// an extended key arrives as 0 followed by its code.
#pragma once

namespace textkeys {
constexpr unsigned char escape = 27, enter = 13;
constexpr unsigned char f1 = 0x3B, home = 0x47, up = 0x48, pageUp = 0x49, left = 0x4B, right = 0x4D, end = 0x4F,
                        down = 0x50, pageDown = 0x51;
}  // namespace textkeys
