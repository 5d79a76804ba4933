// The battery watcher: one per user session, without a visible window; it
// polls the power status at the [VOLTANOR] INTERVALO, wakes early on the
// system's power broadcasts, and speaks what announcementsDue gives (Win32 edge).
#pragma once

// Becomes the session's watcher and ends the process when told to stop;
// returns false at once when a watcher is already running.
bool runWatcher();
// Tells the running watcher to end and waits (at most 10 s) until it has
// ended; false when none was running.
bool stopWatcher();
