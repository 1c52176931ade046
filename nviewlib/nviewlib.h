/* The C ABI of NVIEWLIB.DLL. Paths are zero-terminated, in the file system's
   encoding (UTF-8 here). No function lets an exception or a signal escape.

   State. The library keeps a copy of the picture of the latest successful
   NViewLibLoad (the caller owns, and may free, the handle it was given); a
   save encodes that copy. A load that fails changes nothing: the previous
   picture can still be saved and any remembered metadata stays.
   Load_JPG and Load_GIF neither read nor change this state.

   Metadata (the meaning of the flag). A successful load with flag 1
   remembers the file's ICC profile (APP2 ICC_PROFILE chunks) and EXIF (the
   APP1 "Exif" segment), keyed by the path string as given; for a file that is
   not a JPEG it remembers that there is none. A successful load with flag 0
   of that same path forgets them; one of another path keeps them. A save to
   exactly the remembered path writes them back (EXIF right after the JFIF
   header, then the profile), so the applier's sequence "target with flag 1,
   working file with flag 0, save to the target" keeps the target's colour
   profile and camera data. Any flag other than 1 counts as 0.

   Formats are told by content, never by the file name. Pictures above 65535
   pixels on a side or 2^28 pixels in all, and truncated or malformed files,
   give NULL. A JPEG whose entropy data is complete but whose EOI marker is
   missing still decodes; a "corrupt data" warning from libjpeg is a failure.
   EXIF orientation is not applied. */
#pragma once
#include <stdint.h>

#include "platform/nv_bitmap.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(NVIEWLIB_BUILD)
#define NVIEWLIB_API __attribute__((visibility("default")))
#else
#define NVIEWLIB_API
#endif

/* Decodes the file (JPEG, BMP, PNG or GIF, told by content) into a new
   handle of 0x00RRGGBB pixels, transparent parts over white. NULL when it
   does not decode. flag: see "Metadata" above. */
NVIEWLIB_API HBITMAP NViewLibLoad(const char *path, int32_t flag);
/* Writes the picture of the latest successful NViewLibLoad as a baseline JPEG:
   quality clamped to 1..100, 4:4:4 chroma from 90 up and 4:2:0 below,
   optimised Huffman tables. The file is written beside path under a unique
   name, flushed to disk and renamed over path: a failure (no folder, disk
   full, file-size limit, ...) leaves any old file untouched and no temporary
   file. 1 written, 0 failed or nothing loaded yet. */
NVIEWLIB_API int32_t NViewLibSaveAsJPG(int32_t quality, const char *path);
/* Accepted and ignored: the library shows no texts. */
NVIEWLIB_API void NViewLibSetLanguage(int32_t language);
NVIEWLIB_API void NViewLibSetCustomLang(const char *path);
/* Decode a JPEG file (Load_JPG) or the first frame of a GIF file (Load_GIF)
   only; NULL for any other content. */
NVIEWLIB_API HBITMAP Load_JPG(const char *path);
NVIEWLIB_API HBITMAP Load_GIF(const char *path);

typedef HBITMAP (*NViewLibLoadFn)(const char *, int32_t);
typedef int32_t (*NViewLibSaveAsJPGFn)(int32_t, const char *);
typedef void (*NViewLibSetLanguageFn)(int32_t);
typedef void (*NViewLibSetCustomLangFn)(const char *);
typedef HBITMAP (*LoadJPGFn)(const char *);
typedef HBITMAP (*LoadGIFFn)(const char *);

#ifdef __cplusplus
}
#endif
