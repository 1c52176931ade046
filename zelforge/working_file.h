#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelforge {

// The scratch file an entry passes through in the package folder. It never
// replaces a file of the author's: it is "temp" when that name is free and
// "temp-1", "temp-2", ... otherwise, and it is created new, so not even a
// symbolic link planted under the name is followed. Removed when the object
// goes, whatever happened in between.
class WorkingFile {
public:
    // Picks the name; creates nothing yet.
    explicit WorkingFile(const std::string &folder);
    ~WorkingFile();
    WorkingFile(const WorkingFile &) = delete;
    WorkingFile &operator=(const WorkingFile &) = delete;

    [[nodiscard]] const std::string &Path() const { return path_; }

    // Creates the file and writes every byte. False when it cannot be
    // created or fully written; no partial file is left then.
    [[nodiscard]] bool Write(const std::vector<uint8_t> &bytes);

    // The whole file as it is now. Empty when it cannot be read, is empty,
    // or is longer than maxLength.
    [[nodiscard]] std::optional<std::vector<uint8_t>> ReadBack(int64_t maxLength) const;

private:
    std::string folder_;
    std::string path_;
    bool created_ = false;
};

}  // namespace zelforge
