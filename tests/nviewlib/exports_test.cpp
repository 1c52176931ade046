// The library's dynamic symbol table is its ABI: the six names and nothing
// of its insides (a stray export could clash with a program's own symbols).
#include <cstdio>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "tests/nviewlib/library_instance.h"
#include "tests/support/library_path.h"
#include "tests/support/temp_dir.h"

namespace nvtest {
namespace {

TEST(Exports, ExactlyTheSixEntryPoints) {
    const std::string command = "nm -D --defined-only '" + testsupport::NViewLibPath() + "' 2>/dev/null";
    FILE *pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> functions;
    std::set<std::string> others;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        char type = 0;
        char name[900] = {};
        if (std::sscanf(line, "%*s %c %899s", &type, name) != 2) continue;
        if (type == 'T')
            functions.insert(name);
        else
            others.insert(name);
    }
    if (pclose(pipe) != 0 && functions.empty()) GTEST_SKIP() << "nm is not available";
    EXPECT_EQ(functions, (std::set<std::string>{"Load_GIF", "Load_JPG", "NViewLibLoad", "NViewLibSaveAsJPG",
                                                "NViewLibSetCustomLang", "NViewLibSetLanguage"}));
    EXPECT_TRUE(others.empty()) << "also exported: " << *others.begin();
}

TEST(Exports, LanguageFunctionsAreHarmless) {
    LibraryInstance lib;
    testsupport::TempDir dir;
    lib.raw().NViewLibSetLanguage(0);
    lib.raw().NViewLibSetLanguage(-1);
    lib.raw().NViewLibSetCustomLang(nullptr);
    lib.raw().NViewLibSetCustomLang("/nonexistent/language.lng");
    // They load nothing: there is still no picture to save.
    EXPECT_EQ(lib.Save(90, dir.File("out.jpg")), 0);
    EXPECT_TRUE(dir.List().empty());
}

}  // namespace
}  // namespace nvtest
