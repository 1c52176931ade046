#include "pipeline_floor.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <jpeglib.h>

namespace {

FILE *OpenOrThrow(const std::string &path, const char *mode) {
    FILE *file = std::fopen(path.c_str(), mode);
    if (file == nullptr) throw std::runtime_error("cannot open " + path);
    return file;
}

void PutLe32(uint8_t *p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

void PipelineFloor::Decode(const std::string &path) {
    FILE *file = OpenOrThrow(path, "rb");
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&cinfo);
    width_ = static_cast<int>(cinfo.output_width);
    height_ = static_cast<int>(cinfo.output_height);
    pixels_.resize(static_cast<size_t>(width_) * height_ * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels_.data() + static_cast<size_t>(cinfo.output_scanline) * width_ * 4;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
}

void PipelineFloor::WriteBmp(const std::string &path) {
    const size_t rowSize = (static_cast<size_t>(width_) * 3 + 3) & ~size_t{3};
    const size_t size = 54 + rowSize * height_;
    fileBuffer_.resize(size);
    uint8_t *header = fileBuffer_.data();
    std::memset(header, 0, 54);
    header[0] = 'B';
    header[1] = 'M';
    PutLe32(header + 2, static_cast<uint32_t>(size));
    PutLe32(header + 10, 54);
    PutLe32(header + 14, 40);
    PutLe32(header + 18, static_cast<uint32_t>(width_));
    PutLe32(header + 22, static_cast<uint32_t>(height_));
    header[26] = 1;
    header[28] = 24;
    PutLe32(header + 34, static_cast<uint32_t>(rowSize * height_));
    for (int y = 0; y < height_; ++y) {
        const uint8_t *src = pixels_.data() + static_cast<size_t>(height_ - 1 - y) * width_ * 4;
        uint8_t *dst = fileBuffer_.data() + 54 + rowSize * y;
        for (int x = 0; x < width_; ++x, src += 4, dst += 3) std::memcpy(dst, src, 3);
    }
    FILE *file = OpenOrThrow(path, "wb");
    std::fwrite(fileBuffer_.data(), 1, size, file);
    std::fclose(file);
}

void PipelineFloor::ReadBmp(const std::string &path) {
    FILE *file = OpenOrThrow(path, "rb");
    const size_t got = std::fread(fileBuffer_.data(), 1, fileBuffer_.size(), file);
    std::fclose(file);
    if (got != fileBuffer_.size()) throw std::runtime_error("short BMP read");
    const size_t rowSize = (static_cast<size_t>(width_) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < height_; ++y) {
        const uint8_t *src = fileBuffer_.data() + 54 + rowSize * (height_ - 1 - y);
        uint32_t *dst = reinterpret_cast<uint32_t *>(pixels_.data() + static_cast<size_t>(y) * width_ * 4);
        for (int x = 0; x < width_; ++x, src += 3) dst[x] = src[0] | (src[1] << 8) | (src[2] << 16);
    }
}

void PipelineFloor::Encode(const std::string &path, int quality) {
    FILE *file = OpenOrThrow(path, "wb");
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(width_);
    cinfo.image_height = static_cast<JDIMENSION>(height_);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // The library's own choices at this quality: full-resolution chroma and
    // optimised Huffman tables.
    if (quality >= 90) {
        cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
    }
    cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = pixels_.data() + static_cast<size_t>(cinfo.next_scanline) * width_ * 4;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
}

double PipelineFloor::Run(const std::string &jpegPath, const std::string &bmpPath, const std::string &outPath,
                          int quality, bool withWorkingFile) {
    const auto start = std::chrono::steady_clock::now();
    Decode(jpegPath);
    if (withWorkingFile) {
        WriteBmp(bmpPath);
        ReadBmp(bmpPath);
    }
    Encode(outPath, quality);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
