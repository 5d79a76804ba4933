// The right-button magnifier of the console window.
#include <windows.h>

#include "console/window_state_win.h"

namespace console::detail {

bool handleMagnifierMessage(HWND, UINT, WPARAM, LPARAM) { return false; }

}  // namespace console::detail
