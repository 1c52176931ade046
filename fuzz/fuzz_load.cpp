// Arbitrary bytes through NViewLibLoad, as any file a user drops would go:
// format sniffing, all four decoders, metadata capture (flag 1), and for
// files that decode, a save that writes that metadata back.
#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "memory_file.h"
#include "nviewlib/nviewlib.h"

namespace {

std::string g_folder;
std::string g_target;

void RemoveSaveFolder() {
    unlink(g_target.c_str());
    rmdir(g_folder.c_str());
}

// A save writes a file, fsyncs and renames it: keep that in memory too.
// libFuzzer ends a timed run with exit(), which runs the clean-up.
const std::string &SaveTarget() {
    if (g_target.empty()) {
        g_folder = "/dev/shm/nvfuzz-" + std::to_string(getpid());
        mkdir(g_folder.c_str(), 0700);
        g_target = g_folder + "/out.jpg";
        std::atexit(RemoveSaveFolder);
    }
    return g_target;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string &path = zelfuzz::PutInMemoryFile(data, size);
    HBITMAP bitmap = NViewLibLoad(path.c_str(), 1);
    if (bitmap == nullptr) return 0;
    const size_t count = static_cast<size_t>(bitmap->width) * static_cast<size_t>(bitmap->height);
    uint32_t top_bits = 0;
    // Reading every pixel lets AddressSanitizer catch a block shorter than
    // its size says; the ABI promises a zero top byte in each.
    for (size_t i = 0; i < count; ++i) top_bits |= bitmap->pixels[i];
    if ((top_bits >> 24) != 0) std::abort();
    // Only small pictures: the encoder is not what is fuzzed here, the
    // metadata it copies from the input is.
    if (count <= 256 * 256) NViewLibSaveAsJPG(90, SaveTarget().c_str());
    std::free(bitmap);
    return 0;
}
