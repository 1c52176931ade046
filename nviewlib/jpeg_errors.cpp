#include "nviewlib/jpeg_errors.h"

namespace nviewlib {

namespace {

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto *trap = reinterpret_cast<JpegErrorTrap *>(cinfo->err);
    std::longjmp(trap->jump, 1);
}

bool HarmlessWarning(int code) {
    switch (code) {
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_ADOBE_XFORM:
    case JWRN_JFIF_MAJOR:
    case JWRN_BOGUS_ICC:
        return true;
    default:
        return false;
    }
}

void EmitMessage(j_common_ptr cinfo, int level) {
    // level < 0 is a warning; levels >= 0 are trace messages, never shown.
    if (level < 0 && !HarmlessWarning(cinfo->err->msg_code)) ErrorExit(cinfo);
}

}  // namespace

jpeg_error_mgr *InstallErrorTrap(JpegErrorTrap &trap) {
    jpeg_std_error(&trap.pub);
    trap.pub.error_exit = ErrorExit;
    trap.pub.emit_message = EmitMessage;
    return &trap.pub;
}

}  // namespace nviewlib
