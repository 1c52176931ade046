#pragma once
#include <string>
#include <vector>

namespace testsupport {

// A fresh private folder under $TMPDIR (or /tmp), removed with everything in
// it when the object goes away. Throws std::runtime_error when it cannot be
// created.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    // The folder, without a trailing '/'.
    const std::string &path() const { return path_; }
    // path() + "/" + name.
    [[nodiscard]] std::string File(const std::string &name) const;
    // Names of the entries of the folder (not recursive), sorted.
    [[nodiscard]] std::vector<std::string> List() const;

private:
    std::string path_;
};

}  // namespace testsupport
