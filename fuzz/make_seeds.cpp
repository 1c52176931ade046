// Writes the seed corpus into the folder given, named by kind so that run.sh
// can hand each target its own: small valid files of every format and layout
// the library reads ("bmp-...", "jpeg-", "png-", "gif-"), control lists
// ("list-") and whole packages over fuzz_package's target folder ("package-").
#include <cstdio>
#include <string>
#include <vector>

#include <png.h>

#include "package_targets.h"
#include "tests/nviewlib/bmp_bytes.h"
#include "tests/nviewlib/png_gif_files.h"
#include "tests/support/jpeg_codec.h"
#include "tests/support/picture.h"

namespace {

using testsupport::Picture;

std::string g_folder;

void Write(const std::string &name, const std::vector<uint8_t> &bytes) {
    const std::string path = g_folder + "/" + name;
    FILE *f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
}

std::vector<uint32_t> Palette(size_t n) {
    std::vector<uint32_t> p;
    for (size_t i = 0; i < n; ++i) p.push_back(static_cast<uint32_t>((i * 0x9E3779B1u) & 0x00FFFF00u) | static_cast<uint32_t>(i));
    return p;
}

Picture FromPalette(int w, int h, const std::vector<uint32_t> &palette) {
    Picture pic = testsupport::MakeSolid(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pic.at(x, y) = palette[static_cast<size_t>(x * 3 + y * 5) % palette.size()];
    return pic;
}

void BmpSeeds() {
    using nvtest::BmpLayout;
    const Picture colour = testsupport::MakePhotoLike(13, 7, 1);
    const struct {
        const char *name;
        BmpLayout layout;
    } layouts[] = {
        {"bmp-1", {.bits = 1}},
        {"bmp-4", {.bits = 4}},
        {"bmp-4-short-table", {.bits = 4, .colours_used = 5}},
        {"bmp-8", {.bits = 8}},
        {"bmp-8-core", {.bits = 8, .header = 12}},
        {"bmp-16-555", {.bits = 16}},
        {"bmp-16-565", {.bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F, 0}}},
        {"bmp-16-4444-alpha", {.bits = 16, .header = 56, .compression = 6, .masks = {0x0F00, 0x00F0, 0x000F, 0xF000}}},
        {"bmp-24", {.bits = 24}},
        {"bmp-24-top-down", {.bits = 24, .top_down = true}},
        {"bmp-24-core", {.bits = 24, .header = 12}},
        {"bmp-24-v5", {.bits = 24, .header = 124}},
        {"bmp-32", {.bits = 32}},
        {"bmp-32-v4-fields", {.bits = 32, .header = 108, .compression = 3, .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}},
        {"bmp-32-10bit", {.bits = 32, .header = 52, .compression = 3, .masks = {0x3FF00000, 0xFFC00, 0x3FF, 0}}},
    };
    for (const auto &l : layouts) {
        if (l.layout.bits <= 8) {
            const size_t n = l.layout.colours_used != 0 ? l.layout.colours_used : size_t{1} << l.layout.bits;
            const std::vector<uint32_t> palette = Palette(n);
            Write(l.name, nvtest::MakeBmp(FromPalette(13, 7, palette), l.layout, palette));
        } else {
            Write(l.name, nvtest::MakeBmp(colour, l.layout));
        }
    }
}

void JpegSeeds() {
    using testsupport::JpegColour;
    const Picture pic = testsupport::MakePhotoLike(24, 16, 2);
    const struct {
        const char *name;
        testsupport::Subsampling subsampling;
        bool progressive;
        JpegColour colour;
        bool metadata;
    } kinds[] = {
        {"jpeg-420", testsupport::Subsampling::k420, false, JpegColour::kYCbCr, false},
        {"jpeg-444-metadata", testsupport::Subsampling::k444, false, JpegColour::kYCbCr, true},
        {"jpeg-progressive", testsupport::Subsampling::k420, true, JpegColour::kYCbCr, false},
        {"jpeg-grey", testsupport::Subsampling::k444, false, JpegColour::kGrey, false},
        {"jpeg-cmyk", testsupport::Subsampling::k444, false, JpegColour::kCmyk, false},
        {"jpeg-adobe-cmyk", testsupport::Subsampling::k444, false, JpegColour::kAdobeCmyk, false},
    };
    for (const auto &k : kinds) {
        testsupport::JpegWriteOptions options;
        options.quality = 75;
        options.subsampling = k.subsampling;
        options.progressive = k.progressive;
        options.colour = k.colour;
        if (k.metadata) {
            options.markers = {{0xE1, {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0}}};
            options.icc = std::vector<uint8_t>(300, 0x5A);
        }
        Write(k.name, testsupport::EncodeJpeg(pic, options));
    }
}

void PngSeeds() {
    const struct {
        const char *name;
        int colour_type;
        int depth;
        bool interlaced;
    } kinds[] = {
        {"png-rgb8", PNG_COLOR_TYPE_RGB, 8, false},
        {"png-rgba16-interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 16, true},
        {"png-grey1", PNG_COLOR_TYPE_GRAY, 1, false},
        {"png-grey-alpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false},
        {"png-palette4-trns", PNG_COLOR_TYPE_PALETTE, 4, false},
    };
    for (const auto &k : kinds) {
        nvtest::PngLayout layout;
        layout.width = 9;
        layout.height = 5;
        layout.colour_type = k.colour_type;
        layout.bit_depth = k.depth;
        layout.interlaced = k.interlaced;
        const int channels = k.colour_type == PNG_COLOR_TYPE_RGB ? 3
                             : k.colour_type == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                             : k.colour_type == PNG_COLOR_TYPE_GRAY_ALPHA ? 2 : 1;
        const int top = (1 << k.depth) - 1;
        for (int i = 0; i < layout.width * layout.height * channels; ++i)
            layout.samples.push_back(static_cast<uint16_t>((i * 37) % (top + 1)));
        if (k.colour_type == PNG_COLOR_TYPE_PALETTE) {
            layout.palette = Palette(16);
            layout.palette_alpha = {0, 100, 255};
        }
        Write(k.name, nvtest::MakePng(layout));
    }
}

void GifSeeds() {
    const std::vector<uint32_t> palette = Palette(8);
    nvtest::GifFrameSpec frame;
    frame.width = 10;
    frame.height = 6;
    for (int i = 0; i < 60; ++i) frame.indices.push_back(static_cast<uint8_t>(i % 8));
    Write("gif-plain", nvtest::MakeGif(10, 6, palette, {frame}));
    nvtest::GifFrameSpec special = frame;
    special.left = 2;
    special.top = 1;
    special.interlaced = true;
    special.transparent = 3;
    special.local_palette = Palette(4);
    for (uint8_t &i : special.indices) i &= 3;
    // giflib forgets (leaks) a local colour map when the next frame has
    // none, so the second frame brings its own.
    nvtest::GifFrameSpec second = frame;
    second.local_palette = palette;
    Write("gif-interlaced-transparent-two-frames", nvtest::MakeGif(12, 8, palette, {special, second}));
}

// One entry's six lines and its scrambled blob, appended to a package.
struct SeedPackage {
    std::string list;
    std::vector<uint8_t> data;
    std::string end = "\r\n";

    explicit SeedPackage(const std::string &backup, const std::string &quality = "94") {
        for (const std::string &line : {std::string("Pick the folder"), quality, backup, std::string("none"),
                                        std::string("none"), std::string("none")})
            Line(line);
    }
    void Line(const std::string &line) { list += line + end; }
    void Entry(const zelfuzz::TargetFile &target, int x, int y, std::vector<uint8_t> plain,
               const std::string &name = "") {
        for (uint8_t &b : plain) b ^= static_cast<uint8_t>(target.width & 127);
        Line(name.empty() ? target.cp932Name : name);
        Line(std::to_string(target.bytes.size()));
        Line(std::to_string(x));
        Line(std::to_string(y));
        Line(std::to_string(data.size()));
        Line(std::to_string(plain.size()));
        data.insert(data.end(), plain.begin(), plain.end());
    }
};

std::vector<uint8_t> BmpBlob(int w, int h, uint32_t seed) {
    return nvtest::MakeBmp(testsupport::MakePhotoLike(w, h, seed), nvtest::BmpLayout{});
}

std::vector<uint8_t> PaletteBmpBlob(int w, int h) {
    const std::vector<uint32_t> palette = Palette(256);
    return nvtest::MakeBmp(FromPalette(w, h, palette), nvtest::BmpLayout{.bits = 8}, palette);
}

std::vector<uint8_t> JpegBlob(int w, int h, uint32_t seed) {
    return testsupport::EncodeJpeg(testsupport::MakePhotoLike(w, h, seed), 94, testsupport::Subsampling::k444);
}

void WritePackage(const std::string &name, const SeedPackage &p) {
    Write("package-" + name, zelfuzz::JoinPackage(p.list, p.data));
    Write("list-" + name, std::vector<uint8_t>(p.list.begin(), p.list.end()));
}

void PackageSeeds() {
    const auto &t = zelfuzz::TargetFiles();
    const zelfuzz::TargetFile &a = t[0], &b = t[1], &kanji = t[2], &userBmp = t[3];
    {
        SeedPackage p("0");
        p.Entry(a, 4, 4, BmpBlob(8, 8, 10));
        WritePackage("bmp", p);
    }
    {
        SeedPackage p("1");
        p.Entry(b, 10, 6, JpegBlob(8, 8, 11));
        WritePackage("jpeg-backup", p);
    }
    {
        SeedPackage p("0");
        p.Entry(a, 0, 0, BmpBlob(8, 8, 12));
        p.Entry(a, 8, 8, JpegBlob(8, 8, 13));
        WritePackage("same-file-twice", p);
    }
    {
        SeedPackage p("1", "80");
        p.Entry(a, 2, 2, BmpBlob(6, 6, 14));
        p.Entry(b, 16, 8, JpegBlob(8, 8, 15));
        p.Entry(kanji, 4, 0, PaletteBmpBlob(8, 8));
        WritePackage("all-targets", p);
    }
    {
        SeedPackage p("0");
        p.Entry(a, 10, 10, BmpBlob(12, 12, 16));
        WritePackage("past-edges", p);
    }
    {
        SeedPackage p("1");
        p.Entry(userBmp, 2, 2, BmpBlob(4, 4, 17));
        WritePackage("names-users-tmp-bmp", p);
    }
    {
        // The sentinel beside the target folder holds a.jpg's bytes.
        SeedPackage p("0");
        p.Entry(a, 0, 0, BmpBlob(4, 4, 18), "../sentinel.jpg");
        WritePackage("escape", p);
    }
    WritePackage("empty", SeedPackage("1"));
    {
        SeedPackage p("1", " $5E");
        p.end = "\n";
        p.Entry(a, 4, 4, BmpBlob(8, 8, 19));
        p.list += "trailing lines\n";
        WritePackage("lf-hex-quality-trailing", p);
    }
}

void ListSeeds() {
    const std::pair<const char *, std::string> lists[] = {
        {"integers", "0\r\n-2147483647\r\n2147483647\r\n$7FFFFFFF\r\n0x80000000\r\nX00000000FF\r\n  +12\r\n"},
        {"failing-integers", "-2147483648\r\n2147483648\r\n12 \r\n\r\n   \r\n+\r\n0x\r\n$123456789\r\n"},
        {"mixed-ends", "cr\rlf\ncrlf\r\nlfcr\n\rlast"},
        {"zero-byte", std::string("before\r\nzero") + std::string(1, '\0') + "after\r\n"},
        {"cp932-names", "\x95\x5c.jpg\r\n\x8e\xca\x90\x5e.jpg\r\n\x81\r\n..\r\na/b\r\nend~\r\n"},
    };
    for (const auto &[name, text] : lists) Write(std::string("list-") + name, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    g_folder = argv[1];
    BmpSeeds();
    JpegSeeds();
    PngSeeds();
    GifSeeds();
    PackageSeeds();
    ListSeeds();
    return 0;
}
