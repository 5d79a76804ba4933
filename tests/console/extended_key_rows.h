// The extended keys and the codes they queue after a zero, shared by the
// native rule test and the window test under Wine.  The Windows virtual-key
// numbers are written out here, apart from the program's own list.
#pragma once

struct ExtendedRow {
    const char* name;
    unsigned virtualKey;
    int plain, withCtrl, withShift;
};

inline constexpr ExtendedRow extendedRows[] = {
    {"F1", 0x70, 59, 94, 59},       {"F2", 0x71, 60, 95, 60},
    {"F3", 0x72, 61, 96, 61},       {"F4", 0x73, 62, 97, 62},
    {"F5", 0x74, 63, 98, 63},       {"F6", 0x75, 64, 99, 64},
    {"F7", 0x76, 65, 100, 65},      {"F8", 0x77, 66, 101, 66},
    {"F9", 0x78, 67, 102, 67},      {"F10", 0x79, 68, 103, 68},
    {"F11", 0x7A, 69, 104, 69},     {"F12", 0x7B, 70, 105, 70},
    {"Insert", 0x2D, 82, 255, 254}, {"Delete", 0x2E, 83, 83, 83},
    {"Home", 0x24, 71, 119, 71},    {"End", 0x23, 79, 117, 79},
    {"PageUp", 0x21, 73, 132, 73},  {"PageDown", 0x22, 81, 118, 81},
    {"Up", 0x26, 72, 113, 72},      {"Down", 0x28, 80, 114, 80},
    {"Left", 0x25, 75, 115, 75},    {"Right", 0x27, 77, 116, 77},
};
