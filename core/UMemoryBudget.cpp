#include "UMemoryBudget.h"

#include <sys/sysinfo.h>

#include <algorithm>
#include <fstream>
#include <limits>

namespace {

constexpr std::uint64_t Unknown = std::numeric_limits<std::uint64_t>::max();

// The "MemAvailable:" line of /proc/meminfo, in bytes.
std::uint64_t KernelAvailableBytes() {
    std::ifstream meminfo("/proc/meminfo");
    std::string name;
    std::uint64_t kilobytes = 0;
    std::string unit;
    while (meminfo >> name >> kilobytes >> unit) {
        if (name == "MemAvailable:") {
            return kilobytes * 1024;
        }
    }
    struct sysinfo info {};
    if (sysinfo(&info) == 0) {
        return (static_cast<std::uint64_t>(info.freeram) + info.bufferram) * info.mem_unit;
    }
    return Unknown;
}

std::uint64_t ReadNumberFile(const char* path) {
    std::ifstream file(path);
    std::uint64_t value = 0;
    return file >> value ? value : Unknown;
}

// A control group's memory.max less its memory.current; unknown without a limit.
std::uint64_t ControlGroupAvailableBytes() {
    const std::uint64_t limit = ReadNumberFile("/sys/fs/cgroup/memory.max");
    const std::uint64_t used = ReadNumberFile("/sys/fs/cgroup/memory.current");
    if (limit == Unknown || used == Unknown) {
        return Unknown;
    }
    return limit > used ? limit - used : 0;
}

class TMachineMemory : public TMemoryProbe {
public:
    std::uint64_t AvailableBytes() const override {
        return std::min(KernelAvailableBytes(), ControlGroupAvailableBytes());
    }
};

} // namespace

const TMemoryProbe& MachineMemory() {
    static const TMachineMemory machine;
    return machine;
}

std::uint64_t WindowBytesFor(std::uint64_t dataSets) {
    constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    return dataSets > most / WindowBytesPerDataSet ? most : dataSets * WindowBytesPerDataSet;
}

// Whole units from 10 on, one decimal below; "." whatever the locale.
std::string ByteAmount(std::uint64_t bytes) {
    const char* const units[] = {"bytes", "KB", "MB", "GB", "TB", "PB", "EB"};
    std::uint64_t scale = 1;
    std::size_t unit = 0;
    while (bytes / scale >= 1000 && unit + 1 < std::size(units)) {
        scale *= 1000;
        ++unit;
    }
    const std::uint64_t whole = bytes / scale;
    if (unit == 0 || whole >= 10) {
        return std::to_string(whole) + " " + units[unit];
    }
    const std::uint64_t tenth = (bytes % scale) / (scale / 10);
    return std::to_string(whole) + "." + std::to_string(tenth) + " " + units[unit];
}

std::string MemoryShortageText(std::uint64_t neededBytes, std::uint64_t availableBytes) {
    return "about " + ByteAmount(neededBytes) + " would be needed and " +
           ByteAmount(availableBytes) + " is available";
}
