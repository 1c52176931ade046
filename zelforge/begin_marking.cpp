#include "begin_marking.h"

#include <cstdio>

#include "package/data_file.h"
#include "package/package_files.h"
#include "platform/bitmap.h"
#include "platform/cp932.h"
#include "platform/file.h"
#include "platform/path.h"
#include "texts.h"

namespace zelforge {

MarkingStart BeginMarking(platform::PictureHolder &image1, const platform::PictureHolder &image2,
                          const std::string &selectedPath, AuthoringVars &vars) {
    if (image1.Width() != image2.Width() || image1.Height() != image2.Height())
        return MarkingStart::SizeDiffers;

    // The name line travels to another system as code page 932 bytes; a name
    // that does not survive that, or that the applier would refuse to join to
    // its target folder, must not be recorded at all.
    const auto name = platform::Utf8ToCp932(platform::ExtractFileName(selectedPath));
    if (!name || !package::IsSafeEntryName(*name)) return MarkingStart::NameNotRecordable;

    int64_t size = -1;
    {
        platform::File file = platform::File::OpenRead(selectedPath);
        if (file.IsOpen()) size = file.Seek(0, SEEK_END);
    }
    if (size < 0) return MarkingStart::OldFileUnreadable;
    if (size > package::kMaxDataFileSize) return MarkingStart::OldFileTooLarge;

    vars.OldFileName = *name;
    vars.OldFileSize = static_cast<int32_t>(size);

    const NvBitmap *update = image2.Picture();
    NvBitmap *shown = image1.Canvas();
    if (update != nullptr && shown != nullptr)
        platform::BitBlt(*shown, 0, 0, image1.Width(), image1.Height(), *update, 0, 0);

    vars.X1 = -1;
    vars.X2 = -1;
    vars.AuthoringState = AuthoringMode::Marking;
    return MarkingStart::Started;
}

std::string MarkingRefusalText(MarkingStart verdict, const std::string &displayName) {
    switch (verdict) {
    case MarkingStart::SizeDiffers: return texts::kSizeDiffers;
    case MarkingStart::NameNotRecordable: return displayName + texts::kNameNotRecordableSuffix;
    case MarkingStart::OldFileUnreadable: return displayName + texts::kOldFileUnreadableSuffix;
    case MarkingStart::OldFileTooLarge: return displayName + texts::kOldFileTooLargeSuffix;
    case MarkingStart::Started: break;
    }
    return std::string();
}

}  // namespace zelforge
