// The SAPI 5 and SAPI 5.4 voices: the automation voice object of each twin,
// with state of its own.  They differ only in the class they create.
#pragma once
#include "voices/voice_backends.h"

const VoiceBackend& sapi5Voice();
const VoiceBackend& sapi54Voice();
