#include "app/options.h"

#include <cctype>

ProgramMode modeFromArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return ProgramMode::report;
    std::string option = arguments.front();
    if (option.size() < 2 || (option[0] != '/' && option[0] != '-')) return ProgramMode::unknownOption;
    for (char& c : option) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (arguments.size() > 1)
        return arguments.size() == 2 && option.substr(1) == "configurar" ? ProgramMode::configure : ProgramMode::unknownOption;
    if (option.substr(1) == "vigiar") return ProgramMode::watch;
    if (option.substr(1) == "parar") return ProgramMode::stopWatcher;
    if (option.substr(1) == "detalhes") return ProgramMode::details;
    if (option.substr(1) == "configurar") return ProgramMode::configure;
    if (option.substr(1) == "ajuda") return ProgramMode::help;
    if (option.substr(1) == "manual") return ProgramMode::manual;
    return ProgramMode::unknownOption;
}
