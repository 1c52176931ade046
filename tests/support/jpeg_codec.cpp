#include "tests/support/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <jpeglib.h>

namespace testsupport {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings would go to stderr and clutter test logs; the referee only cares
// about hard errors.
void Silent(j_common_ptr, int) {}

void InitErrors(ErrorManager &err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.emit_message = Silent;
    err.message[0] = 0;
}

void SetSampling(jpeg_compress_struct &cinfo, Subsampling s) {
    const int h = s == Subsampling::k444 ? 1 : 2;
    const int v = s == Subsampling::k420 ? 2 : 1;
    cinfo.comp_info[0].h_samp_factor = h;
    cinfo.comp_info[0].v_samp_factor = v;
    for (int c = 1; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
}

// One row of samples in the layout the chosen colour space wants.
void FillRow(const Picture &pic, int y, JpegColour colour, std::vector<uint8_t> &row) {
    for (int x = 0; x < pic.width; ++x) {
        const uint32_t p = pic.at(x, y);
        const int r = RedOf(p), g = GreenOf(p), b = BlueOf(p);
        switch (colour) {
        case JpegColour::kYCbCr:
            row[3 * x] = static_cast<uint8_t>(r);
            row[3 * x + 1] = static_cast<uint8_t>(g);
            row[3 * x + 2] = static_cast<uint8_t>(b);
            break;
        case JpegColour::kGrey:
            row[x] = static_cast<uint8_t>(GreyOf(p));
            break;
        case JpegColour::kCmyk:
        case JpegColour::kAdobeCmyk: {
            // K takes the common darkness; C, M, Y what is left, so that
            // (255 - C) * (255 - K) / 255 gives the channel back.
            const int mx = std::max(r, std::max(g, b));
            const int k = 255 - mx;
            int ink[4] = {0, 0, 0, k};
            if (mx > 0) {
                ink[0] = (255 * (mx - r) + mx / 2) / mx;
                ink[1] = (255 * (mx - g) + mx / 2) / mx;
                ink[2] = (255 * (mx - b) + mx / 2) / mx;
            }
            for (int c = 0; c < 4; ++c) {
                const int v = colour == JpegColour::kAdobeCmyk ? 255 - ink[c] : ink[c];
                row[4 * x + c] = static_cast<uint8_t>(v);
            }
            break;
        }
        }
    }
}

}  // namespace

int GreyOf(uint32_t rgb) {
    return (299 * RedOf(rgb) + 587 * GreenOf(rgb) + 114 * BlueOf(rgb) + 500) / 1000;
}

std::vector<uint8_t> EncodeJpeg(const Picture &pic, int quality, Subsampling subsampling) {
    JpegWriteOptions options;
    options.quality = quality;
    options.subsampling = subsampling;
    return EncodeJpeg(pic, options);
}

std::vector<uint8_t> EncodeJpeg(const Picture &pic, const JpegWriteOptions &options) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    InitErrors(err);
    cinfo.err = &err.pub;
    unsigned char *out = nullptr;
    unsigned long out_size = 0;
    int components = 3;
    J_COLOR_SPACE in_space = JCS_RGB;
    if (options.colour == JpegColour::kGrey) {
        components = 1;
        in_space = JCS_GRAYSCALE;
    } else if (options.colour != JpegColour::kYCbCr) {
        components = 4;
        in_space = JCS_CMYK;
    }
    std::vector<uint8_t> row(static_cast<size_t>(pic.width) * components);

    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(out);
        throw std::runtime_error(std::string("libjpeg (write): ") + err.message);
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &out, &out_size);
    cinfo.image_width = static_cast<JDIMENSION>(pic.width);
    cinfo.image_height = static_cast<JDIMENSION>(pic.height);
    cinfo.input_components = components;
    cinfo.in_color_space = in_space;
    jpeg_set_defaults(&cinfo);
    if (components == 4) {
        jpeg_set_colorspace(&cinfo, JCS_CMYK);
        cinfo.write_Adobe_marker = options.colour == JpegColour::kAdobeCmyk;
    }
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (components == 3) SetSampling(cinfo, options.subsampling);
    cinfo.optimize_coding = options.optimize_huffman;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    for (const JpegMarker &m : options.markers)
        jpeg_write_marker(&cinfo, m.code, m.data.data(), static_cast<unsigned>(m.data.size()));
    if (!options.icc.empty())
        jpeg_write_icc_profile(&cinfo, options.icc.data(), static_cast<unsigned>(options.icc.size()));
    for (int y = 0; y < pic.height; ++y) {
        FillRow(pic, y, options.colour, row);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> bytes(out, out + out_size);
    std::free(out);
    return bytes;
}

