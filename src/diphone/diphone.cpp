// The diphone synthesizer: joins units of the diphone database and recorded
// units of the letters directory into one sample buffer and hands it to the
// player its caller gave.
#include "diphone/diphone.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "diphone/diphone_index.h"
#include "diphone/diphone_observer.h"
#include "diphone/phoneme_walker.h"
#include "diphone/unit_join.h"
#include "translator/translator.h"
#include "audio/wave_format.h"
#include "platform/directory_path.h"
#include "platform/platform.h"

namespace {

constexpr std::uint32_t bufferSize = 64000;
constexpr std::uint32_t bufferRoom = bufferSize - waveHeaderSize;  // 63,956 samples
constexpr std::uint32_t sampleRate = 11025;
constexpr std::uint32_t noiseLength = 300;
constexpr int longestTokenPause = 10 * sampleRate;  // 10 s; a longer setting is a mistake

DiphoneTuning tuning;
std::string lettersDir;
std::string diphoneDir;
WaveBufferPlayer player = nullptr;

std::vector<unsigned char> index;
std::FILE* dataFile = nullptr;
unsigned char* sampleBuffer = nullptr;
std::uint32_t writePosition = waveHeaderSize;
std::uint32_t noiseState = 1;
DiphoneObserver observer;
// The buffer ends with a database unit, whose tail the next unit may blend into.
bool endsWithDiphone = false;

void notify(const DiphoneEvent& event) {
    if (observer) observer(event);
}

// The noise burst's source: a fixed-seed linear congruential generator, so
// that every run sounds (and tests) the same.
int nextNoise() {
    noiseState = noiseState * 1103515245u + 12345u;
    return static_cast<int>((noiseState >> 16) % 80);
}

void flushBuffer() {
    if (writePosition == waveHeaderSize) return;
    std::uint32_t dataSize = writePosition - waveHeaderSize;
    makeWaveHeader(sampleBuffer, dataSize, sampleRate, 1, 8);
    DiphoneEvent event;
    event.kind = DiphoneEvent::Flush;
    event.samples = dataSize;
    notify(event);
    if (player) player(sampleBuffer);
    writePosition = waveHeaderSize;
    endsWithDiphone = false;
}

// Makes room for n more samples: a full buffer is played first.
void ensureRoom(std::uint32_t n) {
    if (writePosition + n >= bufferSize) flushBuffer();
}

void appendBytes(const unsigned char* bytes, std::uint32_t n) {
    ensureRoom(n);
    std::copy_n(bytes, n, sampleBuffer + writePosition);
    writePosition += n;
    endsWithDiphone = false;
}

class BufferSink : public UnitSink {
public:
    bool appendDiphone(const std::string& name, int stressState, double factor) override {
        DiphoneEvent event;
        event.kind = DiphoneEvent::Diphone;
        event.name = name;
        event.stressState = stressState;
        event.factor = factor;
        std::string key = upperUnitName(name);
        DiphoneRecord record;
        if (!findDiphone(index, key, record)) {
            notify(event);
            return false;
        }
        // 64 bits: a unit length less any int cut cannot overflow (long is
        // 32 bits on Windows).
        std::int64_t length = record.length;
        if (stressState < 2 && key.size() >= 3) {
            length -= tuning.cutLength;
            if (length < tuning.minimumLength) length = std::min<std::int64_t>(record.length, tuning.minimumLength);
        }
        // A negative cut never reaches into the next unit's samples.
        length = std::clamp<std::int64_t>(length, 0, record.length);
        // The factors are decimal fractions (0.9, 0.7, 0.6 and their products):
        // a tiny tolerance keeps 1000 x 0.6 at 600 on every floating-point unit.
        // The length is at most 65535 here, so the product fits.
        auto bytes = static_cast<std::int64_t>(static_cast<double>(length) * factor + 1e-9);
        // A unit never holds more than one buffer: the head of a longer one is kept.
        auto wanted = static_cast<std::uint32_t>(std::clamp<std::int64_t>(bytes, 0, bufferRoom));
        std::vector<unsigned char> samples(wanted);
        std::uint32_t got = 0;
        if (wanted > 0 && std::fseek(dataFile, static_cast<long>(record.offset), SEEK_SET) == 0)
            got = static_cast<std::uint32_t>(std::fread(samples.data(), 1, wanted, dataFile));
        std::uint32_t blended = 0;
        if (endsWithDiphone && writePosition - waveHeaderSize >= unit_join::tailLength)
            blended = static_cast<std::uint32_t>(unit_join::blendVoicedJoin(
                sampleBuffer + writePosition - unit_join::tailLength, samples.data(), got));
        appendBytes(samples.data() + blended, got - blended);
        endsWithDiphone = true;
        event.found = true;
        event.samples = got - blended;
        notify(event);
        return true;
    }

