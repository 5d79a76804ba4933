// Wave output: every sound of the program leaves through here.  Recorded .wav
// files and in-memory WaveBuffers play through the wave device in four
// preallocated rotating blocks; the device reports finished blocks to the
// host's window, whose procedure calls onBlockDone.  Neither the window nor
// the waits nor whether to stop are decided here: the layers above hand in
// their host (audio/playback_host.h) and their stop question.
// The device stays open between sounds of one format, so that an utterance
// plays as one stream; it is closed when a sound of another format comes, by
// stopPlayback, and after 400 ms with nothing queued (a timer on the host's
// window, which fires in a message pump).
#pragma once
#include <cstdint>
#include <string>

#include "audio/playback_host.h"
#include "audio/wave_format.h"  // WaveBuffer, makeWaveHeader

// Module start: allocates the four device blocks (once), takes the host that
// every sound from now on is played through, and puts the module in its start
// state: device closed, nothing queued, both switches off.
void waveOutputStart(const PlaybackHost& host);

// Asked before every block is queued and while playback waits: true stops
// the sound at once.  The speech front end sets it (a key press stops
// speaking); without one, every sound plays to its end.  Module start keeps it.
using StopQuestion = bool (*)();
void setPlaybackStopQuestion(StopQuestion question);

// 0 on success, -1 for a missing, unreadable or malformed file (a header
// whose format is not a sound file's counts as malformed), otherwise the
// device's open error.  Returns when the device is idle again.
int playWaveFile(const std::string& path);
// Queues a WaveBuffer and returns as soon as its last block is queued.  The
// samples may be changed in place by the speech trim.
void playWaveBuffer(unsigned char* buffer);
// 0 on success, 32 for a format the device cannot play (see isPlayableFormat)
// without opening it, otherwise the device's open error.
int playSamples(unsigned char* data, std::uint32_t length, std::uint32_t rate,
                std::uint16_t channels, std::uint16_t bits);
// True while blocks are queued; pumps messages, and stops everything when the
// stop question says so.
bool isPlaying();
// Stops at once and closes the device; the next sound opens it again.
void stopPlayback();
// True once an open of the wave device has failed since module start: some
// sound was not heard.
bool deviceOpenFailed();

// The done handler: the host's window calls it with the header of every block
// the device hands back (MM_WOM_DONE's lParam).  A notice that comes after
// the device was closed is ignored.
void onBlockDone(std::intptr_t header);

// The two speech playback switches (RAPIDINHO, CORTAFALA of the current speed).
void setQuickPlayback(bool on);
bool quickPlayback();
void setTrimSpeech(bool on);
bool trimSpeech();
