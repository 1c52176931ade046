#include "nviewlib/jpeg_encoder.h"

#include <algorithm>
#include <memory>
#include <new>

#include "nviewlib/jpeg_errors.h"

namespace nviewlib {

namespace {

constexpr size_t kOutputChunk = 256 * 1024;

struct FileDestination {
    jpeg_destination_mgr pub;
    ReplacementFile *out;
    JOCTET buffer[kOutputChunk];
};

void InitDestination(j_compress_ptr cinfo) {
    auto *dest = reinterpret_cast<FileDestination *>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kOutputChunk;
}

// libjpeg calls this with the whole buffer full, ignoring free_in_buffer.
boolean EmptyOutput(j_compress_ptr cinfo) {
    auto *dest = reinterpret_cast<FileDestination *>(cinfo->dest);
    if (!dest->out->Write(dest->buffer, kOutputChunk)) ERREXIT(cinfo, JERR_FILE_WRITE);
    InitDestination(cinfo);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto *dest = reinterpret_cast<FileDestination *>(cinfo->dest);
    const size_t used = kOutputChunk - dest->pub.free_in_buffer;
    if (used > 0 && !dest->out->Write(dest->buffer, used)) ERREXIT(cinfo, JERR_FILE_WRITE);
}

struct Encode {
    const uint32_t *pixels;
    int32_t width;
    int32_t height;
    int quality;
    const JpegMetadata *metadata;
    jpeg_compress_struct cinfo;
    JpegErrorTrap trap;
    FileDestination destination;
    bool created = false;
};

bool Run(Encode *e) {
    if (setjmp(e->trap.jump)) return false;
    e->created = true;
    jpeg_create_compress(&e->cinfo);
    e->destination.pub.init_destination = InitDestination;
    e->destination.pub.empty_output_buffer = EmptyOutput;
    e->destination.pub.term_destination = TermDestination;
    e->cinfo.dest = &e->destination.pub;

    e->cinfo.image_width = static_cast<JDIMENSION>(e->width);
    e->cinfo.image_height = static_cast<JDIMENSION>(e->height);
    // Little-endian 0x00RRGGBB words are the bytes B, G, R, 0 in memory:
    // libjpeg-turbo reads them as they are, no conversion pass.
    e->cinfo.input_components = 4;
    e->cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&e->cinfo);
    jpeg_set_quality(&e->cinfo, e->quality, TRUE);
    const int luma_sampling = e->quality >= 90 ? 1 : 2;
    e->cinfo.comp_info[0].h_samp_factor = luma_sampling;
    e->cinfo.comp_info[0].v_samp_factor = luma_sampling;
    for (int c = 1; c < e->cinfo.num_components; ++c) {
        e->cinfo.comp_info[c].h_samp_factor = 1;
        e->cinfo.comp_info[c].v_samp_factor = 1;
    }
    e->cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&e->cinfo, TRUE);
    if (e->metadata != nullptr) {
        const JpegMetadata &m = *e->metadata;
        if (!m.exif.empty())
            jpeg_write_marker(&e->cinfo, JPEG_APP0 + 1, m.exif.data(), static_cast<unsigned>(m.exif.size()));
        if (!m.icc.empty())
            jpeg_write_icc_profile(&e->cinfo, m.icc.data(), static_cast<unsigned>(m.icc.size()));
    }
    constexpr JDIMENSION kBatch = 16;
    JSAMPROW rows[kBatch];
    const JDIMENSION height = e->cinfo.image_height;
    while (e->cinfo.next_scanline < height) {
        const JDIMENSION first = e->cinfo.next_scanline;
        const JDIMENSION count = std::min(kBatch, height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            // libjpeg's row type is not const, but compression only reads it.
            const uint32_t *row = e->pixels + static_cast<size_t>(first + i) * static_cast<size_t>(e->width);
            rows[i] = const_cast<JSAMPROW>(reinterpret_cast<const JSAMPLE *>(row));
        }
        jpeg_write_scanlines(&e->cinfo, rows, count);
    }
    jpeg_finish_compress(&e->cinfo);
    return true;
}

}  // namespace

bool EncodeJpeg(const uint32_t *pixels, int32_t width, int32_t height, int quality,
                const JpegMetadata *metadata, ReplacementFile &out) {
    if (pixels == nullptr || width <= 0 || height <= 0) return false;
    auto e = std::unique_ptr<Encode>(new (std::nothrow) Encode());
    if (!e) return false;
    e->pixels = pixels;
    e->width = width;
    e->height = height;
    e->quality = std::clamp(quality, 1, 100);
    e->metadata = metadata;
    e->destination.out = &out;
    e->cinfo.err = InstallErrorTrap(e->trap);
    const bool ok = Run(e.get());
    if (e->created) jpeg_destroy_compress(&e->cinfo);
    return ok;
}

}  // namespace nviewlib
