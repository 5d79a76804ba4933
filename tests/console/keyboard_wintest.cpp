// The real console window's keyboard handling: key messages sent and posted to
// it with the Ctrl, Alt and Shift state set on the thread, the bytes that reach
// the key queue, Braille typing and reading a line.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "console/extended_key_rows.h"
#include "console/keys.h"
#include "support/console_window.h"

namespace {

struct Modifiers {
    bool ctrl = false, alt = false, shift = false;
};

// Sets the thread's keyboard state, which GetKeyState reports to the window.
void setModifiers(const Modifiers& m) {
    BYTE state[256];
    GetKeyboardState(state);
    auto put = [&state](int key, bool down) { state[key] = down ? 0x80 : 0; };
    put(VK_CONTROL, m.ctrl);
    put(VK_LCONTROL, m.ctrl);
    put(VK_MENU, m.alt);
    put(VK_LMENU, m.alt);
    put(VK_SHIFT, m.shift);
    put(VK_LSHIFT, m.shift);
    SetKeyboardState(state);
}

LPARAM keyParam(UINT message, unsigned key) {
    LPARAM p = 1 | static_cast<LPARAM>(MapVirtualKeyA(key, 0) & 0xFF) << 16;
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) p |= 1 << 29;
    if (message == WM_KEYUP || message == WM_SYSKEYUP) p |= 0xC0000000;
    return p;
}

void send(UINT message, unsigned key) { SendMessageA(madeConsoleWindow(), message, key, keyParam(message, key)); }
void post(UINT message, unsigned key) { PostMessageA(madeConsoleWindow(), message, key, keyParam(message, key)); }
void sendChar(unsigned char c) { SendMessageA(madeConsoleWindow(), WM_CHAR, c, 1); }

// Every byte queued now (keyPending pumps the posted messages first).
std::vector<int> queuedKeys() {
    std::vector<int> bytes;
    while (keyPending()) bytes.push_back(readKey());
    return bytes;
}

class KeyboardWindowTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        setModifiers({});
        if (brailleMode() != 0) setBrailleMode(0);
        queuedKeys();
    }
};

// The edge only: every extended key's real virtual-key number reaches the
// rule through the window, and the modifiers are read from the real key
// state (the rule itself, with every variant, is checked natively).
TEST_F(KeyboardWindowTest, ExtendedKeysThroughTheWindow) {
    for (const ExtendedRow& row : extendedRows) {
        SCOPED_TRACE(row.name);
        send(WM_KEYDOWN, row.virtualKey);
        EXPECT_EQ(queuedKeys(), (std::vector<int>{0, row.plain}));
    }
    const ExtendedRow& insert = extendedRows[12];  // the one key whose Shift code differs
    static_assert(extendedRows[12].virtualKey == VK_INSERT);
    struct Variant {
        Modifiers m;
        int code;
    } variants[] = {
        {{true, false, false}, insert.withCtrl},
        {{false, false, true}, insert.withShift},
        {{true, false, true}, insert.withCtrl},
    };
    for (const Variant& v : variants) {
        setModifiers(v.m);
        send(WM_KEYDOWN, VK_INSERT);
        EXPECT_EQ(queuedKeys(), (std::vector<int>{0, v.code}));
    }
}

TEST_F(KeyboardWindowTest, AltLettersAndDigits) {
    const int letterCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                 49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
    setModifiers({false, true, false});
    for (int i = 0; i < 26; ++i) {
        SCOPED_TRACE(static_cast<char>('A' + i));
        send(WM_KEYDOWN, 'A' + i);
        EXPECT_EQ(queuedKeys(), (std::vector<int>{0, letterCodes[i]}));
    }
    for (int d = 0; d <= 9; ++d) {
        SCOPED_TRACE(d);
        send(WM_KEYDOWN, '0' + d);
        EXPECT_EQ(queuedKeys(), (std::vector<int>{0, d == 0 ? 129 : 119 + d}));
    }
}

