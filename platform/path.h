#pragma once
#include <string>
#include <string_view>

namespace platform {

inline constexpr char kPathSeparator = '/';

// Everything up to and including the last '/'; empty when there is none.
[[nodiscard]] std::string ExtractFilePath(std::string_view path);

// Everything after the last '/'.
[[nodiscard]] std::string ExtractFileName(std::string_view path);

// Full path of the running executable (from /proc/self/exe).
[[nodiscard]] std::string ExecutablePath();

// ExtractFilePath(ExecutablePath()): the program's own folder, with its '/'.
[[nodiscard]] std::string ExecutableFolder();

}  // namespace platform
