// Writes the list of diphones an MBROLA voice database really holds, one
// "left right" pair a line, the form the engine's diphone list reader takes.
// Usage: mbrola_diphones DATABASE OUTPUT
//
// The database begins with "MBROLA", a 5-character version, the number of
// diphones (16-bit), the pitch-mark size (16-bit 0 then 32-bit, or 16-bit in
// old files), the wave size (32-bit), the sampling rate (16-bit), the analysis
// period and the coding (one byte each), all little endian.  The index follows:
// per diphone two zero-terminated phone names, the half-segment (16-bit), the
// frame counts (two bytes) and, when the coding is not raw, a 32-bit wave
// position, until the frames add up to the pitch-mark size.  The remaining
// entries are copies: four names, an existing pair and the new pair it gives.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <utility>

namespace {

struct Reader {
    std::ifstream in;
    bool ok = true;

    std::uint32_t number(int bytes) {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            const int c = in.get();
            if (c == EOF) ok = false;
            value |= static_cast<std::uint32_t>(c & 0xFF) << (8 * i);
        }
        return value;
    }

    std::string name() {
        std::string text;
        for (int c; (c = in.get()) != 0;) {
            if (c == EOF || text.size() > 64) {
                ok = false;
                break;
            }
            text += static_cast<char>(c);
        }
        return text;
    }
};

const unsigned char rawCoding = 1;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: mbrola_diphones DATABASE OUTPUT\n";
        return 2;
    }
    Reader db{std::ifstream(argv[1], std::ios::binary)};
    char magic[11] = {};
    if (!db.in.read(magic, 11) || std::memcmp(magic, "MBROLA", 6) != 0) {
        std::cerr << "mbrola_diphones: " << argv[1] << " is not an MBROLA voice database\n";
        return 1;
    }
    const std::uint32_t count = db.number(2);
    std::uint32_t markSize = db.number(2);
    if (markSize == 0) markSize = db.number(4);
    db.number(4);  // wave size
    db.number(2);  // sampling rate
    db.number(1);  // analysis period
    const std::uint32_t coding = db.number(1);

    std::set<std::pair<std::string, std::string>> pairs;
    std::uint32_t i = 0, marks = 0;
    for (; db.ok && marks != markSize && i < count; ++i) {
        std::string left = db.name(), right = db.name();
        db.number(2);  // half-segment
        marks += db.number(1);
        db.number(1);  // frames of the wave
        if (coding != rawCoding) db.number(4);
        pairs.emplace(std::move(left), std::move(right));
    }
    for (; db.ok && i < count; ++i) {
        std::pair<std::string, std::string> original{db.name(), db.name()};
        std::pair<std::string, std::string> copy{db.name(), db.name()};
        if (db.ok && pairs.count(original)) pairs.insert(std::move(copy));
    }
    if (!db.ok || pairs.empty()) {
        std::cerr << "mbrola_diphones: " << argv[1] << " ends inside its diphone index\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    // The database's name only: the list is the same wherever the build is.
    out << "; Diphones of " << std::filesystem::path(argv[1]).filename().string()
        << ", written by mbrola_diphones: do not edit.\n";
    for (const auto& [left, right] : pairs) out << left << ' ' << right << '\n';
    out.close();
    if (!out) {
        std::cerr << "mbrola_diphones: cannot write " << argv[2] << "\n";
        return 1;
    }
    std::cerr << "mbrola_diphones: " << pairs.size() << " diphones\n";
    return 0;
}
