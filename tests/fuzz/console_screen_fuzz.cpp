// Arbitrary bytes written to screens of every small size, and read as
// settings values (colour table and numbers).  The screen must keep its write
// position inside the grid (or one past the last column) and report only
// spans inside it.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/sections.h"
#include "settings/setting_values.h"
#include "console/screen_buffer.h"

namespace {

class CheckingView : public console::ScreenView {
public:
    explicit CheckingView(const console::ScreenBuffer& screen) : screen_(screen) {}
    void paintSpan(int row, int first, int end) override {
        if (row < 0 || row >= screen_.rows() || first < 0 || end > screen_.columns() || end <= first) std::abort();
    }
    void scrolledUp() override {}
    void beep() override {}

private:
    const console::ScreenBuffer& screen_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    console::ScreenBuffer screen;
    screen.allocate(data[0] % 90, data[1] % 12, 0x07);
    CheckingView view(screen);
    screen.write(data + 2, size - 2, data[1], view);
    if (screen.allocated()) {
        if (screen.cursorColumn() < 0 || screen.cursorColumn() > screen.columns()) std::abort();
        if (screen.cursorRow() < 0 || screen.cursorRow() >= screen.rows()) std::abort();
    }

    std::string text(reinterpret_cast<const char*>(data), size);
    std::array<std::uint8_t, 16> table{};
    parseColorTable(text, table);
    std::int32_t value = 0;
    parseWholeInteger(text, value);
    return 0;
}
