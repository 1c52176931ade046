#include "entry_paths.h"

#include "package/package_files.h"
#include "platform/cp932.h"

namespace zelfin {

std::optional<EntryPaths> MakeEntryPaths(const std::string &targetFolder, const std::string &cp932Name) {
    if (!package::IsSafeEntryName(cp932Name)) return std::nullopt;
    const std::optional<std::string> name = platform::Cp932ToUtf8(cp932Name);
    if (!name) return std::nullopt;

    EntryPaths paths;
    paths.target = targetFolder + *name;
    if (cp932Name.back() != '~') {
        std::string backupName = cp932Name;
        backupName.back() = '~';
        // A trail byte turned into '~' may leave a pair with no character
        // behind it; then there is no backup name and the copy fails.
        if (const std::optional<std::string> converted = platform::Cp932ToUtf8(backupName)) {
            paths.backup = targetFolder + *converted;
        }
    }
    return paths;
}

}  // namespace zelfin
