// Control of the native stand-in for mbrola.dll: loadMbrola fills the table
// with a double that logs every call and makes samples for every line.
#pragma once
#include <string>
#include <vector>

namespace fake {

struct MbrolaDouble {
    bool loads = true;
    int initResult = 0;
    int rate = 16000;
    int samplesPerLine = 0;     // made by every line written and by the flush
    int inputRoom = 1 << 30;    // samples pending beyond which writes are refused
    std::string errorAfterLine; // lastError_MBR is -1 after writing this line
    int failingRead = 0;        // this read (counted from 1) fails with an error
    std::vector<std::string> log;  // "init_MBR br4", "write_MBR p 80\r\n", "read", ...
};

MbrolaDouble& mbrolaDouble();  // reset by resetMbrola
void resetMbrola();
// The samples the double hands out are 1, 2, 3, ... in order.
short mbrolaSample(int index);

}  // namespace fake
