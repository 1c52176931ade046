#include "package_fixture.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "package/package_files.h"
#include "package/scramble.h"
#include "platform/bitmap.h"
#include "platform/int_text.h"
#include "tests/support/file_util.h"
#include "tests/support/jpeg_codec.h"
#include "tests/support/library_path.h"

namespace zelfin_test {

Gra &TestGra() {
    static Gra gra;
    if (gra.module == nullptr && !gra.LoadFrom(testsupport::DistDir() + "/")) {
        throw std::runtime_error("NVIEWLIB.DLL not built");
    }
    return gra;
}

FolderSnapshot Snapshot(const std::string &folder) {
    FolderSnapshot files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        files[std::filesystem::relative(entry.path(), folder).string()] =
            testsupport::ReadFile(entry.path().string());
    }
    return files;
}

std::vector<std::string> Names(const std::string &folder) {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

Picture Decode(const std::string &path) {
    platform::BitmapPtr bitmap(TestGra().LoadPicture(path, 0));
    Picture picture;
    if (!bitmap) return picture;
    picture.width = bitmap->width;
    picture.height = bitmap->height;
    picture.pixels.assign(bitmap->pixels, bitmap->pixels + static_cast<size_t>(bitmap->width) * bitmap->height);
    return picture;
}

double RegionDiff(const Picture &a, const Picture &b, int x, int y, int w, int h) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min({x + w, a.width, b.width}), y1 = std::min({y + h, a.height, b.height});
    double sum = 0;
    long count = 0;
    for (int yy = y0; yy < y1; ++yy) {
        for (int xx = x0; xx < x1; ++xx) {
            const uint32_t p = a.at(xx, yy), q = b.at(xx, yy);
            sum += std::abs(testsupport::RedOf(p) - testsupport::RedOf(q)) +
                   std::abs(testsupport::GreenOf(p) - testsupport::GreenOf(q)) +
                   std::abs(testsupport::BlueOf(p) - testsupport::BlueOf(q));
            count += 3;
        }
    }
    return count == 0 ? 0.0 : sum / static_cast<double>(count);
}

void WriteJpeg(const std::string &path, const Picture &picture) {
    testsupport::WriteFile(path, testsupport::EncodeJpeg(picture, 90, testsupport::Subsampling::k420));
}

std::vector<uint8_t> PlainBlob(const Picture &picture, BlobKind kind) {
    if (kind == BlobKind::Jpeg) {
        return testsupport::EncodeJpeg(picture, 94, testsupport::Subsampling::k444);
    }
    platform::BitmapPtr bitmap(platform::AllocBitmap(picture.width, picture.height));
    std::copy(picture.pixels.begin(), picture.pixels.end(), bitmap->pixels);
    return platform::EncodeBmp24(*bitmap);
}

PackageBuilder::PackageBuilder(const std::string &quality, bool backup, const std::string &title) {
    package::AppendHeader(list_, title, quality, backup);
}

void PackageBuilder::AddEntry(const std::string &name, const std::string &targetPath, int32_t x, int32_t y,
                              const Picture &block, BlobKind kind) {
    const Picture old = Decode(targetPath);
    if (old.width == 0) throw std::runtime_error("target does not decode: " + targetPath);
    std::vector<uint8_t> blob = PlainBlob(block, kind);
    package::ScrambleBlob(blob.data(), blob.size(), package::ScrambleKey(old.width));
    package::EntryRecord entry;
    entry.name = name;
    entry.size = static_cast<int32_t>(testsupport::ReadFile(targetPath).size());
    entry.x = x;
    entry.y = y;
    entry.offset = static_cast<int32_t>(data_.size());
    entry.length = static_cast<int32_t>(blob.size());
    package::AppendEntry(list_, entry);
    data_.insert(data_.end(), blob.begin(), blob.end());
}

void PackageBuilder::AddRawEntry(const std::string &name, const std::string &size, const std::string &x,
                                 const std::string &y, const std::string &length,
                                 const std::vector<uint8_t> &blob) {
    for (const std::string &line : {name, size, x, y, platform::IntToStr(static_cast<int32_t>(data_.size())), length}) {
        list_.Add(line);
    }
    data_.insert(data_.end(), blob.begin(), blob.end());
}

void PackageBuilder::SetLine(int index, const std::string &text) {
    platform::TStringList rewritten;
    for (int i = 0; i < list_.Count(); ++i) rewritten.Add(i == index ? text : list_[i]);
    list_ = rewritten;
}

void PackageBuilder::Write(const std::string &folder) const {
    list_.SaveToFile(folder + package::kControlListName);
    testsupport::WriteFile(folder + package::kDataFileName, data_);
}

std::string Folders::MakeSub(const std::string &name) const {
    const std::string path = temp.File(name);
    if (mkdir(path.c_str(), 0755) != 0) throw std::runtime_error("cannot make " + path);
    return path + "/";
}

}  // namespace zelfin_test
