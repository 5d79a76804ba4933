#include "audio/wave_format.h"

#include <algorithm>
#include <cstring>

#include "text/cp1252.h"


std::size_t MemoryReader::read(unsigned char* into, std::size_t count) {
    std::size_t n = std::min(count, size_ - position_);
    if (n > 0) std::memcpy(into, bytes_ + position_, n);
    position_ += n;
    return n;
}

std::size_t FileReader::read(unsigned char* into, std::size_t count) {
    return std::fread(into, 1, count, file_);
}

bool chunkIdIs(const unsigned char* bytes, const char* id) {
    for (int i = 0; i < 4; ++i)
        if (cp1252::asciiLower(bytes[i]) != cp1252::asciiLower(static_cast<unsigned char>(id[i]))) return false;
    return true;
}

namespace {

bool readExactly(ByteReader& reader, unsigned char* into, std::size_t count) {
    return reader.read(into, count) == count;
}

// Reads and drops `count` bytes; false when the source ends first.
bool skipBytes(ByteReader& reader, std::uint32_t count, unsigned char* scratch, std::size_t scratchSize) {
    while (count > 0) {
        std::size_t step = std::min<std::size_t>(count, scratchSize);
        if (!readExactly(reader, scratch, step)) return false;
        count -= static_cast<std::uint32_t>(step);
    }
    return true;
}

constexpr std::uint32_t formatBodyNeeded = 16;

// The walk both readers share: "RIFF", then "fmt " (its body read into
// `format` when one is given, which needs its first 16 bytes; skipped
// otherwise), then chunk headers up to "data".
bool walkToData(ByteReader& reader, WaveFormat* format, std::uint32_t& dataSize,
                unsigned char* scratch, std::size_t scratchSize) {
    unsigned char head[12];
    if (!readExactly(reader, head, 12) || !chunkIdIs(head, "RIFF")) return false;
    if (!readExactly(reader, head, 8) || !chunkIdIs(head, "fmt ")) return false;
    std::uint32_t formatSize = readLittle32(head + 4);
    unsigned char body[formatBodyNeeded];
    if (format) {
        if (formatSize < formatBodyNeeded) return false;
        if (!readExactly(reader, body, formatBodyNeeded)) return false;
        formatSize -= formatBodyNeeded;
    }
    if (!skipBytes(reader, formatSize, scratch, scratchSize)) return false;
    if (format) {
        format->channels = readLittle16(body + 2);
        format->rate = readLittle32(body + 4);
        format->blockAlign = readLittle16(body + 12);
        format->bits = readLittle16(body + 14);
    }
    for (;;) {
        if (!readExactly(reader, head, 8)) return false;
        std::uint32_t size = readLittle32(head + 4);
        if (chunkIdIs(head, "data")) {
            dataSize = size;
            return true;
        }
        if (!skipBytes(reader, size, scratch, scratchSize)) return false;
    }
}

}  // namespace

bool readWaveStart(ByteReader& reader, WaveFormat& format, std::uint32_t& dataSize,
                   unsigned char* scratch, std::size_t scratchSize) {
    return walkToData(reader, &format, dataSize, scratch, scratchSize);
}

// A recording whose header describes no sound file is treated as malformed.
std::uint32_t findDataChunk(std::FILE* file) {
    FileReader reader(file);
    WaveFormat format;
    std::uint32_t dataSize = 0;
    unsigned char scratch[512];
    if (!walkToData(reader, &format, dataSize, scratch, sizeof scratch)) return 0;
    return isSoundFileFormat(format) ? dataSize : 0;
}

bool isPlayableFormat(const WaveFormat& format) {
    return (format.channels == 1 || format.channels == 2) && (format.bits == 8 || format.bits == 16) &&
           format.rate >= 1000 && format.rate <= 192000;
}

bool isSoundFileFormat(const WaveFormat& format) {
    return isPlayableFormat(format) && format.blockAlign == format.channels * (format.bits / 8);
}

std::uint32_t wavePieceSize(std::uint32_t remaining) {
    if (remaining <= 65534) return remaining;
    if (remaining < 65790) return 65278;
    return 65534;
}

bool locateWaveBufferData(const unsigned char* buffer, WaveFormat& format,
                          std::uint32_t& dataOffset, std::uint32_t& dataSize) {
    // The RIFF size tells how far the buffer reaches; the header alone must fit.
    std::uint64_t extent = static_cast<std::uint64_t>(readLittle32(buffer + 4)) + 8;
    if (extent < waveHeaderSize) extent = waveHeaderSize;
    if (extent > 0xFFFFFFFFu) extent = 0xFFFFFFFFu;
    MemoryReader reader(buffer, static_cast<std::size_t>(extent));
    unsigned char scratch[256];
    if (!readWaveStart(reader, format, dataSize, scratch, sizeof scratch)) return false;
    dataOffset = static_cast<std::uint32_t>(reader.position());
    std::uint32_t left = static_cast<std::uint32_t>(extent - dataOffset);
    if (dataSize > left) dataSize = left;
    return true;
}
