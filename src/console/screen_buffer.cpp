#include "console/screen_buffer.h"

#include <algorithm>
#include <cstring>

namespace console {

void ScreenBuffer::allocate(int columns, int rows, std::uint8_t attribute) {
    if (columns < 1 || rows < 1) {
        release();
        return;
    }
    columns_ = columns;
    rows_ = rows;
    std::size_t cells = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    chars_.assign(cells, ' ');
    attrs_.assign(cells, attribute);
    cursorColumn_ = cursorRow_ = 0;
}

void ScreenBuffer::release() {
    chars_.clear();
    chars_.shrink_to_fit();
    attrs_.clear();
    attrs_.shrink_to_fit();
    columns_ = rows_ = 0;
    cursorColumn_ = cursorRow_ = 0;
}

void ScreenBuffer::clear(std::uint8_t attribute) {
    std::fill(chars_.begin(), chars_.end(), ' ');
    std::fill(attrs_.begin(), attrs_.end(), attribute);
    cursorColumn_ = cursorRow_ = 0;
}

void ScreenBuffer::write(const unsigned char* bytes, std::size_t count, std::uint8_t attribute,
                         ScreenView& view) {
    if (!allocated()) return;
    // [spanStart, spanEnd) are the changed columns of the current line.
    int spanStart = cursorColumn_, spanEnd = cursorColumn_;
    for (std::size_t i = 0; i < count; ++i) {
        unsigned char c = bytes[i];
        switch (c) {
        case 7:
            view.beep();
            break;
        case 8:
            if (cursorColumn_ > 0) {
                --cursorColumn_;
                chars_[index(cursorColumn_, cursorRow_)] = ' ';
                attrs_[index(cursorColumn_, cursorRow_)] = attribute;
                spanStart = std::min(spanStart, cursorColumn_);
                spanEnd = std::max(spanEnd, cursorColumn_ + 1);
            }
            break;
        case 10:
            paintChanged(view, spanStart, spanEnd);
            spanStart = spanEnd = 0;
            newLine(attribute, view);
            cursorColumn_ = 0;
            break;
        case 13:
            cursorColumn_ = 0;
            break;
        default:
            if (c < 32) break;
            if (cursorColumn_ >= columns_) {
                cursorColumn_ = 0;
                paintChanged(view, spanStart, spanEnd);
                spanStart = spanEnd = 0;
                newLine(attribute, view);
            }
            chars_[index(cursorColumn_, cursorRow_)] = c;
            attrs_[index(cursorColumn_, cursorRow_)] = attribute;
            spanStart = std::min(spanStart, cursorColumn_);
            spanEnd = std::max(spanEnd, cursorColumn_ + 1);
            ++cursorColumn_;
            break;
        }
    }
    paintChanged(view, spanStart, spanEnd);
}

void ScreenBuffer::paintChanged(ScreenView& view, int first, int end) const {
    end = std::min(end, columns_);
    if (end > first) view.paintSpan(cursorRow_, first, end);
}

void ScreenBuffer::newLine(std::uint8_t attribute, ScreenView& view) {
    ++cursorRow_;
    if (cursorRow_ < rows_) return;
    cursorRow_ = rows_ - 1;
    std::size_t lineBytes = static_cast<std::size_t>(columns_);
    std::memmove(chars_.data(), chars_.data() + lineBytes, chars_.size() - lineBytes);
    std::memmove(attrs_.data(), attrs_.data() + lineBytes, attrs_.size() - lineBytes);
    std::fill(chars_.end() - static_cast<std::ptrdiff_t>(lineBytes), chars_.end(), ' ');
    std::fill(attrs_.end() - static_cast<std::ptrdiff_t>(lineBytes), attrs_.end(), attribute);
    view.scrolledUp();
}

CellRange cellsInRectangle(int left, int top, int right, int bottom, int cellWidth, int lineHeight,
                           int columns, int rows) {
    if (cellWidth < 1) cellWidth = 1;
    if (lineHeight < 1) lineHeight = 1;
    auto floorDiv = [](long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    CellRange r;
    r.firstColumn = static_cast<int>(std::max<long long>(0, floorDiv(left, cellWidth)));
    r.endColumn = static_cast<int>(std::min<long long>(columns, floorDiv(static_cast<long long>(right) + cellWidth - 1, cellWidth)));
    r.firstRow = static_cast<int>(std::max<long long>(0, floorDiv(top, lineHeight)));
    r.endRow = static_cast<int>(std::min<long long>(rows, floorDiv(static_cast<long long>(bottom) + lineHeight - 1, lineHeight)));
    return r;
}

}  // namespace console
