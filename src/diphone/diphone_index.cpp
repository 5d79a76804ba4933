#include "diphone/diphone_index.h"

#include <algorithm>

#include "audio/little_endian.h"
#include "text/cp1252.h"

std::size_t diphoneRecordCount(std::size_t size) { return size / diphoneRecordSize; }

int compareUnitNames(const std::string& a, const std::string& b) {
    std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

DiphoneRecord diphoneRecordAt(const std::vector<unsigned char>& index, std::size_t position) {
    const unsigned char* r = index.data() + position * diphoneRecordSize;
    DiphoneRecord record;
    std::size_t nameLength = std::min<std::size_t>(r[0], diphoneNameLimit);
    record.name.assign(reinterpret_cast<const char*>(r + 1), nameLength);
    record.length = readLittle16(r + 9);
    record.offset = readLittle32(r + 11);
    return record;
}

bool findDiphone(const std::vector<unsigned char>& index, const std::string& key,
                 DiphoneRecord& found) {
    std::size_t count = diphoneRecordCount(index.size());
    if (count == 0) return false;
    // Signed bounds, so that hi may fall below lo at the front of the index.
    long long lo = 0;
    long long hi = static_cast<long long>(count) - 1;
    while (lo <= hi) {
        long long mid = (lo + hi) / 2;
        DiphoneRecord record = diphoneRecordAt(index, static_cast<std::size_t>(mid));
        int order = compareUnitNames(key, record.name);
        if (order == 0) {
            found = record;
            return true;
        }
        if (order < 0)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return false;
}

std::size_t fitRecordLengths(std::vector<unsigned char>& index, std::uint64_t dataSize) {
    const std::size_t count = diphoneRecordCount(index.size());
    std::vector<std::uint32_t> starts(count);
    for (std::size_t i = 0; i < count; ++i) starts[i] = diphoneRecordAt(index, i).offset;
    std::sort(starts.begin(), starts.end());
    std::size_t cut = 0;
    for (std::size_t i = 0; i < count; ++i) {
        DiphoneRecord record = diphoneRecordAt(index, i);
        auto next = std::upper_bound(starts.begin(), starts.end(), record.offset);
        std::uint64_t end = next == starts.end() ? dataSize : std::min<std::uint64_t>(*next, dataSize);
        std::uint64_t room = end > record.offset ? end - record.offset : 0;
        if (record.length <= room) continue;
        unsigned char* lengthBytes = index.data() + i * diphoneRecordSize + 9;
        lengthBytes[0] = static_cast<unsigned char>(room & 0xFF);
        lengthBytes[1] = static_cast<unsigned char>(room >> 8);
        ++cut;
    }
    return cut;
}

std::vector<unsigned char> encodeDiphoneRecord(const std::string& name, std::uint16_t length,
                                               std::uint32_t offset) {
    std::vector<unsigned char> record(diphoneRecordSize, 0);
    std::size_t nameLength = std::min(name.size(), diphoneNameLimit);
    record[0] = static_cast<unsigned char>(nameLength);
    std::copy_n(name.begin(), nameLength, record.begin() + 1);
    putLittle16(record.data() + 9, length);
    putLittle32(record.data() + 11, offset);
    return record;
}

std::string upperUnitName(const std::string& name) {
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(cp1252::asciiUpper(static_cast<unsigned char>(c)));
    return upper;
}
