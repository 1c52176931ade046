#include "nviewlib/decode_file.h"

#include "nviewlib/bmp_decoder.h"
#include "nviewlib/gif_decoder.h"
#include "nviewlib/input_file.h"
#include "nviewlib/jpeg_decoder.h"
#include "nviewlib/png_decoder.h"

namespace nviewlib {

BitmapBlock DecodeFile(const char *path, unsigned accept, JpegMetadata *keep) {
    if (keep != nullptr) *keep = JpegMetadata{};
    InputFile file;
    if (path == nullptr || !file.Open(path)) return nullptr;
    uint8_t head[kSniffBytes];
    const size_t got = file.ReadAt(0, head, sizeof head);
    const ImageFormat format = SniffFormat(head, got);
    if ((accept & (1u << static_cast<unsigned>(format))) == 0) return nullptr;
    switch (format) {
    case ImageFormat::kJpeg:
        return DecodeJpeg(file, keep);
    case ImageFormat::kBmp:
        return DecodeBmp(file);
    case ImageFormat::kPng:
        return DecodePng(file);
    case ImageFormat::kGif:
        return DecodeGif(file);
    case ImageFormat::kUnknown:
        break;
    }
    return nullptr;
}

}  // namespace nviewlib
