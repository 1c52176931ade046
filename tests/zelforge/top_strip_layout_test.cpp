// FormResize: only the log's width follows the window.
#include <gtest/gtest.h>

#include <array>

#include "zelforge/top_strip_layout.h"

using namespace zelforge;

namespace {

TopStrip Designed(int width) {
    TopStrip s;
    s.width = width;
    s.height = 137;
    s.fileList = {0, 0, 105, 97};
    s.dirList = {105, 0, 118, 97};
    s.driveBox = {105, 97, 118, 21};
    s.memo = {223, 0, 400, 97};
    s.button = {223, 97, 72, 18};
    return s;
}

TEST(FormResizeLayout, TwoWidths) {
    for (int width : {637, 900}) {
        SCOPED_TRACE(width);
        TopStrip s = Designed(width);
        FormResizeLayout(s);
        EXPECT_EQ((std::array{s.fileList.left, s.fileList.top, s.fileList.width, s.fileList.height}),
                  (std::array{0, 0, 105, 137}));
        EXPECT_EQ((std::array{s.dirList.left, s.dirList.top, s.dirList.width, s.dirList.height}),
                  (std::array{105, 0, 118, 116}));
        EXPECT_EQ((std::array{s.driveBox.left, s.driveBox.top, s.driveBox.width, s.driveBox.height}),
                  (std::array{105, 116, 118, 21}));
        EXPECT_EQ((std::array{s.memo.left, s.memo.top, s.memo.width, s.memo.height}),
                  (std::array{223, 0, width - 223, 116}));
        EXPECT_EQ((std::array{s.button.left, s.button.top, s.button.width, s.button.height}),
                  (std::array{223, 116, 72, 18}));
    }
}

TEST(FormResizeLayout, NarrowerThanTheListsLeavesNoLog) {
    TopStrip s = Designed(200);
    FormResizeLayout(s);
    EXPECT_EQ(s.memo.width, -23);
    EXPECT_EQ(s.fileList.width, 105);
    EXPECT_EQ(s.dirList.width, 118);
}

}  // namespace
