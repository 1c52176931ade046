#pragma once
#include <optional>
#include <string>

namespace zelfin {

// The file-system paths of one entry. The name line is code page 932; the
// target folder is a file-system (UTF-8) path ending in '/'.
struct EntryPaths {
    std::string target;
    // The backup rule works on the code page 932 bytes: the last byte of the
    // name becomes '~'. Empty when that gives no name the file system can
    // hold, or a name equal to the target (a name already ending in '~').
    std::string backup;
};

// nullopt when the name may not be joined to the folder (see IsSafeEntryName).
[[nodiscard]] std::optional<EntryPaths> MakeEntryPaths(const std::string &targetFolder,
                                                       const std::string &cp932Name);

}  // namespace zelfin
