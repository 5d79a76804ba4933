// Portuguese number words and the player that joins their recorded files
// into one sound.  Non-ASCII letters are written as code page 1252 escapes.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "audio/wave_output.h"
#include "console/console.h"
#include "diphone/diphone.h"
#include "platform/platform.h"
#include "speech/speech.h"

namespace {

const char* const unitWords[10] = {"", "um", "dois", "tres", "quatro", "cinco", "seis", "sete", "oito", "nove"};
const char* const teenWords[10] = {"dez", "onze", "doze", "treze", "quatorze",
                                   "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
const char* const tenWords[10] = {"", "", "vinte", "trinta", "quarenta", "cinquenta",
                                  "sessenta", "setenta", "oitenta", "noventa"};
const char* const hundredWords[10] = {"", "cento", "duzentos", "trezentos", "quatrocentos", "quinhentos",
                                      "seiscentos", "setecentos", "oitocentos", "novecentos"};

// Scale words of the groups from the highest (10^12) down; each ends in a space.
const char* const scaleSingular[4] = {"trilh\xE3o ", "bilh\xE3o ", "milh\xE3o ", "mil "};
const char* const scalePlural[4] = {"trilh\xF5" "es ", "bilh\xF5" "es ", "milh\xF5" "es ", "mil "};

constexpr int groupCount = 5;
constexpr int digitCount = groupCount * 3;
constexpr std::size_t joinCapacity = 30000;  // sample bytes of the join buffer
constexpr long wordFileHeader = 44;

std::string wordFileName(std::string word) {
    for (char& c : word) {
        if (c == '\xE3') c = 'a';
        if (c == '\xF5') c = 'o';
    }
    if (word == "dezessete") word = "dezeset";  // '_dezesse' is dezesseis
    std::string base = ("_" + word).substr(0, 8);
    return diphoneLettersDirectory() + base + ".wav";
}

// The samples of a number-word file: every byte after the first 44.
std::vector<unsigned char> readWordSamples(const std::string& path, bool& found) {
    std::vector<unsigned char> samples;
    std::FILE* file = platform::openForReading(path);
    found = file != nullptr;
    if (!file) return samples;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long size = std::ftell(file);
        if (size > wordFileHeader && std::fseek(file, wordFileHeader, SEEK_SET) == 0) {
            samples.resize(static_cast<std::size_t>(size - wordFileHeader));
            samples.resize(std::fread(samples.data(), 1, samples.size(), file));
        }
    }
    std::fclose(file);
    return samples;
}

class JoinBuffer {
public:
    JoinBuffer() : bytes_(waveHeaderSize + joinCapacity, 128) {}

    void append(const std::vector<unsigned char>& samples) {
        if (filled_ + samples.size() > joinCapacity) flush();
        // A word longer than the whole buffer is played on its own, in
        // buffer-sized pieces, rather than written past the end.
        std::size_t done = 0;
        while (samples.size() - done > joinCapacity) {
            copy(samples.data() + done, joinCapacity);
            flush();
            done += joinCapacity;
        }
        copy(samples.data() + done, samples.size() - done);
    }

    void flush() {
        if (filled_ == 0) return;
        makeWaveHeader(bytes_.data(), static_cast<std::uint32_t>(filled_), 11025, 1, 8);
        playBufferAndWait(bytes_.data());
        while (isSpeaking()) waitForMessage();
        filled_ = 0;
    }

private:
    void copy(const unsigned char* samples, std::size_t count) {
        std::copy(samples, samples + count, bytes_.begin() + waveHeaderSize + static_cast<long>(filled_));
        filled_ += count;
    }

    std::vector<unsigned char> bytes_;
    std::size_t filled_ = 0;
};

}  // namespace

std::string tripleWords(char hundreds, char tens, char units) {
    if (hundreds == '0' && tens == '0' && units == '0') return "";
    if (hundreds == '1' && tens == '0' && units == '0') return "cem";
    std::string words;
    if (hundreds != '0') {
        words = hundredWords[hundreds - '0'];
        if (tens == '0' && units == '0') return words;
        words += " e ";
    }
    if (tens == '1') return words + teenWords[units - '0'];
    if (tens != '0') {
        words += tenWords[tens - '0'];
        if (units == '0') return words;
        words += " e ";
    }
    if (units != '0') words += unitWords[units - '0'];
    return words;
}

std::string numberToWords(unsigned long long n) {
    if (n == 0) return "zero";
    std::string digits = std::to_string(n);
    // Only the lowest 15 digits (up to the trillions) have words.
    if (digits.size() > digitCount) digits.erase(0, digits.size() - digitCount);
    digits.insert(0, digitCount - digits.size(), '0');

    std::string groupWords[groupCount];
    int last = -1;
    for (int g = 0; g < groupCount; ++g) {
        const char* d = digits.c_str() + 3 * g;
        groupWords[g] = tripleWords(d[0], d[1], d[2]);
        bool zeroGroup = d[0] == '0' && d[1] == '0' && d[2] == '0';
        if (g < groupCount - 1 && !zeroGroup) {
            bool single = d[0] == '0' && d[1] == '0' && d[2] == '1';
            groupWords[g] += std::string(" ") + (single ? scaleSingular[g] : scalePlural[g]);
        }
        if (!groupWords[g].empty()) last = g;
    }

    std::string result;
    bool earlierWords = false;
    for (int g = 0; g <= last; ++g) {
        if (groupWords[g].empty()) continue;
        if (g == last && earlierWords) result += "e ";
        result += groupWords[g];
        earlierWords = true;
    }
    // "um mil" is said "mil"; "um milhão" keeps its "um".
    if (result.rfind("um mil", 0) == 0 && result.rfind("um milh", 0) != 0) result.erase(0, 3);
    return result;
}

void playNumberWords(const std::string& words) {
    JoinBuffer buffer;
    const std::string text = words + " *";  // the asterisk marks the end
    std::size_t position = 0;
    while (position + 1 < text.size()) {
        if (text[position] == ' ') {
            ++position;
            continue;
        }
        std::size_t end = text.find(' ', position);
        std::string word = text.substr(position, end - position);
        position = end;
        bool found = false;
        std::vector<unsigned char> samples = readWordSamples(wordFileName(word), found);
        if (found) buffer.append(samples);
    }
    buffer.flush();
}
