#include "tests/support/file_util.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

namespace {

[[noreturn]] void Fail(const std::string &what, const std::string &path) {
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

void WriteAll(const std::string &path, const void *data, size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) Fail("open", path);
    const auto *p = static_cast<const uint8_t *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ::close(fd);
            Fail("write", path);
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    if (::close(fd) != 0) Fail("close", path);
}

}  // namespace

std::vector<uint8_t> ReadFile(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail("open", path);
    std::vector<uint8_t> bytes;
    uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            Fail("read", path);
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return bytes;
}

void WriteFile(const std::string &path, const std::vector<uint8_t> &bytes) {
    WriteAll(path, bytes.data(), bytes.size());
}

void WriteFile(const std::string &path, const std::string &bytes) {
    WriteAll(path, bytes.data(), bytes.size());
}

bool FileExists(const std::string &path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace testsupport
