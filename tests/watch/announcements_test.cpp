#include "watch/announcements.h"

#include <gtest/gtest.h>

#include "app/options.h"
#include "fakes/fake_power_policy.h"

namespace {

// mains, flag, percent, time left, battery saver; no full-charge time.
PowerStatus power(std::uint8_t mains, std::uint8_t flag, std::uint8_t percent, std::uint32_t left = unknownLifeTime,
                  std::uint8_t saver = 0) {
    return {mains, flag, percent, left, unknownLifeTime, saver};
}

TEST(AnnouncementsDue, EachChangeOfThePowerStatusAndWhatItSays) {
    const WatchRules rules;  // 20, 10, 5
    const struct {
        const char* name;
        PowerStatus previous, current;
        std::vector<std::pair<std::string, int>> due;  // text, beeps
    } cases[] = {
        {"nothing changed", power(0, 1, 50, 9000), power(0, 1, 50, 8000), {}},
        {"unplugged, time known", power(1, 8, 45), power(0, 1, 45, 7500),
         {{"Energia externa desligada. 45 por cento. Tempo restante: 2 horas e 5 minutos.", 0}}},
        {"unplugged, under a minute", power(1, 8, 2), power(0, 4, 2, 45),
         {{"Energia externa desligada. 2 por cento. Tempo restante: 45 segundos.", 0}}},
        {"plugged in", power(0, 1, 45, 7500), power(1, 9, 45), {{"Energia externa ligada. 45 por cento.", 0}}},
        {"mains unknown says nothing", power(1, 1, 45), power(255, 1, 45), {}},
        {"stays below 20", power(0, 2, 20), power(0, 2, 19), {}},
        {"exactly at 20", power(0, 1, 21), power(0, 2, 20), {{"Bateria baixa: 20 por cento.", 1}}},
        {"battery saver on", power(0, 1, 50, unknownLifeTime, 0), power(0, 1, 50, unknownLifeTime, 1),
         {{"Economia de bateria ligada.", 0}}},
        {"battery saver off", power(1, 8, 50, unknownLifeTime, 1), power(1, 8, 51), {{"Economia de bateria desligada.", 0}}},
        {"the last level is critical", power(0, 2, 6), power(0, 4, 5), {{"Bateria crítica: 5 por cento.", 2}}},
        {"two levels at once: the lowest", power(0, 1, 22), power(0, 2, 9), {{"Bateria baixa: 9 por cento.", 1}}},
        {"crossed on mains", power(1, 8, 21), power(1, 8, 20), {}},
        {"unplugged while crossing", power(1, 8, 11), power(0, 2, 10),
         {{"Energia externa desligada. 10 por cento.", 0}, {"Bateria baixa: 10 por cento.", 1}}},
        {"unknown percent before", power(0, 1, 255), power(0, 2, 10), {}},
        {"charged on mains", power(1, 8, 99), power(1, 1, 100), {{"Bateria carregada.", 0}}},
        {"full on battery", power(0, 1, 99), power(0, 1, 100), {}},
        {"battery removed", power(1, 8, 50), power(1, 128, 255), {{"Bateria removida.", 0}}},
        {"battery inserted", power(1, 128, 255), power(1, 8, 50), {{"Bateria inserida. 50 por cento.", 0}}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<std::string, int>> said;
        WatchState state = watchState(c.previous, 0);
        for (const auto& a : announcementsDue(state, c.current, 0, rules)) said.emplace_back(a.text, a.beeps);
        EXPECT_EQ(said, c.due) << c.name;
    }
}

// A walk of polls: time, status, and what is said then ("*" a tone, " | " between sentences).
struct Poll { std::int64_t time; PowerStatus status; const char* said; };
std::string pollsHeard(WatchRules rules, const std::vector<Poll>& polls, std::uint32_t untilFull = unknownLifeTime) {
    WatchState state = watchState(polls.front().status, polls.front().time);
    std::string differed;
    for (std::size_t i = 1; i < polls.size(); ++i) {
        std::string said;
        for (const auto& a : announcementsDue(state, polls[i].status, polls[i].time, rules, untilFull))
            said += (said.empty() ? "" : " | ") + std::string(a.beeps, '*') + a.text;
        if (said != polls[i].said) differed += "at " + std::to_string(polls[i].time) + ": " + said + "\n";
    }
    return differed;
}
VoltanorSettings windowsLevels(int repeatMinutes = 2) { return {false, {20, 10, 5}, 5, false, true, repeatMinutes}; }

TEST(AnnouncementsDue, WindowsLevelsRemindersTheChargerAndTheTimeUntilFull) {
    const char *crit7 = "**Bateria crítica: 7 por cento. Em 5 por cento o Windows vai hibernar.", *off = notChargingText;
    EXPECT_EQ(pollsHeard(watchRules(windowsLevels(), powerPolicyFrom(10, 7, 5, 2)),
                         {{0, power(0, 1, 12), ""}, {5, power(0, 1, 11), ""}, {10, power(0, 2, 10), "*Bateria baixa: 10 por cento."},
                          {15, power(0, 1, 11), ""}, {20, power(0, 2, 10), ""},  // back and forth at a level: once
                          {609, power(0, 2, 10), ""}, {610, power(0, 2, 9), "*Bateria baixa: 9 por cento."},
                          {1300, power(0, 2, 8), ""}, {1305, power(0, 4, 7), crit7}, {1424, power(0, 4, 7), ""},
                          {1425, power(0, 4, 6), "**Bateria crítica: 6 por cento. Em 5 por cento o Windows vai hibernar."},
                          {1545, power(0, 4, 5), "**Bateria crítica: 5 por cento."},  // at Windows' level: no word of it
                          {1550, power(1, 12, 5), "Energia externa ligada. 5 por cento."}, {1800, power(1, 12, 6), ""},
                          {1805, power(0, 4, 7), "Energia externa desligada. 7 por cento."}, {1924, power(0, 4, 7), ""},
                          {1925, power(0, 4, 7), crit7}, {1930, power(0, 4, 9), ""}, {2100, power(0, 4, 10), ""},
                          {2105, power(0, 4, 7), crit7}}),  // re-armed at 10
              "");
    // Unread policy: 20, 10, 5 without Windows; REPETIR=0; the low repeat only when nothing changed.
    EXPECT_EQ(pollsHeard(watchRules(windowsLevels(0), PowerPolicy{}),
                         {{0, power(0, 1, 21), ""}, {5, power(0, 2, 20), "*Bateria baixa: 20 por cento."},
                          {300, power(1, 10, 20), "Energia externa ligada. 20 por cento."},
                          {305, power(0, 2, 20), "Energia externa desligada. 20 por cento."}, {1000, power(0, 2, 19), ""},
                          {1005, power(0, 4, 5), "**Bateria crítica: 5 por cento."}, {5000, power(0, 4, 4), ""}}),
              "");
    // Mains on, not charging, under 95 %, for a minute: once per plugging in.
    EXPECT_EQ(pollsHeard({}, {{0, power(1, 1, 50), ""}, {59, power(1, 1, 50), ""}, {60, power(1, 1, 50), off},
                              {200, power(1, 1, 49), ""}, {205, power(0, 1, 49), "Energia externa desligada. 49 por cento."},
                              {210, power(1, 1, 49), "Energia externa ligada. 49 por cento."}, {250, power(1, 9, 49), ""},
                              {260, power(1, 1, 49), ""}, {319, power(1, 1, 49), ""}, {320, power(1, 1, 49), off},
                              {400, power(1, 1, 95), ""}, {500, power(1, 255, 50), ""}, {600, power(1, 128, 255), "Bateria removida."}}),
              "");
    WatchRules full;
    full.timeUntilFull = true;
    EXPECT_EQ(pollsHeard(full, {{0, power(0, 1, 45), ""},
                                {5, power(1, 9, 45), "Energia externa ligada. 45 por cento. Carga completa em 1 hora e 10 minutos."},
                                {10, power(1, 9, 46), ""}, {15, power(0, 1, 46), "Energia externa desligada. 46 por cento."},
                                {20, power(1, 1, 46), "Energia externa ligada. 46 por cento."}},  // not charging
                         4200),
              "");
}

TEST(WatchRules, WindowsLevelsInAnyOrderAndWhereTheyCannotBeRead) {
    const struct { VoltanorSettings settings; PowerPolicy policy; std::vector<int> levels; int windowsCritical; } cases[] = {
        {windowsLevels(), powerPolicyFrom(10, 7, 5, 2), {10, 7}, 5},     {windowsLevels(), PowerPolicy{}, {20, 10, 5}, -1},
        {{false, {30, 15, 5}}, powerPolicyFrom(10, 7, 5, 2), {30, 15, 5}, -1},  // explicit levels kept
        {windowsLevels(), powerPolicyFrom(5, 12, 8, 3), {12, 10}, 8},    {windowsLevels(), powerPolicyFrom(10, 7, 15, 1), {17}, 15},
        {windowsLevels(), powerPolicyFrom(10, 7, 99, 1), {100}, 99},    {windowsLevels(), powerPolicyFrom(0, 0, 0, 0), {2}, 0},
    };
    for (const auto& c : cases) {
        WatchRules rules = watchRules(c.settings, c.policy, 3);
        EXPECT_EQ(rules.levels, c.levels) << c.policy.critical;
        EXPECT_EQ(rules.windowsCritical, c.windowsCritical) << c.policy.critical;
        EXPECT_EQ(rules.repeatSeconds, c.settings.repeatMinutes * 3);
    }
    for (const char* bad : {"10,7,5", "101,7,5,2", "10,7,5,4", "10,7,5,2x", "-1,7,5,2", ""})
        EXPECT_FALSE(powerPolicyFromText(bad).known) << bad;
    EXPECT_EQ(powerPolicyFromText("10,7,5,2").criticalAction, CriticalAction::hibernate);
    fake::setPowerPolicy(powerPolicyFrom(25, 12, 9, 3));  // asked only with AVISOS=WINDOWS
    const int reads = fake::powerPolicyReads();
    EXPECT_EQ(watchRulesFor(VoltanorSettings{}).levels, (std::vector<int>{20, 10, 5}));
    EXPECT_EQ(watchRulesFor(windowsLevels()).levels, (std::vector<int>{25, 12, 11}));
    EXPECT_EQ(fake::powerPolicyReads(), reads + 1);
    fake::setPowerPolicy({});
}

TEST(WarningTone, BeepsOfSquareWaveWithAGapOfSilence) {
    std::vector<unsigned char> tone = warningTone(2);  // 120 ms, 80 ms, 120 ms
    ASSERT_EQ(tone.size(), 44u + 1323 + 882 + 1323);
    EXPECT_EQ(tone[40] | tone[41] << 8, 1323 + 882 + 1323);
    EXPECT_EQ(std::vector<int>(tone.begin() + 44, tone.begin() + 57),
              std::vector<int>({168, 168, 168, 168, 168, 168, 88, 88, 88, 88, 88, 88, 168}));
    EXPECT_EQ(tone[44 + 1323 + 400], 128);
}

TEST(ProgramOptions, ModeOfEachCommandLine) {
    const struct {
        std::vector<std::string> arguments;
        ProgramMode mode;
    } cases[] = {
        {{}, ProgramMode::report},           {{"/vigiar"}, ProgramMode::watch},
        {{"-VIGIAR"}, ProgramMode::watch},   {{"/Parar"}, ProgramMode::stopWatcher},
        {{"vigiar"}, ProgramMode::unknownOption}, {{"/"}, ProgramMode::unknownOption},
        {{"/vigiar", "/parar"}, ProgramMode::unknownOption}, {{"/vigiarx"}, ProgramMode::unknownOption},
        {{""}, ProgramMode::unknownOption},  {{"-Detalhes"}, ProgramMode::details},
        {{"/CONFIGURAR"}, ProgramMode::configure}, {{"-configurar", "x.txt"}, ProgramMode::configure},
        {{"/configurar", "a", "b"}, ProgramMode::unknownOption}, {{"/parar", "x.txt"}, ProgramMode::unknownOption},
        {{"/AJUDA"}, ProgramMode::help},     {{"-ajuda", "x"}, ProgramMode::unknownOption},
        {{"/Manual"}, ProgramMode::manual},  {{"/manual", "x"}, ProgramMode::unknownOption},
        {{"/vigiar", "/entrada"}, ProgramMode::watchAtLogon}, {{"-Vigiar", "-ENTRADA"}, ProgramMode::watchAtLogon},
        {{"/vigiar", "entrada"}, ProgramMode::unknownOption}, {{"/parar", "/entrada"}, ProgramMode::unknownOption},
        {{"/vigiar", "/entrada", "x"}, ProgramMode::unknownOption},
    };
    for (const auto& c : cases) EXPECT_EQ(modeFromArguments(c.arguments), c.mode) << c.arguments.size();
}

}  // namespace