Picture DecodeJpeg(const std::vector<uint8_t> &bytes) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    InitErrors(err);
    cinfo.err = &err.pub;
    Picture pic;
    std::vector<uint8_t> row;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        throw std::runtime_error(std::string("libjpeg (read): ") + err.message);
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.num_components == 4) {
        jpeg_destroy_decompress(&cinfo);
        throw std::runtime_error("DecodeJpeg: CMYK files are not handled here");
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    pic.width = static_cast<int>(cinfo.output_width);
    pic.height = static_cast<int>(cinfo.output_height);
    pic.pixels.resize(static_cast<size_t>(pic.width) * pic.height);
    row.resize(static_cast<size_t>(pic.width) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        for (int x = 0; x < pic.width; ++x)
            pic.at(x, y) = Rgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pic;
}

JpegInfo ReadJpegInfo(const std::vector<uint8_t> &bytes) {
    // Code lengths (counts of codes of 1..16 bits) of the four tables of
    // Annex K.3: DC luminance, DC chrominance, AC luminance, AC chrominance.
    static const uint8_t kStandardBits[4][16] = {
        {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
        {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
        {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d},
        {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
    };
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    InitErrors(err);
    cinfo.err = &err.pub;
    JpegInfo info;
    JOCTET *icc = nullptr;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        throw std::runtime_error(std::string("libjpeg (info): ") + err.message);
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    for (int m = 0; m < 16; ++m) jpeg_save_markers(&cinfo, JPEG_APP0 + m, 0xFFFF);
    jpeg_save_markers(&cinfo, JPEG_COM, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    info.width = static_cast<int>(cinfo.image_width);
    info.height = static_cast<int>(cinfo.image_height);
    info.components = cinfo.num_components;
    for (int c = 0; c < cinfo.num_components; ++c)
        info.sampling.push_back({cinfo.comp_info[c].h_samp_factor, cinfo.comp_info[c].v_samp_factor});
    info.progressive = cinfo.progressive_mode != 0;
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next)
        info.app_markers.push_back({m->marker, std::vector<uint8_t>(m->data, m->data + m->data_length)});
    unsigned icc_len = 0;
    if (jpeg_read_icc_profile(&cinfo, &icc, &icc_len)) {
        info.icc.assign(icc, icc + icc_len);
        std::free(icc);
    }
    // Tables are defined by the DHT segments, which for a sequential file
    // all precede the first scan, so they are known after the header.
    bool all_standard = true;
    bool any = false;
    auto check = [&](JHUFF_TBL *t) {
        if (t == nullptr) return;
        any = true;
        bool matches = false;
        for (const auto &bits : kStandardBits)
            if (std::memcmp(&t->bits[1], bits, 16) == 0) matches = true;
        all_standard = all_standard && matches;
    };
    for (int i = 0; i < NUM_HUFF_TBLS; ++i) {
        check(cinfo.dc_huff_tbl_ptrs[i]);
        check(cinfo.ac_huff_tbl_ptrs[i]);
    }
    info.standard_huffman_tables = any && all_standard;
    jpeg_destroy_decompress(&cinfo);
    return info;
}

}  // namespace testsupport
