#include "path.h"

#include <unistd.h>

#include <vector>

namespace platform {

std::string ExtractFilePath(std::string_view path) {
    const size_t slash = path.rfind(kPathSeparator);
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash + 1));
}

std::string ExtractFileName(std::string_view path) {
    const size_t slash = path.rfind(kPathSeparator);
    if (slash == std::string_view::npos) return std::string(path);
    return std::string(path.substr(slash + 1));
}

std::string ExecutablePath() {
    // readlink neither terminates nor reports truncation: a result that fills
    // the buffer may have been cut, so grow and ask again.
    std::vector<char> buffer(256);
    while (true) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return {};
        if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExecutableFolder() { return ExtractFilePath(ExecutablePath()); }

}  // namespace platform
