// The reader's table read by Windows' own profile function, as Wine has it:
// the two compared, case by case (where Windows and Wine are known to differ,
// Wine's reading is the table's).
#include <windows.h>

#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "settings/profile_cases.h"

namespace {

TEST(ProfileTextWine, TheProfileFunctionReadsTheTableAsTheReaderDoes) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    int number = 0;
    for (const ProfileCase& c : profileCases) {
        // A name of its own for each text: the profile functions keep recent files cached.
        const std::string path = std::string(folder) + "voltanor_profile_" + std::to_string(++number) + ".ini";
        std::ofstream(path, std::ios::binary) << c.text;
        char value[256] = {};
        GetPrivateProfileStringA(c.section, c.key, "(padrao)", value, sizeof value, path.c_str());
        const char* expected = c.wineDiffers ? c.wine : c.windows;
        EXPECT_EQ(std::string(value), expected ? expected : "(padrao)") << number << ": " << c.text;
        DeleteFileA(path.c_str());
    }
}

}  // namespace
