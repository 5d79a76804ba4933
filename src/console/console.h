// The console window: the program's only window, its text screen, the key
// queue and the message pumps.  Everything here runs on the one user-interface
// thread.  These operations are the Win32 edge (the *_win.cpp files of this
// folder); the native tests link fakes of them (tests/fakes).
#pragma once
#include <cstdint>
#include <string>

// ---- window and display settings ----------------------------------------

// Size of the text grid; set before the window exists (the main flow sets 8 rows).
extern int screenColumns;
extern int screenRows;

// Module start: registers the window class, binds standard input and output to
// the window, sets the default caption, identity colour table, program-end handler.
void consoleModuleStart();

// Sets the caption: blanks and control characters trimmed at both ends, longer
// than 140 characters cut to 140 followed by "...".
void setConsoleTitle(const std::string& text);
// What assistive technology reads as the window's text, and is told of as a
// change: this line (a menu's current line, for a screen reader), or, when
// empty, the screen's text.
void setAccessibleLine(const std::string& line);

// The program's exit codes (listed in the README).
constexpr int exitNormal = 0;          // shown and spoken, or the speech was cut short by a key
constexpr int exitNoWindow = 1;        // the window could not be created: nothing shown or said
constexpr int exitSpeechFailed = 2;    // shown, but the wave device could not be opened
constexpr int exitNothingAudible = 3;  // shown, but nothing audible could be said
constexpr int exitTerminated = 255;    // the quit message or the break key

// Creates and shows the window (reading the display settings) the first time.
// When it cannot be created the program says so on the standard error it was
// started with (or its parent's console) and ends with exitNoWindow.
void ensureConsoleWindow();
// Set before the window exists: it is made but never shown (the battery
// watcher speaks through it without a visible window or the focus).
extern bool consoleWindowHidden;
// Shows a hidden window and brings it to the front, for a message that waits
// for the user (a hidden watcher whose voice cannot start); a shown window is
// left as it is.
void revealConsoleWindow();

// A line for whoever started the program: its standard error, else its
// parent's console when it has one.
void writeStandardError(const std::string& text);

// Discards pending keys, destroys the window and ends the process.
[[noreturn]] void closeConsoleWindow(int exitCode = exitNormal);
// Alt+F4 or the window's close button: by default the program ends at once;
// a mode that may hold unsaved choices has them queue the Esc key instead.
void closeQueuesEscape(bool on);

// ---- text output ----------------------------------------------------------

void writeText(const char* bytes, std::uint16_t count);
void writeChar(char c);
void writeString(const std::string& text);  // any length, through writeText
void clearScreen();

// ---- keyboard and message pumps --------------------------------------------

// Pumps messages and tells whether a key byte is queued (never removes it).
bool keyPending();
// Waits for a queued key byte and removes it.
unsigned char readKey();
// Reads one edited, echoed line ending in CR LF into buffer; returns its length.
int readLine(char* buffer, int size);

void pumpMessages();        // every pending message of the thread
void pumpWindowMessages();  // pending messages of the console window only
void sleepPumping(std::uint16_t milliseconds);  // sleep, then pump
void waitForMessage();      // blocks until a message arrives (WaitMessage)
[[noreturn]] void terminateProgram();  // exitTerminated
void postConsoleMessage(unsigned message);  // PostMessage(window, message, 0, 0)

// The wave device reports finished blocks to the console window as
// MM_WOM_DONE; the window procedure hands them to this handler while enabled.
using WaveDoneHandler = void (*)(void* window, std::uintptr_t wParam, std::intptr_t lParam);
void setWaveDoneHandler(WaveDoneHandler handler);
void enableWaveDoneHandler(bool enabled);
void* consoleWindowHandle();  // the HWND, null before the window exists

// ---- Braille typing and tones ----------------------------------------------

void setBrailleMode(int mode);
void startTone(std::uint16_t frequency);
void stopTone();
