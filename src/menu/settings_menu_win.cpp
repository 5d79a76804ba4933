#include "menu/menu_program.h"

#include "console/console.h"
#include "menu/settings_menu.h"
#include "menu/settings_save.h"
#include "platform/platform.h"
#include "speech/com.h"
#include "speech/speech.h"
#include "tts/tavin_settings.h"
#include "tts/tavin_voice.h"
#include "voices/sapi4_voice.h"
#include "voices/sapi5_voice.h"

namespace {

constexpr int menuRows = 14;
constexpr const char* logonEntryName = "HKEY_CURRENT_USER\\Software\\Voltanor";
constexpr const char* permissionNotice =
    "Para salvar, o Windows vai pedir permissão. Se o Windows perguntar se você permite, tecle Alt+S para sim; "
    "se pedir senha, digite a senha do administrador e tecle Enter.";

std::vector<menu::SystemVoice> systemVoices() {
    std::vector<menu::SystemVoice> voices;
    auto add = [&](int type, const std::vector<std::string>& names) {
        for (std::size_t i = 0; i < names.size(); ++i) voices.push_back({type, static_cast<int>(i + 1), names[i]});
    };
    add(5, sapi5VoiceNames());
    add(54, sapi54VoiceNames());
    add(4, sapi4VoiceNames());
    return voices;
}

// The engine can speak when its rules and its voice database are where it looks.
bool humanVoiceInstalled() {
    const TavinSettings& engine = tavinVoiceSettings();
    std::string database = engine.databaseName;
    readRegistryString(platform::RegistryRoot::localMachine, std::string(mbrolaDatabasesKey) + database + "\\", database);
    return platform::fileExists(engine.rulesFile) && platform::fileExists(database);
}

void show(const menu::Menu& menu, const std::string& message) {
    clearScreen();
    writeString(menu::screenText(menu));
    if (!message.empty()) writeString("\r\n" + message);
    // A screen reader reading the window is told of the line, not of the whole screen.
    if (screenReaderSpeaks()) setAccessibleLine(message.empty() ? menu::lineOf(menu.items[menu.current]) : message);
}

[[noreturn]] void leave(int exitCode) {
    finishSpeech();
    closeConsoleWindow(exitCode);
}

// The file's changes, then the logon entry; the reason when something was not saved.
std::optional<std::string> save(const menu::Menu& menu, const std::string& path) {
    std::vector<SettingChange> changes = menu::settingsToWrite(menu);
    if (!changes.empty()) {
        menu::SaveResult result = menu::saveSettingChanges(path, changes);
        if (result.step == menu::SaveStep::needsPermission && !menu::elevatedSaveWritesTo(path))
            result = {menu::SaveStep::failed, menu::SaveProblem::otherFile};
        if (result.step == menu::SaveStep::needsPermission) {
            writeString("\r\n" + std::string(permissionNotice));
            speak(permissionNotice);
            waitWhileSpeaking();
            result = menu::saveSettingChangesElevated(changes, path);
        }
        if (result.step != menu::SaveStep::saved) return menu::notSavedText(path, result.problem, result.line);
    }
    if (std::optional<bool> logon = menu::logonEntryToWrite(menu); logon && !menu::setLogonEntry(*logon))
        return menu::notSavedText(logonEntryName, menu::SaveProblem::cannotWrite);
    return std::nullopt;
}

// The elevated save: only settings the menu itself offers, into the file this
// program finds by itself.
bool saveOfferedChanges(const std::string& argument) {
    const std::optional<std::vector<SettingChange>> changes = decodeSettingChanges(argument);
    if (!changes || changes->empty()) return false;
    initializeComForThread();
    const std::string path = menu::elevatedSettingsFilePath();
    const std::optional<std::string> text = menu::settingsFileBytes(path);
    if (!text) return false;
    const menu::Menu offered = menu::menuFrom({*text, systemVoices(), humanVoiceInstalled(), false});
    return menu::menuCanWrite(offered, *changes) && menu::saveSettingChanges(path, *changes).step == menu::SaveStep::saved;
}

}  // namespace

void runSettingsMenu(const std::vector<std::string>& arguments) {
    if (arguments.size() == 2) closeConsoleWindow(saveOfferedChanges(arguments[1]) ? exitNormal : exitSettingsNotSaved);

    screenRows = menuRows;
    clearScreen();
    startSpeech(0, "");
    setConsoleTitle("Voltanor - Configurações");
    closeQueuesEscape(true);  // Alt+F4 asks about unsaved changes as Esc does
    const std::string path = menu::settingsFileFullPath(startDirectory());
    menu::Menu menu = menu::menuFrom(
        {menu::settingsFileBytes(path).value_or(""), systemVoices(), humanVoiceInstalled(), menu::logonEntryPresent()});
    show(menu, "");
    speak(menu::greeting(menu));

    bool saveFailed = false;
    while (true) {
        unsigned char first = readKey();
        unsigned char second = first == 0 ? readKey() : 0;
        stopSpeech();
        menu::Reaction reaction = menu::react(menu, menu::keyFrom(first, second));
        std::string message = menu.askingToSave ? reaction.say : "";
        if (reaction.outcome == menu::Outcome::leave) leave(saveFailed ? exitSettingsNotSaved : exitNormal);
        if (reaction.outcome == menu::Outcome::save) {
            std::optional<std::string> problem = save(menu, path);
            menu.askingToSave = false;
            if (!problem) {
                show(menu, menu::savedText);
                speak(menu::savedText);
                leave(exitNormal);
            }
            saveFailed = true;
            reaction.say = message = *problem;
        }
        if (std::optional<int> speed = menu::chosenSpeed(menu); reaction.speedChanged && speed) changeDefaultVoiceSpeed(*speed);
        if (reaction.voiceChanged) {
            std::optional<menu::VoiceSelection> voice = menu::chosenVoice(menu);
            if (voice) changeVoice(voice->systemVoice, voice->type, voice->number);
        }
        show(menu, message);
        speak(reaction.say);
    }
}
