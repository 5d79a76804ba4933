#include "menu/settings_menu.h"

#include "menu/text_mode_keys.h"

#include "settings/sections.h"
#include "settings/setting_values.h"
#include "text/cp1252.h"

namespace menu {

namespace {


// A value compared with a choice's: no blanks, any case.
std::string comparable(const std::string& value) {
    std::string kept;
    for (char c : value)
        if (c != ' ' && c != '\t') kept += c;
    return cp1252::upper(kept);
}

std::optional<std::string> valueOf(const StartingPoint& start, const char* section, const char* key) {
    std::optional<std::string> value = settingValueIn(start.settingsText, section, key);
    if (value && value->empty()) return std::nullopt;
    return value;
}

// An item over one key: each choice writes its value; the file's value picks
// the choice (missing: the default one) or is kept as written.
Item settingItem(const StartingPoint& start, const char* name, const char* help, const char* section,
                 const char* key, const std::vector<std::pair<const char*, const char*>>& valuesAndLabels,
                 int defaultChoice) {
    Item item{ItemKind::setting, name, help, {}, defaultChoice, defaultChoice, ""};
    for (const auto& [value, label] : valuesAndLabels) item.choices.push_back({label, {{section, key, value}}, {}});
    if (std::optional<std::string> value = valueOf(start, section, key)) {
        item.initial = -1;
        item.unknownLabel = *value;
        for (std::size_t i = 0; i < item.choices.size(); ++i)
            if (comparable(*value) == comparable(valuesAndLabels[i].first)) item.initial = static_cast<int>(i);
    }
    item.chosen = item.initial;
    return item;
}

Item voiceItem(const StartingPoint& start) {
    Item item{ItemKind::voice, "Voz", "Escolhe quem fala: a voz padrão, a voz humana ou uma voz do Windows.", {}, 0, 0, ""};
    item.choices.push_back({"padrão", {{"TRADUTOR", "SAPI", "NAO"}}, VoiceSelection{}});
    if (start.humanVoiceInstalled)
        item.choices.push_back({"humana", {{"TRADUTOR", "SAPI", "SIM"}, {"SERVFALA", "TIPOSAPI", "3"}},
                                VoiceSelection{true, 3, 1}});
    for (const SystemVoice& voice : start.voices) {
        std::string kind = voice.type == 4 ? "SAPI 4" : voice.type == 54 ? "SAPI 5.4" : "SAPI 5";
        std::string label = voice.name.empty() ? "voz " + std::to_string(voice.number) + " do " + kind
                                               : voice.type == 4 ? voice.name + " (SAPI 4)" : voice.name;
        item.choices.push_back({label,
                                {{"TRADUTOR", "SAPI", "SIM"},
                                 {"SERVFALA", "TIPOSAPI", std::to_string(voice.type)},
                                 {"SERVFALA", "VOZ", std::to_string(voice.number)}},
                                VoiceSelection{true, voice.type, voice.number}});
    }
    // The voice the program starts: the default one unless SAPI says yes; then
    // TIPOSAPI picks the kind (any other than 3, 5 and 54 is SAPI 4, whose voice 0 is 1).
    if (!settingBoolean(valueOf(start, "TRADUTOR", "SAPI").value_or(""))) return item;
    std::string typeText = valueOf(start, "SERVFALA", "TIPOSAPI").value_or("");
    std::string numberText = valueOf(start, "SERVFALA", "VOZ").value_or("");
    int type = leadingInteger(typeText), number = leadingInteger(numberText);
    if (type != 3 && type != 5 && type != 54) type = 4;
    if (type == 4 && number == 0) number = 1;
    item.initial = -1;
    item.unknownLabel = "TIPOSAPI=" + typeText + " VOZ=" + numberText;
    for (std::size_t i = 1; i < item.choices.size(); ++i) {
        const VoiceSelection& voice = *item.choices[i].voice;
        if (voice.type == type && (type == 3 || voice.number == number)) item.initial = static_cast<int>(i);
    }
    item.chosen = item.initial;
    return item;
}

const char* const yes = "sim";
const char* const no = "não";

// The current line and where it is: "Relatório: curto. Item 8 de 8."
Reaction sayLine(const Menu& menu) {
    return {lineOf(menu.items[menu.current]) + ". Item " + std::to_string(menu.current + 1) + " de " +
                std::to_string(menu.items.size()) + ".",
            false, false, Outcome::stay};
}

// Whether an item other than the current one was changed.
bool otherItemChanged(const Menu& menu) {
    for (std::size_t i = 0; i < menu.items.size(); ++i)
        if (i != menu.current && menu.items[i].chosen != menu.items[i].initial) return true;
    return false;
}

Reaction moveValue(Item& item, int step) {
    const int last = static_cast<int>(item.choices.size()) - 1;
    int next = item.chosen < 0 ? (step > 0 ? 0 : last) : std::max(0, std::min(last, item.chosen + step));
    const bool changed = next != item.chosen;
    const bool voiceChanged = item.kind == ItemKind::voice && changed;
    item.chosen = next;
    std::string label = item.choices[static_cast<std::size_t>(next)].label;
    return {voiceChanged ? label + ". " + voiceSample : label, voiceChanged, item.kind == ItemKind::speed && changed,
            Outcome::stay};
}

}  // namespace

Key keyFrom(unsigned char first, unsigned char second) {
    if (first == textkeys::escape) return Key::escape;
    if (first == textkeys::enter) return Key::enter;
    if (first == 's' || first == 'S') return Key::yes;
    if (first == 'n' || first == 'N') return Key::no;
    if (first != 0) return Key::other;
    switch (second) {
    case textkeys::up: return Key::up;
    case textkeys::down: return Key::down;
    case textkeys::home: return Key::home;
    case textkeys::end: return Key::end;
    case textkeys::left: return Key::left;
    case textkeys::right: return Key::right;
    case textkeys::f1: return Key::help;
    default: return Key::other;
    }
}

Menu menuFrom(const StartingPoint& start) {
    Menu menu;
    menu.items.push_back(voiceItem(start));
    menu.items.push_back(settingItem(start, "Velocidade da fala", "Velocidade da voz padrão, de 1, a mais lenta, a 5, a mais rápida.",
                                     "TRADUTOR", "VELOCIDADE", {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}, {"5", "5"}}, 2));
    menu.items.back().kind = ItemKind::speed;
    menu.items.push_back(settingItem(start, "Níveis de aviso",
                                     "Com que carga o aviso de bateria diz que a bateria está baixa e, no último nível, crítica; "
                                     "os do Windows avisam antes de o Windows hibernar ou desligar.",
                                     "VOLTANOR", "AVISOS",
                                     {{warningsWindows, "os do Windows"}, {"30,15,5", "30, 15 e 5 por cento"},
                                      {"20,10,5", "20, 10 e 5 por cento"}, {"15,5", "15 e 5 por cento"}, {"10", "10 por cento"},
                                      {warningsOff, "desligados"}},
                                     2));
    menu.items.push_back(settingItem(start, "Intervalo de verificação", "De quanto em quanto tempo o aviso de bateria lê a carga.",
                                     "VOLTANOR", "INTERVALO",
                                     {{"5", "5 segundos"}, {"15", "15 segundos"}, {"30", "30 segundos"}, {"60", "1 minuto"}}, 0));
    menu.items.push_back(settingItem(start, "Repetir o aviso crítico",
                                     "De quanto em quanto tempo o aviso crítico se repete, até a energia externa ser ligada.",
                                     "VOLTANOR", "REPETIR",
                                     {{"1", "a cada 1 minuto"}, {"2", "a cada 2 minutos"}, {"5", "a cada 5 minutos"}, {"0", "nunca"}},
                                     1));
    menu.items.push_back(settingItem(start, "Tempo até a carga completa",
                                     "Se o relatório diz quanto tempo falta para a bateria carregar por completo.",
                                     "VOLTANOR", "TEMPOCARGA", {{"SIM", yes}, {"NAO", no}}, 1));
    Item logon{ItemKind::logonEntry, "Aviso de bateria ao entrar no Windows",
               "Se o aviso de bateria começa sozinho quando você entra no Windows.",
               {{yes, {}, {}}, {no, {}, {}}}, start.logonEntry ? 0 : 1, start.logonEntry ? 0 : 1, ""};
    menu.items.push_back(logon);
    menu.items.push_back(settingItem(start, "Relatório", "Completo diz tudo; curto diz a carga e o tempo restante numa frase. A opção /detalhes diz a saúde da bateria.",
                                     "VOLTANOR", "RELATORIO", {{"COMPLETO", "completo"}, {"CURTO", "curto"}}, 0));
    menu.items.push_back(settingItem(start, "Quem fala",
                                     "Voz própria: o Voltanor fala com a voz dele. Leitor de tela: o NVDA, o JAWS ou o Narrador fala. "
                                     "Automático: o leitor de tela, quando algum estiver ativo.",
                                     "VOLTANOR", "FALA",
                                     {{"PROPRIA", "voz própria"}, {"LEITOR", "leitor de tela"}, {"AUTOMATICA", "automático"}}, 0));
    return menu;
}

