#include "battery/report.h"

#include <cctype>
#include <vector>

namespace {

constexpr std::uint8_t noSystemBattery = 128;
constexpr const char* noBatteryText = "Não há bateria.";

std::string mainsWord(std::uint8_t acLineStatus) {
    switch (acLineStatus) {
        case 0: return "desligada.";
        case 1: return "ligada.";
        case 255: return "indeterminada.";
        default: return "";
    }
}

std::string counted(std::uint32_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Whole hours and minutes, the seconds dropped: "1 hora e 40 minutos",
// "2 horas", "5 minutos"; under a minute, "menos de 1 minuto".
std::string hoursAndMinutes(std::uint32_t seconds) {
    std::uint32_t hours = seconds / 3600, minutes = seconds % 3600 / 60;
    if (hours == 0) return minutes == 0 ? "menos de 1 minuto" : counted(minutes, "minuto", "minutos");
    std::string words = counted(hours, "hora", "horas");
    if (minutes > 0) words += " e " + counted(minutes, "minuto", "minutos");
    return words;
}

// "1 hora restante", "menos de 1 minuto restante", "1 hora e 5 minutos restantes".
std::string timeLeftWords(std::uint32_t seconds) {
    std::string time = hoursAndMinutes(seconds);
    bool singular = time == "1 hora" || time == "1 minuto" || time == "menos de 1 minuto";
    return time + (singular ? " restante" : " restantes");
}

// The battery's part of the short report, its pieces joined by commas.
std::string shortBatterySentence(const PowerStatus& status, std::uint32_t untilFull) {
    if (status.batteryFlag == noSystemBattery) return noBatteryText;
    std::vector<std::string> pieces;
    if (status.batteryLifePercent <= 100) pieces.push_back(std::to_string(status.batteryLifePercent) + " por cento");
    if (isCharging(status)) {
        pieces.push_back("carregando");
        if (untilFull != unknownLifeTime) pieces.push_back("carga completa em " + hoursAndMinutes(untilFull));
    } else if (status.batteryLifeTime != unknownLifeTime) {
        pieces.push_back(timeLeftWords(status.batteryLifeTime));
    }
    if (pieces.empty()) return "Carga da bateria desconhecida.";
    std::string sentence;
    for (const std::string& piece : pieces) sentence += (sentence.empty() ? "" : ", ") + piece;
    sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    return sentence + ".";
}

}  // namespace

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
    if (status.batteryFlag == noSystemBattery) {
        report = noBatteryText;
    } else {
        if (status.batteryLifeTime != unknownLifeTime)
            report = timeToWords(status.batteryLifeTime);
        else if (isCharging(status) && untilFull != unknownLifeTime)
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
    return report + " Energia externa: " + mainsWord(status.acLineStatus);
}

std::string composeShortReport(const PowerStatus& status, std::uint32_t untilFull) {
    std::string battery = shortBatterySentence(status, untilFull);
    // An unknown mains state is left out here: the report says only what is known.
    if (status.acLineStatus > 1) return battery;
    std::string mains = "Energia externa " + mainsWord(status.acLineStatus);
    // The window is 80 columns wide and wraps anywhere: a longer report breaks
    // between its two sentences, never inside a word.
    constexpr std::size_t windowColumns = 80;
    return battery + (battery.size() + 1 + mains.size() <= windowColumns ? " " : "\r\n") + mains;
}
