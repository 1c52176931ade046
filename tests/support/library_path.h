#pragma once
#include <string>

namespace testsupport {

// The tool folder of this build (where programs and NVIEWLIB.DLL land),
// without a trailing '/'.
[[nodiscard]] std::string DistDir();
// Full path of the built NVIEWLIB.DLL: dlopen needs a path, a bare name is
// not looked up in the current folder.
[[nodiscard]] std::string NViewLibPath();

}  // namespace testsupport
