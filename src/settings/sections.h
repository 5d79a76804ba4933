// The sections of ORAVIX.INI the program uses, each a plain struct with its
// reader: a module receives its struct and never reads the file itself.
// Adding a section: its struct and the declaration of its reader here, the
// reader in settings/<section>_section.cpp, built from readSetting or
// readWindowsSetting (settings_file.h) and the value rules of setting_values.h.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// [VIDEO] and [BRAILLE], from the file in the Windows directory: the console
// window's colours, colour table, font, placement, Braille mode and magnifier.
struct DisplaySettings {
    std::array<std::uint8_t, 16> colorTable{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    bool scrollByCopy = false;          // LENTO
    std::uint8_t textAttribute = 0x0F;  // CORFUNDO * 16 + CORLETRA
    int brailleMode = 0;                // MODO
    int magnifyFactor = 2;              // AMPLIF
    std::string fontFace = "Lucida Console";  // FONTE; empty: the system picks the face
    int fontWidth = 0;                  // LARGURALETRA
    int fontHeight = 0;                 // ALTURALETRA
    bool startMaximized = false;        // CANTOTELA
};
// Fills `table` from a "TABCORES" value ("4,1,..."): entries the list does not
// reach keep what they held; a blank after a comma ends the list there.
void parseColorTable(const std::string& value, std::array<std::uint8_t, 16>& table);
// workAreaWidth and workAreaHeight (pixels of the desktop work area) size the
// default font.
DisplaySettings readDisplaySettings(int workAreaWidth, int workAreaHeight);

// [TRADUTOR]: the default voice's speed, the system voice switch and the
// folders of the recorded sounds and of the diphone database.
struct TranslatorSettings {
    int speed = 0;              // VELOCIDADE
    bool systemVoice = false;   // SAPI
    // DIRLETRAS and DIRDIFONES, from the file in the Windows directory as
    // written (no marker expansion).  The letters folder is read up to 254
    // characters; the synthesizer takes the first 80 of it.
    std::string lettersDirectory;   // default "c:\kelmar\som\letras\"
    std::string diphoneDirectory;   // up to 80 characters; default "c:\kelmar\som\difones"
};
constexpr std::size_t synthesizerDirectoryLength = 80;
TranslatorSettings readTranslatorSettings(const std::string& startDirectory);

// [SINTETIZADOR], the keys of one speed (DIFONES3, CORTEFON3, ...).
struct SpeechSettings {
    std::string databaseName;    // DIFONES, cut to 8 characters
    int cutLength = 0;           // CORTEFON
    int minimumLength = 0;       // SOBRAFON
    int tokenPause = 0;          // INTERPAL
    bool trimSpeech = false;     // CORTAFALA
    bool quickPlayback = false;  // RAPIDINHO
    int fullStopPause = 250;     // PAUSAPONTO
    int commaPause = 150;        // PAUSAVIRG
    int colonPause = 200;        // PAUSADOISPONTOS
};
SpeechSettings readSpeechSettings(int speed, const std::string& startDirectory);
// The same keys from the given file alone (the installer's voice reads the
// settings it brought, not the user's); no "@" marker expansion.
SpeechSettings readSpeechSettingsFromFile(int speed, const std::string& file);

// [SERVFALA]: the system voice.
struct SystemVoiceSettings {
    int voice = 0;  // VOZ
    int rate = 0;   // VELOCIDADE
    int pitch = 0;  // TOM
    int type = 0;   // TIPOSAPI
};
SystemVoiceSettings readSystemVoiceSettings(const std::string& startDirectory);

// [VOLTANOR]: the program's own keys, beyond those of the suite.  Missing or
// bad values give the defaults, so a file without the section changes nothing.
// FALA: who speaks the program's texts.  PROPRIA (and any other value, or none)
// the program's own voice; LEITOR the screen reader; AUTOMATICA the screen
// reader when one runs, else the own voice.
enum class WhoSpeaks { ownVoice, screenReader, automatic };
WhoSpeaks parseWhoSpeaks(const std::string& value);

struct VoltanorSettings {
    bool timeUntilFull = false;              // TEMPOCARGA: "SIM" (any case) says it in the report
    std::vector<int> warningLevels{20, 10, 5};  // AVISOS, percent, highest first
    int pollSeconds = 5;                     // INTERVALO, kept within 1..3600
    bool shortReport = false;                // RELATORIO: "CURTO" (any case); anything else is COMPLETO
    bool windowsWarningLevels = false;       // AVISOS=WINDOWS (any case): Windows' own levels, where known
    int repeatMinutes = 2;                   // REPETIR: the critical warning again; 0 never
    WhoSpeaks whoSpeaks = WhoSpeaks::ownVoice;  // FALA
};
// AVISOS: a comma-separated list of 1 to 10 whole numbers from 1 to 100
// (blanks around them allowed), given back without repeats, highest first;
// "0" alone turns the level warnings off (no levels).  Anything else (text,
// an empty item, a negative level) gives the default.
constexpr const char* warningsOff = "0";
std::vector<int> parseWarningLevels(const std::string& value);
// INTERVALO: a whole number; below 1 it is 1, above 3600 it is 3600; text,
// an empty or a negative value give 5.
int parsePollSeconds(const std::string& value);
// AVISOS=WINDOWS: the warnings follow Windows' levels (warningLevels, the
// default, stand where Windows' cannot be read).
constexpr const char* warningsWindows = "WINDOWS";
// REPETIR: whole minutes, 0 (never) to 60; above 60 it is 60; text, an empty
// or a negative value give 2.
int parseRepeatMinutes(const std::string& value);
VoltanorSettings readVoltanorSettings(const std::string& startDirectory);
