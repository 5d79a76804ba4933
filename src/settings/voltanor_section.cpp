#include <algorithm>
#include <cctype>

#include "settings/sections.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"
#include "text/blank_ends.h"

namespace {

constexpr std::size_t mostWarningLevels = 10;
constexpr int defaultPollSeconds = 5;
constexpr int defaultRepeatMinutes = 2, mostRepeatMinutes = 60;

// The value is this upper-case word, in any case, blanks around it allowed.
bool saysWord(const std::string& value, const std::string& word) {
    std::string upper = text::withoutBlankEnds(value);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper == word;
}

}  // namespace

std::vector<int> parseWarningLevels(const std::string& value) {
    const std::vector<int> defaults = VoltanorSettings{}.warningLevels;
    if (text::withoutBlankEnds(value) == warningsOff) return {};
    std::vector<int> levels;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = value.find(',', start);
        std::int32_t level = 0;
        if (!parseWholeInteger(text::withoutBlankEnds(value.substr(start, comma - start)), level) || level < 1 ||
            level > 100 || levels.size() == mostWarningLevels)
            return defaults;
        levels.push_back(level);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::sort(levels.begin(), levels.end(), std::greater<>());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    return levels;
}

int parsePollSeconds(const std::string& value) {
    std::int32_t seconds = 0;
    if (!parseWholeInteger(text::withoutBlankEnds(value), seconds) || seconds < 0) return defaultPollSeconds;
    return std::clamp<std::int32_t>(seconds, 1, 3600);
}

int parseRepeatMinutes(const std::string& value) {
    std::int32_t minutes = 0;
    if (!parseWholeInteger(text::withoutBlankEnds(value), minutes) || minutes < 0) return defaultRepeatMinutes;
    return std::min<std::int32_t>(minutes, mostRepeatMinutes);
}

WhoSpeaks parseWhoSpeaks(const std::string& value) {
    if (saysWord(value, "LEITOR")) return WhoSpeaks::screenReader;
    if (saysWord(value, "AUTOMATICA")) return WhoSpeaks::automatic;
    return WhoSpeaks::ownVoice;
}

VoltanorSettings readVoltanorSettings(const std::string& startDirectory) {
    auto read = [&](const char* key) { return readSetting("VOLTANOR", key, startDirectory); };
    VoltanorSettings settings;
    settings.timeUntilFull = saysWord(read("TEMPOCARGA"), "SIM");
    settings.warningLevels = parseWarningLevels(read("AVISOS"));
    settings.pollSeconds = parsePollSeconds(read("INTERVALO"));
    settings.shortReport = saysWord(read("RELATORIO"), "CURTO");
    settings.windowsWarningLevels = saysWord(read("AVISOS"), warningsWindows);
    settings.repeatMinutes = parseRepeatMinutes(read("REPETIR"));
    settings.whoSpeaks = parseWhoSpeaks(read("FALA"));
    return settings;
}