    bool appendRecording(const std::string& name) override {
        DiphoneEvent event;
        event.kind = DiphoneEvent::Recording;
        event.name = name;
        std::FILE* file = platform::openForReading(lettersDir + name + ".wav");
        if (file) {
            std::uint32_t size = findDataChunk(file);
            if (size > 0) {
                std::vector<unsigned char> samples(std::min(size, bufferRoom));
                auto got = static_cast<std::uint32_t>(std::fread(samples.data(), 1, samples.size(), file));
                appendBytes(samples.data(), got);
                event.found = true;
                event.samples = got;
            }
            std::fclose(file);
        }
        notify(event);
        return event.found;
    }

    void appendSilence(int samples) override {
        DiphoneEvent event;
        event.kind = DiphoneEvent::Silence;
        event.requested = samples;
        static const std::vector<unsigned char> block(100, 128);
        for (int i = 0; i < samples / 100; ++i) {
            appendBytes(block.data(), 100);
            event.samples += 100;
        }
        notify(event);
    }

    void appendNoise() override {
        unsigned char noise[noiseLength];
        for (unsigned char& sample : noise) sample = static_cast<unsigned char>(88 + nextNoise());
        appendBytes(noise, noiseLength);
        DiphoneEvent event;
        event.kind = DiphoneEvent::Noise;
        event.samples = noiseLength;
        notify(event);
    }

    void unitOmitted(const std::string& name) override {
        DiphoneEvent event;
        event.kind = DiphoneEvent::Omitted;
        event.name = name;
        notify(event);
    }

    void tokenTaken(const std::string& token) override {
        DiphoneEvent event;
        event.kind = DiphoneEvent::Token;
        event.name = token;
        notify(event);
    }
};

// Size of the open data file; a size the runtime cannot tell (beyond its
// long) leaves only the neighbours to bound the units.
std::uint64_t dataFileSize() {
    std::uint64_t size = UINT64_MAX;
    if (std::fseek(dataFile, 0, SEEK_END) == 0) {
        long end = std::ftell(dataFile);
        if (end >= 0) size = static_cast<std::uint64_t>(end);
    }
    std::rewind(dataFile);
    return size;
}

// Reads the whole index of the database; false when it cannot be read.
bool readIndex(const std::string& path) {
    std::FILE* indexFile = platform::openForReading(path);
    if (!indexFile) return false;
    index.clear();
    unsigned char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, indexFile)) > 0)
        index.insert(index.end(), chunk, chunk + got);
    // A read error is a database that cannot be used.
    bool read = !std::ferror(indexFile);
    std::fclose(indexFile);
    return read;
}

// Checks the two folders and opens the database.
int openDatabase(const DiphoneFolders& folders) {
    lettersDir = folders.letters;
    if (!platform::directoryExists(lettersDir)) return 1;
    lettersDir = withTrailingBackslash(lettersDir);
    diphoneDir = directoryRelativeTo(lettersDir, folders.diphones);
    if (folders.diphones.empty() || !platform::directoryExists(diphoneDir)) return 1;
    diphoneDir = withTrailingBackslash(diphoneDir);
    std::string base = diphoneDir + tuning.databaseName;
    if (!readIndex(base + ".IND")) return 1;
    dataFile = platform::openForReading(base + ".DIF");
    if (!dataFile) return 1;
    fitRecordLengths(index, dataFileSize());
    return 0;
}

}  // namespace

void diphoneModuleStart() {
    setDiphoneTuning(DiphoneTuning{});
    noiseState = 1;
}

int diphoneStart(const DiphoneFolders& folders, WaveBufferPlayer bufferPlayer) {
    if (dataFile) {  // a second start replaces the first
        std::fclose(dataFile);
        dataFile = nullptr;
    }
    player = bufferPlayer;
    int result = openDatabase(folders);
    if (result != 0) return result;
    if (!loadRules(diphoneDir + "regras.rgr")) return 2;
    if (!loadExceptions(diphoneDir + "portug.exc")) return 2;
    if (!sampleBuffer) sampleBuffer = new unsigned char[bufferSize];
    writePosition = waveHeaderSize;
    noiseState = 1;
    return 0;
}

void diphoneClose() {
    delete[] sampleBuffer;
    sampleBuffer = nullptr;
    freeRules();
    if (dataFile) std::fclose(dataFile);
    dataFile = nullptr;
    index.clear();
    index.shrink_to_fit();
}

void setDiphoneTuning(const DiphoneTuning& newTuning) {
    tuning = newTuning;
    tuning.databaseName = newTuning.databaseName.substr(0, 8);
    tuning.tokenPause = std::min(newTuning.tokenPause, longestTokenPause);
}

const std::string& diphoneDatabaseName() { return tuning.databaseName; }
const std::string& diphoneLettersDirectory() { return lettersDir; }

void setDiphoneObserver(DiphoneObserver newObserver) { observer = std::move(newObserver); }

void speakPhonemes(const std::string& phonemes, bool keepPunctuationUnits) {
    if (!sampleBuffer) return;  // not started
    writePosition = waveHeaderSize;
    endsWithDiphone = false;
    BufferSink sink;
    walkPhonemes(phonemes, keepPunctuationUnits, tuning.tokenPause, sink);
    flushBuffer();
}
