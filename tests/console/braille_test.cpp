// Six-key Braille typing: chords, the table, the signs of mode 2, control
// characters and the mode changes with their tones.
#include "console/keys.h"
#include "console/keyboard_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const KeyState none{};
const KeyState ctrl{true, false, false};

// The dot keys of dots 1..6 and the space bar.
const unsigned dotKeys[6] = {'F', 'D', 'S', 'J', 'K', 'L'};
constexpr unsigned spaceBar = 0x20;

std::string takeQueuedText() {
    std::string bytes;
    while (keyQueueCount() > 0) bytes.push_back(static_cast<char>(keyQueueTake()));
    return bytes;
}

// Presses every key of the list, then releases them in the given order.
void chordKeys(const std::vector<unsigned>& down, const std::vector<unsigned>& up) {
    for (unsigned k : down) handleKeyDown(k, none, true);
    for (unsigned k : up) EXPECT_TRUE(handleBrailleKeyUp(k, none));
}

// Types the cell with the given dot bits (dot 1 = 1 .. dot 6 = 32), optionally with the space bar.
void typeDots(unsigned dots, bool withSpace = false) {
    std::vector<unsigned> keys;
    for (int i = 0; i < 6; ++i)
        if (dots & (1u << i)) keys.push_back(dotKeys[i]);
    if (withSpace) keys.push_back(spaceBar);
    if (keys.empty()) keys.push_back('Q');  // a letter key that is no dot: the empty cell
    chordKeys(keys, keys);
}

// Dot bits of a list such as "3456".
unsigned dots(const char* list) {
    unsigned bits = 0;
    for (const char* p = list; *p; ++p) bits |= 1u << (*p - '1');
    return bits;
}

using BrailleTest = KeyboardTest;

TEST_F(BrailleTest, EveryCellOfTheTableInModeOne) {
    // Cells in dot-bit order, as the user sees them (this file is compiled to code page 1252).
    const std::string cells = " a,b'k;l^cifímsp~e:h*o!r¬djgãntqýâ?ê-u\"v{îõàóxèç$ûÿü}z=á_ôwï#yúé";
    ASSERT_EQ(cells.size(), 64u);  // one byte per character in code page 1252
    setBrailleModeState(1);
    for (unsigned cell = 0; cell < 64; ++cell) {
        SCOPED_TRACE(cell);
        EXPECT_EQ(brailleTable[cell], static_cast<unsigned char>(cells[cell]));
        typeDots(cell);
        EXPECT_EQ(takeQueuedText(), cells.substr(cell, 1));
        EXPECT_EQ(brailleChord(), 0);
        EXPECT_EQ(brailleKeysHeld(), 0);
    }
}

TEST_F(BrailleTest, TheCharacterComesWhenTheLastKeyIsReleased) {
    setBrailleModeState(1);
    for (auto order : {std::vector<unsigned>{'F', 'D'}, std::vector<unsigned>{'D', 'F'}}) {
        handleKeyDown('F', none, true);
        handleKeyDown('D', none, true);
        EXPECT_EQ(brailleChord(), 3);
        EXPECT_TRUE(handleBrailleKeyUp(order[0], none));
        EXPECT_EQ(keyQueueCount(), 0);
        EXPECT_TRUE(handleBrailleKeyUp(order[1], none));
        EXPECT_EQ(takeQueuedText(), "b");
    }
    // Rolling chord: F down, D down, F up, S down, D up, S up is one cell (dots 1 2 3).
    handleKeyDown('F', none, true);
    handleKeyDown('D', none, true);
    handleBrailleKeyUp('F', none);
    handleKeyDown('S', none, true);
    handleBrailleKeyUp('D', none);
    EXPECT_EQ(keyQueueCount(), 0);
    handleBrailleKeyUp('S', none);
    EXPECT_EQ(takeQueuedText(), "l");
    // A repeated key-down (auto-repeat) does not change the cell.
    chordKeys({'K', 'K', 'K'}, {'K'});
    EXPECT_EQ(takeQueuedText(), "~");
}

TEST_F(BrailleTest, NonDotLetterRelease) {
    setBrailleModeState(1);
    EXPECT_TRUE(handleBrailleKeyUp('Q', none));  // nothing held: the empty cell, a blank
    EXPECT_EQ(takeQueuedText(), " ");
    handleKeyDown('F', none, true);
    EXPECT_TRUE(handleBrailleKeyUp('Q', none));  // F still held: nothing yet
    EXPECT_EQ(keyQueueCount(), 0);
    handleBrailleKeyUp('F', none);
    EXPECT_EQ(takeQueuedText(), "a");
}

