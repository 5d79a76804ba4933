#include "installer/installer_speech.h"

#include <cctype>
#include <vector>

#include "text/cp1252.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool endsSentence(char c) { return c == '.' || c == '!' || c == '?' || c == ':' || c == ';'; }
bool isKeyNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// Appends a part as its own sentence: a full stop after the text before it
// unless that already ends one.
void appendSentence(std::string& spoken, const std::string& part) {
    std::size_t end = spoken.find_last_not_of(' ');
    spoken.erase(end == std::string::npos ? 0 : end + 1);
    if (part.empty()) return;
    if (!spoken.empty()) spoken += endsSentence(spoken.back()) ? " " : ". ";
    spoken += part;
}

std::string withFinalStop(std::string text) {
    if (!text.empty() && !endsSentence(text.back())) text += '.';
    return text;
}

// "Ctrl+Alt+B" at the start of word: "Control, Alt e B"; anything else as it is.
std::string keyCombinationWords(const std::string& word) {
    std::vector<std::string> keys(1);
    for (char c : word) {
        if (c == '+') {
            if (keys.back().empty()) return word;
            keys.emplace_back();
        } else if (isKeyNameCharacter(c)) {
            keys.back() += c;
        } else {
            return word;
        }
    }
    if (keys.size() < 2 || keys.back().empty()) return word;
    std::string words;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0) words += i + 1 == keys.size() ? " e " : ", ";
        words += cp1252::upper(keys[i]) == "CTRL" ? "Control" : keys[i];
    }
    return words;
}

}  // namespace

SpeechSwitch speechSwitch(const std::string& parameters) {
    SpeechSwitch choice = SpeechSwitch::none;
    std::size_t i = 0;
    while (i < parameters.size()) {
        while (i < parameters.size() && isBlank(parameters[i])) ++i;
        std::string word;
        bool quoted = false;
        for (; i < parameters.size() && (quoted || !isBlank(parameters[i])); ++i) {
            if (parameters[i] == '"')
                quoted = !quoted;
            else
                word += parameters[i];
        }
        const std::string upper = cp1252::upper(word);
        if (upper == "/FALA" || upper == "/FALA=SIM")
            choice = SpeechSwitch::on;
        else if (upper == "/FALA=NAO" || upper == "/FALA=N\xC3O")
            choice = SpeechSwitch::off;
    }
    return choice;
}

bool installerSpeaks(SpeechSwitch choice, bool silent, bool screenReaderRunning) {
    if (silent) return false;
    if (choice != SpeechSwitch::none) return choice == SpeechSwitch::on;
    return !screenReaderRunning;
}

std::string spokenForm(const std::string& text) {
    std::string spoken;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            while (i < text.size() && isBlank(text[i])) ++i;
            if (!spoken.empty() && !endsSentence(spoken.back()) && spoken.back() != ' ') spoken += '.';
            if (!spoken.empty() && spoken.back() != ' ') spoken += ' ';
            continue;
        }
        if (c == '"') {
            ++i;
            continue;
        }
        if (c == '\\') {
            spoken += " barra ";
            ++i;
            continue;
        }
        if (isKeyNameCharacter(c) && (spoken.empty() || !isKeyNameCharacter(spoken.back()))) {
            std::size_t end = i;
            while (end < text.size() && (isKeyNameCharacter(text[end]) || text[end] == '+')) ++end;
            spoken += keyCombinationWords(text.substr(i, end - i));
            i = end;
            continue;
        }
        spoken += c;
        ++i;
    }
    // Blanks doubled by the replacements, and those at the ends, go.
    std::string tidy;
    for (char c : spoken)
        if (!(c == ' ' && (tidy.empty() || tidy.back() == ' '))) tidy += c;
    while (!tidy.empty() && tidy.back() == ' ') tidy.pop_back();
    return tidy;
}

std::string pageSpeech(const std::string& heading, const std::string& text,
                       const std::string& enterAction, bool escCancels) {
    std::string spoken;
    appendSentence(spoken, spokenForm(heading));
    appendSentence(spoken, spokenForm(text));
    if (!enterAction.empty()) appendSentence(spoken, "Tecle Enter para " + enterAction);
    if (escCancels) appendSentence(spoken, "Esc para cancelar");
    return withFinalStop(spoken);
}

std::string checkBoxSpeech(const std::string& name, bool ticked) {
    std::string spoken = spokenForm(name);
    while (!spoken.empty() && endsSentence(spoken.back())) spoken.pop_back();
    spoken += ticked ? ": marcado." : ": desmarcado.";
    return spoken + " Espa\xE7o para marcar ou desmarcar.";
}

std::string folderSpeech(const std::string& label, const std::string& path) {
    return withFinalStop(spokenForm(label) + ": " + spokenForm(path));
}

std::string focusedControlSpeech(ControlKind kind, const std::string& caption, bool ticked) {
    // Accelerator marks and the arrows of "< Voltar" and "Próximo >" are not said.
    std::string name;
    for (char c : caption)
        if (c != '&' && c != '<' && c != '>') name += c;
    name = spokenForm(name);
    if (kind == ControlKind::checkBox) return checkBoxSpeech(name, ticked);
    return name.empty() ? name : name + ", bot\xE3o.";
}

std::string messageBoxSpeech(const std::string& text, BoxAnswers answers) {
    std::string spoken;
    appendSentence(spoken, spokenForm(text));
    appendSentence(spoken, answers == BoxAnswers::yesNo
                               ? "Respostas: Sim ou N\xE3o. Tecle Enter para sim, Tab e Enter para n\xE3o"
                               : "Resposta: OK. Tecle Enter");
    return withFinalStop(spoken);
}
