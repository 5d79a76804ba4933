// The engine over the real MBROLA and br1: an intact installation starts and
// speaks audibly; with each damaged voice, data file or prosody value its start
// is refused or its first text fails, so that the default voice speaks instead.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_wave_device.h"
#include "tts/normalization.h"
#include "tts/pipeline.h"
#include "tts/pronunciation.h"
#include "tts/tavin_engine.h"
#include "tts/tavin_start_checks.h"

namespace {

namespace fs = std::filesystem;
const std::string installedBr1 = VOLTANOR_MBROLA_DIR "/usr/share/mbrola/br1/br1", data = VOLTANOR_DATA_DIR "/kelmar/tavintts";

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
void writeAll(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Every value of the [DURAÇÃO] section and HERTZ made 2147483647.
std::string hugeProsody(const std::string& text) {
    std::istringstream in(text);
    std::string line, out;
    bool durations = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') durations = line.rfind("[DURA", 0) == 0;
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && (line.rfind("HERTZ=", 0) == 0 || (durations && line[0] != ';')))
            line = line.substr(0, equals + 1) + "2147483647";
        out += line + "\n";
    }
    return out;
}

TEST(TavinStartChecks, RefuseEachDamagedInstallation) {
    using Damage = std::function<void(const fs::path& folder)>;
    auto cut = [](double share) {
        return [share](const fs::path& folder) {
            const std::string voice = readAll(folder / "br1");
            writeAll(folder / "br1", voice.substr(0, share > 1 ? static_cast<std::size_t>(share)
                                                               : static_cast<std::size_t>(voice.size() * share)));
        };
    };
    const struct Case {
        const char* what;
        bool speaks, refusedAtStart;
        Damage damage;
    } cases[] = {
        {"intact", true, false, [](const fs::path&) {}},
        {"br1 cut to 64 KB", false, false, cut(65536)},
        {"br1 cut to 90 %", false, false, cut(0.9)},
        {"rules file empty", false, true, [](const fs::path& f) { writeAll(f / "portug.nrl", ""); }},
        {"rules file of random bytes", false, false,
         [](const fs::path& f) {
             std::mt19937 random(25);
             std::string bytes(65536, '\0');
             for (char& b : bytes) b = static_cast<char>(random());
             writeAll(f / "portug.nrl", bytes);
         }},
        {"HERTZ and durations 2147483647", false, true,
         [](const fs::path& f) { writeAll(f / "portug.pro", hugeProsody(readAll(f / "portug.pro"))); }},
        {"HERTZ 20", false, true,
         [](const fs::path& f) {
             std::string text = readAll(f / "portug.pro");
             writeAll(f / "portug.pro", text.replace(text.find("HERTZ=110"), 9, "HERTZ=20"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path folder = fake::makeTempDirectory();
        fs::copy(data, folder, fs::copy_options::recursive);
        fs::copy_file(installedBr1, folder / "br1");
        c.damage(folder);
        fake::resetConsole();
        fake::resetWaveDevice();
        tavinUseStages({[] { tts::freePronunciationRules(), tts::freeDiphoneList(); }, tts::loadPronunciationFiles,
                        tts::loadAbbreviations, tts::loadProsody, tts::loadDiphoneList, tts::nextMbrolaPiece});
        tavinSetOutputFile("");
        tavinSetFactors(1.0, 0.8);
        const std::string stem = (folder / "portug").string();
        const bool started = tavinStart((folder / "br1").string(), stem + ".nrl", stem + ".exc", stem + ".abr",
                                        stem + ".pro", stem + ".dfn");
        const bool checked = started && tts::engineCanSpeak();
        EXPECT_TRUE(fake::allPlayedBytes().empty());  // the checks are never heard
        // What the start cannot tell, the first text does: an error or only silence.
        EXPECT_EQ(checked && tavinSpeak("Bateria: 80 por cento.") && tavinLastSpeechAudible(), c.speaks);
        // Refused at the start: the prosody values and the rules that say nothing.
        if (c.refusedAtStart) {
            EXPECT_FALSE(checked);
        }
        tavinClose();
    }
}

}  // namespace
