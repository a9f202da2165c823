#include "UCellStore.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

std::string SerialNumber(int row) {
    return std::to_string(static_cast<long long>(row) + 1);
}

} // namespace

std::string TCellStore::Text(int column, int row) const {
    if (column == 0 && HoldsSerialNumber(row)) {
        return SerialNumber(row);
    }
    return std::string(StoredText(column, row));
}

// Compared where it lies: a pasted block may be a cell's text of its own.
bool TCellStore::Holds(int column, int row, std::string_view text) const {
    if (column == 0 && HoldsSerialNumber(row)) {
        return text == SerialNumber(row);
    }
    return StoredText(column, row) == text;
}

std::string_view TCellStore::StoredText(int column, int row) const {
    if (column < 0 || row < 0) {
        return {};
    }
    if (column < DenseColumns) {
        const std::vector<TCell>& cells = dense_[column];
        return static_cast<std::size_t>(row) < cells.size() ? TextOf(cells[row])
                                                            : std::string_view();
    }
    const auto farIndex = static_cast<std::size_t>(column - DenseColumns);
    if (farIndex >= far_.size()) {
        return {};
    }
    const std::vector<TFarCell>& cells = far_[farIndex];
    const auto found = std::lower_bound(cells.begin(), cells.end(), row,
                                        [](const TFarCell& cell, int r) { return cell.Row < r; });
    return found != cells.end() && found->Row == row ? TextOf(found->Cell) : std::string_view();
}

void TCellStore::SetText(int column, int row, std::string_view text) {
    if (column < 0 || row < 0) {
        return;
    }
    if (column == 0) {
        const auto index = static_cast<std::size_t>(row);
        const bool serial = text == SerialNumber(row);
        if (serial && index >= serialNumbers_.size()) {
            serialNumbers_.resize(index + 1);
        }
        if (index < serialNumbers_.size()) {
            serialNumbers_[index] = serial;
        }
        SetDense(column, row, serial ? std::string_view() : text);
    } else if (column < DenseColumns) {
        SetDense(column, row, text);
    } else {
        SetFar(column, row, text);
    }
}

std::size_t TCellStore::Bytes() const {
    std::size_t bytes = serialNumbers_.capacity() / 8 +
                        longTexts_.capacity() * sizeof(std::string) +
                        freeLongSlots_.capacity() * sizeof(std::uint32_t);
    for (const std::vector<TCell>& cells : dense_) {
        bytes += cells.capacity() * sizeof(TCell);
    }
    for (const std::vector<TFarCell>& cells : far_) {
        bytes += cells.capacity() * sizeof(TFarCell);
    }
    for (const std::string& text : longTexts_) {
        bytes += text.capacity();
    }
    return bytes;
}

bool TCellStore::HoldsSerialNumber(int row) const {
    const auto index = static_cast<std::size_t>(row);
    return index < serialNumbers_.size() && serialNumbers_[index];
}

std::string_view TCellStore::TextOf(const TCell& cell) const {
    if (cell.Tag != LongTag) {
        return std::string_view(cell.Bytes, cell.Tag);
    }
    std::uint32_t slot = 0;
    std::memcpy(&slot, cell.Bytes, sizeof slot);
    return longTexts_[slot];
}

TCellStore::TCell TCellStore::MakeCell(std::string_view text) {
    TCell cell;
    if (text.size() <= InlineLength) {
        std::copy(text.begin(), text.end(), cell.Bytes);
        cell.Tag = static_cast<std::uint8_t>(text.size());
        return cell;
    }
    std::uint32_t slot = 0;
    if (freeLongSlots_.empty()) {
        slot = static_cast<std::uint32_t>(longTexts_.size());
        longTexts_.emplace_back(text);
    } else {
        slot = freeLongSlots_.back();
        freeLongSlots_.pop_back();
        longTexts_[slot].assign(text.data(), text.size());
    }
    std::memcpy(cell.Bytes, &slot, sizeof slot);
    cell.Tag = LongTag;
    return cell;
}

// A long text's memory goes back at once: a pasted block may have been one.
void TCellStore::Release(TCell& cell) {
    if (cell.Tag == LongTag) {
        std::uint32_t slot = 0;
        std::memcpy(&slot, cell.Bytes, sizeof slot);
        std::string().swap(longTexts_[slot]);
        try {
            freeLongSlots_.push_back(slot);
        } catch (const std::bad_alloc&) {
            // The slot stays empty and unused; the cell is released all the same.
        }
    }
    cell = TCell();
}

void TCellStore::SetDense(int column, int row, std::string_view text) {
    std::vector<TCell>& cells = dense_[column];
    const auto index = static_cast<std::size_t>(row);
    if (index >= cells.size()) {
        if (text.empty()) {
            return;
        }
        cells.resize(index + 1);
    }
    // Made before the old text goes: a text that finds no memory leaves the cell as it was.
    const TCell made = MakeCell(text);
    Release(cells[index]);
    cells[index] = made;
}

// Written mostly in row order, so a new cell is usually appended.
void TCellStore::SetFar(int column, int row, std::string_view text) {
    const auto farIndex = static_cast<std::size_t>(column - DenseColumns);
    if (farIndex >= far_.size()) {
        if (text.empty()) {
            return;
        }
        far_.resize(farIndex + 1);
    }
    std::vector<TFarCell>& cells = far_[farIndex];
    auto found = cells.end();
    if (!cells.empty() && cells.back().Row >= row) {
        found = std::lower_bound(cells.begin(), cells.end(), row,
                                 [](const TFarCell& cell, int r) { return cell.Row < r; });
    }
    if (found != cells.end() && found->Row == row) {
        const TCell made = MakeCell(text);
        Release(found->Cell);
        if (text.empty()) {
            cells.erase(found);
        } else {
            found->Cell = made;
        }
    } else if (!text.empty()) {
        cells.insert(found, TFarCell{row, MakeCell(text)});
    }
}
