#include "UMemoryBudget.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

// `ulimit -v`: the machine's memory is no more than what the address-space
// limit leaves beyond what the process maps now.
TEST(MemoryBudget, AddressSpaceLimitBoundsTheAvailableMemory) {
    struct rlimit original {};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &original), 0);
    const std::uint64_t unlimited = MachineMemory().AvailableBytes();
    constexpr std::uint64_t Headroom = std::uint64_t{64} << 20;
    // Mapped now: whatever the probe reads must fit under this limit.
    std::uint64_t mapped = 0;
    {
        FILE* statm = std::fopen("/proc/self/statm", "r");
        ASSERT_NE(statm, nullptr);
        unsigned long long pages = 0;
        ASSERT_EQ(std::fscanf(statm, "%llu", &pages), 1);
        std::fclose(statm);
        mapped = pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    }
    struct rlimit limited = original;
    limited.rlim_cur = static_cast<rlim_t>(mapped + Headroom);
    if (original.rlim_max != RLIM_INFINITY && limited.rlim_cur > original.rlim_max) {
        GTEST_SKIP() << "the hard limit leaves no room for the test";
    }
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
    const std::uint64_t available = MachineMemory().AvailableBytes();
    ASSERT_EQ(setrlimit(RLIMIT_AS, &original), 0);
    EXPECT_LE(available, Headroom);
    EXPECT_GT(available, Headroom / 2);
    EXPECT_LT(available, unlimited);
}