TEST_F(KeyboardWindowTest, CharactersWithAndWithoutCtrl) {
    struct Row {
        unsigned char c;
        bool ctrl;
        int queued;
    } rows[] = {{8, false, 8}, {8, true, 127}, {13, false, 13}, {13, true, 10}, {'a', false, 'a'}, {0xE7, false, 0xE7}};
    for (const Row& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.c));
        setModifiers({r.ctrl, false, false});
        sendChar(r.c);
        EXPECT_EQ(queuedKeys(), (std::vector<int>{r.queued}));
    }
}

// A posted key-down goes through the pump's translation, as typed keys do:
// a letter queues its character once (from WM_CHAR), an arrow its two bytes.
// A posted key-down goes through the pump's translation, as typed keys do:
// a letter queues its character once (from WM_CHAR), an arrow its two bytes.
TEST_F(KeyboardWindowTest, PostedKeysAreTranslated) {
    struct Stroke {
        unsigned key;
        Modifiers m;
    } strokes[] = {{'A', {}}, {VK_UP, {}}, {'B', {false, false, true}}, {VK_INSERT, {false, false, true}}, {VK_RETURN, {true, false, false}}};
    for (const Stroke& s : strokes) {
        setModifiers(s.m);
        post(WM_KEYDOWN, s.key);
        post(WM_KEYUP, s.key);
        pumpMessages();  // as the user types: each key is handled before the next
    }
    EXPECT_EQ(queuedKeys(), (std::vector<int>{'a', 0, 72, 'B', 0, 254, 10}));
}

// While the break key is enabled, system keys other than the side arrows get
// the default processing: F10 (which arrives as a system key) queues nothing.
TEST_F(KeyboardWindowTest, SystemKeys) {
    post(WM_SYSKEYDOWN, VK_F10);
    EXPECT_EQ(queuedKeys(), std::vector<int>{});
    setModifiers({false, true, false});
    send(WM_SYSKEYDOWN, 'A');
    send(WM_SYSKEYDOWN, VK_LEFT);
    send(WM_SYSKEYDOWN, VK_RIGHT);
    send(WM_SYSKEYDOWN, VK_UP);
    send(WM_SYSKEYDOWN, VK_F1);
    EXPECT_EQ(queuedKeys(), (std::vector<int>{0, 75, 0, 77}));
}

TEST_F(KeyboardWindowTest, RoomInTheQueue) {
    for (int i = 0; i < 63; ++i) sendChar('0' + i % 10);
    send(WM_KEYDOWN, VK_F1);  // needs two bytes: dropped
    setModifiers({false, true, false});
    send(WM_KEYDOWN, 'A');  // needs two bytes: dropped
    setModifiers({});
    EXPECT_EQ(keyQueueCount(), 63);
    sendChar('x');
    sendChar('y');  // full: dropped
    std::vector<int> bytes = queuedKeys();
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(bytes[0], '0');
    EXPECT_EQ(bytes[62], '2');
    EXPECT_EQ(bytes[63], 'x');
    for (int i = 0; i < 62; ++i) sendChar('.');
    send(WM_KEYDOWN, VK_HOME);
    bytes = queuedKeys();
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(bytes[62], 0);
    EXPECT_EQ(bytes[63], 71);
}

// ---- Braille typing ----

void chord(std::initializer_list<unsigned> down, std::initializer_list<unsigned> up) {
    for (unsigned k : down) post(WM_KEYDOWN, k);
    for (unsigned k : up) post(WM_KEYUP, k);
}

std::string queuedText() {
    std::string text;
    for (int b : queuedKeys()) text.push_back(static_cast<char>(b));
    return text;
}

TEST_F(KeyboardWindowTest, BrailleModeOne) {
    setBrailleMode(1);
    ASSERT_EQ(brailleMode(), 1);
    chord({'F', 'D'}, {'F', 'D'});
    chord({'F', 'D'}, {'D', 'F'});
    chord({'J', 'L'}, {'J', 'L'});            // { is a character in mode 1
    chord({'S', 'J', 'K', 'L'}, {'S', 'J', 'K', 'L'});  // and so is #
    chord({VK_SPACE, 'F'}, {'F', VK_SPACE});  // space with dot 1: byte 1
    chord({VK_SPACE}, {VK_SPACE});
    chord({}, {'Q'});                          // a letter without dots: blank
    EXPECT_EQ(queuedText(), std::string("bb{#\x01  ", 7));
    // Typed letters and blanks are Braille keys; digits and punctuation are not.
    for (char c : std::string("ab 1;")) sendChar(static_cast<unsigned char>(c));
    EXPECT_EQ(queuedText(), "1;");
}

