// The settings menu of "/configurar" apart from Windows: its items and their
// choices, built from the settings file's text; what each key does; what is
// shown and said; and which settings a save writes.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "settings/settings_writer.h"

namespace menu {

enum class Key { up, down, home, end, left, right, help, enter, escape, yes, no, other };
// A key from the window's queue: its byte, and for an extended key (byte 0)
// the code that follows it.
Key keyFrom(unsigned char first, unsigned char second);

// A system voice found on this computer: its kind ([SERVFALA] TIPOSAPI: 4
// SAPI 4, 5 SAPI 5, 54 SAPI 5.4), its number (VOZ, from 1) and the name the
// system gives it (may be empty).
struct SystemVoice {
    int type = 5;
    int number = 1;
    std::string name;
};

// The voice a choice of the voice item speaks with.
struct VoiceSelection {
    bool systemVoice = false;  // false: the default voice
    int type = 0;
    int number = 0;
};

struct Choice {
    std::string label;                    // shown and said
    std::vector<SettingChange> settings;  // what choosing it writes
    std::optional<VoiceSelection> voice;  // on the voice item
};

enum class ItemKind { voice, speed, setting, logonEntry };

struct Item {
    ItemKind kind = ItemKind::setting;
    std::string name;  // "Velocidade da fala"
    std::string help;  // one sentence, for F1
    std::vector<Choice> choices;
    int initial = -1;  // -1: the file holds a value none of the choices means
    int chosen = -1;
    std::string unknownLabel;  // that value, as written
};

// What the menu starts from.
struct StartingPoint {
    std::string settingsText;         // the settings file's bytes ("" when it is missing)
    std::vector<SystemVoice> voices;  // in the order found
    bool humanVoiceInstalled = false;
    bool logonEntry = false;  // the battery warning starts when the user logs on
};

struct Menu {
    std::vector<Item> items;
    std::size_t current = 0;
    bool askingToSave = false;
};

// The nine items, in order: voice, speed, warning levels, interval, the
// critical warning's repeat, time until full, warning at logon, report, who
// speaks.  A key that is missing or empty
// gives the choice the program then uses.
Menu menuFrom(const StartingPoint& start);

enum class Outcome { stay, leave, save };
struct Reaction {
    std::string say;
    bool voiceChanged = false;  // the chosen voice should say `say`
    bool speedChanged = false;  // the default voice should say it at the chosen speed
    Outcome outcome = Outcome::stay;
};
Reaction react(Menu& menu, Key key);

std::string lineOf(const Item& item);  // "Velocidade da fala: 3"
bool anythingChanged(const Menu& menu);
// The settings of every changed item's choice, in item order.
std::vector<SettingChange> settingsToWrite(const Menu& menu);
// The chosen voice, when the voice item holds one of its choices.
std::optional<VoiceSelection> chosenVoice(const Menu& menu);
// The chosen speed of the default voice, when the speed item holds a choice.
std::optional<int> chosenSpeed(const Menu& menu);
// The logon entry's new state, when it was changed.
std::optional<bool> logonEntryToWrite(const Menu& menu);
// Every setting any choice of the menu can write: all an elevated save may
// be asked to write.
std::vector<SettingChange> settingsTheMenuCanWrite(const Menu& menu);
bool menuCanWrite(const Menu& menu, const std::vector<SettingChange>& changes);

// What the window shows: a title, then one line an item, the current one
// marked; and what is said on entering.
std::string screenText(const Menu& menu);
std::string greeting(const Menu& menu);

// How to move, change, save and leave: said on entering and with F1.
constexpr const char* keysText =
    "Setas para cima e para baixo: o item. Setas para a direita e a esquerda: o valor. "
    "Enter: salva e sai. Esc: sai, e pergunta antes se há alterações. F1: ajuda.";
constexpr const char* saveQuestion = "Salvar as alterações? Tecle S para sim, N para não.";
constexpr const char* savedText = "Configurações salvas.";
// The sentence a voice says when it is chosen.
constexpr const char* voiceSample = "Esta é a voz que vai falar o relatório.";
// Why a save failed, told to the user with the file's name (and for a
// doubtful line, its number).  After putBack the old file was written back;
// after keptAside it is whole under the name file + keptAsideSuffix.
enum class SaveProblem { readOnly, inUse, notText, refused, cannotWrite, cannotRead, doubtfulLine, notWritable,
                         putBack, keptAside, otherFile };
constexpr const char* keptAsideSuffix = ".anterior";
std::string notSavedText(const std::string& file, SaveProblem problem, std::size_t line = 0);

}  // namespace menu
