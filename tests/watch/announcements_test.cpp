#include "watch/announcements.h"

#include <gtest/gtest.h>

#include "app/options.h"

namespace {

// mains, flag, percent, time left; no full-charge time.
PowerStatus power(std::uint8_t mains, std::uint8_t flag, std::uint8_t percent, std::uint32_t left = unknownLifeTime) {
    return {mains, flag, percent, left, unknownLifeTime};
}

TEST(AnnouncementsDue, EachChangeOfThePowerStatusAndWhatItSays) {
    const std::vector<int> levels{20, 10, 5};
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
        for (const auto& a : announcementsDue(c.previous, c.current, levels)) said.emplace_back(a.text, a.beeps);
        EXPECT_EQ(said, c.due) << c.name;
    }
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
    };
    for (const auto& c : cases) EXPECT_EQ(modeFromArguments(c.arguments), c.mode) << c.arguments.size();
}

}  // namespace
