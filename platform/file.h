#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A file reached through a POSIX descriptor; closed on destruction.
// Open failures give an invalid File (IsOpen() false), never an exception.
class File {
public:
    File() = default;
    ~File();
    File(File &&other) noexcept;
    File &operator=(File &&other) noexcept;
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    // Read only. A folder counts as a failure.
    [[nodiscard]] static File OpenRead(const std::string &path);
    // Read and write, created or emptied.
    [[nodiscard]] static File Create(const std::string &path);
    // Read and write, created if missing, never emptied; may not exist already
    // when exclusive is set (O_EXCL: for picking a free working-file name).
    [[nodiscard]] static File CreateNew(const std::string &path);

    [[nodiscard]] bool IsOpen() const { return fd_ >= 0; }
    [[nodiscard]] int Descriptor() const { return fd_; }

    // Size in bytes, -1 on failure.
    [[nodiscard]] int64_t Size() const;
    // Reads up to n bytes, retrying short reads; returns bytes read or -1.
    [[nodiscard]] int64_t Read(void *buffer, size_t n);
    // True only when all n bytes were written.
    [[nodiscard]] bool WriteAll(const void *buffer, size_t n);
    [[nodiscard]] bool Truncate(int64_t size);
    [[nodiscard]] int64_t Seek(int64_t offset, int whence);
    [[nodiscard]] bool Sync();
    // True when the descriptor closed cleanly (or none was open).
    bool Close();

private:
    explicit File(int fd) : fd_(fd) {}
    int fd_ = -1;
};

[[nodiscard]] bool FileExists(const std::string &path);      // a regular file or anything else
[[nodiscard]] bool IsRegularFile(const std::string &path);
[[nodiscard]] bool IsDirectory(const std::string &path);
bool DeleteFile(const std::string &path);                     // true when removed

// Copies src over dst: the new content is written beside dst and renamed into
// place, so dst is either its old bytes or a complete copy. Keeps src's
// permission bits (an executable stays executable). False on any failure.
[[nodiscard]] bool CopyFileOverwrite(const std::string &src, const std::string &dst);

// folder + stem, or folder + stem + "-N" for the first N that names nothing,
// so a working file never replaces one of the user's.
[[nodiscard]] std::string FreeFileName(const std::string &folder, const std::string &stem,
                                       const std::string &extension);

}  // namespace platform
