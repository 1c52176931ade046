// Entering the marking state: the size check, the old file's name and size,
// and the refusals that keep a package from recording a broken entry.
#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/bitmap.h"
#include "platform/picture_holder.h"
#include "tests/support/file_util.h"
#include "tests/support/temp_dir.h"
#include "zelforge/begin_marking.h"

using namespace zelforge;

namespace {

platform::BitmapPtr Filled(int w, int h, uint32_t seed) {
    platform::BitmapPtr b(platform::AllocBitmap(w, h));
    for (int i = 0; i < w * h; ++i) b->pixels[i] = (seed * 2654435761u + static_cast<uint32_t>(i) * 40503u) & 0xFFFFFF;
    return b;
}

struct Scene {
    testsupport::TempDir dir;
    platform::PictureHolder image1;  // the old picture
    platform::PictureHolder image2;  // the update image
    AuthoringVars vars;

    Scene(int oldW, int oldH, int newW, int newH) {
        image1.SetPicture(Filled(oldW, oldH, 1));
        image2.SetPicture(Filled(newW, newH, 2));
        vars.AuthoringState = AuthoringMode::Selecting;
        vars.OldFileName = "before.jpg";
        vars.OldFileSize = 11;
        vars.X1 = 3;
        vars.Y1 = 4;
        vars.X2 = 5;
        vars.Y2 = 6;
    }
    std::string Old(const std::string &name, size_t bytes = 1234) {
        const std::string path = dir.File(name);
        testsupport::WriteFile(path, std::string(bytes, 'j'));
        return path;
    }
    void ExpectUnchanged(uint32_t oldFirstPixel) const {
        EXPECT_EQ(vars.AuthoringState, AuthoringMode::Selecting);
        EXPECT_EQ(vars.OldFileName, "before.jpg");
        EXPECT_EQ(vars.OldFileSize, 11);
        EXPECT_EQ(vars.X1, 3);
        EXPECT_EQ(vars.X2, 5);
        EXPECT_EQ(image1.Picture()->pixels[0], oldFirstPixel);
    }
};

TEST(BeginMarking, SameSizeEntersMarking) {
    Scene s(40, 30, 40, 30);
    const std::string path = s.Old("photo 1.jpg", 5000);
    ASSERT_EQ(BeginMarking(s.image1, s.image2, path, s.vars), MarkingStart::Started);
    EXPECT_EQ(s.vars.AuthoringState, AuthoringMode::Marking);
    EXPECT_EQ(s.vars.OldFileName, "photo 1.jpg");
    EXPECT_EQ(s.vars.OldFileSize, 5000);
    EXPECT_EQ(s.vars.X1, -1);
    EXPECT_EQ(s.vars.X2, -1);
    // Y1 and Y2 are left as they were: nothing reads them while X is -1.
    EXPECT_EQ(s.vars.Y1, 4);
    EXPECT_EQ(s.vars.Y2, 6);
    EXPECT_EQ(0, std::memcmp(s.image1.Picture()->pixels, s.image2.Picture()->pixels, 40 * 30 * 4));
}

TEST(BeginMarking, OneExtraPixelEitherWayIsRefused) {
    for (auto [w, h] : {std::pair{41, 30}, std::pair{40, 31}, std::pair{39, 30}, std::pair{40, 29}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        Scene s(40, 30, w, h);
        const uint32_t first = s.image1.Picture()->pixels[0];
        EXPECT_EQ(BeginMarking(s.image1, s.image2, s.Old("a.jpg"), s.vars), MarkingStart::SizeDiffers);
        s.ExpectUnchanged(first);
    }
}

// An old picture that did not decode leaves Image1 at its previous size;
// the update image is compared with that size.
TEST(BeginMarking, EmptyOldPictureComparesThePreviousSize) {
    Scene s(40, 30, 40, 30);
    s.image1.SetPicture(nullptr);
    ASSERT_FALSE(s.image1.HasPicture());
    ASSERT_EQ(BeginMarking(s.image1, s.image2, s.Old("a.jpg"), s.vars), MarkingStart::Started);
    ASSERT_TRUE(s.image1.HasPicture());
    EXPECT_EQ(s.image1.Picture()->pixels[17], s.image2.Picture()->pixels[17]);
}

TEST(BeginMarking, NameIsStoredAsCodePage932) {
    Scene s(8, 8, 8, 8);
    ASSERT_EQ(BeginMarking(s.image1, s.image2, s.Old("表①.jpg"), s.vars), MarkingStart::Started);
    EXPECT_EQ(s.vars.OldFileName, std::string("\x95\x5C\x87\x40.jpg"));
}

TEST(BeginMarking, OldFileGoneSinceListed) {
    Scene s(8, 8, 8, 8);
    const uint32_t first = s.image1.Picture()->pixels[0];
    EXPECT_EQ(BeginMarking(s.image1, s.image2, s.dir.File("gone.jpg"), s.vars), MarkingStart::OldFileUnreadable);
    s.ExpectUnchanged(first);
}

TEST(BeginMarking, OldFileReplacedByAFolder) {
    Scene s(8, 8, 8, 8);
    ASSERT_EQ(mkdir(s.dir.File("dir.jpg").c_str(), 0700), 0);
    EXPECT_EQ(BeginMarking(s.image1, s.image2, s.dir.File("dir.jpg"), s.vars), MarkingStart::OldFileUnreadable);
}

TEST(BeginMarking, NamesThePackageCannotCarry) {
    for (const char *name : {"smile😀.jpg", "한.jpg", "tab\there.jpg", "back\\slash.jpg"}) {
        SCOPED_TRACE(name);
        Scene s(8, 8, 8, 8);
        const uint32_t first = s.image1.Picture()->pixels[0];
        EXPECT_EQ(BeginMarking(s.image1, s.image2, s.Old(name), s.vars), MarkingStart::NameNotRecordable);
        s.ExpectUnchanged(first);
    }
}

void MakeSparse(const std::string &path, off_t size) {
    const int fd = open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0);
    close(fd);
}

TEST(BeginMarking, SizeMustFitTheSignedLine) {
    Scene s(8, 8, 8, 8);
    const std::string largest = s.dir.File("largest.jpg");
    MakeSparse(largest, 2147483647);
    ASSERT_EQ(BeginMarking(s.image1, s.image2, largest, s.vars), MarkingStart::Started);
    EXPECT_EQ(s.vars.OldFileSize, 2147483647);

    Scene t(8, 8, 8, 8);
    const uint32_t first = t.image1.Picture()->pixels[0];
    const std::string huge = t.dir.File("huge.jpg");
    MakeSparse(huge, 2147483648LL);
    EXPECT_EQ(BeginMarking(t.image1, t.image2, huge, t.vars), MarkingStart::OldFileTooLarge);
    t.ExpectUnchanged(first);
}

TEST(MarkingRefusalText, NamesTheFileExceptForTheSizeMessage) {
    EXPECT_EQ(MarkingRefusalText(MarkingStart::SizeDiffers, "a.jpg"), "元画像と幅・高さが違います。");
    for (auto v : {MarkingStart::NameNotRecordable, MarkingStart::OldFileUnreadable, MarkingStart::OldFileTooLarge})
        EXPECT_EQ(MarkingRefusalText(v, "a.jpg").rfind("a.jpg", 0), 0u);
}

}  // namespace
