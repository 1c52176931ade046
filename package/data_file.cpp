#include "data_file.h"

#include <algorithm>
#include <cstdio>

namespace package {

DataFileWriter::DataFileWriter(const std::string &path) : file_(platform::File::Create(path)) {}

DataFileWriter::AppendResult DataFileWriter::Append(const uint8_t *bytes, size_t length) {
    if (static_cast<uint64_t>(length) > static_cast<uint64_t>(kMaxDataFileSize - size_))
        return AppendResult::TooLarge;
    if (!file_.WriteAll(bytes, length)) {
        // Part of the blob may have reached the file (a full disk, a size
        // limit): cut it off and put the position back, so that the next blob
        // starts where its offset line will say even if the cut fails.
        (void)file_.Truncate(size_);
        (void)file_.Seek(size_, SEEK_SET);
        return AppendResult::WriteFailed;
    }
    size_ += static_cast<int64_t>(length);
    return AppendResult::Appended;
}

DataFileReader::DataFileReader(const std::string &path) : file_(platform::File::OpenRead(path)) {
    if (file_.IsOpen()) size_ = std::max<int64_t>(file_.Size(), 0);
}

std::optional<std::vector<uint8_t>> DataFileReader::ReadNext(int32_t length) {
    // Checked before the allocation: the length comes from the control list.
    if (!file_.IsOpen() || length <= 0 || length > Remaining()) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    const int64_t n = file_.Read(bytes.data(), bytes.size());
    if (n != length) {
        // The file shrank under us; what was read is gone either way.
        if (n > 0) position_ += n;
        return std::nullopt;
    }
    position_ += n;
    return bytes;
}

}  // namespace package
