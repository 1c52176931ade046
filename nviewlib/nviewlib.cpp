// The exported entry points. Each one serialises on one lock (the state is
// shared) and turns any C++ exception into its failure value: nothing may
// unwind into a caller that knows only the C ABI.
#include "nviewlib/nviewlib.h"

#include <mutex>

#include "nviewlib/decode_file.h"
#include "nviewlib/library_state.h"

namespace {

std::mutex &Lock() {
    static std::mutex lock;
    return lock;
}

nviewlib::LibraryState &State() {
    static nviewlib::LibraryState state;
    return state;
}

}  // namespace

extern "C" {

HBITMAP NViewLibLoad(const char *path, int32_t flag) {
    try {
        std::lock_guard<std::mutex> guard(Lock());
        return State().Load(path, flag);
    } catch (...) {
        return nullptr;
    }
}

int32_t NViewLibSaveAsJPG(int32_t quality, const char *path) {
    try {
        std::lock_guard<std::mutex> guard(Lock());
        return State().Save(quality, path);
    } catch (...) {
        return 0;
    }
}

void NViewLibSetLanguage(int32_t) {}

void NViewLibSetCustomLang(const char *) {}

HBITMAP Load_JPG(const char *path) {
    try {
        return nviewlib::DecodeFile(path, nviewlib::kAcceptJpeg, nullptr).release();
    } catch (...) {
        return nullptr;
    }
}

HBITMAP Load_GIF(const char *path) {
    try {
        return nviewlib::DecodeFile(path, nviewlib::kAcceptGif, nullptr).release();
    } catch (...) {
        return nullptr;
    }
}

}  // extern "C"
