#pragma once
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace nviewlib {

// libjpeg reports errors by calling error_exit, which must not return. We
// longjmp back to the setjmp in the function that drives libjpeg; only C
// frames of libjpeg and our trivial callbacks lie in between, so no C++
// destructor is skipped.
struct JpegErrorTrap {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// Installs the trap on cinfo-to-be. Nothing is ever printed.
//
// Warnings: libjpeg carries on after "corrupt data" warnings and fills the
// missing part of the picture with grey. A patch applied to such a picture
// would silently damage it, so every warning counts as a failure except the
// harmless ones: stray bytes between segments (written by some cameras), an
// unknown Adobe transform or JFIF revision, and a malformed ICC chunk (the
// profile is then just not kept).
jpeg_error_mgr *InstallErrorTrap(JpegErrorTrap &trap);

}  // namespace nviewlib
