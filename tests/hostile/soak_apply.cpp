// Applies one package to one folder, as the applier's passes do, in a fresh
// process, and prints the process's peak resident memory in KiB. A fresh
// process, so that nothing the test itself holds is counted.
//   soak_apply PACKAGE_FOLDER/ TARGET_FOLDER/
#include <cstdio>
#include <exception>
#include <string>

#include "imagelib/gra.h"
#include "package/data_file.h"
#include "package/package_files.h"
#include "platform/allocator.h"
#include "platform/int_text.h"
#include "platform/picture_holder.h"
#include "platform/string_list.h"
#include "tests/support/library_path.h"
#include "tests/support/process_memory.h"
#include "zelfin/entry_passes.h"


int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PACKAGE_FOLDER/ TARGET_FOLDER/\n", argv[0]);
        return 2;
    }
    // As the applier's own start does.
    platform::KeepLargeBlocksForReuse();
    try {
        Gra gra;
        if (!gra.LoadFrom(testsupport::DistDir() + "/")) throw std::runtime_error("NVIEWLIB.DLL not found");
        const std::string package = argv[1], target = argv[2];
        platform::TStringList list;
        list.LoadFromFile(package + package::kControlListName);
        package::DataFileReader data(package + package::kDataFileName);
        platform::PictureHolder oldPicture, composite, block;
        if (zelfin::VerifyEntries(list, target) != zelfin::Failure::None) throw std::runtime_error("verification failed");
        const bool backup = package::BackupLineMeansOn(list[package::kBackupLine]);
        const int32_t quality = platform::StrToInt(list[package::kQualityLine]);
        if (zelfin::ApplyEntries(list, data, {target, quality, backup}, {oldPicture, composite, block}, gra) !=
            zelfin::Failure::None)
            throw std::runtime_error("application failed");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "soak_apply: %s\n", e.what());
        return 1;
    }
    std::printf("%ld\n", testsupport::PeakResidentKiB());
    return 0;
}
