// What a table of data sets costs the program and whether the machine can
// give it, so that a table too large is refused with a message before it is
// read or allocated, never by the program running out of memory.
#pragma once

#include <cstdint>
#include <string>

// Where the memory the machine can still give comes from; the tests put a
// small machine in its place.
class TMemoryProbe {
public:
    virtual ~TMemoryProbe() = default;
    virtual std::uint64_t AvailableBytes() const = 0;
};

// The machine's own: what the kernel reports as available (MemAvailable),
// lowered to what the memory limits of the program's control group and the
// groups above it leave, and to what its address-space limit (RLIMIT_AS)
// leaves beyond what it maps now.
const TMemoryProbe& MachineMemory();

// An upper estimate of what one data set costs the window at its peak: the
// store's six columns, a file's columns while they are read, the grid's four
// cells and the view's row, the graph's points and the saved file's line.
// bench/window measures about 200 bytes; the estimate leaves room for the
// allocator and for what a session keeps between its commands.
constexpr std::uint64_t WindowBytesPerDataSet = 400;

// Bytes for `dataSets` data sets in the window, without overflowing.
std::uint64_t WindowBytesFor(std::uint64_t dataSets);

// "about 3.2 GB" style amounts for messages.
std::string ByteAmount(std::uint64_t bytes);

// The end of a refusal: what would be needed and what is available.
std::string MemoryShortageText(std::uint64_t neededBytes, std::uint64_t availableBytes);
