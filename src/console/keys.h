// Keyboard rules of the console window: the key queue with text-mode key
// codes (an extended key is 0 followed by its code), and six-key Braille
// typing.  Nothing here touches Win32: the window procedure (keyboard_win.cpp
// and friends) passes virtual-key numbers and the Ctrl/Alt/Shift state in, and
// plays the tones and ends the program when told to.
#pragma once
#include <cstdint>
#include <vector>

// Virtual-key numbers used by the rules (same values as the platform's).
namespace vk {
constexpr unsigned cancel = 0x03;  // Ctrl+Break
constexpr unsigned space = 0x20;
constexpr unsigned pageUp = 0x21;
constexpr unsigned pageDown = 0x22;
constexpr unsigned end = 0x23;
constexpr unsigned home = 0x24;
constexpr unsigned left = 0x25;
constexpr unsigned up = 0x26;
constexpr unsigned right = 0x27;
constexpr unsigned down = 0x28;
constexpr unsigned insert = 0x2D;
constexpr unsigned del = 0x2E;
constexpr unsigned f1 = 0x70;  // F1..F12 are f1 + 0..11
constexpr unsigned f10 = 0x79;
constexpr unsigned f11 = 0x7A;
constexpr unsigned f12 = 0x7B;
}  // namespace vk

struct KeyState {
    bool ctrl = false, alt = false, shift = false;
};

// ---- key queue (64 bytes) ----
constexpr int keyQueueCapacity = 64;
int keyQueueCount();
unsigned char keyQueueTake();  // first byte, or 0 when the queue is empty
void keyQueueClear();
void keyQueueEscape();  // the Esc key, as if typed (when there is room)

// WM_CHAR: queues the character (Ctrl+Backspace 127, Ctrl+Enter 10); in
// Braille mode blanks and letters are dropped, since those keys type Braille.
void handleCharacter(unsigned char c, const KeyState& keys);

enum class KeyDownAction {
    None,         // handled here (or nothing to do)
    Terminate,    // Ctrl+Break while the break key is enabled: end with 255
    BrailleOff,   // Ctrl+Alt+F12: setBrailleMode(0)
    BrailleNext,  // Ctrl+Alt+F11: setBrailleMode(brailleMode() + 1)
};

// WM_KEYDOWN: extended keys, Alt+letter/digit codes and Braille dot keys.
KeyDownAction handleKeyDown(unsigned virtualKey, const KeyState& keys, bool breakKeyEnabled);

// WM_SYSKEYDOWN: whether the key-down rules apply (true) or the message gets
// default processing (false).  While the break key is enabled only the Left
// and Right arrows are taken.
bool systemKeyDownHandled(unsigned virtualKey, bool breakKeyEnabled);

// WM_KEYUP while Braille mode is on: completes a chord.  false = declined,
// the message goes to default processing.
bool handleBrailleKeyUp(unsigned virtualKey, const KeyState& keys);

// ---- Braille mode ----
constexpr unsigned char brailleNothing = 254;  // a table result that queues nothing
extern const unsigned char brailleTable[64];   // index = dot bits (dot 1 = 1 .. dot 6 = 32)

int brailleMode();                 // 0 off, 1 plain, 2 with capital and number signs
int normalizedBrailleMode(int requested);  // values other than 0, 1, 2 become 1
// Sets the mode (normalized); turning it off clears the chord and the signs.
void setBrailleModeState(int mode);

struct Tone {
    std::uint16_t frequency, milliseconds;
};
// The tones that signal a change from currentMode to requestedMode.
std::vector<Tone> brailleModeTones(int currentMode, int requestedMode);

// Chord state, for tests and diagnostics.
unsigned char brailleChord();
unsigned char brailleKeysHeld();
