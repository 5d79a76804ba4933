#include <windows.h>
#include <objbase.h>

#include "speech/com.h"

void initializeComForThread() { CoInitialize(nullptr); }
