// The line editor of the standard input.
#include "console/line_editor.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct Edited {
    std::string line;  // what editLine stored
    std::string echo;
    int result;
    std::size_t keysRead;
};

Edited edit(const std::string& keys, int size) {
    Edited r{};
    std::string buffer(static_cast<std::size_t>(size > 0 ? size : 0), '\x7F');
    std::size_t next = 0;
    r.result = editLine(
        buffer.data(), size,
        [&]() -> unsigned char {
            if (next >= keys.size()) throw std::runtime_error("read past the typed keys");
            return static_cast<unsigned char>(keys[next++]);
        },
        [&](char c) { r.echo.push_back(c); });
    r.keysRead = next;
    r.line = buffer.substr(0, static_cast<std::size_t>(r.result > 0 ? r.result : 0));
    return r;
}

TEST(LineEditor, Editing) {
    struct Row {
        const char* name;
        std::string keys, line, echo;
    } rows[] = {
        {"plain", "abc\r", "abc\r\n", "abc\r\n"},
        {"empty", "\r", "\r\n", "\r\n"},
        {"backspace", "ab\bc\r", "ac\r\n", "ab\bc\r\n"},
        {"backspace at start", "\b\ba\r", "a\r\n", "a\r\n"},
        {"backspace everything", "ab\b\b\b\r", "\r\n", "ab\b\b\r\n"},
        {"extended keys", std::string("x\0;\0H\0\x53", 8) + "\r", "x;HS\r\n", "x;HS\r\n"},
        {"control bytes ignored", "a\x01\t\n\x1B\x7F" "b\r", "a\x7F" "b\r\n", "a\x7F" "b\r\n"},
        {"code page 1252", "n\xE3o\r", "n\xE3o\r\n", "n\xE3o\r\n"},
        {"stops at enter", "a\rbc", "a\r\n", "a\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Edited r = edit(row.keys, 128);
        EXPECT_EQ(r.line, row.line);
        EXPECT_EQ(r.echo, row.echo);
        EXPECT_EQ(r.result, static_cast<int>(row.line.size()));
    }
    EXPECT_EQ(edit("a\rbc", 128).keysRead, 2u);
}

TEST(LineEditor, AtMost126CharactersInA128ByteBuffer) {
    std::string typed(130, 'x');
    Edited r = edit(typed + "\r", 128);
    EXPECT_EQ(r.result, 128);
    EXPECT_EQ(r.line, std::string(126, 'x') + "\r\n");
    EXPECT_EQ(r.echo, std::string(126, 'x') + "\r\n");  // dropped characters are not echoed
    // A backspace on a full line makes room for one more.
    r = edit(std::string(126, 'x') + "yy\bz\r", 128);
    EXPECT_EQ(r.line, std::string(125, 'x') + "z\r\n");
}

TEST(LineEditor, TinyBuffers) {
    Edited r = edit("ab\r", 2);
    EXPECT_EQ(r.result, 2);
    EXPECT_EQ(r.line, "\r\n");
    EXPECT_EQ(r.echo, "\r\n");
    r = edit("ab\r", 3);
    EXPECT_EQ(r.line, "a\r\n");
    for (int size : {1, 0, -5}) {
        SCOPED_TRACE(size);
        r = edit("ab\r", size);
        EXPECT_EQ(r.result, 0);
        EXPECT_EQ(r.keysRead, 0u);
        EXPECT_EQ(r.echo, "");
    }
}

}  // namespace
