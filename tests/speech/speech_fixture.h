// A fresh installation for each speech test: a fake Windows directory, a
// start directory, a letters directory and a diphone directory with a tiny
// database for every speed (DB1 ... DB5), empty rules and exceptions.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "audio/wave_output.h"
#include "diphone/diphone.h"
#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_voice.h"
#include "fakes/fake_wave_device.h"
#include "platform/platform.h"
#include "speech/speech.h"
#include "voices/voice.h"

class SpeechInstallation : public ::testing::Test {
protected:
    void SetUp() override {
        fake::resetConsole();
        // Wave output from its start: blocks an earlier test left queued would
        // wait for pumps the console's reset has just taken away.
        fake::resetWaveDevice();
        fake::resetVoices();
        savedDirectory_ = platform::currentDirectory();
        savedWindows_ = fake::windowsDirectoryPath();
        windows_ = fake::makeTempDirectory();
        fake::setWindowsDirectory(windows_);
        start_ = fake::makeTempDirectory();
        letters_ = fake::makeTempDirectory();
        diphones_ = fake::makeTempDirectory();
        for (int speed = 1; speed <= 5; ++speed) {
            std::string name = diphones_ + "/DB" + std::to_string(speed);
            // One 15-byte record (name "ZZ", no samples) and a few silent samples.
            fake::writeFile(name + ".IND", std::string("\x02ZZ\0\0\0\0\0\0\0\0\0\0\0\0", 15));
            fake::writeFile(name + ".DIF", std::string(16, '\x80'));
        }
        fake::writeFile(diphones_ + "/regras.rgr", "");
        fake::writeFile(diphones_ + "/portug.exc", "");
        platform::setCurrentDirectory(start_);
        voiceModuleStart();
        diphoneModuleStart();
        speechModuleStart();
        setTrimSpeech(false);
        setQuickPlayback(false);
    }

    void TearDown() override {
        platform::setCurrentDirectory(savedDirectory_);
        fake::setWindowsDirectory(savedWindows_);
        setTrimSpeech(false);
        setQuickPlayback(false);
        std::error_code ignored;
        for (const std::string& folder : {windows_, start_, letters_, diphones_})
            std::filesystem::remove_all(folder, ignored);
    }

    // The installation's lines of [TRADUTOR] come first, then `tradutor`;
    // `synthesizer` lines come before the database names of every speed (the
    // first line of a key counts), then the other sections.
    void installSettings(const std::string& tradutor, const std::string& otherSections = "",
                         const std::string& synthesizer = "") {
        fake::writeFile(windows_ + "/ORAVIX.INI",
                        "[TRADUTOR]\nDIRLETRAS=" + letters_ + "\nDIRDIFONES=" + diphones_ + "\n" + tradutor +
                            "[SINTETIZADOR]\n" + synthesizer +
                            "DIFONES1=DB1\nDIFONES2=DB2\nDIFONES3=DB3\nDIFONES4=DB4\nDIFONES5=DB5\n" +
                            otherSections);
    }

    std::string savedDirectory_, savedWindows_, windows_, start_, letters_, diphones_;
};
