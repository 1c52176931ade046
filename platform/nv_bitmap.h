/* The bitmap handle shared by the programs and NVIEWLIB.DLL across its C ABI. */
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct NvBitmap {
    int32_t   width;    /* pixels, > 0 */
    int32_t   height;   /* pixels, > 0 */
    uint32_t *pixels;   /* width*height values 0x00RRGGBB, rows top to bottom, no padding */
} NvBitmap;

/* One block from malloc() holding the struct and its pixels: whoever owns the
   handle releases it with free(). */
typedef NvBitmap *HBITMAP;

#ifdef __cplusplus
}
#endif
