#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include <sys/resource.h>

namespace nviewlib {

// A new file written beside the one it is to replace, under a unique name,
// and renamed over it only once complete and flushed to disk: a reader of
// the target sees either the whole old file or the whole new one, and a
// failure at any point leaves the old file as it was and no stray file.
class ReplacementFile {
public:
    ReplacementFile() = default;
    ~ReplacementFile();  // removes the temporary file unless committed
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;

    // Creates the temporary file in the folder of target (the current folder
    // when target names no folder). It takes the permission bits of an
    // existing target, or 0666 less the umask.
    [[nodiscard]] bool Create(const std::string &target);

    // Appends bytes; false on any error. A write that would cross the
    // process's RLIMIT_FSIZE is refused before it is tried: the kernel would
    // answer it with SIGXFSZ, which kills the caller unless it ignores it.
    [[nodiscard]] bool Write(const void *data, size_t size);

    // fsync, close (both checked), then rename over the target.
    [[nodiscard]] bool Commit();

private:
    void Discard();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    uint64_t written_ = 0;
    rlim_t size_limit_ = RLIM_INFINITY;
    bool committed_ = false;
};

}  // namespace nviewlib
