// The engine's exchange with MBROLA: each line is written, then every sample
// MBROLA has ready is read at once, so that the first half second can be
// played while later lines are still being synthesized.  The playback buffer
// and the read block are static: nothing is allocated per piece.
#include "tts/tavin_engine.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio/audible_samples.h"
#include "audio/wave_output.h"
#include "platform/platform.h"
#include "tts/mbrola_binding.h"
#include "tts/tavin_settings.h"

namespace {

constexpr int defaultSampleRate = 16000;
constexpr std::uint32_t pieceBytes = 16000;      // handed on once this much is collected
constexpr std::uint32_t playbackRoom = 32000;    // one whole read always fits
constexpr int readBlockSamples = 16000;
constexpr std::uint32_t shortestPiece = 256;
// MBROLA's parser reads a line into 1024 bytes and its first word into 255
// without checking either: a longer line (the comment that echoes a very long
// word) would overrun its stack, so lines are cut to this length.
constexpr std::size_t longestMbrolaLine = 250;

TavinStages stages{};
double pitchFactor = 1.0;
double durationFactor = 1.0;
std::string outputFileName;
std::FILE* outputFile = nullptr;
bool fileMode = false;
bool mbrolaStarted = false;  // loaded and initialised
int sampleRate = defaultSampleRate;
std::string lastError;
bool heardSample = false;  // the current speech has given a sample that can be heard

unsigned char playback[waveHeaderSize + playbackRoom];
std::int16_t readBlock[readBlockSamples];
std::uint32_t playbackPosition = 0;
// write_MBR takes a writable line: one MBROLA line with CR LF and its zero.
std::vector<char> lineBuffer;

// The engine's .wav header: PCM, mono, 16 bits, block align 2.
void makeSpeechHeader(unsigned char* buffer, std::uint32_t dataSize) {
    makeWaveHeader(buffer, dataSize, static_cast<std::uint32_t>(sampleRate), 1, 16);
    buffer[32] = 2;
    buffer[33] = 0;
}

// Completes the header with the size of everything after it and closes the file.
void finishOutputFile() {
    if (outputFile == nullptr) return;
    std::fclose(outputFile);
    outputFile = nullptr;
    std::FILE* file = platform::openFile(outputFileName, "r+b");
    if (file == nullptr) return;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long size = std::ftell(file);
        if (size >= static_cast<long>(waveHeaderSize)) {
            unsigned char header[waveHeaderSize];
            makeSpeechHeader(header, static_cast<std::uint32_t>(size) - waveHeaderSize);
            if (std::fseek(file, 0, SEEK_SET) == 0) std::fwrite(header, 1, sizeof header, file);
        }
    }
    std::fclose(file);
}

void freeData() {
    if (stages.freeData) stages.freeData();
}

// MBROLA keeps its last error code until another replaces it (reset_MBR does
// not clear it), and with missing diphones replaced by silence it still
// records each one as the code -63.  So an error is a code that is not such a
// warning and that a call has just set; it is cleared with reset_MBR so that
// the following lines still speak.
constexpr int unknownDiphoneReplaced = -63;
constexpr int firstWarningCode = -80;  // -80 and below only warn
int errorBefore = 0;

bool isMbrolaError(int code) { return code != 0 && code != unknownDiphoneReplaced && code > firstWarningCode; }

bool clearedMbrolaError(bool newOnly) {
    const int code = mbrola.lastError_MBR();
    const bool fresh = code != errorBefore;
    errorBefore = code;
    if (!isMbrolaError(code) || (newOnly && !fresh)) return false;
    mbrola.reset_MBR();
    return true;
}

void handOnPlayback() {
    makeSpeechHeader(playback, playbackPosition);
    playWaveBuffer(playback);
    playbackPosition = 0;
}

// Reads every sample MBROLA has ready and plays or writes it; the number of
// samples read.  fine becomes false on an MBROLA error or a failed file write.
std::uint32_t drainSamples(bool& fine) {
    std::uint32_t total = 0;
    for (;;) {
        int samples = mbrola.read_MBR(readBlock, readBlockSamples);
        if (samples < 0 && clearedMbrolaError(false)) fine = false;
        if (samples <= 0) return total;
        if (samples > readBlockSamples) samples = readBlockSamples;
        total += static_cast<std::uint32_t>(samples);
        const auto bytes = static_cast<std::uint32_t>(samples) * 2u;
        if (!heardSample) heardSample = samplesAudible(reinterpret_cast<unsigned char*>(readBlock), bytes, 16);
        if (fileMode) {
            if (std::fwrite(readBlock, 1, bytes, outputFile) != bytes) fine = false;
            continue;
        }
        if (playbackPosition > 0 && playbackPosition + bytes >= pieceBytes) handOnPlayback();
        std::memcpy(playback + waveHeaderSize + playbackPosition, readBlock, bytes);
        playbackPosition += bytes;
    }
}

// Writes a line (null: the flush) to MBROLA.  Its input takes nothing while
// it is full: the samples are read to make room and the line offered again.
// An input that stays full with nothing to read cannot take the line at all.
bool feed(char* line, bool& fine) {
    for (;;) {
        int taken = line != nullptr ? mbrola.write_MBR(line) : mbrola.flush_MBR();
        if (taken != 0) return taken > 0;
        if (drainSamples(fine) == 0) return false;
    }
}

bool isBlankOrControl(unsigned char c) { return c <= ' ' || c == 0x7F; }

}  // namespace

