// "/configurar": the spoken settings menu in the console window (Win32 edge).
#pragma once
#include <string>
#include <vector>

// The changes were not saved (the menu said why); told in the exit code.
constexpr int exitSettingsNotSaved = 5;

// With the option alone, runs the menu until the user leaves; with a second
// argument, the changes an elevated start of the program is given
// (encodeSettingChanges), saves them when the menu offers every one and ends
// (exitSettingsNotSaved, the file untouched, otherwise).  Never returns: the program ends here.
[[noreturn]] void runSettingsMenu(const std::vector<std::string>& arguments);

// "/manual": reads the manual beside the program aloud, from the top, until
// the user leaves with Esc.  Never returns.
[[noreturn]] void runManualReader();
