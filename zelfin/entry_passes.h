#pragma once
#include <cstdint>
#include <string>

#include "failure.h"
#include "imagelib/gra.h"
#include "package/data_file.h"
#include "platform/picture_holder.h"
#include "platform/string_list.h"

namespace zelfin {

// The three work pictures of the result window: their sizes carry over from
// entry to entry, exactly as self-sizing image controls do.
struct PictureHolders {
    platform::PictureHolder &oldPicture;
    platform::PictureHolder &composite;
    platform::PictureHolder &block;
};

// Checks that every entry's file lies in targetFolder (UTF-8, ending in '/')
// with exactly its recorded size. Writes nothing.
// FileMissing: a file cannot be opened, or its name is not a plain file name.
// SizeMismatch: a size differs. Throws ConvertError for a size line that is
// not an integer (looked at only once the file opened).
[[nodiscard]] Failure VerifyEntries(const platform::TStringList &list, const std::string &targetFolder);

struct ApplySettings {
    std::string targetFolder;  // UTF-8, ending in '/'
    int32_t quality = 0;
    bool backup = false;
};

// Patches every entry in order: optional backup, old picture decoded, block
// read forward from dataFile and descrambled, pasted at (x, y), saved over the
// target as JPEG. A target is only ever replaced by a complete new file, and
// everything an entry needs is checked before its target is touched; entries
// before a failing one stay applied. No working file is left behind.
// Throws ConvertError for an x, y or length line that is not an integer, and
// FileCreateError when the composite cannot be written to the working file.
[[nodiscard]] Failure ApplyEntries(const platform::TStringList &list, package::DataFileReader &dataFile,
                                   const ApplySettings &settings, const PictureHolders &holders,
                                   const Gra &gra);

}  // namespace zelfin
