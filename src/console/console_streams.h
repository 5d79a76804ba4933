// Stream buffers that bind the program's standard text output and input to the
// console window: output is handed to writeText at every flush and whenever
// 128 bytes are waiting; input comes a line at a time from readLine.
#pragma once
#include <streambuf>

namespace console {

class WindowOutputBuffer : public std::streambuf {
public:
    static constexpr int size = 128;
    WindowOutputBuffer();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    void handOver();
    char buffer_[size];
};

class WindowInputBuffer : public std::streambuf {
public:
    static constexpr int size = 128;
    WindowInputBuffer();

protected:
    int_type underflow() override;

private:
    char buffer_[size];
};

// Points std::cout (flushed after every output operation) and std::cin at the
// window.  The buffers live until the process ends.
void bindStandardStreams();

}  // namespace console
