#include "nviewlib/replacement_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nviewlib {

namespace {

std::string FolderOf(const std::string &path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Unique enough across processes (pid), calls (counter) and stale leftovers
// of an earlier run with the same pid (clock); O_EXCL settles any clash.
std::string TempName(const std::string &folder) {
    static std::atomic<unsigned> counter{0};
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    char name[96];
    std::snprintf(name, sizeof name, ".nvsave-%ld-%u-%lx.tmp", static_cast<long>(getpid()),
                  counter.fetch_add(1), static_cast<unsigned long>(now.tv_nsec ^ now.tv_sec));
    return folder + name;
}

}  // namespace

ReplacementFile::~ReplacementFile() {
    if (!committed_) Discard();
}

void ReplacementFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

bool ReplacementFile::Create(const std::string &target) {
    target_ = target;
    const std::string folder = FolderOf(target);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        std::string name = TempName(folder);
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temp_ = std::move(name);
        } else if (errno != EEXIST) {
            return false;
        }
    }
    if (fd_ < 0) return false;
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd_, old.st_mode & 07777);
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0) size_limit_ = limit.rlim_cur;
    return true;
}

bool ReplacementFile::Write(const void *data, size_t size) {
    if (fd_ < 0) return false;
    if (size_limit_ != RLIM_INFINITY && written_ + size > size_limit_) {
        errno = EFBIG;
        return false;
    }
    const auto *p = static_cast<const unsigned char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
        written_ += static_cast<uint64_t>(n);
    }
    return true;
}

bool ReplacementFile::Commit() {
    if (fd_ < 0) return false;
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed) return false;
    if (::rename(temp_.c_str(), target_.c_str()) != 0) return false;
    committed_ = true;
    temp_.clear();
    return true;
}

}  // namespace nviewlib
