#pragma once

namespace zelfin {

// The outcomes the result window can show. The passes return which one; the
// window turns it into the user's text.
enum class Failure {
    None,
    FileMissing,    // a file is not there, or cannot be read
    SizeMismatch,   // a target's size differs from the recorded one
    WriteFailed,    // a backup, the working file, a picture or the save failed
};

// The user's text for a failure, UTF-8; empty for None.
[[nodiscard]] const char *FailureText(Failure failure);

}  // namespace zelfin
