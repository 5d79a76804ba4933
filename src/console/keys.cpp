#include "console/keys.h"

#include <cstring>

#include "text/cp1252.h"

namespace {

// ---- key queue ----
unsigned char keyQueue[keyQueueCapacity];
int keyQueueLength = 0;

int roomLeft() { return keyQueueCapacity - keyQueueLength; }

// Appends when there is room; a byte that does not fit is dropped.
void queueByte(unsigned char b) {
    if (keyQueueLength < keyQueueCapacity) keyQueue[keyQueueLength++] = b;
}

// ---- Braille state ----
unsigned char mode = 0;
unsigned char chord = 0;      // bits of every key pressed since the last character
unsigned char keysHeld = 0;   // bits of the chord's keys still down
bool capitalNext = false;
bool capsLock = false;
bool numberMode = false;

void clearSigns() {
    capitalNext = false;
    capsLock = false;
    numberMode = false;
}

bool isLetterKey(unsigned k) { return k >= 'A' && k <= 'Z'; }
bool isDigitKey(unsigned k) { return k >= '0' && k <= '9'; }

// Bit of a Braille key (F D S J K L = dots 1..6, the space bar 64); 0 for others.
unsigned char brailleBit(unsigned k) {
    switch (k) {
        case 'F': return 1;
        case 'D': return 2;
        case 'S': return 4;
        case 'J': return 8;
        case 'K': return 16;
        case 'L': return 32;
        case vk::space: return 64;
        default: return 0;
    }
}

// Second byte of Alt+letter and Alt+digit.
const unsigned char altLetterCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                          49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

unsigned char altCode(unsigned k) {
    if (isLetterKey(k)) return altLetterCodes[k - 'A'];
    return k == '0' ? 129 : static_cast<unsigned char>(120 + (k - '1'));
}

struct ExtendedKey {
    unsigned virtualKey;
    unsigned char code, ctrlCode;
};

const ExtendedKey extendedKeys[] = {
    {vk::f1 + 0, 59, 94},   {vk::f1 + 1, 60, 95},   {vk::f1 + 2, 61, 96},
    {vk::f1 + 3, 62, 97},   {vk::f1 + 4, 63, 98},   {vk::f1 + 5, 64, 99},
    {vk::f1 + 6, 65, 100},  {vk::f1 + 7, 66, 101},  {vk::f1 + 8, 67, 102},
    {vk::f1 + 9, 68, 103},  {vk::f1 + 10, 69, 104}, {vk::f1 + 11, 70, 105},
    {vk::insert, 82, 255},  {vk::del, 83, 83},      {vk::home, 71, 119},
    {vk::end, 79, 117},     {vk::pageUp, 73, 132},  {vk::pageDown, 81, 118},
    {vk::up, 72, 113},      {vk::down, 80, 114},    {vk::left, 75, 115},
    {vk::right, 77, 116},
};

const ExtendedKey* findExtendedKey(unsigned k) {
    for (const ExtendedKey& e : extendedKeys)
        if (e.virtualKey == k) return &e;
    return nullptr;
}

// Capital and number signs of mode 2, applied to a table character.
unsigned char applySigns(unsigned char c) {
    if (numberMode) {
        if (c == '\'') {
            c = '.';
        } else if (c >= 'a' && c <= 'i') {
            c = static_cast<unsigned char>('1' + (c - 'a'));
        } else if (c == 'j') {
            c = '0';
        } else if (c == '~') {
            numberMode = false;
        }
    }
    if (capitalNext || capsLock) c = cp1252::asciiUpper(c);
    if (c == '#') {
        numberMode = true;
        return brailleNothing;
    }
    if (c == '{') {
        if (capitalNext) capsLock = true;
        capitalNext = true;
        return brailleNothing;
    }
    capitalNext = false;
    return c;
}

}  // namespace

// Rows are dots 4-6 (none, 4, 5, 4 5, 6, 4 6, 5 6, 4 5 6), columns dots 1-3
// (none, 1, 2, 1 2, 3, 1 3, 2 3, 1 2 3): the index order of the dot bits.
const unsigned char brailleTable[64] = {
    32,  97,  44,  98,  39,  107, 59,  108,  //
    94,  99,  105, 102, 237, 109, 115, 112,  //
    126, 101, 58,  104, 42,  111, 33,  114,  //
    172, 100, 106, 103, 227, 110, 116, 113,  //
    253, 226, 63,  234, 45,  117, 34,  118,  //
    123, 238, 245, 224, 243, 120, 232, 231,  //
    36,  251, 255, 252, 125, 122, 61,  225,  //
    95,  244, 119, 239, 35,  121, 250, 233,  //
};

