// What each mode of the program does before its one text is shown and spoken
// (Win32 edge).
#pragma once
#include <string>
#include <vector>

#include "app/options.h"

std::vector<std::string> programArguments();  // after the program's name
// The report, with the time until full when [VOLTANOR] TEMPOCARGA asks for it.
std::string reportText();
// For the modes other than the report: does what the mode asks and gives the
// text to say.  A watcher that starts never comes back from here.
std::string runMode(ProgramMode mode);
