#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/picture.h"

// JPEG files written and read through libjpeg directly, so that tests can
// judge the image library by a codec that shares none of its code.
// Every function throws std::runtime_error when libjpeg reports an error.
namespace testsupport {

enum class Subsampling { k444, k422, k420 };

enum class JpegColour {
    kYCbCr,      // the usual colour file
    kGrey,       // one component: the luma of each pixel (GreyOf)
    kCmyk,       // four components, plain (0 = no ink), no Adobe marker
    kAdobeCmyk,  // four components stored inverted, with an Adobe marker, as
                 // Photoshop writes them
};

struct JpegMarker {
    int code = 0;  // 0xE0 + n for APPn, 0xFE for a comment
    std::vector<uint8_t> data;
};

struct JpegWriteOptions {
    int quality = 90;
    Subsampling subsampling = Subsampling::k420;
    bool progressive = false;
    bool optimize_huffman = false;
    JpegColour colour = JpegColour::kYCbCr;
    std::vector<JpegMarker> markers;  // written right after the JFIF/Adobe header
    std::vector<uint8_t> icc;         // written as APP2 ICC_PROFILE chunks
};

[[nodiscard]] std::vector<uint8_t> EncodeJpeg(const Picture &pic, const JpegWriteOptions &options);
[[nodiscard]] std::vector<uint8_t> EncodeJpeg(const Picture &pic, int quality, Subsampling subsampling);

// The grey value EncodeJpeg stores for a pixel with JpegColour::kGrey.
[[nodiscard]] int GreyOf(uint32_t rgb);

// Decodes a colour or greyscale JPEG into 0x00RRGGBB (grey gives R = G = B).
[[nodiscard]] Picture DecodeJpeg(const std::vector<uint8_t> &bytes);

struct JpegInfo {
    int width = 0;
    int height = 0;
    int components = 0;
    struct Sampling {
        int h = 0;
        int v = 0;
    };
    std::vector<Sampling> sampling;  // one per component, in file order
    bool progressive = false;
    bool standard_huffman_tables = false;  // see ReadJpegInfo
    std::vector<JpegMarker> app_markers;   // every APPn and COM segment, in file order
    std::vector<uint8_t> icc;              // reassembled ICC profile, empty if none
};

// Header facts of a JPEG file. standard_huffman_tables is true when every
// Huffman table of the file has the code lengths of the example tables of
// the JPEG standard (Annex K), which encoders use unless they optimise.
[[nodiscard]] JpegInfo ReadJpegInfo(const std::vector<uint8_t> &bytes);

}  // namespace testsupport
