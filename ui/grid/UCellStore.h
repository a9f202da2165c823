// The texts of the data grid's cells, kept compactly: the four shown columns
// as one 12-byte cell per row, whose text sits in the cell itself when it is
// short (a number as typed or shown) and in a shared list of long texts
// otherwise; columns right of them, which only a wide paste reaches, as
// row-sorted lists of the rows that hold text. A serial number in column 0,
// the row's own number, is one bit. No cell is a heap object of its own, so a
// table of a million data sets costs tens of megabytes.
//
// A cell that was never written holds the empty text; writing the empty
// text removes a text. Rows have no end: the grid's row count only says how
// many of them are shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCellStore {
public:
    static constexpr int DenseColumns = 4;

    std::string Text(int column, int row) const;
    // Text(column, row) == text, without a copy of the cell's text.
    bool Holds(int column, int row, std::string_view text) const;
    void SetText(int column, int row, std::string_view text);
    // The memory the cells take, for the undo history's copies of the table.
    std::size_t Bytes() const;

private:
    // Up to 11 characters inside (a value of the input file, a serial
    // number); a longer text is kept in `longTexts_` and the cell holds its slot.
    static constexpr std::size_t InlineLength = 11;
    struct TCell {
        char Bytes[InlineLength] = {};
        std::uint8_t Tag = 0;
    };
    struct TFarCell {
        int Row;
        TCell Cell;
    };
    static constexpr std::uint8_t LongTag = 0xff;

    std::string_view TextOf(const TCell& cell) const;
    // A cell's text as stored; column 0's serial numbers are not stored.
    std::string_view StoredText(int column, int row) const;
    TCell MakeCell(std::string_view text);
    void Release(TCell& cell);
    void SetDense(int column, int row, std::string_view text);
    void SetFar(int column, int row, std::string_view text);
    bool HoldsSerialNumber(int row) const;

    std::vector<TCell> dense_[DenseColumns];
    // Rows whose column 0 holds the row's serial number, row + 1.
    std::vector<bool> serialNumbers_;
    // Column DenseColumns + i at index i, each sorted by row.
    std::vector<std::vector<TFarCell>> far_;
    std::vector<std::string> longTexts_;
    std::vector<std::uint32_t> freeLongSlots_;
};
