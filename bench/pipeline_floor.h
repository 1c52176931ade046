#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The least work one applied entry can cost, done directly with libjpeg and
// buffers allocated once: decode the old JPEG, optionally write the full
// picture as a 24-bit BMP and read it back, encode at the package quality.
class PipelineFloor {
public:
    // Seconds for one pass over jpegPath. withWorkingFile adds the BMP round
    // trip through bmpPath. The encoded JPEG goes to outPath.
    double Run(const std::string &jpegPath, const std::string &bmpPath, const std::string &outPath, int quality,
               bool withWorkingFile);

private:
    void Decode(const std::string &path);
    void WriteBmp(const std::string &path);
    void ReadBmp(const std::string &path);
    void Encode(const std::string &path, int quality);

    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;  // B, G, R, X per pixel
    std::vector<uint8_t> fileBuffer_;
};
