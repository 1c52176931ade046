#pragma once

namespace testsupport {

// The high-water mark of this process's resident memory (VmHWM), in KiB;
// -1 when it cannot be read.
[[nodiscard]] long PeakResidentKiB();

}  // namespace testsupport
