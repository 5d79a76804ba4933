// The console window as wave output's host: the window the device reports to,
// and the console's message pumps as the waits.
#pragma once
#include "audio/playback_host.h"

PlaybackHost consolePlaybackHost();
