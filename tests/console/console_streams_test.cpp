#include "console/console_streams.h"

#include <gtest/gtest.h>

#include <istream>
#include <ostream>
#include <string>

#include "fakes/fake_console.h"

namespace {

class Streams : public ::testing::Test {
protected:
    void SetUp() override { fake::resetConsole(); }
    void TearDown() override { fake::resetConsole(); }
};

TEST_F(Streams, EveryFlushHandsOverAndPumpsOnce) {
    console::WindowOutputBuffer buffer;
    std::ostream out(&buffer);
    out << "Bateria" << std::flush;
    EXPECT_EQ(fake::consoleOutput(), "Bateria");
    EXPECT_EQ(fake::pumpCount(), 1);
    out << 87 << "%\r\n" << std::flush;
    EXPECT_EQ(fake::consoleOutput(), "Bateria87%\r\n");
    EXPECT_EQ(fake::pumpCount(), 2);
    out << std::flush;  // nothing waiting: nothing handed over
    EXPECT_EQ(fake::pumpCount(), 2);
}

TEST_F(Streams, AFullBufferIsHandedOverAt128Bytes) {
    console::WindowOutputBuffer buffer;
    std::ostream out(&buffer);
    std::string text;
    for (int i = 0; i < 300; ++i) text.push_back(static_cast<char>('a' + i % 26));
    out << text;
    EXPECT_EQ(fake::consoleOutput(), text.substr(0, 256));
    EXPECT_EQ(fake::pumpCount(), 2);
    out.flush();
    EXPECT_EQ(fake::consoleOutput(), text);
    EXPECT_EQ(fake::pumpCount(), 3);
}

TEST_F(Streams, UnitBufferedStreamHandsOverAfterEachWrite) {
    console::WindowOutputBuffer buffer;
    std::ostream out(&buffer);
    out.setf(std::ios::unitbuf);
    out << "a";
    EXPECT_EQ(fake::consoleOutput(), "a");
    out << 'b' << "cd";
    EXPECT_EQ(fake::consoleOutput(), "abcd");
    EXPECT_EQ(fake::pumpCount(), 3);
}

TEST_F(Streams, InputComesFromEditedLines) {
    console::WindowInputBuffer buffer;
    std::istream in(&buffer);
    fake::queueKeys("12x\b3\r");
    fake::queueKeys("ola mundo\r");
    int number = 0;
    in >> number;
    EXPECT_EQ(number, 123);
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(rest, "\r");  // the CR of CR LF stays in the text
    std::getline(in, rest);
    EXPECT_EQ(rest, "ola mundo\r");
    EXPECT_EQ(fake::consoleOutput(), "12x\b3\r\nola mundo\r\n");
}

TEST_F(Streams, ALineLongerThanTheBufferIsCutAt126Characters) {
    console::WindowInputBuffer buffer;
    std::istream in(&buffer);
    fake::queueKeys(std::string(200, 'q') + "\r");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, std::string(126, 'q') + "\r");
}

}  // namespace
