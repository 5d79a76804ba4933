// The text of the screen as assistive technology reads it: the lines of the
// grid without the blanks at their ends, joined with CR LF, in Unicode.
#pragma once
#include <string>

#include "console/screen_buffer.h"

namespace console {

// Blank lines at the bottom of the screen are left out (they hold no text
// yet); blank lines between lines of text stay.  An unallocated screen is
// empty.
std::u16string screenText(const ScreenBuffer& screen);

}  // namespace console
