#include "audio/wave_format.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "audio/wave_output.h"
#include "audio/wave_test_support.h"

namespace {

using wavetest::chunk;
using wavetest::formatBody;
using wavetest::putLittle;

TEST(WaveHeader, IsTheTemplateWithSizesAndFormatSet) {
    struct Case {
        std::uint32_t dataSize, rate;
        std::uint16_t channels, bits;
        std::array<unsigned char, 44> expected;
    };
    const Case cases[] = {
        {256, 11025, 1, 8,
         {'R', 'I', 'F', 'F', 0x24, 0x01, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
          0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 0x00, 0x01, 0, 0}},
        // Block align stays 1 whatever the format; the byte rate follows it.
        {64000, 16000, 2, 16,
         {'R', 'I', 'F', 'F', 0x24, 0xFA, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 2, 0,
          0x80, 0x3E, 0, 0, 0x00, 0xFA, 0, 0, 1, 0, 16, 0, 'd', 'a', 't', 'a', 0x00, 0xFA, 0, 0}},
        // The RIFF size is data + 36 computed in 32 bits.
        {0xFFFFFFFFu, 8000, 1, 8,
         {'R', 'I', 'F', 'F', 0x23, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
          0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> buffer(50, 0xAA);
        makeWaveHeader(buffer.data(), c.dataSize, c.rate, c.channels, c.bits);
        EXPECT_TRUE(std::equal(c.expected.begin(), c.expected.end(), buffer.begin())) << c.rate;
        for (std::size_t i = 44; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0xAA) << "sample " << i;
    }
}

TEST(WaveFile, PiecesNeverLeaveAShortLastPiece) {
    struct Case {
        std::uint32_t dataSize;
        std::vector<std::uint32_t> pieces;
    };
    const Case cases[] = {
        {1, {1}},
        {255, {255}},
        {65534, {65534}},
        {65535, {65278, 257}},
        {65600, {65278, 322}},
        {65789, {65278, 511}},
        {65790, {65534, 256}},
        {131068, {65534, 65534}},
        {131069, {65534, 65278, 257}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint32_t> pieces;
        for (std::uint32_t left = c.dataSize; left > 0;) {
            std::uint32_t piece = wavePieceSize(left);
            pieces.push_back(piece);
            left -= piece;
        }
        EXPECT_EQ(pieces, c.pieces) << c.dataSize;
    }
}

std::string riff(const std::string& rest) {
    std::string out = "RIFF";
    putLittle(out, static_cast<std::uint32_t>(rest.size()), 4);
    return out + rest;
}

std::string formatChunkOfSize(std::uint32_t announced, std::size_t present) {
    std::string out = "fmt ";
    putLittle(out, announced, 4);
    std::string body = formatBody(11025, 1, 8);
    body.resize(present, '\0');
    return out + body;
}

TEST(WaveFile, ChunkWalkAcceptsWellFormedAndRejectsBrokenImages) {
    const std::string fmt = chunk("fmt ", formatBody(22050, 2, 16));
    const std::string data = chunk("data", "abcdef");
    struct Case {
        const char* name;
        std::string image;
        bool ok;
        std::uint32_t dataSize;
        std::size_t dataAt;
    };
    std::string dataOnlyHeader = "data";
    putLittle(dataOnlyHeader, 100000, 4);
    std::string oddChunk = "LIST";
    putLittle(oddChunk, 3, 4);
    oddChunk += "xyz";
    std::string hugeChunk = "junk";
    putLittle(hugeChunk, 0xFFFFFFF0u, 4);
    const Case cases[] = {
        {"plain", riff("WAVE" + fmt + data), true, 6, 44},
        {"identifiers in any case", "riff" + riff("WAVE" + chunk("FMT ", formatBody(22050, 2, 16)) + chunk("DaTa", "abcdef")).substr(4), true, 6, 44},
        {"chunks before data are skipped", riff("WAVE" + fmt + chunk("LIST", "0123456789") + chunk("fact", "abcd") + data), true, 6, 44 + 18 + 12},
        {"odd chunk taken at its size", riff("WAVE" + fmt + oddChunk + data), true, 6, 44 + 11},
        {"longer format body", riff("WAVE" + formatChunkOfSize(18, 18) + data), true, 6, 46},
        {"empty data chunk", riff("WAVE" + fmt + chunk("data", "")), true, 0, 44},
        {"data larger than the file", riff("WAVE" + fmt) + dataOnlyHeader, true, 100000, 44},
        {"zero length", "", false, 0, 0},
        {"shorter than the RIFF header", "RIFF\x10\x00", false, 0, 0},
        {"not RIFF", "RIFX" + riff("WAVE" + fmt + data).substr(4), false, 0, 0},
        {"no format chunk", riff("WAVE" + data), false, 0, 0},
        {"format chunk cut short", riff("WAVE" + formatChunkOfSize(16, 10)), false, 0, 0},
        {"format body announced short", riff("WAVE" + formatChunkOfSize(14, 14) + data), false, 0, 0},
        {"no data chunk", riff("WAVE" + fmt + chunk("LIST", "ab")), false, 0, 0},
        {"chunk header cut short", riff("WAVE" + fmt) + "dat", false, 0, 0},
        {"chunk reaching past the end", riff("WAVE" + fmt + hugeChunk + data), false, 0, 0},
    };
    for (const Case& c : cases) {
        // An exact-size copy so that reading past the end is caught.
        std::vector<unsigned char> bytes(c.image.begin(), c.image.end());
        MemoryReader reader(bytes.data(), bytes.size());
        WaveFormat format;
        std::uint32_t dataSize = 0;
        std::vector<unsigned char> scratch(7);  // smaller than the chunks it skips
        const bool ok = readWaveStart(reader, format, dataSize, scratch.data(), scratch.size());
        EXPECT_EQ(ok, c.ok) << c.name;
        if (!ok || !c.ok) continue;
        EXPECT_EQ(dataSize, c.dataSize) << c.name;
        EXPECT_EQ(reader.position(), c.dataAt) << c.name;
        if (std::string(c.name) == "plain") {
            EXPECT_EQ(format.rate, 22050u);
            EXPECT_EQ(format.channels, 2u);
            EXPECT_EQ(format.bits, 16u);
        }
    }
}

TEST(WaveBuffer, DataIsFoundInsideTheExtentTheRiffSizeGives) {
    std::vector<unsigned char> buffer(44 + 300, 0x55);
    makeWaveHeader(buffer.data(), 300, 16000, 1, 16);
    WaveFormat format;
    std::uint32_t offset = 0, size = 0;
    ASSERT_TRUE(locateWaveBufferData(buffer.data(), format, offset, size));
    EXPECT_EQ(offset, 44u);
    EXPECT_EQ(size, 300u);
    EXPECT_EQ(format.rate, 16000u);
    EXPECT_EQ(format.bits, 16u);
    EXPECT_EQ(format.channels, 1u);

    // A data size beyond the announced extent is cut to it.
    buffer[40] = 0xFF;
    buffer[41] = 0xFF;
    ASSERT_TRUE(locateWaveBufferData(buffer.data(), format, offset, size));
    EXPECT_EQ(size, 300u);

    // A chunk walk that leaves the buffer finds nothing.
    std::vector<unsigned char> broken(44, 0);
    makeWaveHeader(broken.data(), 0, 11025, 1, 8);
    std::memcpy(broken.data() + 36, "LIST", 4);
    EXPECT_FALSE(locateWaveBufferData(broken.data(), format, offset, size));
    std::memcpy(broken.data(), "RIFX", 4);
    EXPECT_FALSE(locateWaveBufferData(broken.data(), format, offset, size));
}

}  // namespace
