#include "battery/charge_estimate.h"
#include "battery/report.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(TimeToWords, EveryBoundaryOfTheThreeRanges) {
    const struct {
        std::uint32_t seconds;
        const char* words;
    } cases[] = {
        {0, "0 segundos "},         {1, "1 segundos "},          {60, "60 segundos "},
        {61, "1 minuto"},           {119, "1 minuto"},           {120, "2 minutos"},
        {3599, "59 minutos"},       {3600, "60 minutos"},        {3601, "1 hora"},
        {3660, "1 hora e 1 minuto"}, {3720, "1 hora e 2 minutos"}, {7199, "1 hora e 59 minutos"},
        {7200, "2 horas"},          {7260, "2 horas e 1 minuto"}, {7500, "2 horas e 5 minutos"},
        {4294967294u, "1193046 horas e 28 minutos"},
    };
    for (const auto& c : cases) EXPECT_EQ(timeToWords(c.seconds), c.words) << c.seconds;
}

TEST(ComposeReport, ExactBytesForEachCase) {
    constexpr std::uint32_t unknown = unknownLifeTime;
    // On battery, 87 %, 7500 s left: the first three lines most rows share.
    const std::string head = "2 horas e 5 minutos\r\n87 por cento restante.\r\nN\xEDvel da bateria: ";
    const std::string mainsOff = "Energia externa: desligada.";
    const struct {
        const char* name;
        PowerStatus status;  // mains, flag, percent, time left, full time
        std::string report;
    } cases[] = {
        {"typical on battery", {0, 1, 87, 7500, unknown}, head + "alto. " + mainsOff},
        {"known full time", {0, 1, 87, 7500, 10800},
         head + "alto.\r\nDura\xE7\xE3o m\xE1xima: 10800 segundos. " + mainsOff},
        {"unknown lifetime starts with CR LF", {0, 1, 87, unknown, unknown},
         "\r\n87 por cento restante.\r\nN\xEDvel da bateria: alto. " + mainsOff},
        {"flag 128 exactly", {1, 128, 87, 7500, 5}, "N\xE3o h\xE1 bateria. Energia externa: ligada."},
        {"flag 136 is not the no-battery case", {0, 136, 87, 7500, unknown},
         head + "Carregando. n\xE3o h\xE1 bateria. " + mainsOff},
        {"flag 255", {0, 255, 87, 7500, unknown}, head + "indeterminado. " + mainsOff},
        {"several bits in bit order", {0, 9, 87, 7500, unknown}, head + "alto. Carregando. " + mainsOff},
        {"low and critical, silent bits", {0, 2 | 4 | 16 | 32 | 64, 87, 7500, unknown},
         head + "baixo. cr\xEDtico. " + mainsOff},
        {"no level bit ends the line with the colon", {0, 0, 87, 7500, unknown}, head + mainsOff},
        {"percent 255 printed as is, mains unknown", {255, 1, 255, 7500, unknown},
         "2 horas e 5 minutos\r\n255 por cento restante.\r\nN\xEDvel da bateria: alto. "
         "Energia externa: indeterminada."},
        {"AC 2 adds no mains word", {2, 1, 87, 7500, unknown}, head + "alto. Energia externa: "},
        {"zero-filled record (failed call)", {},
         "0 segundos \r\n0 por cento restante.\r\nN\xEDvel da bateria:\r\n"
         "Dura\xE7\xE3o m\xE1xima: 0 segundos. " + mainsOff},
    };
    for (const auto& c : cases) EXPECT_EQ(composeReport(c.status), c.report) << c.name;
}

TEST(ComposeReport, LiteralsAreCodePage1252) {
    // The program's own texts must reach the window and the speech as single bytes.
    std::string report = composeReport(PowerStatus{0, 128, 0, 0, 0});
    ASSERT_GE(report.size(), 3u);
    EXPECT_EQ(static_cast<unsigned char>(report[1]), 0xE3);  // ã
    EXPECT_EQ(report.size(), std::string("Não há bateria. Energia externa: desligada.").size());
}

}  // namespace

