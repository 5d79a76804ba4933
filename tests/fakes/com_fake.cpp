// Native stand-in for the COM start of the speech front end.
#include "fakes/fake_com.h"
#include "speech/com.h"

namespace {
int initializations = 0;
}

namespace fake {
int comInitializations() { return initializations; }
}  // namespace fake

void initializeComForThread() { ++initializations; }
