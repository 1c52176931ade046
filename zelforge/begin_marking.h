#pragma once
#include <string>

#include "authoring_vars.h"
#include "platform/picture_holder.h"

namespace zelforge {

enum class MarkingStart {
    Started,
    SizeDiffers,        // the update image is not the old picture's size
    NameNotRecordable,  // no code page 932 form, a control character, a separator
    OldFileUnreadable,  // gone or not a readable file since it was listed
    OldFileTooLarge,    // 2 GiB or more: the package's size lines are 32-bit
};

// Takes the update image in image2 as the one to mark on the old JPEG at
// selectedPath (shown in image1). On Started: OldFileName and OldFileSize
// describe the old file, image1 carries a copy of image2, both corners are
// unset and AuthoringState is Marking. On any refusal nothing has changed.
[[nodiscard]] MarkingStart BeginMarking(platform::PictureHolder &image1,
                                        const platform::PictureHolder &image2,
                                        const std::string &selectedPath, AuthoringVars &vars);

// The message box text for a refusal; displayName is the old file's name as
// the author sees it. Every refusal uses the caption "ｴﾗｰ" and flags 16.
[[nodiscard]] std::string MarkingRefusalText(MarkingStart verdict, const std::string &displayName);

}  // namespace zelforge
