#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file.h"

namespace package {

// Blobs stay below 2 GiB in all: every offset and length is a signed 32-bit line.
inline constexpr int64_t kMaxDataFileSize = int64_t{2147483647};

// "zelfin.dat" as the authoring tool grows it: blobs back to back.
class DataFileWriter {
public:
    // Creates (or empties) the file. IsOpen() tells whether that worked.
    explicit DataFileWriter(const std::string &path);
    [[nodiscard]] bool IsOpen() const { return file_.IsOpen(); }
    // Offset of the next blob = bytes written so far.
    [[nodiscard]] int64_t Size() const { return size_; }

    enum class AppendResult { Appended, TooLarge, WriteFailed };
    // Appends the bytes. On any failure the file is cut back to its previous
    // size, so a failed append leaves no partial blob.
    [[nodiscard]] AppendResult Append(const uint8_t *bytes, size_t length);

    bool Close() { return file_.Close(); }

private:
    platform::File file_;
    int64_t size_ = 0;
};

// "zelfin.dat" as the applier reads it: forward, one blob after the other.
class DataFileReader {
public:
    explicit DataFileReader(const std::string &path);
    [[nodiscard]] bool IsOpen() const { return file_.IsOpen(); }
    // Bytes not read yet.
    [[nodiscard]] int64_t Remaining() const { return size_ - position_; }

    // The next length bytes. nullopt, with nothing read, when length is not
    // positive or exceeds what remains: no allocation follows an unchecked length.
    [[nodiscard]] std::optional<std::vector<uint8_t>> ReadNext(int32_t length);

    void Close() { file_.Close(); }

private:
    platform::File file_;
    int64_t size_ = 0;
    int64_t position_ = 0;
};

}  // namespace package
