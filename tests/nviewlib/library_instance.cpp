#include "tests/nviewlib/library_instance.h"

#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include "tests/support/library_path.h"

namespace nvtest {

LibraryInstance::LibraryInstance() {
    std::filesystem::copy_file(testsupport::NViewLibPath(), folder_.File("NVIEWLIB.DLL"));
    if (!gra_.LoadFrom(folder_.path() + "/")) throw std::runtime_error("NVIEWLIB.DLL does not load");
    const std::pair<const void *, const char *> names[] = {
        {reinterpret_cast<const void *>(gra_.NViewLibSetLanguage), "NViewLibSetLanguage"},
        {reinterpret_cast<const void *>(gra_.NViewLibSetCustomLang), "NViewLibSetCustomLang"},
        {reinterpret_cast<const void *>(gra_.NViewLibLoad), "NViewLibLoad"},
        {reinterpret_cast<const void *>(gra_.NViewLibSaveAsJPG), "NViewLibSaveAsJPG"},
        {reinterpret_cast<const void *>(gra_.Load_JPG), "Load_JPG"},
        {reinterpret_cast<const void *>(gra_.Load_GIF), "Load_GIF"},
    };
    for (const auto &[symbol, name] : names)
        if (symbol == nullptr) throw std::runtime_error(std::string("NVIEWLIB.DLL lacks ") + name);
}

Bitmap LibraryInstance::Load(const std::string &path, int32_t flag) const {
    return Bitmap(gra_.NViewLibLoad(path.c_str(), flag));
}

int32_t LibraryInstance::Save(int32_t quality, const std::string &path) const {
    return gra_.NViewLibSaveAsJPG(quality, path.c_str());
}

Bitmap LibraryInstance::LoadJpg(const std::string &path) const { return Bitmap(gra_.Load_JPG(path.c_str())); }

Bitmap LibraryInstance::LoadGif(const std::string &path) const { return Bitmap(gra_.Load_GIF(path.c_str())); }

testsupport::Picture ToPicture(const NvBitmap &bitmap) {
    testsupport::Picture pic;
    EXPECT_GT(bitmap.width, 0);
    EXPECT_GT(bitmap.height, 0);
    if (bitmap.width <= 0 || bitmap.height <= 0) return pic;
    pic.width = bitmap.width;
    pic.height = bitmap.height;
    const size_t count = static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height);
    pic.pixels.assign(bitmap.pixels, bitmap.pixels + count);
    size_t dirty = 0;
    for (uint32_t p : pic.pixels) dirty += (p >> 24) != 0;
    EXPECT_EQ(dirty, 0u) << "pixels with a non-zero top byte";
    return pic;
}

}  // namespace nvtest
