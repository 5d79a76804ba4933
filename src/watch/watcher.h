// The battery watcher: one per user session, without a visible window; it
// polls the power status at the [VOLTANOR] INTERVALO, wakes early on the
// system's power broadcasts, and speaks what announcementsDue gives (Win32 edge).
#pragma once

enum class WatchStart {
    byHand,   // says it is on
    atLogon,  // the logon entry: silent until a warning, and not at all when
              // the user turned the logon start off (logon_choice.h)
};

// Becomes the session's watcher and ends the process when told to stop;
// returns false at once when a watcher is already running (at logon it ends
// the process silently instead).  When its voice cannot start it sounds the
// critical tones, shows and logs why, and ends after a key or a minute with
// exitWatcherVoiceFailed.
bool runWatcher(WatchStart start);
// Tells the running watcher to end, before anything else and without speech,
// and waits (at most 10 s) until its process has ended; false when none was
// running.
bool stopWatcher();

constexpr int exitWatcherVoiceFailed = 6;
