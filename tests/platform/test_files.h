// Scratch folders, raw file access and a file-size limit for tests that touch
// the file system. Tests run as root, so permission bits cannot make a write
// fail: a size limit, a missing folder or a file in a folder's place can.
#pragma once
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace test_files {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes. Path() ends in '/'.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zeltest-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::string &Path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + std::string(name); }

private:
    std::string path_;
};

inline std::string ReadBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string &path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

// While alive, no file of this process may grow beyond `bytes`: a write past
// the limit comes back short or fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &limited) != 0) throw std::runtime_error("setrlimit failed");
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

// Runs body in a forked child under a file-size limit with SIGXFSZ at its
// default action, which ends the process, as a shell's "ulimit -f" leaves it.
// Returns body's result as the child's exit code, or -1 when a signal ended
// the child.
template <typename Body>
int ExitCodeUnderSizeLimit(rlim_t bytes, Body body) {
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limited{};
        getrlimit(RLIMIT_FSIZE, &limited);
        limited.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &limited) != 0) _exit(120);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) throw std::runtime_error("waitpid failed");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Names in a folder, for checking that nothing was left behind.
inline std::size_t EntriesIn(const std::string &folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

}  // namespace test_files
