#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "imagelib/gra.h"
#include "platform/picture_holder.h"
#include "platform/string_list.h"
#include "tests/support/picture.h"
#include "tests/support/temp_dir.h"
#include "zelfin/entry_passes.h"

namespace zelfin_test {

using testsupport::Picture;

// The library bound from the build's tool folder, once per test program.
Gra &TestGra();

// Every regular file below folder, by path relative to it.
using FolderSnapshot = std::map<std::string, std::vector<uint8_t>>;
[[nodiscard]] FolderSnapshot Snapshot(const std::string &folder);
// Names in folder (not recursive), sorted.
[[nodiscard]] std::vector<std::string> Names(const std::string &folder);

// The decoded pixels of any picture file, through the library. Empty picture
// when it does not decode.
[[nodiscard]] Picture Decode(const std::string &path);

// Mean absolute channel difference over the rectangle (x, y, w, h), clipped.
[[nodiscard]] double RegionDiff(const Picture &a, const Picture &b, int x, int y, int w, int h);

// Writes picture as a q90 4:2:0 JPEG, the usual published kind.
void WriteJpeg(const std::string &path, const Picture &picture);

enum class BlobKind { Bmp, Jpeg };

// The plain bytes of a blob holding picture: a 24-bit BMP, or a JPEG at q94.
[[nodiscard]] std::vector<uint8_t> PlainBlob(const Picture &picture, BlobKind kind);

// Builds a control list and a data file the way the authoring tool does.
class PackageBuilder {
public:
    explicit PackageBuilder(const std::string &quality = "94", bool backup = false,
                            const std::string &title = "title");

    // block at (x, y) over the file at targetPath, recorded under name (code
    // page 932); size and key are taken from that file as it is now.
    void AddEntry(const std::string &name, const std::string &targetPath, int32_t x, int32_t y,
                  const Picture &block, BlobKind kind = BlobKind::Bmp);
    // An entry from raw lines; blob bytes are appended as given.
    void AddRawEntry(const std::string &name, const std::string &size, const std::string &x,
                     const std::string &y, const std::string &length, const std::vector<uint8_t> &blob);

    platform::TStringList &List() { return list_; }
    // Replaces one line of the control list.
    void SetLine(int index, const std::string &text);
    std::vector<uint8_t> &Data() { return data_; }
    // zelfin.ini and zelfin.dat into folder ('/'-terminated).
    void Write(const std::string &folder) const;

private:
    platform::TStringList list_;
    std::vector<uint8_t> data_;
};

// Three work pictures, as the result window holds them.
struct Holders {
    platform::PictureHolder oldPicture, composite, block;
    zelfin::PictureHolders Refs() { return {oldPicture, composite, block}; }
};

// A package folder and a target folder inside one temporary folder.
struct Folders {
    testsupport::TempDir temp;
    std::string package = MakeSub("package");
    std::string target = MakeSub("target");

private:
    std::string MakeSub(const std::string &name) const;
};

}  // namespace zelfin_test
