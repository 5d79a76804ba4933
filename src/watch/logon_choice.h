// Each user's own choice of the battery warnings at logon.  The installer
// starts the watcher for every user (the machine's Run key, "/vigiar
// /entrada"); a user turns it off or on again without an administrator, as a
// value of their own registry (HKCU\Software\Voltanor, AvisoAoEntrar = NAO),
// which the watcher started at logon reads (Win32 edge).
#pragma once
#include <string>

// The option the logon entries give after "/vigiar".
constexpr const char* logonOption = "/entrada";

// False when this user turned the logon start off.
bool logonWarningsWanted();
// Whether the watcher starts when this user logs on: the machine's entry and
// this user's choice, or an entry of the user's own.
bool logonStartOn();
// Records this user's choice; true when written.  Turned on where no
// installation wrote the machine's entry, the user gets an entry of their
// own that starts programPath; turned off, an entry of their own goes too.
bool setLogonStart(bool on, const std::string& programPath);
