#include "app/options.h"

#include <cctype>

namespace {

// The option's name without its "/" or "-", in lower case; "" when the
// argument is not an option.
std::string optionName(std::string argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return "";
    for (char& c : argument) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return argument.substr(1);
}

}  // namespace

ProgramMode modeFromArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return ProgramMode::report;
    std::string option = arguments.front();
    if (optionName(option).empty()) return ProgramMode::unknownOption;
    option = "/" + optionName(option);
    if (arguments.size() > 1) {
        if (arguments.size() != 2) return ProgramMode::unknownOption;
        if (option == "/configurar") return ProgramMode::configure;
        if (option == "/vigiar" && optionName(arguments[1]) == "entrada") return ProgramMode::watchAtLogon;
        return ProgramMode::unknownOption;
    }
    if (option == "/vigiar") return ProgramMode::watch;
    if (option == "/parar") return ProgramMode::stopWatcher;
    if (option == "/detalhes") return ProgramMode::details;
    if (option == "/configurar") return ProgramMode::configure;
    if (option == "/ajuda") return ProgramMode::help;
    if (option == "/manual") return ProgramMode::manual;
    return ProgramMode::unknownOption;
}
