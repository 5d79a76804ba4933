// Starting a program for the person logged on rather than for the elevated
// installer (Win32 edge): an installer elevated with an administrator's
// password runs as that administrator, and what it starts itself would too.
#pragma once
#include <string>

// Asks the desktop's shell (Explorer, which runs unelevated as the person
// logged on) to start program with arguments; when this process is not
// elevated it starts it itself.  False when neither could be done.
bool startAsLoggedOnUser(const std::wstring& program, const std::wstring& arguments);
