// What the installer's voice says, built from the texts its pages show (code
// page 1252): a page's heading, text and keys; a check box and its state; a
// folder; a message box with its answers.  And whether it speaks at all.
#pragma once
#include <string>

// The command line's choice: /FALA (or /FALA=SIM) speaks even over a screen
// reader, /FALA=NAO never speaks; the last one given wins, in any case.
enum class SpeechSwitch { none, on, off };
SpeechSwitch speechSwitch(const std::string& parameters);

// A silent installation never speaks; the switch decides next; without it the
// installer speaks unless the system says a screen reader is running.
bool installerSpeaks(SpeechSwitch choice, bool silent, bool screenReaderRunning);

// The text as it is to be said: each line ends a sentence, a key combination
// ("Ctrl+Alt+Shift+B") becomes "Control, Alt, Shift e B", a backslash "barra",
// double quotes go.
std::string spokenForm(const std::string& text);

// Heading, text, then "Tecle Enter para <enterAction>." and, when Esc
// cancels, "Esc para cancelar."; each part ends a sentence.
std::string pageSpeech(const std::string& heading, const std::string& text,
                       const std::string& enterAction, bool escCancels);
// "<name>: marcado. Espaço para marcar ou desmarcar."
std::string checkBoxSpeech(const std::string& name, bool ticked);
// "<label>: C: barra Arquivos de Programas barra Voltanor."
std::string folderSpeech(const std::string& label, const std::string& path);

// The control the keyboard has just reached: a button says its caption
// ("&Próximo >": "Próximo, botão."), a check box its name and state.
enum class ControlKind { button, checkBox };
std::string focusedControlSpeech(ControlKind kind, const std::string& caption, bool ticked);

// The answers a message box waits for, said after its text.
enum class BoxAnswers { ok, yesNo };
std::string messageBoxSpeech(const std::string& text, BoxAnswers answers);