TEST_F(BrailleTest, SpaceBarAloneAndWithDots) {
    setBrailleModeState(1);
    chordKeys({spaceBar}, {spaceBar});
    EXPECT_EQ(takeQueuedText(), " ");
    struct Row {
        const char* dotList;
        int byte;
    } rows[] = {
        {"1", 1}, {"12", 2}, {"14", 3}, {"1245", 7}, {"3456", 3}, {"46", 27}, {"1246", 0}, {"2356", 29},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.dotList);
        typeDots(dots(r.dotList), true);
        std::string q = takeQueuedText();
        ASSERT_EQ(q.size(), 1u);
        EXPECT_EQ(static_cast<unsigned char>(q[0]), r.byte);
    }
}

TEST_F(BrailleTest, ModeOneQueuesTheSignsAsCharacters) {
    setBrailleModeState(1);
    typeDots(dots("46"));
    typeDots(dots("3456"));
    typeDots(dots("1"));
    EXPECT_EQ(takeQueuedText(), "{#a");
}

TEST_F(BrailleTest, CapitalSign) {
    setBrailleModeState(2);
    typeDots(dots("46"));
    EXPECT_EQ(keyQueueCount(), 0);  // the sign itself queues nothing
    typeDots(dots("1"));
    typeDots(dots("1"));
    EXPECT_EQ(takeQueuedText(), "Aa");

    // Two signs: capitals until the space bar.
    typeDots(dots("46"));
    typeDots(dots("46"));
    typeDots(dots("1"));
    typeDots(dots("12"));
    typeDots(dots("1234"));
    typeDots(dots("126"));  // an accented letter is not changed
    chordKeys({spaceBar}, {spaceBar});
    typeDots(dots("1"));
    EXPECT_EQ(takeQueuedText(), "ABP\xEA a");

    // A capital sign before a non-letter is used up by it.
    typeDots(dots("46"));
    typeDots(dots("2"));
    typeDots(dots("1"));
    EXPECT_EQ(takeQueuedText(), ",a");
}

TEST_F(BrailleTest, NumberSign) {
    setBrailleModeState(2);
    typeDots(dots("3456"));
    EXPECT_EQ(keyQueueCount(), 0);
    const char* letters[] = {"1", "12", "14", "145", "15", "124", "1245", "125", "24", "245", "3"};
    for (const char* l : letters) typeDots(dots(l));
    EXPECT_EQ(takeQueuedText(), "1234567890.");
    typeDots(dots("4"));  // ^ keeps number mode
    typeDots(dots("1"));
    EXPECT_EQ(takeQueuedText(), "^1");
    typeDots(dots("5"));  // ~ ends it
    typeDots(dots("1"));
    EXPECT_EQ(takeQueuedText(), "~a");
    // A second number sign inside number mode queues nothing and keeps it.
    typeDots(dots("3456"));
    typeDots(dots("3456"));
    typeDots(dots("12"));
    EXPECT_EQ(takeQueuedText(), "2");
}

TEST_F(BrailleTest, CapitalAndNumberSignsTogether) {
    setBrailleModeState(2);
    typeDots(dots("46"));
    typeDots(dots("3456"));  // capital-next waits through the number sign; the digit uses it
    typeDots(dots("1"));
    typeDots(dots("5"));
    typeDots(dots("1"));
    EXPECT_EQ(takeQueuedText(), "1~a");
}

TEST_F(BrailleTest, EventsThatEndTheSigns) {
    struct Row {
        const char* name;
        void (*event)();
    } rows[] = {
        {"space bar", [] { chordKeys({spaceBar}, {spaceBar}); }},
        {"space with dots", [] { typeDots(dots("1"), true); }},
        {"non-letter key", [] { EXPECT_FALSE(handleBrailleKeyUp('1', none)); }},
        {"shift key", [] { EXPECT_FALSE(handleBrailleKeyUp(0x10, none)); }},
        {"ctrl with a letter", [] { EXPECT_FALSE(handleBrailleKeyUp('F', ctrl)); }},
    };
    setBrailleModeState(2);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        typeDots(dots("46"));
        typeDots(dots("46"));
        r.event();
        keyQueueClear();
        typeDots(dots("1"));
        EXPECT_EQ(takeQueuedText(), "a");
        typeDots(dots("3456"));
        r.event();
        keyQueueClear();
        typeDots(dots("1"));
        EXPECT_EQ(takeQueuedText(), "a");
    }
}

TEST_F(BrailleTest, CtrlKeysAreNotBraille) {
    setBrailleModeState(1);
    handleKeyDown('F', ctrl, true);
    EXPECT_EQ(brailleChord(), 0);
    EXPECT_FALSE(handleBrailleKeyUp('F', ctrl));
    EXPECT_EQ(keyQueueCount(), 0);
    // Ctrl+space with F held: declined, the chord stays for the next release.
    handleKeyDown('F', none, true);
    EXPECT_FALSE(handleBrailleKeyUp(spaceBar, ctrl));
    EXPECT_TRUE(handleBrailleKeyUp('F', none));
    EXPECT_EQ(takeQueuedText(), "a");
}