Reaction react(Menu& menu, Key key) {
    if (menu.askingToSave) {
        switch (key) {
        case Key::yes: return {"", false, false, Outcome::save};
        case Key::no: return {"", false, false, Outcome::leave};
        case Key::escape: menu.askingToSave = false; return sayLine(menu);
        default: return {saveQuestion, false, false, Outcome::stay};
        }
    }
    Item& item = menu.items[menu.current];
    const std::size_t last = menu.items.size() - 1;
    switch (key) {
    case Key::up: menu.current = menu.current == 0 ? 0 : menu.current - 1; return sayLine(menu);
    case Key::down: menu.current = std::min(last, menu.current + 1); return sayLine(menu);
    case Key::home: menu.current = 0; return sayLine(menu);
    case Key::end: menu.current = last; return sayLine(menu);
    case Key::right: return moveValue(item, 1);
    case Key::left: return moveValue(item, -1);
    case Key::help: return {item.help + " " + keysText, false, false, Outcome::stay};
    case Key::enter:
        // Enter keeps what the current line shows; with other changes
        // pending too, it asks first, since those would be saved as well.
        if (!anythingChanged(menu)) return {"", false, false, Outcome::leave};
        if (!otherItemChanged(menu)) return {"", false, false, Outcome::save};
        menu.askingToSave = true;
        return {saveQuestion, false, false, Outcome::stay};
    case Key::escape:
        if (!anythingChanged(menu)) return {"", false, false, Outcome::leave};
        menu.askingToSave = true;
        return {saveQuestion, false, false, Outcome::stay};
    default: return sayLine(menu);
    }
}