int keyQueueCount() { return keyQueueLength; }

unsigned char keyQueueTake() {
    if (keyQueueLength == 0) return 0;
    unsigned char first = keyQueue[0];
    --keyQueueLength;
    std::memmove(keyQueue, keyQueue + 1, static_cast<std::size_t>(keyQueueLength));
    return first;
}

void keyQueueClear() { keyQueueLength = 0; }

void keyQueueEscape() {
    if (roomLeft() >= 1) queueByte(27);
}

void handleCharacter(unsigned char c, const KeyState& keys) {
    if (mode != 0 && (c == ' ' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return;
    if (roomLeft() < 1) return;
    if (c == 8 && keys.ctrl) c = 127;
    else if (c == 13 && keys.ctrl) c = 10;
    queueByte(c);
}

bool systemKeyDownHandled(unsigned virtualKey, bool breakKeyEnabled) {
    return !breakKeyEnabled || virtualKey == vk::left || virtualKey == vk::right;
}

KeyDownAction handleKeyDown(unsigned k, const KeyState& keys, bool breakKeyEnabled) {
    if (breakKeyEnabled && k == vk::cancel) return KeyDownAction::Terminate;
    if (keys.alt) {
        if (keys.ctrl && k == vk::f12) return KeyDownAction::BrailleOff;
        if (keys.ctrl && k == vk::f11) return KeyDownAction::BrailleNext;
        if (isDigitKey(k) || isLetterKey(k)) {
            if (roomLeft() >= 2) {
                queueByte(0);
                queueByte(altCode(k));
            }
            return KeyDownAction::None;
        }
    }
    if (!keys.ctrl && mode != 0) {
        if (unsigned char bit = brailleBit(k)) {
            chord |= bit;
            keysHeld |= bit;
            return KeyDownAction::None;
        }
    }
    if (roomLeft() < 2) return KeyDownAction::None;  // an extended key needs two bytes
    if (const ExtendedKey* e = findExtendedKey(k)) {
        unsigned char code = e->code;
        if (keys.ctrl) code = e->ctrlCode;
        else if (k == vk::insert && keys.shift) code = 254;
        queueByte(0);
        queueByte(code);
    }
    return KeyDownAction::None;
}

bool handleBrailleKeyUp(unsigned k, const KeyState& keys) {
    if (mode == 0) return false;
    if (keys.ctrl || (k != vk::space && !isLetterKey(k))) {
        clearSigns();
        return false;
    }
    keysHeld &= static_cast<unsigned char>(~brailleBit(k));
    if (keysHeld != 0) return true;  // the chord ends when its last key comes up

    unsigned char c;
    if (chord < 64) {
        c = brailleTable[chord];
        if (mode == 2) c = applySigns(c);
    } else {
        clearSigns();
        c = chord == 64 ? ' ' : static_cast<unsigned char>(brailleTable[chord & 63] & 31);
    }
    if (c != brailleNothing && roomLeft() >= 1) queueByte(c);
    chord = 0;
    return true;
}

int brailleMode() { return mode; }

int normalizedBrailleMode(int requested) {
    return requested >= 0 && requested <= 2 ? requested : 1;
}

void setBrailleModeState(int m) {
    m = normalizedBrailleMode(m);
    if (m == 0) {
        chord = 0;
        keysHeld = 0;
        clearSigns();
    }
    mode = static_cast<unsigned char>(m);
}

std::vector<Tone> brailleModeTones(int currentMode, int requestedMode) {
    int m = normalizedBrailleMode(requestedMode);
    if (m == 0) {
        if (currentMode != 0) return {{100, 200}};
        return {};
    }
    return {{800, 200}, {static_cast<std::uint16_t>(m == 1 ? 1600 : 400), 200}};
}

unsigned char brailleChord() { return chord; }
unsigned char brailleKeysHeld() { return keysHeld; }
