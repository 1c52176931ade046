#include "string_list.h"

#include <algorithm>

#include "errors.h"
#include "file.h"

namespace platform {

const std::string &TStringList::Strings(int index) const {
    if (index < 0 || index >= Count()) throw ListIndexError();
    return lines_[static_cast<size_t>(index)];
}

void TStringList::SetText(std::string_view bytes) {
    lines_.clear();
    // The zero byte ends the text as a C string would.
    bytes = bytes.substr(0, bytes.find('\0'));
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t end = std::min(bytes.find_first_of("\r\n", i), bytes.size());
        lines_.emplace_back(bytes.substr(i, end - i));
        i = end;
        if (i < bytes.size() && bytes[i] == '\r') ++i;
        if (i < bytes.size() && bytes[i] == '\n') ++i;
    }
}

std::string TStringList::Text() const {
    std::string text;
    size_t total = 0;
    for (const std::string &line : lines_) total += line.size() + 2;
    text.reserve(total);
    for (const std::string &line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TStringList::LoadFromFile(const std::string &path) {
    File file = File::OpenRead(path);
    if (!file.IsOpen()) throw FileOpenError(path);
    // Read to the end rather than trusting the size: the file may change, and
    // some files report no size at all.
    std::string bytes;
    char buffer[1 << 16];
    while (true) {
        const int64_t n = file.Read(buffer, sizeof buffer);
        if (n < 0) throw FileOpenError(path);
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    SetText(bytes);
}

void TStringList::SaveToFile(const std::string &path) const {
    const std::string text = Text();
    if (!WriteWholeFile(path, text.data(), text.size())) throw FileCreateError(path);
}

}  // namespace platform
