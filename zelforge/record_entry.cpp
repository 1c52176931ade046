#include "record_entry.h"

#include <algorithm>
#include <new>

#include "corner_marking.h"
#include "imagelib/gra.h"
#include "package/data_file.h"
#include "package/package_files.h"
#include "package/scramble.h"
#include "platform/bitmap.h"
#include "platform/cp932.h"
#include "platform/int_text.h"
#include "texts.h"
#include "working_file.h"

namespace zelforge {

namespace {

// What a picture made for drawing shows before the copy fills it.
constexpr uint32_t kBlankPixel = 0x00FFFFFF;

bool ReadyToRecord(const AuthoringVars &vars, const platform::PictureHolder &image1,
                   const platform::PictureHolder &image2) {
    if (vars.AuthoringState != AuthoringMode::Marking || !vars.DataFile || !CornersMakeRectangle(vars))
        return false;
    // The corners come from presses on the picture, so this holds; a
    // rectangle reaching outside the old picture would be patched wrongly.
    const NvBitmap *clean = image2.Picture();
    return vars.X1 >= 0 && vars.Y1 >= 0 && vars.X2 <= image1.Width() && vars.Y2 <= image1.Height() &&
           clean != nullptr && clean->width == image1.Width() && clean->height == image1.Height();
}

// The rectangle's pixels, taken from the clean update image: the shown
// picture carries the corner markers, which must never be recorded.
platform::BitmapPtr CutRectangle(const NvBitmap &clean, int32_t x, int32_t y, int32_t w, int32_t h) {
    platform::BitmapPtr rect(platform::AllocBitmap(w, h));
    if (!rect) throw std::bad_alloc();
    std::fill_n(rect->pixels, static_cast<size_t>(w) * static_cast<size_t>(h), kBlankPixel);
    platform::BitBlt(*rect, 0, 0, w, h, clean, x, y);
    return rect;
}

RecordResult Fail(RecordVerdict verdict, const WorkingFile &work) { return {verdict, work.Path()}; }

}  // namespace

RecordResult RecordEntry(AuthoringVars &vars, platform::PictureHolder &image1, platform::PictureHolder &image2,
                         const RecordSettings &settings, const Gra &gra, AuthoringLog &log) {
    if (!ReadyToRecord(vars, image1, image2)) return {};
    const int32_t w = vars.X2 - vars.X1;
    const int32_t h = vars.Y2 - vars.Y1;
    platform::BitmapPtr picture = CutRectangle(*image2.Picture(), vars.X1, vars.Y1, w, h);

    WorkingFile work(vars.PackageFolder);
    if (!work.Write(platform::EncodeBmp24(*picture))) return Fail(RecordVerdict::WorkingFileNotWritten, work);
    if (settings.jpegQuality) {
        // The library re-encodes the picture it loaded last, so it must load
        // exactly this file first; a failed load would save another picture.
        platform::BitmapPtr loaded(gra.LoadPicture(work.Path(), 0));
        if (!loaded || !gra.SaveAsJpeg(*settings.jpegQuality, work.Path()))
            return Fail(RecordVerdict::JpegNotMade, work);
        picture = std::move(loaded);
    }

    // The blob is what the file holds now, whatever the library made of it.
    auto blob = work.ReadBack(package::kMaxDataFileSize);
    if (!blob) return Fail(RecordVerdict::WorkingFileUnreadable, work);
    const auto length = static_cast<int32_t>(blob->size());
    // The offset and length lines are signed 32-bit: the data file must stay
    // below 2 GiB.
    if (length > package::kMaxDataFileSize - vars.DataOffset) return Fail(RecordVerdict::DataFileFull, work);

    package::ScrambleBlob(blob->data(), blob->size(), package::ScrambleKey(image1.Width()));
    switch (vars.DataFile->Append(blob->data(), blob->size())) {
    case package::DataFileWriter::AppendResult::Appended: break;
    case package::DataFileWriter::AppendResult::TooLarge: return Fail(RecordVerdict::DataFileFull, work);
    case package::DataFileWriter::AppendResult::WriteFailed: return Fail(RecordVerdict::DataFileNotWritten, work);
    }

    // From here on nothing can fail: the blob is in, its lines follow.
    package::AppendEntry(vars.ControlList,
                         {vars.OldFileName, vars.OldFileSize, vars.X1, vars.Y1, vars.DataOffset, length});
    log.AddLogLine(platform::IntToStr(vars.EntryNumber) + ":" + platform::Cp932ToUtf8ForDisplay(vars.OldFileName) +
                   texts::kEntryLogSuffix);
    vars.X2 = w;
    vars.Y2 = h;
    vars.DataOffset += length;
    vars.AuthoringState = AuthoringMode::Selecting;
    vars.EntryNumber += 1;
    image1.Clear();
    image2.SetPicture(std::move(picture));
    return {RecordVerdict::Recorded, work.Path()};
}

std::string RecordFailureText(const RecordResult &result, const AuthoringVars &vars) {
    const std::string dataFile = vars.PackageFolder + package::kDataFileName;
    switch (result.verdict) {
    case RecordVerdict::JpegNotMade: return std::string(texts::kJpegNotMade) + texts::kNotRecordedSuffix;
    case RecordVerdict::WorkingFileUnreadable:
        return texts::kFilePrefix + result.workingFile + texts::kCannotReadSuffix + texts::kNotRecordedSuffix;
    case RecordVerdict::DataFileFull: return dataFile + texts::kDataFileFullSuffix;
    case RecordVerdict::DataFileNotWritten:
        return texts::kFilePrefix + dataFile + texts::kCannotWriteSuffix + texts::kNotRecordedSuffix;
    case RecordVerdict::Recorded:
    case RecordVerdict::NotReady:
    case RecordVerdict::WorkingFileNotWritten: break;
    }
    return std::string();
}

}  // namespace zelforge
