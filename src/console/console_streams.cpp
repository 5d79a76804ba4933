#include "console/console_streams.h"

#include "console/console.h"

#include <iostream>

namespace console {

WindowOutputBuffer::WindowOutputBuffer() { setp(buffer_, buffer_ + size); }

void WindowOutputBuffer::handOver() {
    auto count = static_cast<std::uint16_t>(pptr() - pbase());
    if (count == 0) return;
    setp(buffer_, buffer_ + size);
    writeText(buffer_, count);
    keyPending();  // every write also lets the window handle its messages
}

WindowOutputBuffer::int_type WindowOutputBuffer::overflow(int_type c) {
    handOver();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int WindowOutputBuffer::sync() {
    handOver();
    return 0;
}

WindowInputBuffer::WindowInputBuffer() { setg(buffer_, buffer_, buffer_); }

WindowInputBuffer::int_type WindowInputBuffer::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    int count = readLine(buffer_, size);
    if (count <= 0) return traits_type::eof();
    if (count > size) count = size;
    setg(buffer_, buffer_, buffer_ + count);
    return traits_type::to_int_type(*gptr());
}

void bindStandardStreams() {
    // Never destroyed: the runtime may still flush std::cout while ending.
    static auto* output = new WindowOutputBuffer;
    static auto* input = new WindowInputBuffer;
    std::cout.rdbuf(output);
    std::cout.setf(std::ios::unitbuf);
    std::cin.rdbuf(input);
}

}  // namespace console
