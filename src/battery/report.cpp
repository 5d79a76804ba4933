#include "battery/report.h"

std::string timeToWords(std::uint32_t seconds) {
    if (seconds <= 60) return std::to_string(seconds) + " segundos ";
    if (seconds <= 3600) {
        std::uint32_t minutes = seconds / 60;
        return std::to_string(minutes) + (minutes > 1 ? " minutos" : " minuto");
    }
    std::uint32_t hours = seconds / 3600;
    std::uint32_t minutes = seconds % 3600 / 60;
    std::string text = std::to_string(hours) + (hours > 1 ? " horas" : " hora");
    if (minutes > 0) text += " e " + std::to_string(minutes) + (minutes > 1 ? " minutos" : " minuto");
    return text;
}

std::string composeReport(const PowerStatus& status, std::uint32_t untilFull) {
    std::string report;
    if (status.batteryFlag == 128) {
        report = "Não há bateria.";
    } else {
        bool charging = status.batteryFlag != 255 && (status.batteryFlag & 8);
        if (status.batteryLifeTime != unknownLifeTime)
            report = timeToWords(status.batteryLifeTime);
        else if (charging && untilFull != unknownLifeTime)
            report = "Carga completa em " + timeToWords(untilFull);
        report += "\r\n";
        report += std::to_string(status.batteryLifePercent) + " por cento restante.";
        report += "\r\nNível da bateria:";
        if (status.batteryFlag == 255) {
            report += " indeterminado.";
        } else {
            // Level words in bit order; bits 16, 32 and 64 say nothing.
            static const struct {
                std::uint8_t bit;
                const char* word;
            } levels[] = {{1, " alto."}, {2, " baixo."}, {4, " crítico."}, {8, " Carregando."},
                          {128, " não há bateria."}};
            for (const auto& level : levels)
                if (status.batteryFlag & level.bit) report += level.word;
        }
        if (status.batteryFullLifeTime != unknownLifeTime)
            report += "\r\nDuração máxima: " + std::to_string(status.batteryFullLifeTime) + " segundos.";
    }
    report += " Energia externa: ";
    switch (status.acLineStatus) {
        case 0: report += "desligada."; break;
        case 1: report += "ligada."; break;
        case 255: report += "indeterminada."; break;
        default: break;
    }
    return report;
}
