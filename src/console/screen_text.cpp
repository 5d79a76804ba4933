#include "console/screen_text.h"

#include "text/cp1252.h"

namespace console {

std::u16string screenText(const ScreenBuffer& screen) {
    std::u16string text;
    std::size_t endOfText = 0;  // the text up to the last line that is not blank
    for (int row = 0; row < screen.rows(); ++row) {
        if (row > 0) text += u"\r\n";
        int end = screen.columns();
        while (end > 0 && screen.charAt(end - 1, row) == ' ') --end;
        for (int column = 0; column < end; ++column) text += cp1252::toUnicode(screen.charAt(column, row));
        if (end > 0) endOfText = text.size();
    }
    text.resize(endOfText);
    return text;
}

}  // namespace console
