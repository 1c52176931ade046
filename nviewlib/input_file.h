#pragma once
#include <cstddef>
#include <cstdint>

namespace nviewlib {

// A picture file opened for reading: regular files only, so that a FIFO or a
// device named by a hostile path can neither block nor stream forever.
// Reads retry on EINTR and return short only at the end of the file or on an
// error, which failed() then reports.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    [[nodiscard]] bool Open(const char *path);

    [[nodiscard]] int64_t size() const { return size_; }
    [[nodiscard]] bool failed() const { return failed_; }

    // Sequential reading from the current position (0 after Open).
    size_t Read(void *buffer, size_t count);
    // Moves the current position forward; past the end simply reads nothing.
    void Skip(uint64_t count);
    // Back to the start of the file.
    void Rewind() { position_ = 0; }
    // Positioned reading; leaves the current position alone.
    size_t ReadAt(int64_t offset, void *buffer, size_t count);

private:
    int fd_ = -1;
    int64_t size_ = 0;
    int64_t position_ = 0;
    bool failed_ = false;
};

}  // namespace nviewlib
