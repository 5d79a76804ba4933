#include "watch/announcements.h"

#include <algorithm>

#include "audio/wave_format.h"

namespace {

constexpr std::uint8_t noSystemBattery = 128;
constexpr std::uint8_t unknownFlag = 255;
constexpr std::uint8_t mainsOn = 1, mainsOff = 0;
constexpr std::uint8_t batterySaverOn = 1;  // SystemStatusFlag
constexpr int rearmPoints = 3;
constexpr int notChargingBelow = 95;

bool hasBattery(const PowerStatus& status) { return status.batteryFlag != noSystemBattery; }
bool knownPercent(const PowerStatus& status) { return status.batteryLifePercent <= 100; }
bool knownCharge(const PowerStatus& status) {
    return hasBattery(status) && knownPercent(status) && status.batteryFlag != unknownFlag;
}

std::string percentText(const PowerStatus& status) {
    if (!hasBattery(status) || !knownPercent(status)) return "";
    return " " + std::to_string(status.batteryLifePercent) + " por cento.";
}

std::string timeText(std::uint32_t seconds) {
    std::string words = timeToWords(seconds);
    if (words.back() == ' ') words.pop_back();  // "45 segundos " ends a sentence here
    return words;
}

std::string remainingTimeText(const PowerStatus& status) {
    if (!hasBattery(status) || status.batteryLifeTime == unknownLifeTime) return "";
    return " Tempo restante: " + timeText(status.batteryLifeTime) + ".";
}

const char* actionWords(CriticalAction action) {
    switch (action) {
    case CriticalAction::sleep: return "suspender";
    case CriticalAction::hibernate: return "hibernar";
    case CriticalAction::shutDown: return "desligar";
    default: return nullptr;
    }
}

Announcement lowWarning(int percent) { return {"Bateria baixa: " + std::to_string(percent) + " por cento.", 1}; }

Announcement criticalWarning(int percent, const WatchRules& rules) {
    std::string text = "Bateria crítica: " + std::to_string(percent) + " por cento.";
    const char* action = actionWords(rules.windowsAction);
    if (action && rules.windowsCritical >= 0 && percent > rules.windowsCritical)
        text += " Em " + std::to_string(rules.windowsCritical) + " por cento o Windows vai " + action + ".";
    return {text, 2};
}

// The lowest armed level the charge fell through, or 0.
int levelCrossed(const WatchState& state, const PowerStatus& current, const std::vector<int>& levels) {
    int crossed = 0;
    for (int level : levels)
        if (level < state.lowestWarned && state.previous.batteryLifePercent > level &&
            current.batteryLifePercent <= level)
            crossed = level;
    return crossed;
}

bool due(const std::optional<std::int64_t>& since, std::int64_t now, std::int64_t seconds) {
    return since && seconds > 0 && now - *since >= seconds;
}

// On battery: a level crossed, or else the reminders under the levels.
void levelWarnings(WatchState& state, const PowerStatus& current, std::int64_t now, const WatchRules& rules,
                   std::vector<Announcement>& said) {
    const int percent = current.batteryLifePercent, critical = rules.levels.back();
    if (int level = levelCrossed(state, current, rules.levels)) {
        state.lowestWarned = level;
        state.lowSince.reset();
        if (level == critical) {
            said.push_back(criticalWarning(percent, rules));
            state.criticalSince = now;
        } else {
            said.push_back(lowWarning(percent));
            state.lowSince = now;
            state.lowLevel = level;
        }
    } else if (percent <= critical) {
        if (!state.criticalSince) state.criticalSince = now;  // came here unwarned: unplugged, or started here
        if (due(state.criticalSince, now, rules.repeatSeconds)) {
            said.push_back(criticalWarning(percent, rules));
            state.criticalSince = now;
        }
    } else if (due(state.lowSince, now, rules.lowRepeatSeconds) && percent <= state.lowLevel) {
        said.push_back(lowWarning(percent));
        state.lowSince.reset();
    }
}

// A warned level is re-armed once the charge is rearmPoints above it.
void rearm(WatchState& state, const PowerStatus& current, const std::vector<int>& levels) {
    const int percent = current.batteryLifePercent;
    int lowest = 101;
    for (int level : levels)
        if (level >= state.lowestWarned && percent < level + rearmPoints) lowest = std::min(lowest, level);
    state.lowestWarned = lowest;
    if (!levels.empty() && percent >= levels.back() + rearmPoints) state.criticalSince.reset();
    if (percent >= state.lowLevel + rearmPoints) state.lowSince.reset();
}

bool chargerNotCharging(const PowerStatus& status) {
    return status.acLineStatus == mainsOn && knownCharge(status) && !isCharging(status) &&
           status.batteryLifePercent < notChargingBelow;
}

void chargerCheck(WatchState& state, const PowerStatus& current, std::int64_t now, const WatchRules& rules,
                  std::vector<Announcement>& said) {
    if (current.acLineStatus == mainsOff) state.notChargingSaid = false;
    if (!chargerNotCharging(current)) {
        state.notChargingSince.reset();
        return;
    }
    if (!state.notChargingSince) state.notChargingSince = now;
    if (!state.notChargingSaid && now - *state.notChargingSince >= rules.notChargingSeconds) {
        said.push_back({notChargingText, 0});
        state.notChargingSaid = true;
    }
}

}  // namespace

