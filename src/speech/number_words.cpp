// The player that joins the recorded files of number words into one sound.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "diphone/diphone.h"
#include "audio/wave_format.h"
#include "platform/platform.h"
#include "speech/speech.h"

namespace {

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

// The samples of a number-word file: every byte after the first 44.  A file
// whose header is not a sound file's counts as missing.
std::vector<unsigned char> readWordSamples(const std::string& path, bool& found) {
    std::vector<unsigned char> samples;
    std::FILE* file = platform::openForReading(path);
    found = file != nullptr && findDataChunk(file) > 0;
    if (!found) {
        if (file) std::fclose(file);
        return samples;
    }
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
        playBufferQueued(bytes_.data());
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
