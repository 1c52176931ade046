#include "nviewlib/input_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nviewlib {

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool InputFile::Open(const char *path) {
    // O_NONBLOCK only matters for a FIFO, whose open would otherwise wait for
    // a writer before the S_ISREG test below could refuse it.
    fd_ = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0) return false;
    struct stat st;
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    size_ = st.st_size;
    return true;
}

size_t InputFile::ReadAt(int64_t offset, void *buffer, size_t count) {
    if (fd_ < 0 || offset < 0) {
        failed_ = true;
        return 0;
    }
    auto *out = static_cast<unsigned char *>(buffer);
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            failed_ = true;
            break;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

size_t InputFile::Read(void *buffer, size_t count) {
    const size_t n = ReadAt(position_, buffer, count);
    position_ += static_cast<int64_t>(n);
    return n;
}

void InputFile::Skip(uint64_t count) {
    const uint64_t room = static_cast<uint64_t>(INT64_MAX - position_);
    position_ += static_cast<int64_t>(count < room ? count : room);
}

}  // namespace nviewlib
