// The installer's voice on a thread of its own, so that the installer's pages
// never wait for it: the default voice speaks from the data folder it is
// given, its sound goes through a message-only window (no window to see,
// never the focus), and a new text or a stop ends what is being said at once.
// Texts are code page 1252.  Callable from any thread.
#pragma once
#include <string>

// Starts the thread and the voice from folder (letras, difones and the
// ORAVIX.INI of the voice's settings); false when the voice cannot start, and
// then nothing is running.
bool speechThreadStart(const std::string& folder);
// Ends what is being said and says text.
void speechThreadSay(const std::string& text);
// Says text once what is being said has ended (or at once when nothing is).
void speechThreadAdd(const std::string& text);
// Ends what is being said (a key was pressed).
void speechThreadStop();
// Stops, closes the voice and its files, and ends the thread.
void speechThreadEnd();
