#include "menu/settings_menu.h"

#include <gtest/gtest.h>

namespace {

using menu::Key;
using menu::Outcome;

struct KeyedRun {
    std::vector<std::string> said;
    std::string heard;  // a key's sample: "v" in the chosen voice, "s" at the chosen speed, "-" none
    Outcome outcome = Outcome::stay;
    std::vector<SettingChange> written;
    std::string chosen;  // the voice, speed and logon entry the menu ends with
};

std::string chosenOf(const menu::Menu& m) {
    std::string text = "voz ";
    const std::optional<menu::VoiceSelection> voice = menu::chosenVoice(m);
    text += !voice ? "?" : voice->systemVoice ? std::to_string(voice->type) + "/" + std::to_string(voice->number) : "padrao";
    const std::optional<int> speed = menu::chosenSpeed(m);
    text += ", velocidade " + (speed ? std::to_string(*speed) : "?");
    const std::optional<bool> logon = menu::logonEntryToWrite(m);
    return text + ", entrada " + (!logon ? "-" : *logon ? "sim" : "nao");
}

KeyedRun runKeys(const menu::StartingPoint& start, const std::vector<Key>& keys) {
    menu::Menu m = menu::menuFrom(start);
    KeyedRun run;
    for (Key key : keys) {
        menu::Reaction reaction = menu::react(m, key);
        run.said.push_back(reaction.say);
        run.heard += reaction.voiceChanged ? (reaction.speedChanged ? "?" : "v") : reaction.speedChanged ? "s" : "-";
        run.outcome = reaction.outcome;
    }
    run.written = menu::settingsToWrite(m);
    run.chosen = chosenOf(m);
    return run;
}

// An item's line as it is said on reaching it, with its place in the menu.
std::string at(const std::string& line, int place) { return line + ". Item " + std::to_string(place) + " de 9."; }

std::string joined(const std::vector<SettingChange>& changes) {
    std::string text;
    for (const auto& c : changes) text += c.section + " " + c.key + "=" + c.value + ";";
    return text;
}

TEST(SettingsMenu, KeysMoveSayAndDecideWhatIsWritten) {
    const std::string installed = "[TRADUTOR]\r\nVELOCIDADE=3\r\n[VOLTANOR]\r\nTEMPOCARGA=SIM\r\nAVISOS=20, 10,5\r\n";
    const menu::StartingPoint plain{installed, {}, true, false};
    const menu::StartingPoint odd{"[TRADUTOR]\nvelocidade=9\n[VOLTANOR]\nAVISOS=abc\nRELATORIO=curto\n", {}, false, true};
    const menu::StartingPoint voices{"[TRADUTOR]\nSAPI=1\n[SERVFALA]\nTIPOSAPI=5\nVOZ=2\n",
                                     {{5, 1, "Ana"}, {5, 2, ""}, {4, 1, "Rui"}}, true, false};
    const struct {
        const menu::StartingPoint* start;
        std::vector<Key> keys;
        std::vector<std::string> said;
        const char* heard;
        Outcome outcome;
        const char* written;
        const char* chosen;
    } cases[] = {
        {&plain, {Key::down, Key::right, Key::escape, Key::yes},
         {at("Velocidade da fala: 3", 2), "4", menu::saveQuestion, ""}, "-s--", Outcome::save, "TRADUTOR VELOCIDADE=4;",
         "voz padrao, velocidade 4, entrada -"},
        {&plain, {Key::escape}, {""}, "-", Outcome::leave, "", "voz padrao, velocidade 3, entrada -"},
        // Enter saves the line it is on and leaves; with another item changed
        // too it asks first; with nothing changed it only leaves.
        {&plain, {Key::down, Key::right, Key::enter}, {at("Velocidade da fala: 3", 2), "4", ""}, "-s-", Outcome::save,
         "TRADUTOR VELOCIDADE=4;", "voz padrao, velocidade 4, entrada -"},
        {&plain, {Key::down, Key::right, Key::down, Key::right, Key::enter, Key::no},
         {at("Velocidade da fala: 3", 2), "4", at("Níveis de aviso: 20, 10 e 5 por cento", 3), "15 e 5 por cento",
          menu::saveQuestion, ""},
         "-s----", Outcome::leave, "TRADUTOR VELOCIDADE=4;VOLTANOR AVISOS=15,5;", "voz padrao, velocidade 4, entrada -"},
        {&plain, {Key::enter}, {""}, "-", Outcome::leave, "", "voz padrao, velocidade 3, entrada -"},
        {&plain, {Key::down, Key::down, Key::left, Key::left, Key::down, Key::down, Key::right},
         {at("Velocidade da fala: 3", 2), at("Níveis de aviso: 20, 10 e 5 por cento", 3), "30, 15 e 5 por cento", "os do Windows",
          at("Intervalo de verificação: 5 segundos", 4), at("Repetir o aviso crítico: a cada 2 minutos", 5), "a cada 5 minutos"},
         "-------", Outcome::stay, "VOLTANOR AVISOS=WINDOWS;VOLTANOR REPETIR=5;", "voz padrao, velocidade 3, entrada -"},
        // Back and forth is no change; Esc while asking goes back to the menu, N leaves.
        {&plain, {Key::end, Key::up, Key::up, Key::left, Key::left, Key::right, Key::right, Key::escape},
         {at("Quem fala: voz própria", 9), at("Relatório: completo", 8), at("Aviso de bateria ao entrar no Windows: não", 7), "sim", "sim",
          "não", "não", ""},
         "--------", Outcome::leave, "", "voz padrao, velocidade 3, entrada -"},
        {&plain, {Key::end, Key::up, Key::up, Key::left},
         {at("Quem fala: voz própria", 9), at("Relatório: completo", 8), at("Aviso de bateria ao entrar no Windows: não", 7), "sim"},
         "----", Outcome::stay, "", "voz padrao, velocidade 3, entrada sim"},
        {&plain, {Key::end, Key::right, Key::right, Key::right, Key::escape, Key::yes},
         {at("Quem fala: voz própria", 9), "leitor de tela", "automático", "automático", menu::saveQuestion, ""},
         "------", Outcome::save, "VOLTANOR FALA=AUTOMATICA;", "voz padrao, velocidade 3, entrada -"},
        {&plain, {Key::right, Key::escape, Key::escape, Key::help, Key::escape, Key::other, Key::no},
         {std::string("humana. ") + menu::voiceSample, menu::saveQuestion, at("Voz: humana", 1),
          std::string("Escolhe quem fala: a voz padrão, a voz humana ou uma voz do Windows. ") + menu::keysText, menu::saveQuestion,
          menu::saveQuestion, ""},
         "v------", Outcome::leave, "TRADUTOR SAPI=SIM;SERVFALA TIPOSAPI=3;", "voz 3/1, velocidade 3, entrada -"},
        // Values none of the choices means are shown as written and kept unless changed.
        {&odd, {Key::home, Key::down, Key::left, Key::down, Key::down, Key::right, Key::end},
         {at("Voz: padrão", 1), at("Velocidade da fala: 9", 2), "5", at("Níveis de aviso: abc", 3), at("Intervalo de verificação: 5 segundos", 4),
          "15 segundos", at("Quem fala: voz própria", 9)},
         "--s----", Outcome::stay, "TRADUTOR VELOCIDADE=5;VOLTANOR INTERVALO=15;", "voz padrao, velocidade 5, entrada -"},
        {&odd, {Key::right, Key::down, Key::down, Key::left}, {"padrão", at("Velocidade da fala: 9", 2), at("Níveis de aviso: abc", 3), "desligados"},
         "----", Outcome::stay, "VOLTANOR AVISOS=0;", "voz padrao, velocidade ?, entrada -"},
        // System voices by name; the one the file chooses; the default voice writes SAPI alone.
        {&voices, {Key::up, Key::right, Key::right, Key::left, Key::left, Key::left, Key::left},
         {at("Voz: voz 2 do SAPI 5", 1), std::string("Rui (SAPI 4). ") + menu::voiceSample, "Rui (SAPI 4)",
          std::string("voz 2 do SAPI 5. ") + menu::voiceSample, std::string("Ana. ") + menu::voiceSample,
          std::string("humana. ") + menu::voiceSample, std::string("padrão. ") + menu::voiceSample},
         "-v-vvvv", Outcome::stay, "TRADUTOR SAPI=NAO;", "voz padrao, velocidade 3, entrada -"},
        {&voices, {Key::right}, {std::string("Rui (SAPI 4). ") + menu::voiceSample}, "v", Outcome::stay,
         "TRADUTOR SAPI=SIM;SERVFALA TIPOSAPI=4;SERVFALA VOZ=1;", "voz 4/1, velocidade 3, entrada -"},
    };
    for (const auto& c : cases) {
        KeyedRun run = runKeys(*c.start, c.keys);
        EXPECT_EQ(run.said, c.said) << c.start->settingsText;
        EXPECT_EQ(run.heard, c.heard) << c.start->settingsText;
        EXPECT_EQ(run.outcome, c.outcome) << c.start->settingsText;
        EXPECT_EQ(joined(run.written), c.written) << c.start->settingsText;
        EXPECT_EQ(run.chosen, c.chosen) << c.start->settingsText;
    }
}

// An elevated save writes only what some choice of the menu writes, exactly.
TEST(SettingsMenu, OnlyTheMenusOwnSettingsMayBeWritten) {
    const menu::Menu m = menu::menuFrom({"", {{5, 1, "Ana"}, {4, 2, ""}}, true, false});
    const struct {
        std::vector<SettingChange> changes;
        bool offered;
    } cases[] = {{{{"TRADUTOR", "VELOCIDADE", "5"}, {"SERVFALA", "VOZ", "2"}, {"SERVFALA", "TIPOSAPI", "3"}}, true},
                 {{{"VOLTANOR", "AVISOS", "15,5"}, {"VOLTANOR", "RELATORIO", "CURTO"}}, true},
                 {{{"TRADUTOR", "VELOCIDADE", "99999"}}, false},
                 {{{"TRADUTOR", "DIRLETRAS", "C:\\x"}}, false},
                 {{{"NOVA", "CHAVE", "sim"}}, false},
                 {{{"SERVFALA", "VOZ", "3"}}, false},
                 {{{"tradutor", "VELOCIDADE", "5"}}, false},
                 {{{"TRADUTOR", "VELOCIDADE", "5"}, {"VOLTANOR", "K=V", "1"}}, false}};
    for (const auto& c : cases) EXPECT_EQ(menu::menuCanWrite(m, c.changes), c.offered) << joined(c.changes);
}

TEST(SettingsMenu, KeyBytesAreMenuKeys) {
    const struct {
        unsigned char first, second;
        Key key;
    } cases[] = {{0, 0x48, Key::up}, {0, 0x50, Key::down}, {0, 0x47, Key::home}, {0, 0x4F, Key::end}, {0, 0x4B, Key::left},
                 {0, 0x4D, Key::right}, {0, 0x3B, Key::help}, {27, 0, Key::escape}, {'s', 0, Key::yes}, {'N', 0, Key::no},
                 {'\r', 0, Key::enter}, {'\n', 0, Key::other}, {0, 0x3C, Key::other}};
    for (const auto& c : cases) EXPECT_EQ(menu::keyFrom(c.first, c.second), c.key) << int(c.first) << " " << int(c.second);
}

}  // namespace
