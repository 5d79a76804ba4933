// Any bytes as a .wav image: the chunk walk must end without reading outside
// them, and the pieces of its data chunk, trimmed as speech, must stay inside
// the piece.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audio/speech_trim.h"
#include "audio/wave_format.h"
#include "audio/wave_output.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::vector<unsigned char> piece(65534);
    static std::vector<unsigned char> scratch(512);
    MemoryReader reader(data, size);
    WaveFormat format;
    std::uint32_t remaining = 0;
    if (readWaveStart(reader, format, remaining, scratch.data(), scratch.size())) {
        if (reader.position() > size) std::abort();
        while (remaining > 0) {
            const std::uint32_t want = wavePieceSize(remaining);
            if (want == 0 || want > remaining || want > piece.size()) std::abort();
            const std::size_t got = reader.read(piece.data(), want);
            if (got == 0) break;
            // An exact-size copy so that the sanitizer sees any step outside it.
            std::vector<unsigned char> exact(piece.begin(), piece.begin() + got);
            const std::uint32_t kept = trimSpeechPiece(exact.data(), static_cast<std::uint32_t>(got),
                                                       format.bits, format.rate);
            if (kept > got) std::abort();
            remaining -= static_cast<std::uint32_t>(got);
        }
    }

    // The bytes themselves as one piece of speech: the first byte picks the
    // rate and the sample width, so both sets of trim constants are reached.
    if (size > 1) {
        const std::uint32_t rate = (data[0] & 1) ? 11025 : 16000;
        const std::uint16_t bits = (data[0] & 2) ? 16 : 8;
        // Short inputs are stretched so that pieces past a thousand bytes come often.
        const std::size_t repeat = (data[0] >> 2) + 1;
        std::vector<unsigned char> speech;
        for (std::size_t r = 0; r < repeat && speech.size() < 65534; ++r) speech.insert(speech.end(), data + 1, data + size);
        if (speech.size() > 65534) speech.resize(65534);
        const std::uint32_t kept = trimSpeechPiece(speech.data(), static_cast<std::uint32_t>(speech.size()), bits, rate);
        if (kept > speech.size()) std::abort();
    }

    // The same bytes as a WaveBuffer, when the extent its RIFF size announces is there.
    if (size >= waveHeaderSize) {
        const std::uint64_t extent = static_cast<std::uint64_t>(readLittle32(data + 4)) + 8;
        if (extent <= size) {
            std::vector<unsigned char> buffer(data, data + (extent < waveHeaderSize ? waveHeaderSize : extent));
            std::uint32_t offset = 0, dataSize = 0;
            if (locateWaveBufferData(buffer.data(), format, offset, dataSize) &&
                static_cast<std::uint64_t>(offset) + dataSize > buffer.size())
                std::abort();
        }
    }
    return 0;
}
