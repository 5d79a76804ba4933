// The generated letters directory: every sound the speech front end and the
// diphone synthesizer may ask for is there, in the exact format they read
// (44-byte header, 11025 samples per second, mono, 8 bits), neither silent
// nor clipped, and the punctuation marks are short and quiet.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A Linux path given by the build, as Wine reaches it.
std::string hostPath(const char* variable, const std::string& fallback) {
    const char* value = std::getenv(variable);
    std::string path = value && *value ? value : fallback;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    return path;
}

std::vector<unsigned char> readAll(const std::string& path, bool& found) {
    std::ifstream in(path, std::ios::binary);
    found = static_cast<bool>(in);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
unsigned le16(const std::vector<unsigned char>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

struct Sound {
    std::string name;
    std::string kind;  // "say", "mark" or "quiet"
};

std::vector<Sound> expectedSounds() {
    std::vector<Sound> sounds;
    for (const char* word :
         {"_um", "_dois", "_tres", "_quatro", "_cinco", "_seis", "_sete", "_oito", "_nove", "_dez", "_onze", "_doze",
          "_treze", "_quatorz", "_quinze", "_dezesse", "_dezeset", "_dezoito", "_dezenov", "_vinte", "_trinta",
          "_quarent", "_cinquen", "_sessent", "_setenta", "_oitenta", "_noventa", "_cem", "_cento", "_duzento",
          "_trezent", "_quatroc", "_quinhen", "_seiscen", "_setecen", "_oitocen", "_novecen", "_e", "_mil",
          "_milhao", "_milhoes", "_bilhao", "_bilhoes", "_trilhao", "_trilhoe", "_zero", "_MENOS"})
        sounds.push_back({word, "say"});
    std::ifstream names(std::string(VOLTANOR_SOURCE_DIR).front() == '/'
                            ? "Z:" + std::string(VOLTANOR_SOURCE_DIR) + "/data/letters/letter_names.txt"
                            : std::string(VOLTANOR_SOURCE_DIR) + "/data/letters/letter_names.txt");
    std::map<int, std::string> kinds;
    std::string line;
    while (std::getline(names, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int byte;
        std::string kind;
        fields >> byte >> kind;
        kinds[byte] = kind;
    }
    for (int byte = 0; byte < 256; ++byte)
        sounds.push_back({"_" + std::to_string(byte), kinds.count(byte) ? kinds[byte] : "missing"});
    return sounds;
}

TEST(LettersData, EverySoundIsThereInTheExactFormat) {
    std::string letters = hostPath("VOLTANOR_DATA_DIR", "") + "\\kelmar\\som\\letras\\";
    ASSERT_NE(letters, "\\kelmar\\som\\letras\\") << "VOLTANOR_DATA_DIR is not set";
    std::vector<Sound> sounds = expectedSounds();
    ASSERT_EQ(sounds.size(), 47u + 256u);
    for (const Sound& sound : sounds) {
        SCOPED_TRACE(sound.name);
        EXPECT_NE(sound.kind, "missing");
        bool found = false;
        std::vector<unsigned char> file = readAll(letters + sound.name + ".wav", found);
        ASSERT_TRUE(found);
        ASSERT_GT(file.size(), 44u + 100u);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
        EXPECT_EQ(le32(file, 4), file.size() - 8);
        EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(le32(file, 16), 16u);
        EXPECT_EQ(le16(file, 20), 1u);      // PCM
        EXPECT_EQ(le16(file, 22), 1u);      // mono
        EXPECT_EQ(le32(file, 24), 11025u);  // samples per second
        EXPECT_EQ(le32(file, 28), 11025u);  // bytes per second
        EXPECT_EQ(le16(file, 32), 1u);
        EXPECT_EQ(le16(file, 34), 8u);
        EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
        EXPECT_EQ(le32(file, 40), file.size() - 44);

        int lowest = 255, highest = 0;
        for (std::size_t i = 44; i < file.size(); ++i) {
            lowest = std::min<int>(lowest, file[i]);
            highest = std::max<int>(highest, file[i]);
        }
        int peak = std::max(highest - 128, 128 - lowest);
        double seconds = (file.size() - 44) / 11025.0;
        if (sound.kind == "say") {
            EXPECT_GE(peak, 64);  // clearly audible
            EXPECT_GT(lowest, 0);  // not clipped
            EXPECT_LT(highest, 255);
            EXPECT_LT(seconds, 2.5);
        } else if (sound.kind == "mark") {
            EXPECT_GE(peak, 8);  // quiet but there
            EXPECT_LE(peak, 40);
            EXPECT_LT(seconds, 0.15);
        } else {
            EXPECT_EQ(peak, 0);  // silence
            EXPECT_LT(seconds, 0.1);
        }
    }
}

TEST(LettersData, NumberWordsAreTrimmedAndFitTheJoinBuffer) {
    std::string letters = hostPath("VOLTANOR_DATA_DIR", "") + "\\kelmar\\som\\letras\\";
    for (const char* word : {"_novecen", "_e", "_noventa", "_nove", "_um", "_mil", "_milhoes", "_quatroc"}) {
        SCOPED_TRACE(word);
        bool found = false;
        std::vector<unsigned char> file = readAll(letters + word + ".wav", found);
        ASSERT_TRUE(found);
        ASSERT_GT(file.size(), 44u + 220u);
        EXPECT_LT(file.size() - 44, 15000u);
        // Sound begins and ends within 20 ms of the file's ends.
        auto loud = [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i)
                if (std::abs(file[i] - 128) > 2) return true;
            return false;
        };
        EXPECT_TRUE(loud(44, 44 + 220));
        EXPECT_TRUE(loud(file.size() - 220, file.size()));
    }
}

// The letters of a number said digit by digit are distinct recordings.
TEST(LettersData, DistinctSoundsForDistinctCharacters) {
    std::string letters = hostPath("VOLTANOR_DATA_DIR", "") + "\\kelmar\\som\\letras\\";
    std::map<std::vector<unsigned char>, std::string> seen;
    for (int byte : {33, 40, 41, 44, 45, 46, 47, 48, 49, 50, 57, 58, 59, 64, 65, 66, 87, 90}) {
        bool found = false;
        std::vector<unsigned char> file = readAll(letters + "_" + std::to_string(byte) + ".wav", found);
        ASSERT_TRUE(found) << byte;
        std::vector<unsigned char> samples(file.begin() + 44, file.end());
        EXPECT_TRUE(seen.emplace(samples, std::to_string(byte)).second) << byte << " sounds like " << seen[samples];
    }
}

}  // namespace
