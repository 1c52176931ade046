#include "platform/file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "test_files.h"

namespace {

using platform::File;
using test_files::ReadBytes;
using test_files::ScratchFolder;
using test_files::WriteBytes;

mode_t ModeOf(const std::string &path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

TEST(File, OpenReadAcceptsOnlyRegularFiles) {
    ScratchFolder folder;
    WriteBytes(folder / "plain", "12345");
    ASSERT_EQ(mkdir((folder / "dir").c_str(), 0755), 0);
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0644), 0);
    ASSERT_EQ(symlink("plain", (folder / "link").c_str()), 0);

    File plain = File::OpenRead(folder / "plain");
    ASSERT_TRUE(plain.IsOpen());
    EXPECT_EQ(plain.Size(), 5);
    EXPECT_TRUE(File::OpenRead(folder / "link").IsOpen());
    for (const char *name : {"missing", "dir", "fifo"}) EXPECT_FALSE(File::OpenRead(folder / name).IsOpen()) << name;
}

TEST(File, ReadStopsAtTheEnd) {
    ScratchFolder folder;
    WriteBytes(folder / "f", "abcdef");
    File f = File::OpenRead(folder / "f");
    char buffer[16] = {};
    EXPECT_EQ(f.Read(buffer, 4), 4);
    EXPECT_EQ(f.Read(buffer + 4, 10), 2);
    EXPECT_EQ(std::string(buffer), "abcdef");
    EXPECT_EQ(f.Read(buffer, 10), 0);
    EXPECT_EQ(f.Seek(1, SEEK_SET), 1);
    EXPECT_EQ(f.Read(buffer, 2), 2);
    EXPECT_EQ(std::string(buffer, 2), "bc");
}

TEST(File, CreateEmptiesAndCreateNewNeverReplaces) {
    ScratchFolder folder;
    const std::string path = folder / "f";
    WriteBytes(path, "old contents");
    {
        File f = File::Create(path);
        ASSERT_TRUE(f.IsOpen());
        EXPECT_EQ(f.Size(), 0);
        EXPECT_TRUE(f.WriteAll("new", 3));
        EXPECT_TRUE(f.Close());
    }
    EXPECT_EQ(ReadBytes(path), "new");

    EXPECT_FALSE(File::CreateNew(path).IsOpen());
    ASSERT_EQ(symlink("nowhere", (folder / "dangling").c_str()), 0);
    EXPECT_FALSE(File::CreateNew(folder / "dangling").IsOpen());
    EXPECT_FALSE(std::filesystem::exists(folder / "nowhere"));
    EXPECT_TRUE(File::CreateNew(folder / "fresh").IsOpen());
    EXPECT_EQ(ReadBytes(path), "new");

    EXPECT_FALSE(File::Create(folder / "missing/f").IsOpen());
    EXPECT_FALSE(File::Create(folder.Path()).IsOpen());
}

TEST(File, WritePastSizeLimitFailsAndTruncateCutsBack) {
    ScratchFolder folder;
    File f = File::Create(folder / "f");
    ASSERT_TRUE(f.WriteAll("0123456789", 10));
    {
        test_files::FileSizeLimit limit(15);
        EXPECT_FALSE(f.WriteAll("0123456789", 10));
    }
    EXPECT_TRUE(f.Truncate(10));
    EXPECT_EQ(f.Size(), 10);
}

