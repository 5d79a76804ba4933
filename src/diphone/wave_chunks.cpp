#include "diphone/wave_chunks.h"

#include <cctype>

#include "audio/wave_format.h"

namespace {

bool sameId(const unsigned char* id, const char* expected) {
    for (int i = 0; i < 4; ++i)
        if (std::tolower(id[i]) != std::tolower(static_cast<unsigned char>(expected[i]))) return false;
    return true;
}

std::uint32_t littleEndian32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Reads past a chunk body; false when the file ends first.
bool skipBody(std::FILE* file, std::uint32_t size) {
    unsigned char scratch[512];
    while (size > 0) {
        std::size_t step = size < sizeof scratch ? size : sizeof scratch;
        if (std::fread(scratch, 1, step, file) != step) return false;
        size -= static_cast<std::uint32_t>(step);
    }
    return true;
}

}  // namespace

std::uint32_t findDataChunk(std::FILE* file) {
    unsigned char header[12];
    if (std::fread(header, 1, 12, file) != 12 || !sameId(header, "RIFF")) return 0;
    unsigned char chunk[8];
    if (std::fread(chunk, 1, 8, file) != 8 || !sameId(chunk, "fmt ")) return 0;
    // A header whose format is no sound file's marks the file as malformed.
    const std::uint32_t formatSize = littleEndian32(chunk + 4);
    unsigned char body[16];
    if (formatSize < sizeof body || std::fread(body, 1, sizeof body, file) != sizeof body) return 0;
    WaveFormat format;
    format.channels = readLittle16(body + 2);
    format.rate = readLittle32(body + 4);
    format.blockAlign = readLittle16(body + 12);
    format.bits = readLittle16(body + 14);
    if (!isSoundFileFormat(format) || !skipBody(file, formatSize - sizeof body)) return 0;
    for (;;) {
        if (std::fread(chunk, 1, 8, file) != 8) return 0;
        if (sameId(chunk, "data")) return littleEndian32(chunk + 4);
        if (!skipBody(file, littleEndian32(chunk + 4))) return 0;
    }
}
