#include "entry_passes.h"

#include <optional>
#include <vector>

#include "entry_paths.h"
#include "package/package_files.h"
#include "package/scramble.h"
#include "platform/bitmap.h"
#include "platform/file.h"
#include "platform/int_text.h"

namespace zelfin {

namespace {

using package::EntryField;
using package::EntryLine;

const std::string &Line(const platform::TStringList &list, int k, EntryField field) {
    return list[EntryLine(k, field)];
}

// Removes the working file however the pass ends, a thrown failure included:
// it is ours, and nothing of it is useful to the user.
class WorkingFile {
public:
    explicit WorkingFile(std::string path) : path_(std::move(path)) {}
    ~WorkingFile() { platform::DeleteFile(path_); }
    WorkingFile(const WorkingFile &) = delete;
    WorkingFile &operator=(const WorkingFile &) = delete;
    [[nodiscard]] const std::string &Path() const { return path_; }
    void Empty() const { platform::File emptied = platform::File::Create(path_); }


private:
    std::string path_;
};

// One entry of the application pass. Returns at the first thing that fails;
// the target is written only by the final save.
Failure ApplyEntry(const platform::TStringList &list, int k, package::DataFileReader &dataFile,
                   const ApplySettings &settings, const PictureHolders &holders, const Gra &gra,
                   const WorkingFile &work) {
    const std::optional<EntryPaths> paths = MakeEntryPaths(settings.targetFolder, Line(list, k, EntryField::Name));
    if (!paths) return Failure::WriteFailed;

    const int32_t x = platform::StrToInt(Line(list, k, EntryField::X));
    const int32_t y = platform::StrToInt(Line(list, k, EntryField::Y));
    const int32_t length = platform::StrToInt(Line(list, k, EntryField::Length));

    if (settings.backup) {
        // A name already ending in '~' would be its own backup: refused, the
        // target stays as it is.
        if (paths->backup.empty() || !platform::CopyFileOverwrite(paths->target, paths->backup)) {
            return Failure::WriteFailed;
        }
    }

    holders.composite.Clear();
    holders.block.Clear();

    holders.oldPicture.SetPicture(platform::BitmapPtr(gra.LoadPicture(paths->target, 1)));
    if (!holders.oldPicture.HasPicture()) return Failure::WriteFailed;
    const uint8_t key = package::ScrambleKey(holders.oldPicture.Width());

    // The composite starts as the old picture. Handing the old picture's
    // pixels over instead of copying them gives the same composite without a
    // second full frame; the old picture is not needed after this.
    holders.composite.SetPicture(holders.oldPicture.ReleaseHandle());

    std::optional<std::vector<uint8_t>> blob = dataFile.ReadNext(length);
    if (!blob) return Failure::WriteFailed;
    package::ScrambleBlob(blob->data(), blob->size(), key);
    const bool written = platform::WriteWholeFile(work.Path(), blob->data(), blob->size());
    blob.reset();
    if (!written) return Failure::WriteFailed;

    holders.block.SetPicture(platform::BitmapPtr(gra.LoadPicture(work.Path(), 0)));
    if (!holders.block.HasPicture()) return Failure::WriteFailed;

    NvBitmap *composite = holders.composite.Canvas();
    if (composite == nullptr) return Failure::WriteFailed;
    platform::BitBlt(*composite, x, y, holders.block.Width(), holders.block.Height(), *holders.block.Picture(),
                     0, 0);

    // The library saves the picture it loaded last, so the composite goes
    // through the working file once more.
    platform::SaveBmp24ToFile(*composite, work.Path());
    holders.composite.SetPicture(platform::BitmapPtr(gra.LoadPicture(work.Path(), 0)));
    if (!holders.composite.HasPicture()) return Failure::WriteFailed;
    // The composite's BMP has served. Emptied now, its pages never reach the
    // disk: the save's flush to disk would otherwise write them out too,
    // which costs more than encoding a full-HD picture.
    work.Empty();

    if (!gra.SaveAsJpeg(settings.quality, paths->target)) return Failure::WriteFailed;
    return Failure::None;
}

}  // namespace

Failure VerifyEntries(const platform::TStringList &list, const std::string &targetFolder) {
    const int count = package::EntryCount(list);
    for (int k = 1; k <= count; ++k) {
        const std::optional<EntryPaths> paths = MakeEntryPaths(targetFolder, Line(list, k, EntryField::Name));
        if (!paths) return Failure::FileMissing;
        int64_t size = -1;
        {
            platform::File file = platform::File::OpenRead(paths->target);
            if (!file.IsOpen()) return Failure::FileMissing;
            size = file.Size();
        }
        if (size < 0) return Failure::FileMissing;
        // Compared in 64 bits: a file of 4 GiB and more must not match a
        // recorded size by its low 32 bits.
        if (platform::StrToInt(Line(list, k, EntryField::Size)) != size) return Failure::SizeMismatch;
    }
    return Failure::None;
}

Failure ApplyEntries(const platform::TStringList &list, package::DataFileReader &dataFile,
                     const ApplySettings &settings, const PictureHolders &holders, const Gra &gra) {
    const int count = package::EntryCount(list);
    if (count == 0) return Failure::None;

    // A "tmp.bmp" of the user's is never taken over: the working file gets
    // the first free name of that stem.
    const WorkingFile work(platform::FreeFileName(settings.targetFolder, "tmp", ".bmp"));
    for (int k = 1; k <= count; ++k) {
        const Failure failure = ApplyEntry(list, k, dataFile, settings, holders, gra, work);
        if (failure != Failure::None) return failure;
    }
    return Failure::None;
}

}  // namespace zelfin
