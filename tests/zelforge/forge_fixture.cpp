#include "forge_fixture.h"

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <unistd.h>

#include "tests/support/file_util.h"
#include "tests/support/jpeg_codec.h"
#include "tests/support/library_path.h"

namespace forge_test {

CurrentFolderGuard::CurrentFolderGuard() : saved_(QDir::currentPath().toStdString()) {}

CurrentFolderGuard::~CurrentFolderGuard() { QDir::setCurrent(QString::fromStdString(saved_)); }

InFolder::InFolder(const std::string &folder) {
    if (!QDir::setCurrent(QString::fromStdString(folder))) throw std::runtime_error("cannot enter " + folder);
}

std::string LibraryFolder() { return testsupport::DistDir() + "/"; }

void WriteJpeg(const std::string &path, int width, int height, uint32_t seed) {
    testsupport::WriteFile(path, testsupport::EncodeJpeg(testsupport::MakePhotoLike(width, height, seed), 92,
                                                         testsupport::Subsampling::k420));
}

QImage PhotoImage(int width, int height, uint32_t seed) {
    const testsupport::Picture picture = testsupport::MakePhotoLike(width, height, seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, 0xFF000000u | picture.at(x, y));
    return image;
}

std::string FileBytes(const std::string &path) {
    const auto bytes = testsupport::ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace forge_test
