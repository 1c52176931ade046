#include "package_files.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/int_text.h"

namespace package {

int EntryCount(const platform::TStringList &list) {
    return std::max(0, list.Count() / kLinesPerGroup - 1);
}

bool BackupLineMeansOn(const std::string &line) { return line == "1"; }

void AppendHeader(platform::TStringList &list, const std::string &promptTitle,
                  const std::string &qualityText, bool backup) {
    list.Add(promptTitle);
    list.Add(qualityText);
    list.Add(backup ? "1" : "0");
    for (int i = kBackupLine + 1; i < kLinesPerGroup; ++i) list.Add(kUnusedHeaderLine);
}

void AppendEntry(platform::TStringList &list, const EntryRecord &entry) {
    list.Add(entry.name);
    list.Add(platform::IntToStr(entry.size));
    list.Add(platform::IntToStr(entry.x));
    list.Add(platform::IntToStr(entry.y));
    list.Add(platform::IntToStr(entry.offset));
    list.Add(platform::IntToStr(entry.length));
}

bool IsSafeEntryName(const std::string &cp932Name) {
    if (cp932Name.empty() || cp932Name == "." || cp932Name == "..") return false;
    // Also rejects bytes that are no character at all, such as a lead byte
    // without its trail byte.
    if (!platform::Cp932ToUtf8(cp932Name)) return false;
    // Walk character by character: 0x5C is a valid trail byte (表 is 0x95 0x5C)
    // and only a single-byte 0x5C is the other system's folder separator.
    for (size_t i = 0; i < cp932Name.size(); ++i) {
        const auto c = static_cast<unsigned char>(cp932Name[i]);
        if (platform::IsCp932LeadByte(c)) {
            ++i;  // the conversion above guarantees the trail byte is there
            continue;
        }
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return false;
    }
    return true;
}

}  // namespace package
