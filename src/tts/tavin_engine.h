// The text-to-speech engine: turns a text into MBROLA lines through the text
// stages, has MBROLA synthesize them and plays the samples through wave output
// in pieces of about half a second, or writes them to a .wav file.
#pragma once
#include <string>
#include <vector>

// The text stages the engine runs and the data files they load.  The program
// wires the real stages (tavin_voice.cpp); tests may wire others.
struct TavinStages {
    void (*freeData)();  // releases what the loads below loaded
    bool (*loadPronunciation)(const std::string& rulesPath, const std::string& exceptionsPath);
    bool (*loadAbbreviations)(const std::string& path);
    bool (*loadProsody)(const std::string& path);
    bool (*loadDiphoneList)(const std::string& path);
    // The MBROLA lines of the piece of a text that begins at position (see
    // tts::nextMbrolaPiece), durations and pitch targets scaled by the
    // factors; position moves to the next piece, to text.size() after the last.
    std::vector<std::string> (*mbrolaLines)(const std::string& text, std::size_t& position,
                                            double durationFactor, double pitchFactor);
};
void tavinUseStages(const TavinStages& stages);

// The name of a .wav file the next start writes speech to instead of playing it.
void tavinSetOutputFile(const std::string& name);
void tavinSetFactors(double pitchFactor, double durationFactor);
double tavinPitchFactor();
double tavinDurationFactor();

// Loads MBROLA and initialises it with the named database, then loads the data
// files; an empty argument stands for its default ("br4", "portug.nrl",
// "portug.exc", "portug.abr", "portug.pro", "portug.dfn").
bool tavinStart(const std::string& databaseName, const std::string& rulesFile,
                const std::string& exceptionsFile, const std::string& abbreviationsFile,
                const std::string& prosodyFile, const std::string& diphoneListFile);
// Speaks (or writes) one text; returns once its last samples are handed to wave
// output.  False when MBROLA reported an error or the output file was not written.
bool tavinSpeak(const std::string& text);
// Whether the last speech gave MBROLA a sample that can be heard (audible_samples.h).
bool tavinLastSpeechAudible();
void tavinStop();
bool tavinIsBusy();
// Completes the output file's header, releases the data files and MBROLA.
void tavinClose();

// The text of the last failed start ("" when none); nothing shows it.
const std::string& tavinLastError();
// Samples per second of the started database (16000 until one is started).
int tavinSampleRate();
