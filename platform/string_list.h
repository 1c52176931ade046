#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// An ordered list of byte-string lines (code page 932 in the package).
class TStringList {
public:
    [[nodiscard]] int Count() const { return static_cast<int>(lines_.size()); }

    // Throws ListIndexError when index is outside 0 .. Count()-1.
    [[nodiscard]] const std::string &Strings(int index) const;
    [[nodiscard]] const std::string &operator[](int index) const { return Strings(index); }

    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }

    // Splits bytes into lines: a line runs to the next CR, LF or zero byte;
    // after it one CR, then one LF, is skipped if present (so CR, LF and CR LF
    // end one line, LF CR ends two). A last line without an ending counts; a
    // zero byte ends the text; empty input gives no lines. Replaces the list.
    void SetText(std::string_view bytes);

    // Every line followed by CR LF.
    [[nodiscard]] std::string Text() const;

    // Reads the whole file and splits it as SetText.
    // Throws FileOpenError when the file cannot be opened or read.
    void LoadFromFile(const std::string &path);

    // Creates path (replacing any file there) and writes Text() in one piece.
    // Throws FileCreateError when it cannot be created or fully written.
    void SaveToFile(const std::string &path) const;

private:
    std::vector<std::string> lines_;
};

}  // namespace platform
