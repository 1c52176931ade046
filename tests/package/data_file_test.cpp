#include "package/data_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>

#include "../platform/test_files.h"
#include "package/package_files.h"

namespace {

using package::DataFileReader;
using package::DataFileWriter;
using Result = DataFileWriter::AppendResult;
using test_files::ReadBytes;
using test_files::ScratchFolder;

Result Append(DataFileWriter &writer, std::string_view bytes) {
    return writer.Append(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
}

std::optional<std::string> ReadNext(DataFileReader &reader, int32_t length) {
    const auto bytes = reader.ReadNext(length);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

class DataFile : public ::testing::Test {
protected:
    // A reader over a data file holding exactly these bytes.
    DataFileReader ReaderOver(std::string_view bytes) {
        test_files::WriteBytes(path, bytes);
        return DataFileReader(path);
    }

    ScratchFolder folder;
    const std::string path = folder / package::kDataFileName;
};

TEST_F(DataFile, WriterAppendsBlobsBackToBack) {
    test_files::WriteBytes(path, "an earlier package's data");
    DataFileWriter writer(path);
    ASSERT_TRUE(writer.IsOpen());
    EXPECT_EQ(writer.Size(), 0);
    EXPECT_EQ(ReadBytes(path), "");

    const std::pair<std::string_view, int64_t> blobs[] = {{"first", 5}, {"2nd", 8}, {"third blob", 18}};
    for (auto [blob, sizeAfter] : blobs) {
        EXPECT_EQ(Append(writer, blob), Result::Appended);
        EXPECT_EQ(writer.Size(), sizeAfter);
    }
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(ReadBytes(path), "first2ndthird blob");
}

TEST_F(DataFile, WriterFailedAppendLeavesThePreviousSize) {
    DataFileWriter writer(path);
    ASSERT_EQ(Append(writer, "0123456789"), Result::Appended);
    {
        // Five of the next ten bytes fit: the write comes back short.
        test_files::FileSizeLimit limit(15);
        EXPECT_EQ(Append(writer, "abcdefghij"), Result::WriteFailed);
    }
    EXPECT_EQ(writer.Size(), 10);
    EXPECT_EQ(ReadBytes(path), "0123456789");

    // The next blob starts where the failed one would have.
    EXPECT_EQ(Append(writer, "xyz"), Result::Appended);
    EXPECT_EQ(writer.Size(), 13);
    EXPECT_EQ(ReadBytes(path), "0123456789xyz");
}

// A shell's file-size limit, with SIGXFSZ at its default action, must not end
// the authoring tool part-way through an append.
TEST_F(DataFile, WriterAppendPastSizeLimitFailsWithoutTheSignal) {
    const int code = test_files::ExitCodeUnderSizeLimit(15, [&] {
        DataFileWriter writer(path);
        if (Append(writer, "0123456789") != Result::Appended) return 1;
        if (Append(writer, "abcdefghij") != Result::WriteFailed || writer.Size() != 10) return 2;
        return Append(writer, "xyz") == Result::Appended ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(path), "0123456789xyz");
}

TEST_F(DataFile, WriterRefusesToGrowPast2GiB) {
    DataFileWriter writer(path);
    ASSERT_EQ(Append(writer, "0123456789"), Result::Appended);
    // The buffer is far shorter than the lengths claimed: the refusal must come
    // before any byte is read or written.
    const uint8_t byte = 0;
    const size_t tooLong[] = {static_cast<size_t>(package::kMaxDataFileSize - 10 + 1),
                              static_cast<size_t>(package::kMaxDataFileSize), SIZE_MAX};
    for (size_t length : tooLong) EXPECT_EQ(writer.Append(&byte, length), Result::TooLarge) << length;
    EXPECT_EQ(writer.Size(), 10);
    EXPECT_EQ(ReadBytes(path), "0123456789");
}

TEST_F(DataFile, WriterOfUncreatableFileIsNotOpen) {
    DataFileWriter writer(folder / "missing/zelfin.dat");
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(Append(writer, "abc"), Result::WriteFailed);
    EXPECT_EQ(writer.Size(), 0);
}

TEST_F(DataFile, ReaderReadsForward) {
    DataFileReader reader = ReaderOver("abcdefgh");
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(reader.Remaining(), 8);
    EXPECT_EQ(ReadNext(reader, 3), "abc");
    EXPECT_EQ(reader.Remaining(), 5);
    EXPECT_EQ(ReadNext(reader, 5), "defgh");
    EXPECT_EQ(reader.Remaining(), 0);
    EXPECT_EQ(reader.ReadNext(1), std::nullopt);
}

class RefusedLength : public DataFile, public ::testing::WithParamInterface<int32_t> {};

TEST_P(RefusedLength, ConsumesNothing) {
    DataFileReader reader = ReaderOver("abcdefgh");
    ASSERT_EQ(ReadNext(reader, 3), "abc");
    EXPECT_EQ(reader.ReadNext(GetParam()), std::nullopt);
    EXPECT_EQ(reader.Remaining(), 5);
    EXPECT_EQ(ReadNext(reader, 5), "defgh");
}

// Five bytes remain: zero, negative and longer lengths are refused.
INSTANTIATE_TEST_SUITE_P(Table, RefusedLength, ::testing::Values(0, -1, INT32_MIN, 6, INT32_MAX));

TEST_F(DataFile, ReaderOfFileShrunkAfterOpeningGivesNothing) {
    DataFileReader reader = ReaderOver("abcdefgh");
    ASSERT_EQ(truncate(path.c_str(), 2), 0);
    EXPECT_EQ(reader.ReadNext(5), std::nullopt);
}

TEST_F(DataFile, ReaderOfMissingFileOrFolderIsNotOpen) {
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    const std::string paths[] = {folder / "missing.dat", path};
    for (const std::string &p : paths) {
        DataFileReader reader(p);
        EXPECT_FALSE(reader.IsOpen()) << p;
        EXPECT_EQ(reader.Remaining(), 0) << p;
        EXPECT_EQ(reader.ReadNext(1), std::nullopt) << p;
    }
}

}  // namespace
