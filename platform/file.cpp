#include "file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>
#include <vector>

#include "path.h"

namespace platform {

File::~File() { Close(); }

File::File(File &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File &File::operator=(File &&other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

File File::OpenRead(const std::string &path) {
    // O_NONBLOCK so that a FIFO planted under an expected name cannot hang us
    // in open(); only regular files are accepted: a folder, FIFO or device
    // would read as nothing or as an endless stream.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return File();
    File file(fd);
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return File();
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return File();
    return file;
}

File File::Create(const std::string &path) {
    return File(open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
}

File File::CreateNew(const std::string &path) {
    return File(open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
}

int64_t File::Size() const {
    struct stat st;
    if (fd_ < 0 || fstat(fd_, &st) != 0) return -1;
    return st.st_size;
}

int64_t File::Read(void *buffer, size_t n) {
    if (fd_ < 0) return -1;
    auto *out = static_cast<char *>(buffer);
    size_t done = 0;
    while (done < n) {
        const ssize_t r = read(fd_, out + done, n - done);
        if (r < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (r == 0) break;  // end of file
        done += static_cast<size_t>(r);
    }
    return static_cast<int64_t>(done);
}

namespace {

// Whether n more bytes at the descriptor's position stay within the
// process's file-size limit. A write that starts at the limit raises SIGXFSZ,
// and its default action ends the process: the applier would die part-way
// with its working file left in the user's folder. Refused up front, the
// write fails as on a full disk instead.
bool FitsFileSizeLimit(int fd, size_t n) {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return true;
    const off_t position = lseek(fd, 0, SEEK_CUR);
    if (position < 0) return true;  // not seekable: no file size to exceed
    return static_cast<uint64_t>(position) + n <= static_cast<uint64_t>(limit.rlim_cur);
}

}  // namespace

bool File::WriteAll(const void *buffer, size_t n) {
    if (fd_ < 0) return false;
    if (!FitsFileSizeLimit(fd_, n)) {
        errno = EFBIG;
        return false;
    }
    const auto *in = static_cast<const char *>(buffer);
    size_t done = 0;
    while (done < n) {
        const ssize_t w = write(fd_, in + done, n - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (w == 0) return false;
        done += static_cast<size_t>(w);
    }
    return true;
}

bool File::Truncate(int64_t size) { return fd_ >= 0 && ftruncate(fd_, size) == 0; }

int64_t File::Seek(int64_t offset, int whence) {
    if (fd_ < 0) return -1;
    return lseek(fd_, offset, whence);
}

bool File::Sync() { return fd_ >= 0 && fsync(fd_) == 0; }

bool File::Close() {
    if (fd_ < 0) return true;
    // Linux releases the descriptor even when close() fails, EINTR included:
    // retrying could close a descriptor another part of the program just got.
    const int r = close(std::exchange(fd_, -1));
    return r == 0;
}

bool FileExists(const std::string &path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

bool IsRegularFile(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const std::string &path) { return unlink(path.c_str()) == 0; }

bool WriteWholeFile(const std::string &path, const void *bytes, size_t n) {
    File file = File::Create(path);
    if (!file.IsOpen()) return false;
    if (file.WriteAll(bytes, n) && file.Close()) return true;
    file.Close();
    DeleteFile(path);
    return false;
}

namespace {

bool CopyContents(File &from, File &to) {
    std::vector<char> buffer(1 << 16);
    while (true) {
        const int64_t n = from.Read(buffer.data(), buffer.size());
        if (n < 0) return false;
        if (n == 0) return true;
        if (!to.WriteAll(buffer.data(), static_cast<size_t>(n))) return false;
    }
}

// Another program may pick the same free name between our look and our
// create; O_EXCL catches that, and we look again.
File CreateBeside(const std::string &dst, std::string &tempPath) {
    const std::string folder = ExtractFilePath(dst);
    const std::string stem = ExtractFileName(dst);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = FreeFileName(folder, stem, ".part");
        File file = File::CreateNew(tempPath);
        if (file.IsOpen() || errno != EEXIST) return file;
    }
    return File();
}

}  // namespace

bool CopyFileOverwrite(const std::string &src, const std::string &dst) {
    File from = File::OpenRead(src);
    if (!from.IsOpen()) return false;
    struct stat st;
    if (fstat(from.Descriptor(), &st) != 0) return false;

    std::string tempPath;
    File to = CreateBeside(dst, tempPath);
    if (!to.IsOpen()) return false;
    const bool written = CopyContents(from, to) &&
                         fchmod(to.Descriptor(), st.st_mode & 07777) == 0 &&
                         to.Sync() && to.Close();
    if (!written || rename(tempPath.c_str(), dst.c_str()) != 0) {
        to.Close();
        DeleteFile(tempPath);
        return false;
    }
    return true;
}

std::string FreeFileName(const std::string &folder, const std::string &stem,
                         const std::string &extension) {
    // lstat, not stat: a dangling symbolic link names nothing readable, but
    // creating a file through it would write wherever it points.
    std::string candidate = folder + stem + extension;
    for (int n = 1; FileExists(candidate); ++n)
        candidate = folder + stem + "-" + std::to_string(n) + extension;
    return candidate;
}

}  // namespace platform
