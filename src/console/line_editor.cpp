#include "console/line_editor.h"

int editLine(char* buffer, int size, const std::function<unsigned char()>& readKey,
             const std::function<void(char)>& echo) {
    if (buffer == nullptr || size < 2) return 0;
    int n = 0;
    for (;;) {
        unsigned char b = readKey();
        if (b == 13) break;
        if (b == 8) {
            if (n > 0) {
                --n;
                echo(8);
            }
        } else if (b >= 32 && n < size - 2) {
            buffer[n++] = static_cast<char>(b);
            echo(static_cast<char>(b));
        }
    }
    buffer[n] = 13;
    buffer[n + 1] = 10;
    echo(13);
    echo(10);
    return n + 2;
}
