// The benchmarks' measure of memory: the process's peak resident set.
#pragma once

#include <fstream>
#include <string>

// VmHWM of /proc/self/status in kilobytes; 0 where the system does not say.
inline long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        long kilobytes = 0;
        if (name == "VmHWM:" && status >> kilobytes) {
            return kilobytes;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}