TEST_F(BrailleTest, TypedCharactersInBrailleMode) {
    setBrailleModeState(1);
    for (char c : std::string("aZ q")) handleCharacter(static_cast<unsigned char>(c), none);
    EXPECT_EQ(keyQueueCount(), 0);
    for (char c : std::string("1.;\xE3\r")) handleCharacter(static_cast<unsigned char>(c), none);
    EXPECT_EQ(takeQueuedText(), "1.;\xE3\r");
    // The extended keys still work.
    handleKeyDown(0x70, none, true);
    EXPECT_EQ(takeQueuedText(), std::string("\0;", 2));
}

TEST_F(BrailleTest, OffModeIgnoresKeyUpsAndCollectsNoChord) {
    handleKeyDown('F', none, true);
    EXPECT_EQ(brailleChord(), 0);
    EXPECT_FALSE(handleBrailleKeyUp('F', none));
    EXPECT_FALSE(handleBrailleKeyUp(spaceBar, none));
    EXPECT_EQ(keyQueueCount(), 0);
    handleCharacter('a', none);
    EXPECT_EQ(takeQueuedText(), "a");
}

TEST_F(BrailleTest, TurningTheModeOffClearsTheChordAndSigns) {
    setBrailleModeState(2);
    typeDots(dots("46"));
    typeDots(dots("46"));
    handleKeyDown('F', none, true);
    handleKeyDown('D', none, true);
    setBrailleModeState(0);
    EXPECT_EQ(brailleChord(), 0);
    EXPECT_EQ(brailleKeysHeld(), 0);
    setBrailleModeState(2);
    typeDots(dots("1"));
    EXPECT_EQ(takeQueuedText(), "a");
    // Switching between 1 and 2 keeps a chord in progress.
    handleKeyDown('F', none, true);
    setBrailleModeState(1);
    handleBrailleKeyUp('F', none);
    EXPECT_EQ(takeQueuedText(), "a");
}

TEST_F(BrailleTest, AFullQueueDropsTheCell) {
    setBrailleModeState(1);
    for (int i = 0; i < 63; ++i) handleCharacter('1', none);
    typeDots(dots("1"));
    typeDots(dots("12"));
    EXPECT_EQ(keyQueueCount(), 64);
    EXPECT_EQ(brailleChord(), 0);
    std::string q = takeQueuedText();
    EXPECT_EQ(q.back(), 'a');
}

TEST(BrailleModeTones, ModeChanges) {
    struct Row {
        int current, requested;
        std::vector<int> frequencies;
        int resulting;
    } rows[] = {
        {0, 1, {800, 1600}, 1}, {1, 2, {800, 400}, 2}, {2, 3, {800, 1600}, 1},
        {0, 2, {800, 400}, 2},  {1, 1, {800, 1600}, 1}, {2, 0, {100}, 0},
        {1, 0, {100}, 0},       {0, 0, {}, 0},          {0, 3, {800, 1600}, 1},
        {0, 200, {800, 1600}, 1}, {2, -1, {800, 1600}, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.current) + "->" + std::to_string(r.requested));
        std::vector<Tone> tones = brailleModeTones(r.current, r.requested);
        std::vector<int> frequencies;
        for (const Tone& t : tones) {
            frequencies.push_back(t.frequency);
            EXPECT_EQ(t.milliseconds, 200);
        }
        EXPECT_EQ(frequencies, r.frequencies);
        EXPECT_EQ(normalizedBrailleMode(r.requested), r.resulting);
    }
}

// Ctrl+Alt+F11 three times from off: 800/1600, 800/400, 800/1600, ending in mode 1.
TEST_F(BrailleTest, CtrlAltF11CyclesTheModes) {
    std::vector<int> heard;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(handleKeyDown(0x7A, {true, true, false}, true), KeyDownAction::BrailleNext);
        int next = brailleMode() + 1;
        for (const Tone& t : brailleModeTones(brailleMode(), next)) heard.push_back(t.frequency);
        setBrailleModeState(next);
    }
    EXPECT_EQ(heard, (std::vector<int>{800, 1600, 800, 400, 800, 1600}));
    EXPECT_EQ(brailleMode(), 1);
    ASSERT_EQ(handleKeyDown(0x7B, {true, true, false}, true), KeyDownAction::BrailleOff);
    EXPECT_EQ(brailleModeTones(brailleMode(), 0).size(), 1u);
    setBrailleModeState(0);
    EXPECT_EQ(brailleMode(), 0);
}

}  // namespace
