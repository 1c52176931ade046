#include "platform/path.h"

#include <gtest/gtest.h>

#include "platform/file.h"

namespace {

struct PathCase {
    std::string_view path, folder, name;
};

TEST(Path, SplitsAtTheLastSlash) {
    const PathCase cases[] = {
        {"/a/b/c.txt", "/a/b/", "c.txt"},
        {"c.txt", "", "c.txt"},
        {"/a/", "/a/", ""},
        {"/", "/", ""},
        {"", "", ""},
        {"a\\b", "", "a\\b"},  // a backslash is an ordinary name byte here
        {"//x", "//", "x"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(platform::ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(platform::ExtractFileName(c.path), c.name) << c.path;
    }
}

TEST(Path, ExecutableIsThisTestProgram) {
    const std::string exe = platform::ExecutablePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe.front(), '/');
    EXPECT_EQ(platform::ExtractFileName(exe), "test_platform");
    EXPECT_TRUE(platform::IsRegularFile(exe));
    const std::string folder = platform::ExecutableFolder();
    EXPECT_EQ(folder + "test_platform", exe);
    EXPECT_TRUE(platform::IsDirectory(folder));
}

}  // namespace
