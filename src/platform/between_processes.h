// What Voltanor's processes of one user session share through named kernel
// objects (never files, which a removal or a full disk could leave behind):
// which process is the battery watcher, and the word that ends it.  Stopping
// needs nothing else: no settings, no voice data, no window.
#pragma once

namespace between_processes {

// Makes this process the session's watcher; false when one is running
// already.  What it holds goes with the process, however it ends.
bool becomeWatcher();
// The event the watcher waits on beside its messages (a HANDLE; null
// before becomeWatcher).  Set means: end now.
void* watcherStopEvent();

// Tells every watcher of this session to end, also one of an earlier version
// that only listens to its window; true when one was running.
bool askWatcherToStop();
// Waits until no watcher of this session runs any more (the processes have
// ended, so their files are free); false when one still runs after the time.
bool waitUntilWatcherEnded(unsigned milliseconds);

}  // namespace between_processes
