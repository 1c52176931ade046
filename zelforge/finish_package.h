#pragma once
#include <optional>
#include <string>
#include <vector>

#include "authoring_vars.h"

namespace zelforge {

struct FailedCopy {
    std::string from;
    std::string to;
};

// Finishing a package the author confirmed, with the applier template
// "zelfin.exx" and "NVIEWLIB.DLL" taken from toolFolder ('/'-terminated).
//
// The control list is saved as "zelfin.ini" first: when that fails the
// platform's FileCreateError is thrown before anything else happened, so the
// data file is still open and the author can go on, finish again or cancel.
// Then the data file is closed, the template is copied to the distribution
// file (keeping its executable bit) and the library into the package folder,
// and PackageFinished is set. The copies that failed are returned, for the
// author to be told instead of a completion message; a distribution file
// named like a package member is never copied over that member.
// Empty, with nothing done, when no package is open.
[[nodiscard]] std::optional<std::vector<FailedCopy>> FinishPackage(AuthoringVars &vars,
                                                                   const std::string &toolFolder);

// The completion message: the four files to distribute, one a line.
// distributionName is the distribution file's name without its folder.
[[nodiscard]] std::string CompletionText(const std::string &distributionName);

// The message instead of the completion one when copies failed.
[[nodiscard]] std::string CopyFailureText(const std::vector<FailedCopy> &failed);

// A confirmed cancel: closes the data file this package created and deletes
// it; the control list is never saved. Nothing when no package is open.
void CancelPackage(AuthoringVars &vars);

}  // namespace zelforge