WatchRules watchRules(const VoltanorSettings& settings, const PowerPolicy& policy, std::int64_t secondsPerMinute) {
    WatchRules rules;
    rules.levels = settings.warningLevels;
    rules.timeUntilFull = settings.timeUntilFull;
    rules.repeatSeconds = settings.repeatMinutes * secondsPerMinute;
    rules.lowRepeatSeconds = 10 * secondsPerMinute;
    rules.notChargingSeconds = secondsPerMinute;
    if (!settings.windowsWarningLevels || !policy.known) return rules;
    const int critical = std::min(100, policy.critical + 2);
    rules.levels = {critical};
    for (int level : {policy.low, policy.reserve})
        if (level > critical && level <= 100) rules.levels.push_back(level);
    std::sort(rules.levels.begin(), rules.levels.end(), std::greater<>());
    rules.levels.erase(std::unique(rules.levels.begin(), rules.levels.end()), rules.levels.end());
    rules.windowsCritical = policy.critical;
    rules.windowsAction = policy.criticalAction;
    return rules;
}

WatchRules watchRulesFor(const VoltanorSettings& settings, std::int64_t secondsPerMinute) {
    return watchRules(settings, settings.windowsWarningLevels ? readPowerPolicy() : PowerPolicy{}, secondsPerMinute);
}

WatchState watchState(const PowerStatus& first, std::int64_t now) {
    WatchState state;
    state.previous = first;
    if (chargerNotCharging(first)) state.notChargingSince = now;
    return state;
}

bool wantsTimeUntilFull(const WatchState& state, const PowerStatus& current, const WatchRules& rules) {
    return rules.timeUntilFull && current.acLineStatus == mainsOn && state.previous.acLineStatus != mainsOn &&
           hasBattery(current) && isCharging(current);  // not charging: no time until full
}

std::vector<Announcement> announcementsDue(WatchState& state, const PowerStatus& current, std::int64_t now,
                                           const WatchRules& rules, std::uint32_t secondsUntilFull) {
    const PowerStatus& previous = state.previous;
    std::vector<Announcement> said;
    if (hasBattery(previous) && !hasBattery(current)) said.push_back({"Bateria removida.", 0});
    if (!hasBattery(previous) && hasBattery(current))
        said.push_back({"Bateria inserida." + percentText(current), 0});

    if (previous.acLineStatus != current.acLineStatus) {
        if (current.acLineStatus == mainsOn) {
            std::string full;
            if (wantsTimeUntilFull(state, current, rules) && secondsUntilFull != unknownLifeTime)
                full = " Carga completa em " + timeText(secondsUntilFull) + ".";
            said.push_back({"Energia externa ligada." + percentText(current) + full, 0});
            state.criticalSince.reset();
            state.lowSince.reset();
        }
        if (current.acLineStatus == mainsOff)
            said.push_back({"Energia externa desligada." + percentText(current) + remainingTimeText(current), 0});
    }
    if ((previous.systemStatusFlag ^ current.systemStatusFlag) & batterySaverOn)
        said.push_back({current.systemStatusFlag & batterySaverOn ? "Economia de bateria ligada."
                                                                  : "Economia de bateria desligada.", 0});

    if (knownCharge(previous) && knownCharge(current) && !rules.levels.empty()) {
        if (current.acLineStatus != mainsOn)
            levelWarnings(state, current, now, rules, said);
        else if (current.batteryLifePercent == 100 && previous.batteryLifePercent < 100)
            said.push_back({"Bateria carregada.", 0});
        rearm(state, current, rules.levels);
    }
    chargerCheck(state, current, now, rules, said);
    state.previous = current;
    return said;
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
