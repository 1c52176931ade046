#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace zelfuzz {

// The library reads files by path. A memfd stands in for a file on disk:
// it is a regular file to fstat, and writing it costs no disk traffic.
// Returns the path ("/proc/self/fd/N") of a file holding exactly data.
const std::string &PutInMemoryFile(const uint8_t *data, size_t size);

}  // namespace zelfuzz
