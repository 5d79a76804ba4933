// The settings file through the real profile functions: the file in the
// Windows directory against the one in the start directory, and the letters
// directory (the marker's rule is checked natively).  Any ORAVIX.INI already in the Windows
// directory is put back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/directory_path.h"
#include "settings/sections.h"
#include "settings/settings_file.h"
#include "speech/speech.h"

namespace {

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    // The profile functions keep files cached; drop the cache.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "ORAVIX.INI");
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

class SettingsWine : public ::testing::Test {
protected:
    void SetUp() override {
        char buffer[MAX_PATH];
        GetWindowsDirectoryA(buffer, MAX_PATH);
        windowsIni_ = std::string(buffer) + "\\ORAVIX.INI";
        hadIni_ = exists(windowsIni_);
        if (hadIni_) savedIni_ = readWhole(windowsIni_);
        DeleteFileA(windowsIni_.c_str());

        GetCurrentDirectoryA(MAX_PATH, buffer);
        savedDirectory_ = buffer;
        GetTempPathA(MAX_PATH, buffer);
        start_ = std::string(buffer) + "voltanor-start-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(start_.c_str(), nullptr);
        startIni_ = start_ + "\\ORAVIX.INI";
        DeleteFileA(startIni_.c_str());
        SetCurrentDirectoryA(start_.c_str());
        speechModuleStart();
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, "ORAVIX.INI");
    }

    void TearDown() override {
        DeleteFileA(startIni_.c_str());
        if (hadIni_)
            writeText(windowsIni_, savedIni_);
        else
            DeleteFileA(windowsIni_.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, "ORAVIX.INI");
        SetCurrentDirectoryA(savedDirectory_.c_str());
        RemoveDirectoryA(start_.c_str());
    }

    std::string windowsIni_, startIni_, savedIni_, start_, savedDirectory_;
    bool hadIni_ = false;
};

TEST_F(SettingsWine, StartDirectoryHasNoTrailingBackslash) {
    EXPECT_EQ(startDirectory(), start_);
    SetCurrentDirectoryA("C:\\");
    speechModuleStart();
    EXPECT_EQ(startDirectory(), "C:");
}

TEST_F(SettingsWine, WindowsDirectoryFileComesFirst) {
    writeText(startIni_, "[A]\r\nK=inicio\r\n");
    writeText(windowsIni_, "[A]\r\nK=windows\r\n");
    EXPECT_EQ(settingsFilePath(start_), "ORAVIX.INI");
    EXPECT_EQ(readSetting("A", "K", start_), "windows");
}

TEST_F(SettingsWine, StartDirectoryFileWhenTheWindowsDirectoryHasNone) {
    writeText(startIni_, "[A]\r\nK=inicio\r\n[ORAVIX]\r\nN=1\r\n[TRADUTOR]\r\nDIRLETRAS=d:\\so\\inicio\r\n");
    EXPECT_EQ(settingsFilePath(start_), start_ + "\\ORAVIX.INI");
    EXPECT_EQ(readSetting("A", "K", start_), "inicio");
    EXPECT_EQ(readSetting("", "N", start_), "1");
    EXPECT_EQ(readSetting("A", "FALTA", start_), "");
    // The letters directory is read from the Windows directory only.
    EXPECT_EQ(withTrailingBackslashUnlessEmpty(readTranslatorSettings(start_).lettersDirectory), "c:\\kelmar\\som\\letras\\");
}

TEST_F(SettingsWine, LettersDirectoryFromTheWindowsDirectory) {
    writeText(windowsIni_, "[ORAVIX]\r\nPGMORAVIX=d:\\ov\r\n[TRADUTOR]\r\nDIRLETRAS=@\\letras\r\n");
    EXPECT_EQ(withTrailingBackslashUnlessEmpty(readTranslatorSettings(start_).lettersDirectory), "@\\letras\\");  // no marker expansion here
    writeText(windowsIni_, "[TRADUTOR]\r\nDIRLETRAS=e:\\sons\\\r\n");
    EXPECT_EQ(withTrailingBackslashUnlessEmpty(readTranslatorSettings(start_).lettersDirectory), "e:\\sons\\");
}

}  // namespace
