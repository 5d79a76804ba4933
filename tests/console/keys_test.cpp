// Key queue rules: extended keys, Alt codes, Ctrl variants and room checks.
#include "console/keys.h"
#include "console/extended_key_rows.h"
#include "console/keyboard_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<int> takeQueuedCodes() {
    std::vector<int> bytes;
    while (keyQueueCount() > 0) bytes.push_back(keyQueueTake());
    return bytes;
}

void fillQueue(int n) {
    for (int i = 0; i < n; ++i) handleCharacter('1', {});
}

using KeyQueueTest = KeyboardTest;

TEST_F(KeyQueueTest, EveryExtendedKeyQueuesZeroAndItsCode) {
    for (const ExtendedRow& row : extendedRows) {
        SCOPED_TRACE(row.name);
        struct Variant {
            KeyState state;
            int code;
        } variants[] = {
            {{}, row.plain},
            {{true, false, false}, row.withCtrl},
            {{false, false, true}, row.withShift},
            {{true, false, true}, row.withCtrl},  // Ctrl wins over Shift
        };
        for (const Variant& v : variants) {
            EXPECT_EQ(handleKeyDown(row.virtualKey, v.state, true), KeyDownAction::None);
            EXPECT_EQ(takeQueuedCodes(), (std::vector<int>{0, v.code}));
        }
    }
}

TEST_F(KeyQueueTest, AltLettersAndDigitsQueueTheirCodes) {
    const int letterCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                 49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
    KeyState alt{false, true, false};
    for (int i = 0; i < 26; ++i) {
        SCOPED_TRACE(std::string(1, static_cast<char>('A' + i)));
        handleKeyDown('A' + i, alt, true);
        EXPECT_EQ(takeQueuedCodes(), (std::vector<int>{0, letterCodes[i]}));
    }
    const int digitCodes[10] = {129, 120, 121, 122, 123, 124, 125, 126, 127, 128};
    for (int d = 0; d <= 9; ++d) {
        SCOPED_TRACE(d);
        handleKeyDown('0' + d, alt, true);
        EXPECT_EQ(takeQueuedCodes(), (std::vector<int>{0, digitCodes[d]}));
    }
    // Ctrl does not change an Alt code; Alt on a key without one falls through.
    handleKeyDown('Q', {true, true, false}, true);
    EXPECT_EQ(takeQueuedCodes(), (std::vector<int>{0, 16}));
    handleKeyDown(0x70, alt, true);
    EXPECT_EQ(takeQueuedCodes(), (std::vector<int>{0, 59}));
    handleKeyDown(0xBA, alt, true);  // a punctuation key: nothing
    EXPECT_EQ(keyQueueCount(), 0);
}

TEST_F(KeyQueueTest, KeysOutsideTheTablesQueueNothingOnKeyDown) {
    for (unsigned k : {0x10u, 0x11u, 0x12u, 0x14u, 0x0Du, 0x08u, 0x20u, 0x41u, 0x35u, 0x2Cu, 0x7Cu, 0x90u}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(handleKeyDown(k, {}, true), KeyDownAction::None);
        EXPECT_EQ(keyQueueCount(), 0);
    }
}

TEST_F(KeyQueueTest, BreakAndModeKeys) {
    EXPECT_EQ(handleKeyDown(0x03, {}, true), KeyDownAction::Terminate);
    EXPECT_EQ(handleKeyDown(0x03, {true, false, false}, true), KeyDownAction::Terminate);
    EXPECT_EQ(handleKeyDown(0x03, {true, false, false}, false), KeyDownAction::None);
    EXPECT_EQ(handleKeyDown(0x7B, {true, true, false}, true), KeyDownAction::BrailleOff);
    EXPECT_EQ(handleKeyDown(0x7A, {true, true, false}, true), KeyDownAction::BrailleNext);
    EXPECT_EQ(keyQueueCount(), 0);
    // Without Alt they are ordinary Ctrl+F12 and Ctrl+F11.
    handleKeyDown(0x7B, {true, false, false}, true);
    handleKeyDown(0x7A, {true, false, false}, true);
    EXPECT_EQ(takeQueuedCodes(), (std::vector<int>{0, 105, 0, 104}));
}

