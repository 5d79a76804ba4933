// The diphone database index: 15-byte records (name length, 8 name bytes,
// unit length u16 LE, data offset u32 LE) sorted by length-prefixed name, held
// whole in memory and searched by bisection.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr std::size_t diphoneRecordSize = 15;
constexpr std::size_t diphoneNameLimit = 8;

struct DiphoneRecord {
    std::string name;
    std::uint16_t length = 0;
    std::uint32_t offset = 0;
};

// Whole records in an index of `size` bytes; a shorter tail is not a record.
std::size_t diphoneRecordCount(std::size_t size);

// Orders two names as the index does: byte by byte over the shorter length,
// then the shorter first.  Negative, zero or positive.
int compareUnitNames(const std::string& a, const std::string& b);

// The record at `position` (the name length is taken as at most 8).
DiphoneRecord diphoneRecordAt(const std::vector<unsigned char>& index, std::size_t position);

// Looks up an already upper-cased key; false when it is not in the index.
bool findDiphone(const std::vector<unsigned char>& index, const std::string& key,
                 DiphoneRecord& found);

// Units lie one after another in the data file.  Cuts, in the index held in
// memory, every record's length that would read past the start of the next
// unit (by offset) or past the end of `dataSize` bytes of data, so that a
// damaged index never plays one unit on into others.  Records sharing an
// offset share their samples and are not each other's neighbours.  Returns how
// many records were cut.
std::size_t fitRecordLengths(std::vector<unsigned char>& index, std::uint64_t dataSize);

// The 15 bytes of one record (names longer than 8 are cut).
std::vector<unsigned char> encodeDiphoneRecord(const std::string& name, std::uint16_t length,
                                               std::uint32_t offset);

// A unit name as looked up: only a to z are upper-cased.
std::string upperUnitName(const std::string& name);
