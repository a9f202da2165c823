// Spreads a block of cells pasted from the clipboard over the data grid and
// takes the whole grid into the store. Plain C++ over a grid interface, so the
// window, the tests and the fuzzer share it.
#pragma once

#include "UDMTylwen.h"
#include "UFloatMath.h"
#include "UGridCells.h"
#include "UMemoryBudget.h"

#include <exception>
#include <string>

class TUserDialogs;

// The count field's text ("Edit1") as the paste sets it.
class TCountField {
public:
    virtual ~TCountField() = default;
    virtual void SetText(const std::string& text) = 0;
};

// True when an edited cell's text holds a tab or a line break, that is when
// it is a block of cells rather than one typed value.
bool IsMultiCellPaste(const std::string& text);

// The lines a pasted block fills: every line break ends one (CR LF is one
// break), and text after the last break is one more; at least one.
std::size_t PastedLineCount(const std::string& text);

// What a block of `lines` lines and `textBytes` bytes pasted at `row` costs
// the window at most.
std::uint64_t PasteBytesNeeded(const TGridCells& grid, int row, std::size_t lines,
                               std::size_t textBytes);

// A block refused before it touched the grid, such as one too large for the
// memory available; the text says why.
class EPasteRefused : public EApplicationError {
public:
    using EApplicationError::EApplicationError;
};

// Raised through the paste by a grid whose progress the user cancelled; the
// caller gives the grid back as it was.
class EPasteCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "The paste was cancelled"; }
};

// `text` is the edited cell's new text: what it held plus the clipboard text.
// Raises the conversion error of the first value cell that holds no number,
// and EPasteRefused for a block the machine's memory cannot take. The store
// changes only once the grid has been read: a paste that runs out of memory
// or is cancelled on the way leaves the store as it was, and only the grid
// for its caller to give back.
void HandlePasteMultiCell(TGridCells& grid, int column, int row, const std::string& text,
                          TCountField& countField, TUserDialogs& dialogs,
                          TDMTylwen& store = DMTylwen,
                          const TMemoryProbe& memory = MachineMemory());
