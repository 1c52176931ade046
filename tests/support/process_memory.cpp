#include "tests/support/process_memory.h"

#include <cstdio>

namespace testsupport {

long PeakResidentKiB() {
    FILE *status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmHWM: %ld", &kib) == 1) break;
    }
    std::fclose(status);
    return kib;
}

}  // namespace testsupport
