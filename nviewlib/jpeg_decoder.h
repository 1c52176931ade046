#pragma once
#include "nviewlib/bitmap_block.h"
#include "nviewlib/input_file.h"
#include "nviewlib/jpeg_metadata.h"

namespace nviewlib {

// Decodes a JPEG file (baseline, progressive, greyscale, colour, CMYK and
// YCCK, Adobe-inverted or plain) from the start of file into a new bitmap.
// EXIF orientation is not applied: pixels come out as stored.
//
// Null for anything malformed. A file cut short fails, with one exception: a
// single-scan file whose entropy data is complete but whose EOI marker (or
// whatever followed) is missing still decodes, because every pixel is there.
// A multi-scan (progressive) file cut anywhere fails, even between scans,
// where libjpeg itself would quietly show a blurrier picture.
//
// When keep is not null, the file's ICC profile and EXIF segment are stored
// there (left empty when absent).
[[nodiscard]] BitmapBlock DecodeJpeg(InputFile &file, JpegMetadata *keep);

}  // namespace nviewlib