TEST_F(KeyboardWindowTest, BrailleModeTwoSigns) {
    setBrailleMode(2);
    chord({'J', 'L'}, {'L', 'J'});  // capital sign
    chord({'F'}, {'F'});
    chord({'J', 'L'}, {'J', 'L'});  // two capital signs: caps lock
    chord({'J', 'L'}, {'J', 'L'});
    chord({'F'}, {'F'});
    chord({'F', 'D'}, {'F', 'D'});
    chord({VK_SPACE}, {VK_SPACE});  // ends caps lock
    chord({'F'}, {'F'});
    EXPECT_EQ(queuedText(), "AAB a");
    chord({'S', 'J', 'K', 'L'}, {'L', 'K', 'J', 'S'});  // number sign
    chord({'F'}, {'F'});
    chord({'J'}, {'J'});  // ^ keeps number mode
    chord({'F', 'D'}, {'F', 'D'});
    chord({'K'}, {'K'});  // ~ ends it
    chord({'F'}, {'F'});
    EXPECT_EQ(queuedText(), "1^2~a");
    // A Ctrl key-up also ends the signs.
    chord({'J', 'L'}, {'J', 'L'});
    chord({'J', 'L'}, {'J', 'L'});
    pumpMessages();
    setModifiers({true, false, false});
    send(WM_KEYUP, 'C');
    setModifiers({});
    chord({'F'}, {'F'});
    EXPECT_EQ(queuedText(), "a");
}

TEST_F(KeyboardWindowTest, CtrlAltF11AndF12SwitchTheMode) {
    setModifiers({true, true, false});
    for (int expected : {1, 2, 1}) {
        send(WM_KEYDOWN, VK_F11);
        EXPECT_EQ(brailleMode(), expected);
    }
    send(WM_KEYDOWN, VK_F12);
    EXPECT_EQ(brailleMode(), 0);
    EXPECT_EQ(keyQueueCount(), 0);
}

// ---- reading a line ----

TEST_F(KeyboardWindowTest, ReadLineEditsAndEndsWithCrLf) {
    for (char c : std::string("ab\bc")) post(WM_CHAR, static_cast<unsigned char>(c));
    post(WM_KEYDOWN, VK_F1);   // 0 then ';': the 0 is ignored
    post(WM_KEYDOWN, VK_LEFT);  // 0 then 'K'
    post(WM_CHAR, 13);
    char buffer[128];
    int n = readLine(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, n), "ac;K\r\n");
}

// Feeds characters to the window a few at a time while readLine waits, so
// that the 64-byte queue never overflows.
std::string pendingInput;
void CALLBACK feedInput(HWND, UINT, UINT_PTR, DWORD) {
    for (int i = 0; i < 16 && !pendingInput.empty() && keyQueueCount() < 32; ++i) {
        PostMessageA(madeConsoleWindow(), WM_CHAR, static_cast<unsigned char>(pendingInput[0]), 1);
        pendingInput.erase(0, 1);
    }
}

TEST_F(KeyboardWindowTest, ReadLineKeepsAtMost126Characters) {
    pendingInput = std::string(130, 'x') + "\b" + "y\r";
    UINT_PTR timer = SetTimer(nullptr, 0, 1, feedInput);
    char buffer[128];
    int n = readLine(buffer, sizeof buffer);
    KillTimer(nullptr, timer);
    EXPECT_EQ(n, 128);
    EXPECT_EQ(std::string(buffer, n), std::string(125, 'x') + "y\r\n");
    EXPECT_TRUE(pendingInput.empty());
}

}  // namespace
