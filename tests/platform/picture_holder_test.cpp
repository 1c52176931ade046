#include "platform/picture_holder.h"

#include <gtest/gtest.h>

namespace {

using platform::BitmapPtr;
using platform::PictureHolder;

BitmapPtr Picture(int32_t w, int32_t h) { return BitmapPtr(platform::AllocBitmap(w, h)); }

// A handle with a zero side, as a failed decode might hand over.
BitmapPtr EmptyPicture(int32_t w, int32_t h) {
    auto *b = static_cast<NvBitmap *>(std::malloc(sizeof(NvBitmap)));
    *b = NvBitmap{w, h, nullptr};
    return BitmapPtr(b);
}

void ExpectSize(const PictureHolder &holder, int32_t w, int32_t h) {
    EXPECT_EQ(holder.Width(), w);
    EXPECT_EQ(holder.Height(), h);
}

TEST(PictureHolder, StartsAtDesignedSizeWithoutPicture) {
    PictureHolder holder;
    ExpectSize(holder, 105, 105);
    EXPECT_FALSE(holder.HasPicture());
    EXPECT_EQ(holder.Picture(), nullptr);
}

TEST(PictureHolder, TakesTheSizeOfEachPictureAndKeepsItWithoutOne) {
    PictureHolder holder;
    BitmapPtr first = Picture(200, 100);
    NvBitmap *firstHandle = first.get();
    holder.SetPicture(std::move(first));
    ExpectSize(holder, 200, 100);
    EXPECT_EQ(holder.Picture(), firstHandle);

    holder.SetPicture(nullptr);
    ExpectSize(holder, 200, 100);
    EXPECT_FALSE(holder.HasPicture());

    holder.SetPicture(Picture(3, 4));
    ExpectSize(holder, 3, 4);
    for (auto [w, h] : {std::pair{0, 50}, {50, 0}, {-1, 5}}) {
        holder.SetPicture(EmptyPicture(w, h));
        ExpectSize(holder, 3, 4);
        EXPECT_FALSE(holder.HasPicture()) << w << " x " << h;
    }

    holder.SetPicture(Picture(7, 8));
    holder.Clear();
    ExpectSize(holder, 7, 8);
    EXPECT_FALSE(holder.HasPicture());
}

TEST(PictureHolder, SetSizeKeepsOnlyAPictureOfThatSize) {
    PictureHolder holder;
    holder.SetPicture(Picture(30, 40));
    NvBitmap *handle = holder.Picture();
    holder.SetSize(30, 40);
    EXPECT_EQ(holder.Picture(), handle);
    holder.SetSize(40, 30);
    ExpectSize(holder, 40, 30);
    EXPECT_FALSE(holder.HasPicture());
}

TEST(PictureHolder, CanvasIsTheCurrentPictureOrANewOneOfTheHolderSize) {
    PictureHolder holder;
    NvBitmap *canvas = holder.Canvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->width, 105);
    EXPECT_EQ(canvas->height, 105);
    EXPECT_EQ(holder.Picture(), canvas);
    EXPECT_EQ(holder.Canvas(), canvas);

    holder.SetSize(6, 9);
    canvas = holder.Canvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->width, 6);
    EXPECT_EQ(canvas->height, 9);
    // A fresh canvas is blank white, never left-over memory.
    for (int i = 0; i < 6 * 9; ++i) ASSERT_EQ(canvas->pixels[i], 0x00FFFFFFu) << i;

    holder.SetSize(0, 9);
    EXPECT_EQ(holder.Canvas(), nullptr);
}

TEST(PictureHolder, ReleaseHandleGivesUpThePictureAndKeepsTheSize) {
    PictureHolder holder;
    holder.SetPicture(Picture(12, 5));
    NvBitmap *handle = holder.Picture();
    const BitmapPtr released = holder.ReleaseHandle();
    EXPECT_EQ(released.get(), handle);
    EXPECT_FALSE(holder.HasPicture());
    ExpectSize(holder, 12, 5);
}

}  // namespace
