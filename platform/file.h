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

    // Read only. Anything but a regular file (a folder, a FIFO, a device)
    // counts as a failure.
    [[nodiscard]] static File OpenRead(const std::string &path);
    // Read and write, created or emptied.
    [[nodiscard]] static File Create(const std::string &path);
    // Read and write, created new: fails when anything, even a dangling
    // symbolic link, already has the name (O_EXCL: for working files).
    [[nodiscard]] static File CreateNew(const std::string &path);

    [[nodiscard]] bool IsOpen() const { return fd_ >= 0; }
    [[nodiscard]] int Descriptor() const { return fd_; }

    // Size in bytes, -1 on failure.
    [[nodiscard]] int64_t Size() const;
    // Reads up to n bytes, retrying short reads; returns bytes read or -1.
    [[nodiscard]] int64_t Read(void *buffer, size_t n);
    // True only when all n bytes were written. Writes that would take the file
    // past the process's file-size limit (RLIMIT_FSIZE) are refused before any
    // byte is written (errno EFBIG), instead of raising SIGXFSZ.
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

[[nodiscard]] bool FileExists(const std::string &path);      // anything, a dangling link included
[[nodiscard]] bool IsRegularFile(const std::string &path);
[[nodiscard]] bool IsDirectory(const std::string &path);
bool DeleteFile(const std::string &path);                     // true when removed

// Creates path (replacing any file there) and writes all n bytes. On a failed
// or short write the partial file is removed: it would pass for a whole one.
[[nodiscard]] bool WriteWholeFile(const std::string &path, const void *bytes, size_t n);

// Copies src over dst: the new content is written beside dst and renamed into
// place, so dst is either its old bytes or a complete copy. Keeps src's
// permission bits (an executable stays executable). False on any failure.
[[nodiscard]] bool CopyFileOverwrite(const std::string &src, const std::string &dst);

// folder + stem + extension, or folder + stem + "-N" + extension for the first
// N >= 1 that names nothing (a dangling symbolic link counts as a name),
// so a working file never replaces one of the user's.
[[nodiscard]] std::string FreeFileName(const std::string &folder, const std::string &stem,
                                       const std::string &extension);

}  // namespace platform
