#include "tests/support/library_path.h"

namespace testsupport {

std::string DistDir() { return ZEL_DIST_DIR_PATH; }
std::string NViewLibPath() { return ZEL_NVIEWLIB_PATH; }

}  // namespace testsupport
