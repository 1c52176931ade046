#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "authoring_log.h"
#include "authoring_vars.h"
#include "platform/picture_holder.h"

class Gra;

namespace zelforge {

struct RecordSettings {
    // The difference quality when rectangles are recorded as JPEG; empty for BMP.
    std::optional<int32_t> jpegQuality;
};

enum class RecordVerdict {
    Recorded,
    NotReady,               // not Marking, no proper rectangle, or no package: nothing happened
    WorkingFileNotWritten,  // the working file could not be created or fully written
    JpegNotMade,            // the image library could not re-encode the working file
    WorkingFileUnreadable,  // the working file could not be read back, or was empty
    DataFileFull,           // the blob would take the data file to 2 GiB or more
    DataFileNotWritten,     // the append failed; the data file was cut back
};

struct RecordResult {
    RecordVerdict verdict = RecordVerdict::NotReady;
    std::string workingFile;  // the working file's path, for the messages
};

// OK on a marked rectangle: the rectangle of the clean update image (image2)
// goes through a working file in the package folder as a 24-bit BMP,
// re-encoded as JPEG when asked, is scrambled with the old picture's width
// (image1's) and appended to the data file; the entry's six lines go to the
// control list and its line to the log.
//
// On Recorded: X2 and Y2 hold the rectangle's width and height, the counters
// have moved on, the state is Selecting, image1 has no picture and image2
// holds the rectangle.
// On any other verdict nothing has changed: not the data file, the control
// list, the log, the counters, the corners or either picture, so OK can
// simply be pressed again. No working file is left behind either way.
[[nodiscard]] RecordResult RecordEntry(AuthoringVars &vars, platform::PictureHolder &image1,
                                       platform::PictureHolder &image2, const RecordSettings &settings,
                                       const Gra &gra, AuthoringLog &log);

// The message for a verdict other than Recorded, NotReady and
// WorkingFileNotWritten (which is the platform's own file-creation report).
// Caption "ｴﾗｰ", flags 16.
[[nodiscard]] std::string RecordFailureText(const RecordResult &result, const AuthoringVars &vars);

}  // namespace zelforge
