#include "UMemoryBudget.h"

#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <string>

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

// The files of one control group's limit and use, in bytes.
struct TGroupFiles {
    const char* Mount;
    const char* Limit;
    const char* Used;
};
// The unified hierarchy, and the memory controller's own of the older one.
constexpr TGroupFiles UnifiedGroup = {"/sys/fs/cgroup", "/memory.max", "/memory.current"};
constexpr TGroupFiles MemoryGroup = {"/sys/fs/cgroup/memory", "/memory.limit_in_bytes",
                                     "/memory.usage_in_bytes"};

// A group's limit less its use; unknown without a limit.
std::uint64_t GroupAvailableBytes(const std::string& folder, const TGroupFiles& files) {
    const std::uint64_t limit = ReadNumberFile((folder + files.Limit).c_str());
    const std::uint64_t used = ReadNumberFile((folder + files.Used).c_str());
    if (limit == Unknown || used == Unknown) {
        return Unknown;
    }
    return limit > used ? limit - used : 0;
}

// The group `path` and every group above it: the tightest of their limits holds.
std::uint64_t GroupsAvailableBytes(std::string path, const TGroupFiles& files) {
    const std::string mount = files.Mount;
    std::uint64_t available = GroupAvailableBytes(mount, files);
    while (path.size() > 1 && path.front() == '/' && path.find("..") == std::string::npos) {
        available = std::min(available, GroupAvailableBytes(mount + path, files));
        path.erase(path.find_last_of('/'));
    }
    return available;
}

// The process's groups as /proc/self/cgroup names them: "0::/path" in the
// unified hierarchy, "N:memory:/path" (among other controllers) in the older one.
std::uint64_t ControlGroupAvailableBytes() {
    std::ifstream membership("/proc/self/cgroup");
    std::string line;
    std::uint64_t available = Unknown;
    while (std::getline(membership, line)) {
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string path = line.substr(second + 1);
        if (controllers.empty()) {
            available = std::min(available, GroupsAvailableBytes(path, UnifiedGroup));
        } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
            available = std::min(available, GroupsAvailableBytes(path, MemoryGroup));
        }
    }
    return std::min(available, GroupAvailableBytes(UnifiedGroup.Mount, UnifiedGroup));
}

// What `ulimit -v` leaves: the address-space limit less what the process
// maps now; unknown without a limit.
std::uint64_t AddressSpaceAvailableBytes() {
    struct rlimit limit {};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return Unknown;
    }
    std::ifstream statm("/proc/self/statm");
    std::uint64_t mappedPages = 0;
    const long pageBytes = sysconf(_SC_PAGESIZE);
    if (!(statm >> mappedPages) || pageBytes <= 0) {
        return Unknown;
    }
    const std::uint64_t mapped = mappedPages * static_cast<std::uint64_t>(pageBytes);
    const auto most = static_cast<std::uint64_t>(limit.rlim_cur);
    return most > mapped ? most - mapped : 0;
}

class TMachineMemory : public TMemoryProbe {
public:
    std::uint64_t AvailableBytes() const override {
        return std::min(
            {KernelAvailableBytes(), ControlGroupAvailableBytes(), AddressSpaceAvailableBytes()});
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
