#include "working_file.h"

#include <cerrno>

#include "platform/file.h"

namespace zelforge {

namespace {

constexpr const char *kStem = "temp";
// Someone else may take a free name between our look and our create; a
// handful of fresh looks is plenty, an endless loop is not.
constexpr int kCreateAttempts = 100;

}  // namespace

WorkingFile::WorkingFile(const std::string &folder)
    : folder_(folder), path_(platform::FreeFileName(folder, kStem, "")) {}

WorkingFile::~WorkingFile() {
    if (created_) platform::DeleteFile(path_);
}

bool WorkingFile::Write(const std::vector<uint8_t> &bytes) {
    platform::File file;
    for (int attempt = 0; attempt < kCreateAttempts && !file.IsOpen(); ++attempt) {
        if (attempt > 0) path_ = platform::FreeFileName(folder_, kStem, "");
        file = platform::File::CreateNew(path_);
        if (!file.IsOpen() && errno != EEXIST) break;
    }
    if (!file.IsOpen()) return false;
    created_ = true;
    if (file.WriteAll(bytes.data(), bytes.size()) && file.Close()) return true;
    file.Close();
    platform::DeleteFile(path_);
    created_ = false;
    return false;
}

std::optional<std::vector<uint8_t>> WorkingFile::ReadBack(int64_t maxLength) const {
    platform::File file = platform::File::OpenRead(path_);
    if (!file.IsOpen()) return std::nullopt;
    const int64_t length = file.Size();
    if (length <= 0 || length > maxLength) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (file.Read(bytes.data(), bytes.size()) != length) return std::nullopt;
    return bytes;
}

}  // namespace zelforge