namespace {

TEST(SecondsUntilFull, EstimateFromCapacityChargeAndEitherSignOfTheRate) {
    constexpr std::uint32_t none = unknownLifeTime;
    const struct {
        const char* name;
        BatteryCharge charge;  // max, remaining, rate
        std::uint32_t seconds;
    } cases[] = {
        {"4 of 5 Wh missing at 1.6 W", {5000, 1000, 1600}, 9000},
        {"Wine's negative charging rate", {5000, 1000, -1600}, 9000},
        {"nearly full drops the remainder", {50000, 49999, 1600}, 2},
        {"full", {5000, 5000, 1600}, none},
        {"remaining above max", {5000, 6000, 1600}, none},
        {"rate 0", {5000, 1000, 0}, none},
        {"unknown rate", {5000, 1000, INT32_MIN}, none},
        {"capacity 0", {0, 0, 1600}, none},
        {"huge values, no overflow", {0xFFFFFFFFu, 0, INT32_MAX}, 7200},
        {"beyond the time fields", {0xFFFFFFFFu, 0, 1}, none},
        {"just inside them", {1193046, 0, 1}, 4294965600u},
    };
    for (const auto& c : cases) EXPECT_EQ(secondsUntilFull(c.charge), c.seconds) << c.name;
}

TEST(ComposeReport, TimeUntilFullFillsOnlyTheEmptyLineOfACharger) {
    const std::string rest = "\r\n20 por cento restante.\r\nN\xEDvel da bateria: baixo. Carregando. Energia externa: ligada.";
    const struct {
        const char* name;
        PowerStatus status;
        std::uint32_t untilFull;
        std::string report;
    } cases[] = {
        {"charging, time unknown", {1, 10, 20, unknownLifeTime, unknownLifeTime}, 4800,
         "Carga completa em 1 hora e 20 minutos" + rest},
        {"under a minute keeps the words' blank", {1, 10, 20, unknownLifeTime, unknownLifeTime}, 45,
         "Carga completa em 45 segundos " + rest},
        {"no estimate", {1, 10, 20, unknownLifeTime, unknownLifeTime}, unknownLifeTime, rest},
        {"remaining time known wins", {1, 10, 20, 600, unknownLifeTime}, 4800, "10 minutos" + rest},
        {"not charging", {1, 2, 20, unknownLifeTime, unknownLifeTime}, 4800,
         "\r\n20 por cento restante.\r\nN\xEDvel da bateria: baixo. Energia externa: ligada."},
        {"flag unknown", {1, 255, 20, unknownLifeTime, unknownLifeTime}, 4800,
         "\r\n20 por cento restante.\r\nN\xEDvel da bateria: indeterminado. Energia externa: ligada."},
    };
    for (const auto& c : cases) EXPECT_EQ(composeReport(c.status, c.untilFull), c.report) << c.name;
}

// Status (mains, flag, percent, time left, full time), estimate until full, sentence.
TEST(ComposeShortReport, OneSentenceForEachBatteryState) {
    const std::string off = " Energia externa desligada.", on = "\r\nEnergia externa ligada.";
    const struct { PowerStatus status; std::uint32_t untilFull; std::string sentence; } cases[] = {
        {{0, 1, 63, 6059, 10800}, unknownLifeTime, "63 por cento, 1 hora e 40 minutos restantes." + off},
        {{0, 1, 40, 3600, 0}, 9, "40 por cento, 1 hora restante." + off},
        {{0, 4, 0, 59, 0}, 9, "0 por cento, menos de 1 minuto restante." + off},
        {{0, 255, 255, unknownLifeTime, 0}, 9, "Carga da bateria desconhecida." + off},
        {{2, 1, 101, 4294967294u, 0}, 9, "1193046 horas e 28 minutos restantes."},
        {{1, 9, 20, 600, 0}, 4800, "20 por cento, carregando, carga completa em 1 hora e 20 minutos." + on},
        {{1, 8, 100, unknownLifeTime, 0}, 1200, "100 por cento, carregando, carga completa em 20 minutos. Energia externa ligada."},
        {{1, 8, 7, unknownLifeTime, 0}, unknownLifeTime, "7 por cento, carregando. Energia externa ligada."},
        {{255, 128, 50, 600, 0}, 60, "N\xE3o h\xE1 bateria."},
    };
    for (const auto& c : cases) EXPECT_EQ(composeShortReport(c.status, c.untilFull), c.sentence) << c.sentence;
}

}  // namespace
