#include "nviewlib/gif_decoder.h"

#include <algorithm>
#include <memory>
#include <new>

#include <gif_lib.h>

#include "nviewlib/picture_limits.h"

namespace nviewlib {

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;

int ReadBytes(GifFileType *gif, GifByteType *buffer, int length) {
    if (length <= 0) return 0;
    auto *file = static_cast<InputFile *>(gif->UserData);
    return static_cast<int>(file->Read(buffer, static_cast<size_t>(length)));
}

struct GifCloser {
    void operator()(GifFileType *gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

// Walks the records up to the first image descriptor, remembering the
// transparent index of the graphic control extension that precedes it.
bool FindFirstFrame(GifFileType *gif, int &transparent) {
    transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) return false;
        switch (type) {
        case IMAGE_DESC_RECORD_TYPE:
            return DGifGetImageDesc(gif) != GIF_ERROR;
        case EXTENSION_RECORD_TYPE: {
            int code = 0;
            GifByteType *block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
            if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
                GraphicsControlBlock gcb;
                if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
            }
            while (block != nullptr)
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
            break;
        }
        default:  // the terminator before any frame, or an unknown record
            return false;
        }
    }
}

}  // namespace

BitmapBlock DecodeGif(InputFile &file) {
    int error = 0;
    GifPtr gif(DGifOpen(&file, ReadBytes, &error));
    if (!gif) return nullptr;
    int transparent = NO_TRANSPARENT_COLOR;
    if (!FindFirstFrame(gif.get(), transparent)) return nullptr;

    const GifImageDesc &frame = gif->Image;
    if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0) return nullptr;
    const int64_t width = std::max<int64_t>(gif->SWidth, int64_t{frame.Left} + frame.Width);
    const int64_t height = std::max<int64_t>(gif->SHeight, int64_t{frame.Top} + frame.Height);
    if (!PictureSizeAllowed(width, height)) return nullptr;
    const ColorMapObject *map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (map == nullptr || map->Colors == nullptr) return nullptr;

    // Indexes past the colour map give black.
    uint32_t palette[256] = {};
    const int colours = std::min(map->ColorCount, 256);
    for (int i = 0; i < colours; ++i) {
        const GifColorType &c = map->Colors[i];
        palette[i] = (static_cast<uint32_t>(c.Red) << 16) | (static_cast<uint32_t>(c.Green) << 8) | c.Blue;
    }
    if (transparent >= 0 && transparent < 256) palette[transparent] = kWhite;

    BitmapBlock bitmap = AllocateBitmap(width, height);
    if (!bitmap) return nullptr;
    const bool covers_all = frame.Left == 0 && frame.Top == 0 && frame.Width == width && frame.Height == height;
    if (!covers_all)
        std::fill(bitmap->pixels, bitmap->pixels + static_cast<size_t>(width * height), kWhite);

    auto line = std::unique_ptr<GifPixelType[]>(new (std::nothrow) GifPixelType[frame.Width]);
    if (!line) return nullptr;
    // Interlaced frames store every 8th row from 0, every 8th from 4, every
    // 4th from 2, then every 2nd from 1.
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    const int passes = frame.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = frame.Interlace ? kStart[pass] : 0;
        const int step = frame.Interlace ? kStep[pass] : 1;
        for (int y = start; y < frame.Height; y += step) {
            if (DGifGetLine(gif.get(), line.get(), frame.Width) == GIF_ERROR) return nullptr;
            uint32_t *row = RowOf(*bitmap, frame.Top + y) + frame.Left;
            for (int x = 0; x < frame.Width; ++x) row[x] = palette[line[x]];
        }
    }
    return bitmap;
}

}  // namespace nviewlib
