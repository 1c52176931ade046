// Lays out a package and its target folder for the end-to-end run:
//   make_e2e_package PACKAGE_FOLDER/ TARGET_FOLDER/
// The block is pure red at (8, 8), 16 x 16, over a 64 x 48 picture.
#include <cstdio>
#include <exception>

#include "package_fixture.h"

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_e2e_package PACKAGE_FOLDER/ TARGET_FOLDER/\n");
        return 2;
    }
    try {
        using namespace zelfin_test;
        const std::string package = argv[1], target = argv[2];
        WriteJpeg(target + "a.jpg", testsupport::MakePhotoLike(64, 48, 3));
        PackageBuilder builder("94", true, "Pick the folder");
        builder.AddEntry("a.jpg", target + "a.jpg", 8, 8, testsupport::MakeSolid(16, 16, 0xFF0000));
        builder.Write(package);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_e2e_package: %s\n", e.what());
        return 1;
    }
    return 0;
}
