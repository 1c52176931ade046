#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/nviewlib/library_instance.h"
#include "tests/support/picture.h"
#include "tests/support/temp_dir.h"

namespace nvtest {

// A fresh library instance and a scratch folder per test.
class LibraryTest : public ::testing::Test {
protected:
    // Writes bytes to a file of that name in the scratch folder; its path.
    std::string Put(const std::string &name, const std::vector<uint8_t> &bytes) const;
    // Loads path; the picture, or nothing when the library returned NULL.
    std::optional<testsupport::Picture> Decode(const std::string &path, int32_t flag = 0) const;

    LibraryInstance lib;
    testsupport::TempDir dir;
};

// For EXPECT_* on whole pictures: where and how they first differ.
::testing::AssertionResult SamePicture(const testsupport::Picture &expected, const testsupport::Picture &actual,
                                       int tolerance = 0);

}  // namespace nvtest
