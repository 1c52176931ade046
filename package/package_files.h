#pragma once
#include <cstdint>
#include <string>

#include "platform/string_list.h"

namespace package {

inline constexpr const char *kControlListName = "zelfin.ini";
inline constexpr const char *kDataFileName = "zelfin.dat";
inline constexpr const char *kApplierTemplateName = "zelfin.exx";
inline constexpr const char *kImageLibraryName = "NVIEWLIB.DLL";

inline constexpr int kLinesPerGroup = 6;
inline constexpr const char *kUnusedHeaderLine = "none";

// Header line numbers.
inline constexpr int kPromptTitleLine = 0;
inline constexpr int kQualityLine = 1;
inline constexpr int kBackupLine = 2;

// Line offsets of entry k's six lines from line 6k.
enum class EntryField : int { Name = 0, Size = 1, X = 2, Y = 3, Offset = 4, Length = 5 };

[[nodiscard]] inline int EntryLine(int k, EntryField f) {
    return kLinesPerGroup * k + static_cast<int>(f);
}

// (lines div 6) - 1, never below 0: lines after the last full group are ignored.
[[nodiscard]] int EntryCount(const platform::TStringList &list);

// Backups are on exactly when header line 2 is the single character "1".
[[nodiscard]] bool BackupLineMeansOn(const std::string &line);

// The six header lines. Texts are code page 932 bytes.
void AppendHeader(platform::TStringList &list, const std::string &promptTitle,
                  const std::string &qualityText, bool backup);

struct EntryRecord {
    std::string name;  // code page 932, no folder
    int32_t size = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t offset = 0;
    int32_t length = 0;
};

// The six lines of one entry, integers in decimal.
void AppendEntry(platform::TStringList &list, const EntryRecord &entry);

// A name line the applier may join to the target folder: not empty, not "."
// or "..", no '/', '\\', control byte or zero byte, and valid code page 932.
[[nodiscard]] bool IsSafeEntryName(const std::string &cp932Name);

}  // namespace package