TEST_F(KeyQueueTest, SystemKeysWhileTheBreakKeyIsEnabledAreOnlyTheSideArrows) {
    struct Row {
        unsigned k;
        bool breakEnabled, handled;
    } rows[] = {
        {0x79, true, false}, {0x25, true, true}, {0x27, true, true}, {0x26, true, false},
        {'A', true, false},  {0x79, false, true}, {'A', false, true}, {0x26, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.k);
        EXPECT_EQ(systemKeyDownHandled(r.k, r.breakEnabled), r.handled);
    }
}

TEST_F(KeyQueueTest, CharactersWithCtrlAndWithout) {
    struct Row {
        unsigned char c;
        bool ctrl;
        int queued;
    } rows[] = {
        {8, false, 8},     {8, true, 127},    {13, false, 13}, {13, true, 10},
        {'a', false, 'a'}, {1, true, 1},      {0xE3, false, 0xE3}, {' ', false, ' '},
        {27, false, 27},   {127, false, 127},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.c));
        handleCharacter(r.c, {r.ctrl, false, false});
        EXPECT_EQ(takeQueuedCodes(), (std::vector<int>{r.queued}));
    }
}

TEST_F(KeyQueueTest, RoomChecks) {
    fillQueue(63);
    handleKeyDown(0x70, {}, true);  // needs two bytes
    handleKeyDown('A', {false, true, false}, true);
    EXPECT_EQ(keyQueueCount(), 63);
    handleCharacter('x', {});  // one byte still fits
    EXPECT_EQ(keyQueueCount(), 64);
    handleCharacter('y', {});
    EXPECT_EQ(keyQueueCount(), 64);
    std::vector<int> bytes = takeQueuedCodes();
    EXPECT_EQ(bytes.back(), 'x');

    fillQueue(62);
    handleKeyDown(0x2D, {false, false, true}, true);
    EXPECT_EQ(keyQueueCount(), 64);
    bytes = takeQueuedCodes();
    EXPECT_EQ(bytes[62], 0);
    EXPECT_EQ(bytes[63], 254);

    fillQueue(62);
    handleKeyDown('Z', {false, true, false}, true);
    bytes = takeQueuedCodes();
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(bytes[63], 44);
}

TEST_F(KeyQueueTest, TakeIsFirstInFirstOutAndEmptyGivesZero) {
    EXPECT_EQ(keyQueueTake(), 0);
    EXPECT_EQ(keyQueueCount(), 0);
    handleCharacter('a', {});
    handleKeyDown(0x26, {}, true);
    handleCharacter('b', {});
    EXPECT_EQ(takeQueuedCodes(), (std::vector<int>{'a', 0, 72, 'b'}));
    EXPECT_EQ(keyQueueTake(), 0);
    EXPECT_EQ(keyQueueCount(), 0);
}

// Any mix of events, in any mode, keeps the queue and the chord in bounds.
TEST_F(KeyQueueTest, LongRandomSequenceNeverOverruns) {
    std::mt19937 random(12345);
    const unsigned interesting[] = {'F', 'D', 'S', 'J', 'K', 'L', 0x20, 'A', 'Q', '1', 0x70,
                                    0x2D, 0x7A, 0x7B, 0x10, 0x11, 0xBA, 0x03, 0x26};
    for (int step = 0; step < 200000; ++step) {
        unsigned r = random();
        KeyState s{(r & 1) != 0 && (r & 6) == 0, (r & 8) != 0 && (r & 48) == 0, (r & 64) != 0};
        unsigned k = (r >> 8) % 3 == 0 ? (r >> 12) & 0xFF : interesting[(r >> 12) % std::size(interesting)];
        switch ((r >> 20) % 6) {
            case 0: handleCharacter(static_cast<unsigned char>(r >> 24), s); break;
            case 1: case 2: {
                KeyDownAction a = handleKeyDown(k, s, (r >> 23) & 1);
                if (a == KeyDownAction::BrailleNext) setBrailleModeState(brailleMode() + 1);
                if (a == KeyDownAction::BrailleOff) setBrailleModeState(0);
                break;
            }
            case 3: case 4: handleBrailleKeyUp(k, s); break;
            default:
                keyQueueTake();
                if ((r >> 24) % 16 == 7) setBrailleModeState(static_cast<int>(r >> 28));
        }
        ASSERT_GE(keyQueueCount(), 0);
        ASSERT_LE(keyQueueCount(), 64);
        ASSERT_LT(brailleChord(), 128);
        ASSERT_EQ(brailleKeysHeld() & ~brailleChord(), 0);
        ASSERT_GE(brailleMode(), 0);
        ASSERT_LE(brailleMode(), 2);
    }
}

}  // namespace
