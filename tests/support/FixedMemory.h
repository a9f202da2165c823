// A machine with a set amount of available memory, in place of the real one;
// the benchmarks of bench/window drive the real machine's.
#pragma once

#include "UMemoryBudget.h"

class TFixedMemory : public TMemoryProbe {
public:
    explicit TFixedMemory(std::uint64_t bytes) : bytes_(bytes) {}
    std::uint64_t AvailableBytes() const override { return bytes_; }

private:
    std::uint64_t bytes_;
};
