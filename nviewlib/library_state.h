#pragma once
#include <cstdint>
#include <string>

#include "nviewlib/jpeg_metadata.h"
#include "nviewlib/retained_picture.h"
#include "platform/nv_bitmap.h"

namespace nviewlib {

// What the library remembers between calls: the picture of the latest
// successful load (see RetainedPicture) and the metadata of a flag-1 load.
//
// A load that fails changes nothing: the previous picture can still be saved
// and the remembered metadata stays. A successful load with flag 1 replaces
// the remembered metadata with its file's (empty for non-JPEG files); one
// with flag 0 forgets the metadata if it was remembered for the same path
// and keeps it otherwise. A save writes the metadata back only when its path
// is the remembered one, compared as strings.
class LibraryState {
public:
    // Decodes path (any supported format) into a new handle.
    [[nodiscard]] HBITMAP Load(const char *path, int32_t flag);
    // Encodes the retained picture to path; 1 written, 0 failed or nothing
    // loaded yet.
    [[nodiscard]] int32_t Save(int32_t quality, const char *path);

private:
    RetainedPicture picture_;
    bool have_metadata_ = false;
    std::string metadata_path_;
    JpegMetadata metadata_;
};

}  // namespace nviewlib
