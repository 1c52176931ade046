#pragma once
#include <functional>
#include <memory>
#include <string>

#include "entry_passes.h"
#include "failure.h"
#include "imagelib/gra.h"
#include "package/data_file.h"
#include "platform/string_list.h"

namespace zelfin {

// Asks the user for the target folder; the title is header line 0 as UTF-8.
// Returns the chosen folder as a file-system path, empty when none was given.
using FolderPrompt = std::function<std::string(const std::string &titleUtf8)>;

struct RunOutcome {
    enum class Kind {
        Result,   // the window shows failure (Failure::None means success)
        EndQuietly,  // the prompt gave no folder: the program ends, nothing shown
    };
    Kind kind = Kind::Result;
    Failure failure = Failure::None;
};

// What the run keeps alive until the program ends: the data file stays open
// after a failure, as the run leaves it.
struct RunState {
    platform::TStringList controlList;
    std::unique_ptr<package::DataFileReader> dataFile;
};

// The applier's whole run, in order: bind the library, find the package in
// programFolder ('/'-terminated), prompt for the target folder, read the
// quality and backup lines, verify, apply. Platform failures (an unreadable
// control list, a missing header line, a line that is not an integer, a
// working file the composite cannot be written to) are thrown for the
// program's top-level report.
[[nodiscard]] RunOutcome RunApplier(Gra &gra, const std::string &programFolder, const FolderPrompt &prompt,
                                    const PictureHolders &holders, RunState &state);

}  // namespace zelfin
