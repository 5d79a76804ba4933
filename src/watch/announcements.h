// What the battery watcher says: a pure function of what it remembers of the
// earlier polls, the power status read now and the time now, under the rules
// its settings and Windows' power policy give.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "battery/power_status.h"
#include "battery/report.h"
#include "settings/sections.h"
#include "watch/power_policy.h"

struct Announcement {
    std::string text;  // code page 1252
    int beeps = 0;     // short tones before the words: 1 low battery, 2 critical
};

// Times are in seconds of the watcher's clock.
struct WatchRules {
    std::vector<int> levels{20, 10, 5};  // percent, highest first; the last is the critical warning's
    // Where Windows acts on its critical level and what it does, told with the
    // critical warning (AVISOS=WINDOWS with a policy that could be read); -1: not told.
    int windowsCritical = -1;
    CriticalAction windowsAction = CriticalAction::none;
    bool timeUntilFull = false;             // the time until full when mains comes
    std::int64_t repeatSeconds = 120;       // the critical warning again; 0: never
    std::int64_t lowRepeatSeconds = 600;    // a low warning once more
    std::int64_t notChargingSeconds = 60;   // mains on and not charging, before it is said
};

// The rules from the settings and Windows' policy.  AVISOS=WINDOWS with a
// known policy warns at Windows' low and reserve levels and 2 points above its
// critical level, that warning being the critical one; levels at or below it
// are left out (Windows' levels out of order, or critical above low).  Without
// the policy, and with explicit levels, the settings' levels.  A minute of the
// settings' (REPETIR, the ten minutes, the one minute) is `secondsPerMinute`.
WatchRules watchRules(const VoltanorSettings& settings, const PowerPolicy& policy,
                      std::int64_t secondsPerMinute = 60);
// The same, asking Windows for its policy only when AVISOS=WINDOWS.
WatchRules watchRulesFor(const VoltanorSettings& settings, std::int64_t secondsPerMinute = 60);

// What the watcher remembers between polls.
struct WatchState {
    PowerStatus previous;
    int lowestWarned = 101;  // levels at or above it were warned and are not yet re-armed
    std::optional<std::int64_t> criticalSince;  // the last critical warning, or when the charge was first seen under it
    std::optional<std::int64_t> lowSince;       // the last low warning, while it may be said once more
    int lowLevel = 0;                           // its level
    std::optional<std::int64_t> notChargingSince;
    bool notChargingSaid = false;  // since mains last came
};
// The first status read, at `now`.
WatchState watchState(const PowerStatus& first, std::int64_t now);

// In this order: the battery removed or inserted; mains connected (with the
// charge and, with timeUntilFull and an estimate, the time until full) or
// disconnected (with the charge and the remaining time when known); battery
// saver on or off; on battery, the charge falling through a warning level (the
// lowest level crossed, `Bateria crítica` for the last); or else, under the
// critical level, the critical warning again every repeatSeconds, or a low
// warning once more after lowRepeatSeconds with nothing changed; on mains the
// charge reaching 100 %, or mains on for notChargingSeconds with the battery
// under 95 % and not charging (once until mains comes again).
// A level is crossed when the charge was above it and is at or below it now;
// once warned it is re-armed only when the charge is 3 points above it, so a
// charge going back and forth at a level warns once.  The critical warning
// tells Windows' action while the charge is above Windows' critical level.
// `secondsUntilFull` is read only when wantsTimeUntilFull says so.
std::vector<Announcement> announcementsDue(WatchState& state, const PowerStatus& current, std::int64_t now,
                                           const WatchRules& rules,
                                           std::uint32_t secondsUntilFull = unknownLifeTime);
// Whether announcementsDue will say the time until full for this status
// (mains just came and the battery charges).
bool wantsTimeUntilFull(const WatchState& state, const PowerStatus& current, const WatchRules& rules);

// The watcher's own sentences.
constexpr const char* watcherStartedText = "Aviso de bateria ativado.";
constexpr const char* watcherStoppedText = "Aviso de bateria desativado.";
constexpr const char* watcherAlreadyRunningText = "O aviso de bateria já está ativo.";
constexpr const char* watcherNotRunningText = "O aviso de bateria não está ativo.";
constexpr const char* notChargingText = "Carregador conectado, mas a bateria não está carregando.";

// The short tone before a warning: 8-bit mono at 11025 Hz as a WaveBuffer
// (44-byte header, then the samples), `beeps` beeps of 120 ms with 80 ms between.
std::vector<unsigned char> warningTone(int beeps);
