#include "tests/hostile/hostile_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "tests/support/file_util.h"

namespace hostile {

namespace fs = std::filesystem;

testsupport::Picture MakeNoise(int width, int height, uint32_t seed) {
    testsupport::Picture picture = testsupport::MakeSolid(width, height, 0);
    uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
    for (uint32_t &p : picture.pixels) {
        // xorshift64: fast and the same everywhere.
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        p = static_cast<uint32_t>(state >> 20) & 0x00FFFFFFu;
    }
    return picture;
}

std::string FileEntry(const std::string &path) {
    const std::vector<uint8_t> bytes = testsupport::ReadFile(path);
    // FNV-1a: short enough to print in a failure, and any change of content
    // changes it in practice.
    uint64_t hash = 0xCBF29CE484222325ull;
    for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3ull;
    char text[64];
    std::snprintf(text, sizeof text, "f:%zu:%016llx", bytes.size(), static_cast<unsigned long long>(hash));
    return text;
}

Tree DescribeTree(const std::string &folder) {
    Tree tree;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        // Lexically: relative() would follow a link to where it points.
        const std::string name = entry.path().lexically_relative(folder).string();
        const fs::file_status status = entry.symlink_status();
        if (fs::is_symlink(status)) {
            tree[name] = "l:" + fs::read_symlink(entry.path()).string();
        } else if (fs::is_directory(status)) {
            tree[name] = "d";
        } else if (fs::is_regular_file(status)) {
            tree[name] = FileEntry(entry.path().string());
        } else {
            tree[name] = "p";
        }
    }
    return tree;
}

ChildEnd RunLimited(rlim_t limit, SizeSignal signal, const std::function<int()> &body) {
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        std::signal(SIGXFSZ, signal == SizeSignal::Ignored ? SIG_IGN : SIG_DFL);
        rlimit limited{};
        getrlimit(RLIMIT_FSIZE, &limited);
        limited.rlim_cur = limit;
        if (setrlimit(RLIMIT_FSIZE, &limited) != 0) _exit(120);
        int code = 121;
        try {
            code = body();
        } catch (...) {
            code = 122;
        }
        // No exit handlers: they belong to the parent (the test framework).
        _exit(code);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) throw std::runtime_error("waitpid failed");
    ChildEnd end;
    end.exited = WIFEXITED(status);
    end.code = end.exited ? WEXITSTATUS(status) : -1;
    end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return end;
}

}  // namespace hostile
