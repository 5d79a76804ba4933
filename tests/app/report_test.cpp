#include "app/report.h"

#include <gtest/gtest.h>

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

PowerStatus onBattery() {
    PowerStatus s;
    s.acLineStatus = 0;
    s.batteryFlag = 1;
    s.batteryLifePercent = 87;
    s.batteryLifeTime = 7500;
    s.batteryFullLifeTime = unknownLifeTime;
    return s;
}

TEST(ComposeReport, ExactBytesForEachCase) {
    struct Case {
        const char* name;
        PowerStatus status;
        std::string report;
    };
    std::vector<Case> cases;
    cases.push_back({"typical on battery", onBattery(),
                     "2 horas e 5 minutos\r\n87 por cento restante.\r\nN\xEDvel da bateria: alto. "
                     "Energia externa: desligada."});
    {
        PowerStatus s = onBattery();
        s.batteryFullLifeTime = 10800;
        cases.push_back({"known full time", s,
                         "2 horas e 5 minutos\r\n87 por cento restante.\r\nN\xEDvel da bateria: alto.\r\n"
                         "Dura\xE7\xE3o m\xE1xima: 10800 segundos. Energia externa: desligada."});
    }
    {
        PowerStatus s = onBattery();
        s.batteryLifeTime = unknownLifeTime;
        cases.push_back({"unknown lifetime starts with CR LF", s,
                         "\r\n87 por cento restante.\r\nN\xEDvel da bateria: alto. Energia externa: desligada."});
    }
    {
        PowerStatus s = onBattery();
        s.batteryFlag = 128;
        s.acLineStatus = 1;
        s.batteryFullLifeTime = 5;
        cases.push_back({"flag 128 exactly", s, "N\xE3o h\xE1 bateria. Energia externa: ligada."});
    }
    {
        PowerStatus s = onBattery();
        s.batteryFlag = 136;
        cases.push_back({"flag 136 is not the no-battery case", s,
                         "2 horas e 5 minutos\r\n87 por cento restante.\r\nN\xEDvel da bateria: Carregando. "
                         "n\xE3o h\xE1 bateria. Energia externa: desligada."});
    }
    {
        PowerStatus s = onBattery();
        s.batteryFlag = 255;
        cases.push_back({"flag 255", s,
                         "2 horas e 5 minutos\r\n87 por cento restante.\r\nN\xEDvel da bateria: indeterminado. "
                         "Energia externa: desligada."});
    }
    {
        PowerStatus s = onBattery();
        s.batteryFlag = 9;
        cases.push_back({"several bits in bit order", s,
                         "2 horas e 5 minutos\r\n87 por cento restante.\r\nN\xEDvel da bateria: alto. Carregando. "
                         "Energia externa: desligada."});
    }
    {
        PowerStatus s = onBattery();
        s.batteryFlag = 2 | 4 | 16 | 32 | 64;
        cases.push_back({"low and critical, silent bits", s,
                         "2 horas e 5 minutos\r\n87 por cento restante.\r\nN\xEDvel da bateria: baixo. cr\xEDtico. "
                         "Energia externa: desligada."});
    }
    {
        PowerStatus s = onBattery();
        s.batteryFlag = 0;
        cases.push_back({"no level bit ends the line with the colon", s,
                         "2 horas e 5 minutos\r\n87 por cento restante.\r\nN\xEDvel da bateria: "
                         "Energia externa: desligada."});
    }
    {
        PowerStatus s = onBattery();
        s.batteryLifePercent = 255;
        s.acLineStatus = 255;
        cases.push_back({"percent 255 printed as is, mains unknown", s,
                         "2 horas e 5 minutos\r\n255 por cento restante.\r\nN\xEDvel da bateria: alto. "
                         "Energia externa: indeterminada."});
    }
    {
        PowerStatus s = onBattery();
        s.acLineStatus = 2;
        cases.push_back({"AC 2 adds no mains word", s,
                         "2 horas e 5 minutos\r\n87 por cento restante.\r\nN\xEDvel da bateria: alto. "
                         "Energia externa: "});
    }
    cases.push_back({"zero-filled record (failed call)", PowerStatus{},
                     "0 segundos \r\n0 por cento restante.\r\nN\xEDvel da bateria:\r\n"
                     "Dura\xE7\xE3o m\xE1xima: 0 segundos. Energia externa: desligada."});
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
