// The diphone synthesizer.  Until the database reader lands, the start loads
// nothing and speaking plays nothing.
#include "diphone/diphone.h"

namespace {
std::string databaseName = "DIFONES2";
std::string lettersDirectory;
int cutLength = 400;
int minimumLength = 0;
int tokenPause = 100;
}  // namespace

void diphoneModuleStart() { setDiphoneTuning("DIFONES2", 400, 0, 100); }

int diphoneStart() { return 0; }

void diphoneClose() {}

void setDiphoneTuning(const std::string& name, int cut, int minimum, int pause) {
    databaseName = name.substr(0, 8);
    cutLength = cut;
    minimumLength = minimum;
    tokenPause = pause;
}

const std::string& diphoneDatabaseName() { return databaseName; }
const std::string& diphoneLettersDirectory() { return lettersDirectory; }

void speakPhonemes(const std::string&, bool) {}
