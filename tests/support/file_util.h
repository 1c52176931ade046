#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The whole file. Throws std::runtime_error when it cannot be read.
[[nodiscard]] std::vector<uint8_t> ReadFile(const std::string &path);
// Creates or replaces the file with exactly these bytes. Throws
// std::runtime_error on any failure.
void WriteFile(const std::string &path, const std::vector<uint8_t> &bytes);
void WriteFile(const std::string &path, const std::string &bytes);
[[nodiscard]] bool FileExists(const std::string &path);

}  // namespace testsupport
