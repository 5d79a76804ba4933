// The MBROLA line writer: pronunciation lines in, one line per phoneme out,
// with its duration in milliseconds and at most one pitch target, and a filler
// phoneme before each pair of phonemes the voice cannot join.
#include <cmath>

#include "tts/prosody.h"
#include "tts/text_fields.h"

namespace tts {

namespace {

// The phoneme of the last emitted line carries over from one speech to the
// next, so the first pair of a speech joins it to the silence before.
std::string currentPhoneme;
std::uint64_t fillers = 0;

const char stressMark = '>';
const char unstressMark = '\xA8';

using WriterState = MbrolaLineState;

// value x factor truncated toward zero, then divided by 100, never below 0
// (a factor of nonsense gives silence rather than a line MBROLA rejects).
std::int64_t scaled(std::int64_t value, double factor) {
    const double product = std::trunc(static_cast<double>(value) * factor);
    if (!(product > 0)) return 0;
    if (product > 1e15) return static_cast<std::int64_t>(1e13);
    return static_cast<std::int64_t>(product) / 100;
}

std::int32_t pitchEntry(const std::string& pattern, std::size_t digit) {
    const char c = pattern[digit];
    return (c >= '0' && c <= '9') ? prosodyTables().pitchTable[c - '0'] : 0;
}

// "position pitch" for the word's first phoneme, its stressed phoneme and its
// last phoneme after the stress; empty otherwise.
std::string pitchTarget(WriterState& state, bool wordEnds, double pitchFactor) {
    std::int32_t value = 0;
    int position = 50;
    if (state.pitchState == 0) {
        value = pitchEntry(state.pattern, 0);
        state.pitchState = 1;
    } else if (state.pitchState == 2) {
        value = pitchEntry(state.pattern, 1);
        position = 80;
        state.pitchState = 3;
    } else if (state.pitchState == 3 && wordEnds) {
        value = pitchEntry(state.pattern, 2);
    }
    if (value == 0) return "";
    const std::int64_t pitch =
        scaled(static_cast<std::int64_t>(std::trunc(value * pitchFactor * prosodyTables().basePitch)), 1.0);
    if (pitch <= 0) return "";
    return std::to_string(position) + " " + std::to_string(pitch);
}

void checkDiphone(WriterState& state, const std::string& line, std::vector<std::string>& result) {
    if (currentPhoneme.empty()) return;
    const std::string& previous = state.previousPhoneme;
    if (!hasDiphone(previous + "-" + currentPhoneme)) {
        ++fillers;
        if (previous == "r2" && hasDiphone("r2-_")) result.push_back("_ 50");
        else if (hasDiphone(previous + "-y")) result.push_back("y 50");
        else result.push_back("_ 50");
    }
    if (!line.empty()) state.previousPhoneme = currentPhoneme;
}

void emit(WriterState& state, std::string line, std::vector<std::string>& result) {
    checkDiphone(state, line, result);
    result.push_back(std::move(line));
}

}  // namespace

std::vector<std::string> mbrolaLines(const std::vector<std::string>& lines, double durationFactor,
                                     double pitchFactor) {
    MbrolaLineState state;
    return mbrolaLines(lines, durationFactor, pitchFactor, state);
}

std::vector<std::string> mbrolaLines(const std::vector<std::string>& lines, double durationFactor,
                                     double pitchFactor, MbrolaLineState& state) {
    std::vector<std::string> result;
    result.reserve(lines.size() + lines.size() / 8);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        const bool wordEnds = i + 1 == lines.size() || lines[i + 1].empty();
        if (line.empty()) {
            state.durationPercent = 100;
            currentPhoneme.clear();
            emit(state, line, result);
            continue;
        }
        if (line[0] == ';' && line.size() >= 5 && line[4] == '|') {
            state.pattern = line.substr(1, 3);
            line.erase(1, 4);
            state.wordLength = line.size();
            state.pitchState = 0;
            emit(state, line, result);
            continue;
        }
        if (line[0] == stressMark) {
            state.durationPercent = 145;
            line.erase(0, 1);
            if (!line.empty() && line[0] == unstressMark) line.erase(0, 1);
            state.pitchState = 2;
        } else if (line[0] == unstressMark) {
            line.erase(0, 1);
            state.durationPercent = 100;
        }
        // A stress mark alone on its line marks the phoneme that follows; a
        // nameless phoneme would make MBROLA reject the line.
        if (line.empty()) continue;
        std::int64_t ms;
        std::string name;
        if (!line.empty() && line[0] == '_') {
            name = "_";
            if (line.size() == 1) {
                ms = 100;
            } else if (line[1] == ' ') {
                // A pause whose length is not a number lasts as long as a bare "_".
                const std::optional<std::int32_t> given = parseDecimal(line.substr(2));
                ms = given && *given >= 0 ? *given : 100;
            } else {
                ms = phonemeDuration(line);
            }
        } else {
            name = line;
            ms = phonemeDuration(line);
            if (state.pitchState < 2) {
                if (state.wordLength > 13) ms = ms * 80 / 100;
                else if (state.wordLength > 9) ms = ms * 90 / 100;
            }
        }
        currentPhoneme = name;
        std::string out = name + " " + std::to_string(scaled(ms * state.durationPercent, durationFactor));
        const std::string target = pitchTarget(state, wordEnds, pitchFactor);
        if (!target.empty()) out += " " + target;
        emit(state, std::move(out), result);
    }
    return result;
}

std::uint64_t fillerCount() { return fillers; }

}  // namespace tts