// Under a shell's file-size limit the kernel would end the process with
// SIGXFSZ; the write must fail instead, leaving the file as it was.
TEST(File, WritePastSizeLimitFailsWithoutTheSignal) {
    ScratchFolder folder;
    const std::string path = folder / "f";
    const int code = test_files::ExitCodeUnderSizeLimit(15, [&] {
        File f = File::Create(path);
        if (!f.WriteAll("0123456789", 10)) return 1;
        const bool refused = !f.WriteAll("0123456789", 10) && errno == EFBIG;
        // Up to the limit exactly is still allowed.
        return refused && f.WriteAll("abcde", 5) ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(path), "0123456789abcde");
}

TEST(File, MovedFromFileIsClosed) {
    ScratchFolder folder;
    WriteBytes(folder / "f", "x");
    File a = File::OpenRead(folder / "f");
    const int fd = a.Descriptor();
    File b = std::move(a);
    EXPECT_FALSE(a.IsOpen());
    EXPECT_EQ(b.Descriptor(), fd);
    b = File();
    EXPECT_FALSE(b.IsOpen());
    EXPECT_EQ(fcntl(fd, F_GETFD), -1);  // the descriptor went with the assignment
    EXPECT_TRUE(b.Close());
}

TEST(FileQueries, KindsOfNames) {
    ScratchFolder folder;
    WriteBytes(folder / "plain", "x");
    ASSERT_EQ(mkdir((folder / "dir").c_str(), 0755), 0);
    ASSERT_EQ(symlink("nowhere", (folder / "dangling").c_str()), 0);
    struct {
        const char *name;
        bool exists, regular, directory;
    } const cases[] = {
        {"plain", true, true, false},
        {"dir", true, false, true},
        {"dangling", true, false, false},
        {"missing", false, false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(platform::FileExists(folder / c.name), c.exists) << c.name;
        EXPECT_EQ(platform::IsRegularFile(folder / c.name), c.regular) << c.name;
        EXPECT_EQ(platform::IsDirectory(folder / c.name), c.directory) << c.name;
    }
    EXPECT_TRUE(platform::DeleteFile(folder / "plain"));
    EXPECT_FALSE(platform::DeleteFile(folder / "plain"));
}

TEST(CopyFileOverwrite, ReplacesDestinationAndKeepsModeBits) {
    ScratchFolder folder;
    const std::string src = folder / "zelfin.exx", dst = folder / "update.exe";
    WriteBytes(src, std::string(200000, 'e') + "end");  // more than one copy buffer
    ASSERT_EQ(chmod(src.c_str(), 0755), 0);
    WriteBytes(dst, "an older, longer file that must vanish completely");
    ASSERT_EQ(chmod(dst.c_str(), 0600), 0);

    ASSERT_TRUE(platform::CopyFileOverwrite(src, dst));
    EXPECT_EQ(ReadBytes(dst), ReadBytes(src));
    EXPECT_EQ(ModeOf(dst), 0755u);
    EXPECT_EQ(test_files::EntriesIn(folder.Path()), 2u);
}

TEST(CopyFileOverwrite, FailureLeavesDestinationAndNoWorkingFile) {
    ScratchFolder folder;
    const std::string src = folder / "src", dst = folder / "dst";
    WriteBytes(dst, "old");
    ASSERT_EQ(mkdir((folder / "dir").c_str(), 0755), 0);

    EXPECT_FALSE(platform::CopyFileOverwrite(folder / "missing", dst));
    EXPECT_FALSE(platform::CopyFileOverwrite(folder / "dir", dst));

    WriteBytes(src, std::string(5000, 's'));
    EXPECT_FALSE(platform::CopyFileOverwrite(src, folder / "missing/dst"));
    EXPECT_FALSE(platform::CopyFileOverwrite(src, folder / "dir"));  // a folder is not replaced
    {
        test_files::FileSizeLimit limit(1000);
        EXPECT_FALSE(platform::CopyFileOverwrite(src, dst));
    }
    EXPECT_EQ(ReadBytes(dst), "old");
    EXPECT_TRUE(platform::IsDirectory(folder / "dir"));
    EXPECT_EQ(test_files::EntriesIn(folder.Path()), 3u);  // src, dst, dir
}

TEST(FreeFileName, CountsUpPastEveryTakenName) {
    ScratchFolder folder;
    const std::string f = folder.Path();
    EXPECT_EQ(platform::FreeFileName(f, "temp", ".bmp"), f + "temp.bmp");
    EXPECT_EQ(platform::FreeFileName(f + "missing/", "temp", ""), f + "missing/temp");

    WriteBytes(f + "temp.bmp", "");
    EXPECT_EQ(platform::FreeFileName(f, "temp", ".bmp"), f + "temp-1.bmp");
    ASSERT_EQ(mkdir((f + "temp-1.bmp").c_str(), 0755), 0);
    ASSERT_EQ(symlink("nowhere", (f + "temp-2.bmp").c_str()), 0);
    EXPECT_EQ(platform::FreeFileName(f, "temp", ".bmp"), f + "temp-3.bmp");
    EXPECT_EQ(platform::FreeFileName(f, "temp", ""), f + "temp");
}

}  // namespace
