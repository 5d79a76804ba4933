// What the battery watcher says when the power status changes: a pure
// function of the status read before and the status read now.
#pragma once
#include <string>
#include <vector>

#include "battery/power_status.h"
#include "battery/report.h"

struct Announcement {
    std::string text;  // code page 1252
    int beeps = 0;     // short tones before the words: 1 low battery, 2 critical
};

// In this order: the battery removed or inserted; mains connected or
// disconnected (with the charge, and on battery the remaining time when
// known); the charge falling through a warning level while not on mains (the
// lowest level crossed, the last of `levels` being the critical one); the
// charge reaching 100 % on mains.  A level is crossed when the charge was above
// it before and is at or below it now, so it warns once and again only after
// the charge rose above it.  `levels` are percents, highest first.
std::vector<Announcement> announcementsDue(const PowerStatus& previous, const PowerStatus& current,
                                           const std::vector<int>& levels);

// The watcher's own sentences.
constexpr const char* watcherStartedText = "Aviso de bateria ativado.";
constexpr const char* watcherStoppedText = "Aviso de bateria desativado.";
constexpr const char* watcherAlreadyRunningText = "O aviso de bateria já está ativo.";
constexpr const char* watcherNotRunningText = "O aviso de bateria não está ativo.";

// The short tone before a warning: 8-bit mono at 11025 Hz as a WaveBuffer
// (44-byte header, then the samples), `beeps` beeps of 120 ms with 80 ms between.
std::vector<unsigned char> warningTone(int beeps);
