#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "package/data_file.h"
#include "platform/string_list.h"

namespace zelforge {

// Values of AuthoringState; the numbers are the ones the tool has always used.
enum class AuthoringMode : int32_t { Selecting = 0, Marking = 1 };

// The authoring tool's program-wide state, one instance shared by the
// authoring window and the settings dialog. Zero or empty until the package
// is started.
struct AuthoringVars {
    // Absolute folder of the package with its final '/', in the file system's
    // encoding. Made absolute when the package starts, so moving about in the
    // file list can neither scatter the package nor redirect its clean-up.
    std::string PackageFolder;
    // Where the applier copy goes when the package is finished: PackageFolder
    // plus the file name part of what the author typed.
    std::string DistributionPath;
    // The open "zelfin.dat"; null until started or when its creation failed.
    std::unique_ptr<package::DataFileWriter> DataFile;
    // Code page 932 lines.
    platform::TStringList ControlList;
    int32_t EntryNumber = 0;
    int32_t DataOffset = 0;
    AuthoringMode AuthoringState = AuthoringMode::Selecting;

    // The old JPEG of the current intake: name without folder in code page
    // 932, and its size in bytes when the marking began.
    std::string OldFileName;
    int32_t OldFileSize = 0;

    // Corners of the update rectangle; an x of -1 means not set.
    int32_t X1 = 0;
    int32_t Y1 = 0;
    int32_t X2 = 0;
    int32_t Y2 = 0;

    bool PackageFinished = false;
    bool SettingsAccepted = false;
    // Set when the program is asked to end before its message loop runs.
    bool TerminateRequested = false;
};

}  // namespace zelforge
