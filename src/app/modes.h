// What each mode of the program does before its one text is shown and spoken
// (Win32 edge).
#pragma once
#include <string>
#include <vector>

#include "app/options.h"
#include "battery/battery_reading.h"

std::vector<std::string> programArguments();  // after the program's name
// The report, full or short as [VOLTANOR] RELATORIO asks, with the time until
// full when [VOLTANOR] TEMPOCARGA asks for it.
std::string reportText();
// For the modes other than the report: does what the mode asks and gives the
// text to say.  A watcher that starts never comes back from here.
std::string runMode(ProgramMode mode);
// The report and, under it, the details of these batteries (/detalhes).
std::string detailsText(const std::vector<BatteryFacts>& batteries);
// The window's rows for a mode's text: 8, or as many as the details or the
// help take, so that all of them are seen at once.
int windowRows(ProgramMode mode, const std::string& text);
// Writes the text to the window and says it (the details' decimal commas as
// words, the help's key names as they are called).
void showAndSay(ProgramMode mode, const std::string& text);
