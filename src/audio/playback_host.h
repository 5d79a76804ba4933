// What wave output needs from the program around it, handed to its module
// start by whoever owns the program's window and its message loop: the window
// the device reports to, and the waits that let the window's messages through.
// voltanor.exe hands its console window (console/console_playback.h); a host
// with no console, such as an installer's plug-in, hands a hidden window and
// waits of its own.
#pragma once
#include <cstdint>

// Each member does nothing until a host is handed: wave output asked before its
// start (nothing queued, nothing to wait for) then answers without a call
// through a null pointer.
struct PlaybackHost {
    // The window that the device reports finished blocks to (MM_WOM_DONE: its
    // procedure hands the header in lParam to onBlockDone) and that carries
    // the timer which releases an idle device.  Made by the first call; asked
    // for before every open of the device.
    void* (*deviceWindow)() = [] () -> void* { return nullptr; };
    void (*pumpMessages)() = [] {};                                  // every pending message
    void (*sleepPumping)(std::uint16_t milliseconds) = [](std::uint16_t) {};  // sleeps, then pumps
    void (*waitForMessage)() = [] {};                                // until a message comes
    // The device could not take back a finished block: shows the device's
    // error text (null when it has none) and waits until the user acknowledges it.
    void (*showDeviceError)(const char* text) = [](const char*) {};
};
