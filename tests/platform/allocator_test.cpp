#include "platform/allocator.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstring>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kOwnMalloc = false;  // the sanitizer replaces glibc's allocator
#else
constexpr bool kOwnMalloc = true;
#endif

TEST(Allocator, LargeBlocksStayInTheHeapAfterFree) {
    if (!kOwnMalloc) GTEST_SKIP() << "allocator replaced";
    platform::KeepLargeBlocksForReuse();
    constexpr size_t kFrame = size_t{48} << 20;  // a 4000 x 3000 frame
    const size_t mappedBefore = mallinfo2().hblkhd;
    void *frame = std::malloc(kFrame);
    ASSERT_NE(frame, nullptr);
    std::memset(frame, 1, kFrame);
    EXPECT_EQ(mallinfo2().hblkhd, mappedBefore) << "the frame got its own mapping";
    std::free(frame);
    EXPECT_GE(mallinfo2().arena, kFrame) << "the heap was trimmed after free";
}

}  // namespace
