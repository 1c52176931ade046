#include "nviewlib/jpeg_decoder.h"

#include <cstring>
#include <new>

#include "nviewlib/jpeg_errors.h"
#include "nviewlib/picture_limits.h"

namespace nviewlib {

namespace {

// A hostile progressive file can hold thousands of tiny scans, each of which
// walks the whole coefficient buffer; real encoders write about ten.
constexpr int kMaxScans = 500;

constexpr size_t kInputChunk = 64 * 1024;

struct FileSource {
    jpeg_source_mgr pub;
    InputFile *file;
    // Set once jpeg_start_decompress has returned: from then on libjpeg
    // reads entropy data of a single-scan file row by row.
    bool scanline_phase;
    JOCTET buffer[kInputChunk];
};

// libjpeg's bit reader fetches ahead of what it needs, so the end of the file
// is met even when all data has arrived. In the scanline phase we then feed
// a fake EOI like libjpeg's own sources do: if bits were really missing, the
// entropy decoder says so with JWRN_HIT_MARKER, which the trap turns into a
// failure. Earlier (headers, or the buffering of a progressive file), the end
// of the file is always premature.
boolean FillInput(j_decompress_ptr cinfo) {
    auto *src = reinterpret_cast<FileSource *>(cinfo->src);
    const size_t n = src->file->Read(src->buffer, kInputChunk);
    if (src->file->failed()) ERREXIT(cinfo, JERR_FILE_READ);
    if (n == 0) {
        if (!src->scanline_phase) ERREXIT(cinfo, JERR_INPUT_EOF);
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        src->pub.next_input_byte = src->buffer;
        src->pub.bytes_in_buffer = 2;
        return TRUE;
    }
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = n;
    return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    auto *src = reinterpret_cast<FileSource *>(cinfo->src);
    const size_t want = static_cast<size_t>(count);
    if (want <= src->pub.bytes_in_buffer) {
        src->pub.next_input_byte += want;
        src->pub.bytes_in_buffer -= want;
        return;
    }
    src->file->Skip(want - src->pub.bytes_in_buffer);
    src->pub.bytes_in_buffer = 0;
}

void NoOp(j_decompress_ptr) {}

void CheckScanCount(j_common_ptr cinfo) {
    auto *d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) ERREXIT(cinfo, JERR_NOT_COMPILED);
}

struct Decode {
    InputFile *file;
    JpegMetadata *keep;
    jpeg_decompress_struct cinfo;
    JpegErrorTrap trap;
    jpeg_progress_mgr progress;
    FileSource source;
    BitmapBlock bitmap;
    bool created = false;
};

bool IsExif(const jpeg_saved_marker_ptr m) {
    return m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0;
}

// Copies the profile and EXIF out of libjpeg's marker list. Returns false
// when memory runs out, so that no C++ exception unwinds through the frame
// that holds the setjmp.
bool KeepMetadata(Decode &d) noexcept {
    try {
        for (jpeg_saved_marker_ptr m = d.cinfo.marker_list; m != nullptr; m = m->next) {
            if (IsExif(m)) {
                d.keep->exif.assign(m->data, m->data + m->data_length);
                break;
            }
        }
        JOCTET *icc = nullptr;
        unsigned int icc_length = 0;
        if (jpeg_read_icc_profile(&d.cinfo, &icc, &icc_length)) {
            try {
                d.keep->icc.assign(icc, icc + icc_length);
            } catch (...) {
                std::free(icc);
                throw;
            }
            std::free(icc);
        }
        return true;
    } catch (...) {
        return false;
    }
}

// Adobe applications store CMYK inverted (0 = full ink) and mark the file
// with an APP14 "Adobe" segment; other writers store plain ink amounts.
// Either way the naive conversion R = (1 - C)(1 - K) is what viewers show
// without a colour profile. Converts in place: 4 bytes in, one word out.
void CmykRowToRgb(uint32_t *row, size_t width, bool inverted) {
    auto *bytes = reinterpret_cast<const uint8_t *>(row);
    for (size_t x = 0; x < width; ++x) {
        unsigned c = bytes[4 * x], m = bytes[4 * x + 1], y = bytes[4 * x + 2], k = bytes[4 * x + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        const uint32_t r = (c * k + 127) / 255, g = (m * k + 127) / 255, b = (y * k + 127) / 255;
        row[x] = (r << 16) | (g << 8) | b;
    }
}

// libjpeg-turbo may leave any value in the X byte of BGRX; our ABI promises 0.
void ClearTopBytes(uint32_t *row, size_t width) {
    for (size_t x = 0; x < width; ++x) row[x] &= 0x00FFFFFFu;
}

// All libjpeg calls happen here, between the setjmp and any longjmp; the
// state they change lives in *d, outside this frame.
bool Run(Decode *d) {
    if (setjmp(d->trap.jump)) return false;
    // Before the call: a create that fails half-way must still be destroyed
    // (jpeg_destroy copes with what a failed create leaves).
    d->created = true;
    jpeg_create_decompress(&d->cinfo);
    d->source.pub.init_source = NoOp;
    d->source.pub.fill_input_buffer = FillInput;
    d->source.pub.skip_input_data = SkipInput;
    d->source.pub.resync_to_restart = jpeg_resync_to_restart;
    d->source.pub.term_source = NoOp;
    d->source.pub.bytes_in_buffer = 0;
    d->source.pub.next_input_byte = nullptr;
    d->source.file = d->file;
    d->source.scanline_phase = false;
    d->cinfo.src = &d->source.pub;
    d->progress.progress_monitor = CheckScanCount;
    d->cinfo.progress = &d->progress;
    if (d->keep != nullptr) {
        jpeg_save_markers(&d->cinfo, JPEG_APP0 + 1, 0xFFFF);
        jpeg_save_markers(&d->cinfo, JPEG_APP0 + 2, 0xFFFF);
    }
    jpeg_read_header(&d->cinfo, TRUE);
    if (!PictureSizeAllowed(d->cinfo.image_width, d->cinfo.image_height)) return false;

    bool cmyk = false;
    switch (d->cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        d->cinfo.out_color_space = JCS_EXT_BGRX;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        d->cinfo.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        return false;
    }
    if (d->keep != nullptr && !KeepMetadata(*d)) return false;

    jpeg_start_decompress(&d->cinfo);
    d->source.scanline_phase = true;
    const JDIMENSION width = d->cinfo.output_width, height = d->cinfo.output_height;
    if (d->cinfo.output_components != 4 || width != d->cinfo.image_width || height != d->cinfo.image_height)
        return false;
    d->bitmap = AllocateBitmap(width, height);
    if (!d->bitmap) return false;

    const bool inverted = d->cinfo.saw_Adobe_marker != 0;
    constexpr JDIMENSION kBatch = 16;
    JSAMPROW rows[kBatch];
    while (d->cinfo.output_scanline < height) {
        const JDIMENSION first = d->cinfo.output_scanline;
        const JDIMENSION count = height - first < kBatch ? height - first : kBatch;
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = reinterpret_cast<JSAMPROW>(RowOf(*d->bitmap, first + i));
        const JDIMENSION got = jpeg_read_scanlines(&d->cinfo, rows, count);
        if (got == 0) return false;
        // Fix the rows up while they are still in cache.
        for (JDIMENSION i = 0; i < got; ++i) {
            uint32_t *row = RowOf(*d->bitmap, first + i);
            if (cmyk)
                CmykRowToRgb(row, width, inverted);
            else
                ClearTopBytes(row, width);
        }
    }
    // No jpeg_finish_decompress: every pixel is in, and what follows the
    // last scan (EOI, trailing junk, or nothing) does not change them.
    return true;
}

}  // namespace

BitmapBlock DecodeJpeg(InputFile &file, JpegMetadata *keep) {
    auto d = std::unique_ptr<Decode>(new (std::nothrow) Decode());
    if (!d) return nullptr;
    d->file = &file;
    d->keep = keep;
    d->cinfo.err = InstallErrorTrap(d->trap);
    const bool ok = Run(d.get());
    if (d->created) jpeg_destroy_decompress(&d->cinfo);
    if (!ok) {
        if (keep != nullptr) *keep = JpegMetadata{};
        return nullptr;
    }
    return std::move(d->bitmap);
}

}  // namespace nviewlib
