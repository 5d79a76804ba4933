// Builds the default voice's diphone databases: every unit is cut from a
// carrier word spoken by espeak-ng (voice pt-br) at the phoneme boundaries the
// synthesizer reports, brought to 11025 Hz, levelled over the whole database
// and stored as 8-bit unsigned samples with a sorted 15-byte-record index.
//
//   make_diphones OUTPUT_DIRECTORY NAME:RATE[:CUT[:MIN]] [NAME:RATE[:CUT[:MIN]] ...]
//
// writes NAME.IND and NAME.DIF for each espeak-ng speaking rate (words per
// minute).  CUT and MIN are the cut and minimum lengths the database is used
// with: each unit then ends so that its shortened form also stops at a zero
// crossing, not with a click.
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "diphone/diphone_index.h"
#include "make_diphones_signal.h"
#include "make_diphones_units.h"

namespace {

struct Spoken {
    std::vector<float> samples;        // 22050 Hz
    std::vector<std::string> phonemes;  // names of the phoneme events, pauses left out
    std::vector<int> starts;           // sample where each begins
};

Spoken* current = nullptr;

int collect(short* wav, int count, espeak_EVENT* events) {
    if (wav)
        for (int i = 0; i < count; ++i) current->samples.push_back(wav[i] / 32768.0f);
    for (espeak_EVENT* e = events; e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        if (e->type != espeakEVENT_PHONEME) continue;
        std::string name(e->id.string, strnlen(e->id.string, sizeof e->id.string));
        if (name.empty() || name[0] == '_') continue;
        current->phonemes.push_back(name);
        current->starts.push_back(e->sample);
    }
    return 0;
}

Spoken speak(const std::string& phonemes) {
    Spoken spoken;
    current = &spoken;
    std::string text = "[[" + phonemes + "]]";
    espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8 | espeakPHONEMES, nullptr,
                 nullptr);
    espeak_Synchronize();
    current = nullptr;
    return spoken;
}

const std::size_t frame = 55;  // 5 ms at 11025 Hz

struct Cut {
    std::string name;
    std::vector<float> samples;  // 11025 Hz
    bool voiced = false;         // holds a vowel or glide
};

// The unit's stretch of its carrier, or false when the phoneme events do not
// frame it as expected.
bool cutUnit(const diphones::UnitSpec& unit, std::size_t cutLength, std::size_t minimumLength, Cut& cut) {
    Spoken spoken = speak(unit.prefix + unit.target + unit.suffix);
    int events = static_cast<int>(spoken.phonemes.size());
    // Every carrier begins with "t" and ends in "a": anything else means the
    // phoneme events do not frame the unit as this program expects.
    if (events < unit.prefixPhonemes + unit.suffixPhonemes + 1 || spoken.phonemes.front() != "t" ||
        spoken.phonemes.back() != "a") {
        std::fprintf(stderr, "make_diphones: %s: unexpected phonemes in its carrier:", unit.name.c_str());
        for (const std::string& p : spoken.phonemes) std::fprintf(stderr, " %s", p.c_str());
        std::fprintf(stderr, "\n");
        return false;
    }
    std::size_t start = static_cast<std::size_t>(spoken.starts[unit.prefixPhonemes]) / 2;
    std::size_t end = static_cast<std::size_t>(spoken.starts[events - unit.suffixPhonemes]) / 2;
    std::vector<float> signal = diphones::halveRate(spoken.samples);
    const std::size_t reach = 33;  // 3 ms at 11025 Hz
    // A unit that ends in a vowel or glide stops while the vowel is still
    // full, so that it meets the next unit in voiced sound, not in a dip.
    if (unit.endsVoiced()) end = diphones::endBeforeFade(signal, start, end, frame, 330);
    // A stop keeps the silence of its closure in front of its burst.
    if (unit.startsWithStop())
        start = diphones::closureStart(signal, start, diphones::unitLoudness(signal, frame), frame, 660);
    // Wherever the synthesizer will stop the unit (its whole length, the
    // length less the cut, or the minimum length), the signal crosses zero,
    // so that the next unit does not start after a jump.
    start = diphones::nearestZeroCrossing(signal, start, reach);
    const bool shortened = unit.name.size() >= 3 && cutLength > 0;
    if (shortened && end > start + cutLength + minimumLength + reach) {
        end = diphones::nearestZeroCrossing(signal, end - cutLength, reach) + cutLength;
    } else {
        end = diphones::nearestZeroCrossing(signal, end, reach);
        // Played at the minimum length: the start moves (its fade-in covers
        // it) so that the minimum length ends at a crossing.
        if (shortened && minimumLength > 0 && end > start + minimumLength + reach)
            start = diphones::nearestZeroCrossing(signal, start + minimumLength, reach) - minimumLength;
    }
    if (end <= start || end > signal.size() || end - start > 60000) {
        std::fprintf(stderr, "make_diphones: %s: no usable stretch\n", unit.name.c_str());
        return false;
    }
    cut.name = unit.name;
    cut.voiced = unit.endsVoiced();
    cut.samples.assign(signal.begin() + static_cast<long>(start), signal.begin() + static_cast<long>(end));
    return true;
}