void tavinUseStages(const TavinStages& wired) { stages = wired; }
void tavinSetOutputFile(const std::string& name) { outputFileName = name; }
void tavinSetFactors(double pitch, double duration) {
    pitchFactor = pitch;
    durationFactor = duration;
}
double tavinPitchFactor() { return pitchFactor; }
double tavinDurationFactor() { return durationFactor; }
const std::string& tavinLastError() { return lastError; }
int tavinSampleRate() { return sampleRate; }

bool tavinStart(const std::string& databaseName, const std::string& rulesFile,
                const std::string& exceptionsFile, const std::string& abbreviationsFile,
                const std::string& prosodyFile, const std::string& diphoneListFile) {
    finishOutputFile();  // a file of an earlier start stays a valid .wav
    lastError.clear();
    fileMode = false;
    mbrolaStarted = false;
    if (!loadMbrola()) return false;
    auto orDefault = [](const std::string& value, const char* fallback) {
        return value.empty() ? std::string(fallback) : value;
    };
    const std::string name = orDefault(databaseName, "br4");

    std::string databasePath;
    if (readRegistryString(platform::RegistryRoot::localMachine,
                           mbrolaDatabasesKey + name + "\\", databasePath)) {
        if (databasePath.empty()) databasePath = "c:\\kelmar\\tavintts\\br4";
    } else {
        databasePath = name;
    }
    std::vector<char> path(databasePath.begin(), databasePath.end());
    path.push_back('\0');
    if (mbrola.init_MBR(path.data()) < 0) {
        unloadMbrola();
        return false;
    }
    mbrola.setNoError_MBR(1);
    mbrolaStarted = true;
    // A database of another rate is played at its own rate.
    int rate = mbrola.getFreq_MBR();
    sampleRate = rate > 0 ? rate : defaultSampleRate;

    freeData();
    const char* failure = nullptr;
    if (!stages.loadPronunciation(orDefault(rulesFile, "portug.nrl"), orDefault(exceptionsFile, "portug.exc")))
        failure = "Erro na base de dados de português";
    else if (!stages.loadAbbreviations(orDefault(abbreviationsFile, "portug.abr")))
        failure = "Erro no arquivo de abreviaturas";
    else if (!stages.loadProsody(orDefault(prosodyFile, "portug.pro")) ||
             !stages.loadDiphoneList(orDefault(diphoneListFile, "portug.dfn")))
        failure = "Erro no arquivo de prosódia";
    if (failure != nullptr) {
        lastError = failure;
        return false;
    }

    if (outputFileName.empty()) return true;
    outputFile = platform::openFile(outputFileName, "wb");
    if (outputFile == nullptr) return false;
    unsigned char header[waveHeaderSize];
    makeSpeechHeader(header, 0);
    if (std::fwrite(header, 1, sizeof header, outputFile) != sizeof header || std::fflush(outputFile) != 0) {
        lastError = "Arquivo de saída não pode ser criado";
        std::fclose(outputFile);
        outputFile = nullptr;
        return false;
    }
    fileMode = true;
    return true;
}

namespace {

using LineSource = std::vector<std::string> (*)(const std::string& text, std::size_t& position,
                                                double durationFactor, double pitchFactor);

// Has MBROLA synthesize the lines source gives for the text, as one
// utterance; false when MBROLA reported an error or the file was not written.
bool synthesize(const std::string& text, LineSource source) {
    mbrola.reset_MBR();
    errorBefore = mbrola.lastError_MBR();
    bool result = true;
    heardSample = false;
    playbackPosition = 0;
    // The text goes to MBROLA a piece at a time, as one utterance: only the
    // lines of one piece are held, however long the text.
    for (std::size_t position = 0; position < text.size();) {
        const std::size_t pieceStart = position;
        const std::vector<std::string> lines = source(text, position, durationFactor, pitchFactor);
        if (position <= pieceStart || position > text.size()) position = text.size();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const bool last = position == text.size() && i + 1 == lines.size();
            if (lines[i].empty() && !last) continue;
            lineBuffer.assign(lines[i].begin(), lines[i].begin() + std::min(lines[i].size(), longestMbrolaLine));
            lineBuffer.insert(lineBuffer.end(), {'\r', '\n', '\0'});
            if (!feed(lineBuffer.data(), result)) result = false;
            if (clearedMbrolaError(true)) result = false;
            if (last && !feed(nullptr, result)) result = false;
            drainSamples(result);
        }
    }
    return result;
}

}  // namespace

bool tavinSpeak(const std::string& text) {
    bool blank = true;
    for (unsigned char c : text)
        if (!isBlankOrControl(c)) {
            blank = false;
            break;
        }
    if (blank) return true;
    if (!mbrolaStarted) return false;

    const bool quick = quickPlayback();
    const bool trim = trimSpeech();
    setQuickPlayback(false);
    setTrimSpeech(false);

    const bool result = synthesize(text, stages.mbrolaLines);
    if (!fileMode && playbackPosition > 0) {
        if (playbackPosition < shortestPiece) {
            std::memset(playback + waveHeaderSize + playbackPosition, 0, shortestPiece - playbackPosition);
            playbackPosition = shortestPiece;
        }
        handOnPlayback();
    }

    setQuickPlayback(quick);
    setTrimSpeech(trim);
    return result;
}

bool tavinLastSpeechAudible() { return heardSample; }

void tavinStop() {
    if (!fileMode) stopPlayback();
}

bool tavinIsBusy() { return fileMode ? false : isPlaying(); }

void tavinClose() {
    finishOutputFile();
    fileMode = false;
    freeData();
    if (mbrolaStarted) mbrola.close_MBR();
    mbrolaStarted = false;
    unloadMbrola();
}