std::string lineOf(const Item& item) {
    const std::string value = item.chosen < 0 ? item.unknownLabel : item.choices[static_cast<std::size_t>(item.chosen)].label;
    return item.name + ": " + value;
}

bool anythingChanged(const Menu& menu) {
    for (const Item& item : menu.items)
        if (item.chosen != item.initial) return true;
    return false;
}

std::vector<SettingChange> settingsToWrite(const Menu& menu) {
    std::vector<SettingChange> settings;
    for (const Item& item : menu.items) {
        if (item.chosen == item.initial) continue;
        const auto& chosen = item.choices[static_cast<std::size_t>(item.chosen)].settings;
        settings.insert(settings.end(), chosen.begin(), chosen.end());
    }
    return settings;
}

std::optional<VoiceSelection> chosenVoice(const Menu& menu) {
    for (const Item& item : menu.items)
        if (item.kind == ItemKind::voice && item.chosen >= 0) return item.choices[static_cast<std::size_t>(item.chosen)].voice;
    return std::nullopt;
}

std::optional<int> chosenSpeed(const Menu& menu) {
    for (const Item& item : menu.items)
        if (item.kind == ItemKind::speed && item.chosen >= 0) return item.chosen + 1;
    return std::nullopt;
}

std::optional<bool> logonEntryToWrite(const Menu& menu) {
    for (const Item& item : menu.items)
        if (item.kind == ItemKind::logonEntry && item.chosen != item.initial) return item.chosen == 0;
    return std::nullopt;
}

std::vector<SettingChange> settingsTheMenuCanWrite(const Menu& menu) {
    std::vector<SettingChange> settings;
    for (const Item& item : menu.items)
        for (const Choice& choice : item.choices) settings.insert(settings.end(), choice.settings.begin(), choice.settings.end());
    return settings;
}

bool menuCanWrite(const Menu& menu, const std::vector<SettingChange>& changes) {
    const std::vector<SettingChange> offered = settingsTheMenuCanWrite(menu);
    for (const SettingChange& change : changes) {
        bool found = false;
        for (const SettingChange& one : offered)
            found = found || (one.section == change.section && one.key == change.key && one.value == change.value);
        if (!found) return false;
    }
    return true;
}

std::string screenText(const Menu& menu) {
    std::string text = "Configurações do Voltanor\r\n";
    for (std::size_t i = 0; i < menu.items.size(); ++i)
        text += (i == menu.current ? "> " : "  ") + lineOf(menu.items[i]) + "\r\n";
    text += "Setas: item e valor. Enter: salvar e sair. Esc: sair. F1: ajuda.";
    return text;
}

std::string greeting(const Menu& menu) {
    return std::string("Configurações do Voltanor. De qualquer lugar, Control, Alt, Shift e C abrem este menu. ") +
           keysText + " " + sayLine(menu).say;
}

std::string notSavedText(const std::string& file, SaveProblem problem, std::size_t line) {
    std::string why;
    std::string outcome = " Nada foi alterado.";
    switch (problem) {
    case SaveProblem::readOnly: why = "o arquivo " + file + " é somente leitura."; break;
    case SaveProblem::inUse: why = "o arquivo " + file + " está em uso por outro programa."; break;
    case SaveProblem::notText: why = "o arquivo " + file + " não é um arquivo de texto simples."; break;
    case SaveProblem::refused: why = "o Windows não permitiu gravar o arquivo " + file + "."; break;
    case SaveProblem::cannotRead: why = "não foi possível ler o arquivo " + file + " inteiro."; break;
    case SaveProblem::doubtfulLine:
        why = "a linha " + std::to_string(line) + " do arquivo " + file + " pode ser lida de dois jeitos.";
        break;
    case SaveProblem::notWritable: why = "o arquivo " + file + " não aceita estes valores."; break;
    case SaveProblem::putBack: why = "o arquivo " + file + " não ficou como devia e foi restaurado."; break;
    case SaveProblem::keptAside:
        why = "não foi possível gravar o arquivo " + file + ".";
        outcome = " O arquivo anterior está em " + file + keptAsideSuffix + ".";
        break;
    case SaveProblem::otherFile: why = "o programa com permissão usaria outro arquivo, não " + file + "."; break;
    default: why = "não foi possível gravar o arquivo " + file + "."; break;
    }
    return "As configurações não foram salvas: " + why + outcome;
}

}  // namespace menu
