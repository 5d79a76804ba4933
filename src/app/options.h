// The command line: no option gives the one-shot report; "/vigiar" starts the
// battery watcher ("/vigiar /entrada" as the logon entry starts it: quiet,
// and only for a user who has not turned it off) and "/parar" ends it;
// "/detalhes" gives the report and the battery details under it; "/configurar" opens the settings menu; "/ajuda"
// says what the program and its options do; "/manual" reads the manual aloud.
#pragma once
#include <string>
#include <vector>

enum class ProgramMode { report, watch, watchAtLogon, stopWatcher, details, configure, help, manual, unknownOption };

// The arguments after the program's name.  An option is written with "/" or
// "-" in front, in any case; more than one argument is an unknown option,
// but for "/configurar" and the changes an elevated save of the settings menu
// is given.
ProgramMode modeFromArguments(const std::vector<std::string>& arguments);

constexpr int exitUnknownOption = 4;  // told in the window and aloud
constexpr const char* unknownOptionText =
    "Opção desconhecida.\r\nAs opções são /vigiar, /parar, /detalhes, /configurar, /manual e /ajuda.\r\n"
    "Use /ajuda para saber o que cada uma faz.";
