// What the wave device played, as the sound capture recorded it under Wine:
// one numbered file per open of the device in $VOLTANOR_CAPTURE_DIR, named
// NNNN-rate-channels-format.raw.  A file is complete once the program has
// closed the device (the capture pipe is closed and waited for then).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace capture {

struct Record {
    int number = 0;
    std::uint32_t rate = 0;
    int channels = 0;
    std::string format;  // "U8", "S16_LE", ...
    std::vector<unsigned char> bytes;
};

// The capture folder as a Windows path; empty when no capture is set up.
std::string folder();
// The number the next open of the device will get.
int nextNumber();
// Every record numbered `first` or later, in order.
std::vector<Record> since(int first);

}  // namespace capture
