// Arbitrary key events (characters, key-downs and Braille key-ups with any
// modifiers, mode changes and reads) and arbitrary lines: the key queue never
// holds more than 64 bytes, the chord stays within its seven bits, and the
// line editor never writes outside its buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "console/keys.h"
#include "console/line_editor.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void replayKeyEvents(const std::uint8_t* data, std::size_t size) {
    keyQueueClear();
    setBrailleModeState(0);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::uint8_t op = data[i], value = data[i + 1];
        KeyState keys{(op & 0x10) != 0, (op & 0x20) != 0, (op & 0x40) != 0};
        switch (op & 7) {
            case 0: handleCharacter(value, keys); break;
            case 1:
            case 2: {
                KeyDownAction action = handleKeyDown(value, keys, (op & 0x80) != 0);
                if (action == KeyDownAction::BrailleNext) setBrailleModeState(brailleMode() + 1);
                if (action == KeyDownAction::BrailleOff) setBrailleModeState(0);
                break;
            }
            case 3:
            case 4: handleBrailleKeyUp(value, keys); break;
            case 5: keyQueueTake(); break;
            case 6: setBrailleModeState(static_cast<std::int8_t>(value)); break;
            default: systemKeyDownHandled(value, (op & 0x80) != 0); break;
        }
        check(keyQueueCount() >= 0 && keyQueueCount() <= keyQueueCapacity);
        check(brailleChord() < 128 && (brailleKeysHeld() & ~brailleChord()) == 0);
        check(brailleMode() >= 0 && brailleMode() <= 2);
    }
}

// The first byte is the buffer size; the rest are the keys (Enter is appended).
void editArbitraryLine(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    const int bufferSize = data[0] % 40;
    std::vector<char> buffer(static_cast<std::size_t>(bufferSize));  // exact size: ASan sees any overrun
    std::size_t next = 1;
    int n = editLine(
        buffer.data(), bufferSize,
        [&]() -> unsigned char { return next < size ? data[next++] : 13; },
        [](char) {});
    check(n == 0 ? bufferSize < 2 : (n >= 2 && n <= bufferSize));
    if (n >= 2) check(buffer[n - 2] == 13 && buffer[n - 1] == 10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    replayKeyEvents(data, size);
    editArbitraryLine(data, size);
    return 0;
}
