#pragma once

namespace platform {

// Keeps freed full-frame buffers in the heap for reuse: glibc otherwise maps
// every block above its mmap threshold (at most 32 MB) afresh, and the first
// write to fresh pages costs more than decoding a 12-megapixel JPEG. Called
// once at program start, before any picture is loaded.
void KeepLargeBlocksForReuse();

}  // namespace platform
