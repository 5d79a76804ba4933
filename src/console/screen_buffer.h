// The text screen of the console window: two planes of cells (characters and
// colour bytes), the write position with lazy wrap, control characters and
// scrolling.  What must be shown is reported to a ScreenView, which the window
// implements with GDI and the tests with a recorder.
#pragma once
#include <cstdint>
#include <vector>

namespace console {

class ScreenView {
public:
    virtual ~ScreenView() = default;
    virtual void paintSpan(int row, int firstColumn, int endColumn) = 0;  // [first, end)
    virtual void scrolledUp() = 0;  // every line moved up one, last line blank
    virtual void beep() = 0;
};

class ScreenBuffer {
public:
    // Allocates both planes (blanks in `attribute`); sizes below 1 give an
    // empty screen that ignores writes.
    void allocate(int columns, int rows, std::uint8_t attribute);
    void release();  // frees the planes and puts the position at 0, 0
    bool allocated() const { return !chars_.empty(); }

    // Interprets bytes: 7 bell, 8 backspace, 10 new line, 13 return, 32..255
    // printable in `attribute`; every other byte is ignored.
    void write(const unsigned char* bytes, std::size_t count, std::uint8_t attribute, ScreenView& view);
    // Blanks every cell in `attribute` and homes the position (nothing is painted).
    void clear(std::uint8_t attribute);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int cursorColumn() const { return cursorColumn_; }
    int cursorRow() const { return cursorRow_; }
    unsigned char charAt(int column, int row) const { return chars_[index(column, row)]; }
    std::uint8_t attrAt(int column, int row) const { return attrs_[index(column, row)]; }
    const unsigned char* rowChars(int row) const { return &chars_[index(0, row)]; }

    // Calls visit(firstColumn, length, attribute) for each run of equal colour
    // bytes in columns [first, end) of `row`, clipped to the grid.
    template <typename Visit>
    void forEachRun(int row, int first, int end, Visit visit) const {
        if (row < 0 || row >= rows_) return;
        if (first < 0) first = 0;
        if (end > columns_) end = columns_;
        while (first < end) {
            std::uint8_t attribute = attrAt(first, row);
            int runEnd = first + 1;
            while (runEnd < end && attrAt(runEnd, row) == attribute) ++runEnd;
            visit(first, runEnd - first, attribute);
            first = runEnd;
        }
    }

private:
    std::size_t index(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
    }
    void newLine(std::uint8_t attribute, ScreenView& view);
    void paintChanged(ScreenView& view, int first, int end) const;

    int columns_ = 0, rows_ = 0;
    int cursorColumn_ = 0, cursorRow_ = 0;
    std::vector<unsigned char> chars_;
    std::vector<std::uint8_t> attrs_;
};

// The cells a paint request must draw for an update rectangle in pixels.
struct CellRange {
    int firstColumn, endColumn, firstRow, endRow;  // [first, end)
};
CellRange cellsInRectangle(int left, int top, int right, int bottom, int cellWidth, int lineHeight,
                           int columns, int rows);

}  // namespace console
