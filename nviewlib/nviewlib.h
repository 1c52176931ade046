/* The C ABI of NVIEWLIB.DLL. Paths are zero-terminated, in the file system's
   encoding (UTF-8 here). No function lets an exception or a signal escape. */
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

/* Decodes the file (JPEG, BMP, PNG or GIF, told by content). NULL when it
   does not decode. flag 1 also remembers the file's ICC profile and EXIF so a
   later save to the same path writes them back. */
NVIEWLIB_API HBITMAP NViewLibLoad(const char *path, int32_t flag);
/* Writes the picture of the latest successful NViewLibLoad as a baseline JPEG,
   replacing the file only by a complete new one. 1 written, 0 failed. */
NVIEWLIB_API int32_t NViewLibSaveAsJPG(int32_t quality, const char *path);
NVIEWLIB_API void NViewLibSetLanguage(int32_t language);
NVIEWLIB_API void NViewLibSetCustomLang(const char *path);
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
