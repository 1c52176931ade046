// Makes the folder a newcomer tries the tools in: a few photo-like old JPEGs,
// and in "corrected/" the same pictures, same sizes, with one region changed,
// plus an empty "package/" for the distribution file.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "tests/support/file_util.h"
#include "tests/support/jpeg_codec.h"
#include "tests/support/picture.h"

namespace {

struct SamplePhoto {
    const char *name;
    int width;
    int height;
    uint32_t seed;
    // The region the correction changes, in pixels.
    int x0, y0, x1, y1;
};

constexpr SamplePhoto kPhotos[] = {
    {"harbour.jpg", 800, 600, 11, 300, 180, 520, 360},
    {"garden.jpg", 1024, 768, 23, 120, 400, 420, 700},
    {"street.jpg", 640, 480, 37, 40, 40, 200, 160},
};

// A warmer, lighter patch: plainly visible, so the marked rectangle is easy
// to find when comparing old and corrected.
testsupport::Picture Corrected(testsupport::Picture picture, const SamplePhoto &p) {
    for (int y = p.y0; y < p.y1; ++y) {
        for (int x = p.x0; x < p.x1; ++x) {
            const uint32_t old = picture.at(x, y);
            const auto lift = [](int v, int by) { return static_cast<uint32_t>(std::clamp(v + by, 0, 255)); };
            picture.at(x, y) = testsupport::Rgb(lift(testsupport::RedOf(old), 45), lift(testsupport::GreenOf(old), 20),
                                                lift(testsupport::BlueOf(old), -25));
        }
    }
    return picture;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder / "corrected");
        std::filesystem::create_directories(folder / "package");
        for (const SamplePhoto &p : kPhotos) {
            const testsupport::Picture old = testsupport::MakePhotoLike(p.width, p.height, p.seed);
            testsupport::WriteFile((folder / p.name).string(),
                                   testsupport::EncodeJpeg(old, 90, testsupport::Subsampling::k420));
            testsupport::WriteFile((folder / "corrected" / p.name).string(),
                                   testsupport::EncodeJpeg(Corrected(old, p), 90, testsupport::Subsampling::k420));
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_sample: %s\n", e.what());
        return 1;
    }
    return 0;
}
