// The line editor of the standard input: reads key bytes until Enter, with
// backspace editing and an echo of every change.
#pragma once
#include <functional>

// Reads one line into buffer and returns its length, the final CR LF
// included.  Backspace removes the last character (echoing 8); bytes of 32
// and up are stored and echoed while fewer than size - 2 are held; other
// bytes (the 0 that starts an extended key, control bytes) are ignored.
// Enter ends the line: CR LF are stored and echoed.  A buffer smaller than
// 2 bytes cannot hold the line end: nothing is read and 0 is returned.
int editLine(char* buffer, int size, const std::function<unsigned char()>& readKey,
             const std::function<void(char)>& echo);
