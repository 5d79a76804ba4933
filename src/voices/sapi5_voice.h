// The SAPI 5 and SAPI 5.4 voices: the automation voice object of each twin,
// with state of its own.  They differ only in the class they create.
#pragma once
#include <string>
#include <vector>

#include "voices/voice_backends.h"

const VoiceBackend& sapi5Voice();
const VoiceBackend& sapi54Voice();

// The names of the installed voices, in the order VOZ numbers them (an empty
// name where the system gives none); none when the class cannot be created.
std::vector<std::string> sapi5VoiceNames();
std::vector<std::string> sapi54VoiceNames();
