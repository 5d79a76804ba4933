// Reading the layout of RIFF/WAVE sound: the format and where the samples are.
// The same walk serves files (streamed through the read buffer) and sound held
// in memory, so it can be checked against any bytes at all.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "audio/little_endian.h"

// A WaveBuffer is one block of memory: a 44-byte RIFF/WAVE PCM header followed
// by the samples (8-bit samples unsigned, silence 128).  Its owner allocates it.
constexpr std::uint32_t waveHeaderSize = 44;

// Writes the 44-byte header of a WaveBuffer (PCM, block align 1).
void makeWaveHeader(unsigned char* buffer, std::uint32_t dataSize, std::uint32_t rate,
                    std::uint16_t channels, std::uint16_t bits);

struct WaveFormat {
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;
    std::uint16_t bits = 0;
    std::uint16_t blockAlign = 0;  // bytes of one frame, as the format chunk says
};

// A format the wave device is ever opened with: 1 or 2 channels, 8 or 16
// bits, 1000 to 192000 samples per second.  Anything else (a header saying 0
// channels or 0 bits) would make the device's converter fail.
bool isPlayableFormat(const WaveFormat& format);
// The format of a .wav file as read from its header: playable, and its block
// align is one frame (channels x bytes per sample).  A file whose header says
// otherwise is malformed.  (WaveBuffers keep the template's block align 1.)
bool isSoundFileFormat(const WaveFormat& format);

// A source of bytes read from the front, like a file.
class ByteReader {
public:
    virtual ~ByteReader() = default;
    // Reads up to count bytes into `into`; returns how many were read (0 at the end).
    virtual std::size_t read(unsigned char* into, std::size_t count) = 0;
};

// Bytes in memory as a ByteReader; `position` is how far reading has come.
class MemoryReader : public ByteReader {
public:
    MemoryReader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}
    std::size_t read(unsigned char* into, std::size_t count) override;
    std::size_t position() const { return position_; }

private:
    const unsigned char* bytes_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// True when the four bytes equal the identifier, letters compared without regard to case.
bool chunkIdIs(const unsigned char* bytes, const char* id);

// Reads "RIFF" (12 bytes), then "fmt " with its body, then chunk headers,
// skipping each body, until the "data" chunk, and stops just after its header.
// `scratch` holds the bytes being skipped.  False for a short read, a wrong
// identifier, or a format body shorter than the 16 bytes that hold the format.
bool readWaveStart(ByteReader& reader, WaveFormat& format, std::uint32_t& dataSize,
                   unsigned char* scratch, std::size_t scratchSize);

// Size of the data chunk of a recorded unit, with the file standing at its
// first sample; 0 when the file is not usable (no "RIFF", no "fmt " first, a
// short read, no data).  The format chunk may have any size here and is not
// read; chunks of odd size are not followed by a pad byte.
std::uint32_t findDataChunk(std::FILE* file);

// A file as a ByteReader.
class FileReader : public ByteReader {
public:
    explicit FileReader(std::FILE* file) : file_(file) {}
    std::size_t read(unsigned char* into, std::size_t count) override;

private:
    std::FILE* file_;
};

// Size of the next piece of a data chunk of which `remaining` bytes are left to
// play: a split never leaves a last piece shorter than 256 bytes.
std::uint32_t wavePieceSize(std::uint32_t remaining);

// Where the samples of a WaveBuffer start and how many there are.  The walk
// stays inside the extent the RIFF size announces; false when the buffer is
// not a RIFF image with a format and a data chunk inside that extent.
bool locateWaveBufferData(const unsigned char* buffer, WaveFormat& format,
                          std::uint32_t& dataOffset, std::uint32_t& dataSize);
