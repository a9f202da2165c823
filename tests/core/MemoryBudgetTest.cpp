#include "UMemoryBudget.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

// `ulimit -v`: no more is available than what the address-space limit
// leaves beyond what the process maps now.
TEST(MemoryBudget, AddressSpaceLimitBoundsTheAvailableMemory) {
    constexpr std::uint64_t Headroom = std::uint64_t{64} << 20;
    std::uint64_t mappedPages = 0;
    ASSERT_TRUE(std::ifstream("/proc/self/statm") >> mappedPages);
    struct rlimit original {};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &original), 0);
    struct rlimit limited = original;
    limited.rlim_cur = mappedPages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) + Headroom;
    if (limited.rlim_cur > original.rlim_max) {
        GTEST_SKIP() << "the hard limit leaves no room for the test";
    }
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
    const std::uint64_t available = MachineMemory().AvailableBytes();
    ASSERT_EQ(setrlimit(RLIMIT_AS, &original), 0);
    // Less what reading the map itself mapped, give or take a megabyte.
    EXPECT_LE(available, Headroom + (1 << 20));
    EXPECT_GT(available, Headroom / 2);
}
