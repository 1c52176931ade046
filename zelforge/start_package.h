#pragma once
#include <string>

#include "authoring_log.h"
#include "authoring_vars.h"
#include "settings_check.h"

namespace zelforge {

enum class StartResult { Started, DataFileNotCreated };

// Starts a package: creates "zelfin.dat" empty in the package folder
// (replacing an old one), logs the folder, resets the counters and puts the
// six header lines into the control list.
//
// The package folder is the folder part of the distribution file name. A name
// without one, or with a relative one, is taken against currentFolder (an
// absolute path) now, once: the file list changes the process's current
// folder, and a package must neither spread over several folders nor have
// its clean-up delete another folder's data file.
//
// On DataFileNotCreated, PackageFolder holds the new folder, DataFile is null
// and nothing else has changed.
[[nodiscard]] StartResult StartPackage(const CheckedSettings &settings, AuthoringVars &vars,
                                       AuthoringLog &log, const std::string &currentFolder);

// The package folder for a distribution file name: its folder part with the
// final '/', made absolute against currentFolder.
[[nodiscard]] std::string PinnedPackageFolder(const std::string &distributionFile,
                                              const std::string &currentFolder);

}  // namespace zelforge
