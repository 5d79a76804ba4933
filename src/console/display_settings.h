// The console window's display settings: colours, colour table, font, window
// placement, Braille mode and magnifier factor, read once from the suite's
// settings file in the Windows directory.  The Win32 edge creates the font and
// window from the result.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace console {

constexpr const char* displaySettingsFile = "ORAVIX.INI";

struct DisplaySettings {
    std::array<std::uint8_t, 16> colorTable{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    bool scrollByCopy = false;
    std::uint8_t textAttribute = 0x0F;  // background * 16 + text colour
    int brailleMode = 0;
    int magnifyFactor = 2;
    std::string fontFace = "Lucida Console";  // empty: the system picks the face
    int fontWidth = 0;
    int fontHeight = 0;
    bool startMaximized = false;
};

// Integer conversion of settings values: leading blanks, an optional sign, then
// decimal digits, or hexadecimal ones after "$", "x" or "0x".  Stops at the
// first character that does not belong; `value` is what was read up to there
// (saturated to the 32-bit range).  Returns false when the text was not wholly
// a number.
bool parseSettingInteger(const std::string& text, std::int32_t& value);

// Fills `table` from a "TABCORES" value ("4,1,..."): entries the list does not
// reach keep what they held; a blank after a comma ends the list there.
void parseColorTable(const std::string& value, std::array<std::uint8_t, 16>& table);

// Reads every display setting through platform::profileString; workAreaWidth
// and workAreaHeight (pixels of the desktop work area) size the default font.
DisplaySettings readDisplaySettings(int workAreaWidth, int workAreaHeight);

}  // namespace console
