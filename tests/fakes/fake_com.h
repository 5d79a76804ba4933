// Control of the native fake of the COM start (speech/com.h).
#pragma once

namespace fake {
int comInitializations();  // calls of initializeComForThread so far
}