bool writeDatabase(const std::string& directory, const std::string& name, std::vector<Cut>& cuts) {
    std::sort(cuts.begin(), cuts.end(),
              [](const Cut& a, const Cut& b) { return compareUnitNames(a.name, b.name) < 0; });
    // Units with a vowel are brought to one loudness (within a factor of 1.3
    // either way), so that joins between them meet at one level.
    std::vector<float> loudness;
    for (const Cut& c : cuts)
        if (c.voiced) loudness.push_back(diphones::unitLoudness(c.samples, frame));
    if (!loudness.empty()) {
        std::nth_element(loudness.begin(), loudness.begin() + static_cast<long>(loudness.size() / 2), loudness.end());
        const float typical = loudness[loudness.size() / 2];
        for (Cut& c : cuts) {
            float own = c.voiced ? diphones::unitLoudness(c.samples, frame) : 0.0f;
            if (own <= 0) continue;
            float scale = std::clamp(typical / own, 1.0f / 1.3f, 1.3f);
            for (float& v : c.samples) v *= scale;
        }
    }
    std::vector<std::vector<float>> all;
    for (const Cut& c : cuts) all.push_back(c.samples);
    // The loudest 0.01 % of samples set the level, so that one peak does not.
    float level = diphones::magnitudePercentile(all, 0.9999);
    float gain = level > 0 ? 110.0f / level : 1.0f;
    std::string base = directory + "/" + name;
    std::ofstream index(base + ".IND", std::ios::binary), data(base + ".DIF", std::ios::binary);
    std::uint32_t offset = 0;
    for (const Cut& c : cuts) {
        std::vector<unsigned char> bytes = diphones::toUnsigned8(c.samples, gain, 16);
        std::vector<unsigned char> record =
            encodeDiphoneRecord(c.name, static_cast<std::uint16_t>(bytes.size()), offset);
        index.write(reinterpret_cast<const char*>(record.data()), static_cast<long>(record.size()));
        data.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
        offset += static_cast<std::uint32_t>(bytes.size());
    }
    return index.good() && data.good();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_diphones OUTPUT_DIRECTORY NAME:RATE[:CUT[:MIN]] ...\n");
        return 2;
    }
    if (espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_PHONEME_EVENTS) != 22050 ||
        espeak_SetVoiceByName("pt-br") != EE_OK) {
        std::fprintf(stderr, "make_diphones: espeak-ng with the pt-br voice is needed\n");
        return 1;
    }
    // Which espeak-ng cut the units, in the build's log: another version makes another voice.
    const char* dataPath = nullptr;
    const char* version = espeak_Info(&dataPath);
    std::printf("espeak-ng %s, data in %s\n", version, dataPath ? dataPath : "?");
    espeak_SetSynthCallback(collect);
    const std::vector<diphones::UnitSpec> units = diphones::unitInventory();
    for (int a = 2; a < argc; ++a) {
        std::string spec = argv[a];
        std::size_t colon = spec.find(':');
        std::size_t second = spec.find(':', colon == std::string::npos ? colon : colon + 1);
        if (colon == std::string::npos || colon == 0 || colon > 8) {
            std::fprintf(stderr, "make_diphones: bad database %s\n", spec.c_str());
            return 2;
        }
        std::string name = spec.substr(0, colon);
        espeak_SetParameter(espeakRATE, std::atoi(spec.c_str() + colon + 1), 0);
        long cutLength = second == std::string::npos ? 0 : std::atol(spec.c_str() + second + 1);
        std::size_t third = second == std::string::npos ? second : spec.find(':', second + 1);
        long minimumLength = third == std::string::npos ? 0 : std::atol(spec.c_str() + third + 1);
        std::vector<Cut> cuts;
        for (const diphones::UnitSpec& unit : units) {
            Cut cut;
            if (!cutUnit(unit, static_cast<std::size_t>(std::max(0L, cutLength)),
                         static_cast<std::size_t>(std::max(0L, minimumLength)), cut))
                return 1;
            cuts.push_back(std::move(cut));
        }
        if (!writeDatabase(argv[1], name, cuts)) {
            std::fprintf(stderr, "make_diphones: cannot write %s in %s\n", name.c_str(), argv[1]);
            return 1;
        }
        std::printf("%s: %zu units\n", name.c_str(), cuts.size());
    }
    espeak_Terminate();
    return 0;
}
