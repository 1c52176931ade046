#pragma once
#include <QImage>
#include <QString>
#include <string>

#include "platform/ui/application.h"
#include "tests/support/picture.h"

// Shared pieces of the authoring tool's window tests.
namespace forge_test {

// The file list makes the folder it shows the process's current one; every
// test puts the current folder back as it found it.
class CurrentFolderGuard {
public:
    CurrentFolderGuard();
    ~CurrentFolderGuard();
    CurrentFolderGuard(const CurrentFolderGuard &) = delete;
    CurrentFolderGuard &operator=(const CurrentFolderGuard &) = delete;

private:
    std::string saved_;
};

// Enters folder (for the windows' first read), restoring on destruction.
class InFolder : public CurrentFolderGuard {
public:
    explicit InFolder(const std::string &folder);
};

// The folder the built NVIEWLIB.DLL lies in, with its final '/'.
[[nodiscard]] std::string LibraryFolder();

// A photo-like JPEG of w x h at path.
void WriteJpeg(const std::string &path, int width, int height, uint32_t seed);

// The picture of a JPEG file as the library decodes it, as a QImage for the
// clipboard; also photo-like pixels of any size.
[[nodiscard]] QImage PhotoImage(int width, int height, uint32_t seed);

// Every byte of a file as a string (for sizes and contents).
[[nodiscard]] std::string FileBytes(const std::string &path);

}  // namespace forge_test

// A Qt Test main whose application object is the program's own, so the
// tests run under the same exception report as the program.
#define FORGE_WINDOW_TEST_MAIN(TestClass)              \
    int main(int argc, char **argv) {                  \
        platform::Application app(argc, argv);         \
        TestClass test;                                \
        return QTest::qExec(&test, argc, argv);        \
    }
