// What voltanor.exe /ajuda shows and says: what the program does, its options,
// its hotkey and where its settings are.  Short lines, each under the window's
// 80 columns, so that the window grows to show all of them at once.
#pragma once
#include <string>

constexpr const char* helpText =
    "O Voltanor diz o estado da bateria, na tela e em voz alta.\r\n"
    "Sem opção, diz a carga, o tempo restante e a energia externa, e termina.\r\n"
    "Opções:\r\n"
    "/vigiar: ativa o aviso de bateria: bateria baixa, carregada, energia externa.\r\n"
    "/parar: desativa o aviso de bateria.\r\n"
    "/detalhes: diz também a saúde, a capacidade e a temperatura da bateria.\r\n"
    "/configurar: abre o menu de configurações, com voz.\r\n"
    "/manual: lê o manual em voz alta.\r\n"
    "/ajuda: diz esta ajuda.\r\n"
    "Atalho de teclado: Ctrl+Alt+Shift+B, em qualquer lugar.\r\n"
    "Configurações: Ctrl+Alt+Shift+C, em qualquer lugar.\r\n"
    "Arquivo de configurações: ORAVIX.INI, na pasta do Windows.\r\n"
    "Seção [VOLTANOR]: o relatório e os avisos.\r\n"
    "Seções [TRADUTOR] e [SERVFALA]: a voz e a velocidade da fala.\r\n"
    "Manual: Manual do Voltanor, no menu Iniciar.";

// The help as it is said: both voices would spell "Ctrl" letter by letter and
// say each "+" as "mais", so the keys are named as the installer names them.
inline std::string spokenHelp() {
    std::string text = helpText;
    const std::string keys = "Ctrl+Alt+Shift+";
    for (std::size_t at = text.find(keys); at != std::string::npos; at = text.find(keys, at))
        text.replace(at, keys.size(), "Control, Alt, Shift e ");
    return text;
}
