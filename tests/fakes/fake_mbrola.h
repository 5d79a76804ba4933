// Control of the native stand-in for mbrola.dll: loadMbrola fills the table
// with a double that logs its calls and makes samples 1, 2, 3, ... per line.
#pragma once
#include <string>
#include <vector>

namespace fake {

struct MbrolaDouble {
    bool loads = true;
    int initResult = 0, rate = 16000;
    int samplesPerLine = 0;      // made by every line written and by the flush
    int inputRoom = 1 << 30;     // samples pending beyond which the input is full
    std::string errorAfterLine;  // lastError_MBR is errorCode after this line
    int errorCode = -3, failingRead = 0;  // that read (from 1) fails with an error
    std::vector<std::string> log;  // "load", "init_MBR br4", "write_MBR p 80\r\n", ...
};
MbrolaDouble& mbrolaDouble();
void resetMbrola();
short mbrolaSample(int index);

}  // namespace fake
