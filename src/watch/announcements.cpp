#include "watch/announcements.h"

#include "audio/wave_format.h"

namespace {

constexpr std::uint8_t noSystemBattery = 128;
constexpr std::uint8_t unknownFlag = 255;

bool hasBattery(const PowerStatus& status) { return status.batteryFlag != noSystemBattery; }
bool knownPercent(const PowerStatus& status) { return status.batteryLifePercent <= 100; }

std::string percentText(const PowerStatus& status) {
    if (!hasBattery(status) || !knownPercent(status)) return "";
    return " " + std::to_string(status.batteryLifePercent) + " por cento.";
}

std::string remainingTimeText(const PowerStatus& status) {
    if (!hasBattery(status) || status.batteryLifeTime == unknownLifeTime) return "";
    std::string words = timeToWords(status.batteryLifeTime);
    if (words.back() == ' ') words.pop_back();  // "45 segundos " ends a sentence here
    return " Tempo restante: " + words + ".";
}

// The lowest level the charge fell through, or 0.
int levelCrossed(const PowerStatus& previous, const PowerStatus& current, const std::vector<int>& levels) {
    int crossed = 0;
    for (int level : levels)
        if (previous.batteryLifePercent > level && current.batteryLifePercent <= level) crossed = level;
    return crossed;
}

}  // namespace

std::vector<Announcement> announcementsDue(const PowerStatus& previous, const PowerStatus& current,
                                           const std::vector<int>& levels) {
    std::vector<Announcement> due;
    if (hasBattery(previous) && !hasBattery(current)) due.push_back({"Bateria removida.", 0});
    if (!hasBattery(previous) && hasBattery(current))
        due.push_back({"Bateria inserida." + percentText(current), 0});

    if (previous.acLineStatus != current.acLineStatus) {
        if (current.acLineStatus == 1) due.push_back({"Energia externa ligada." + percentText(current), 0});
        if (current.acLineStatus == 0)
            due.push_back({"Energia externa desligada." + percentText(current) + remainingTimeText(current), 0});
    }

    bool bothKnown = hasBattery(previous) && hasBattery(current) && knownPercent(previous) && knownPercent(current) &&
                     previous.batteryFlag != unknownFlag && current.batteryFlag != unknownFlag;
    if (!bothKnown || levels.empty()) return due;
    std::string percent = std::to_string(current.batteryLifePercent) + " por cento.";
    if (current.acLineStatus != 1) {
        int level = levelCrossed(previous, current, levels);
        if (level == levels.back()) due.push_back({"Bateria crítica: " + percent, 2});
        else if (level > 0) due.push_back({"Bateria baixa: " + percent, 1});
    } else if (current.batteryLifePercent == 100 && previous.batteryLifePercent < 100) {
        due.push_back({"Bateria carregada.", 0});
    }
    return due;
}

std::vector<unsigned char> warningTone(int beeps) {
    constexpr std::uint32_t rate = 11025;
    constexpr int beepSamples = rate * 120 / 1000, gapSamples = rate * 80 / 1000;
    constexpr int halfPeriod = rate / 880 / 2;  // a square wave near 880 Hz
    std::vector<unsigned char> wave(waveHeaderSize);
    for (int beep = 0; beep < beeps; ++beep) {
        if (beep > 0) wave.insert(wave.end(), gapSamples, 128);
        for (int i = 0; i < beepSamples; ++i) wave.push_back((i / halfPeriod) % 2 ? 88 : 168);
    }
    makeWaveHeader(wave.data(), static_cast<std::uint32_t>(wave.size() - waveHeaderSize), rate, 1, 8);
    return wave;
}
