#pragma once
#include <cstdlib>
#include <memory>
#include <string>

#include "imagelib/gra.h"
#include "nviewlib/nviewlib.h"
#include "tests/support/picture.h"
#include "tests/support/temp_dir.h"

namespace nvtest {

struct BitmapFree {
    void operator()(NvBitmap *b) const { std::free(b); }
};
// A handle as the programs hold it: released with a single free().
using Bitmap = std::unique_ptr<NvBitmap, BitmapFree>;

// A private instance of the built NVIEWLIB.DLL, bound the way the programs
// bind it (Gra: dlopen by full path, names looked up one by one). dlopen
// shares one instance per file, so the library is copied into a scratch
// folder first: every test starts with nothing loaded and nothing
// remembered. Construction throws when any of the six names is missing.
class LibraryInstance {
public:
    LibraryInstance();
    LibraryInstance(const LibraryInstance &) = delete;
    LibraryInstance &operator=(const LibraryInstance &) = delete;

    [[nodiscard]] Bitmap Load(const std::string &path, int32_t flag = 0) const;
    [[nodiscard]] int32_t Save(int32_t quality, const std::string &path) const;
    [[nodiscard]] Bitmap LoadJpg(const std::string &path) const;
    [[nodiscard]] Bitmap LoadGif(const std::string &path) const;

    // The raw entry points, for calls the wrappers above cannot make.
    const Gra &raw() const { return gra_; }

private:
    testsupport::TempDir folder_;
    Gra gra_;
};

// The pixels of a handle, checked for the ABI's promises on the way: sizes
// positive, and the top byte of every pixel 0 (reported as a test failure).
[[nodiscard]] testsupport::Picture ToPicture(const NvBitmap &bitmap);

}  // namespace nvtest
