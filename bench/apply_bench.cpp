// Time per applied entry against the floor of the work it must do, measured
// in the same run; and peak memory against the number of entries.
//
//   build/bench/bench_apply [rounds]      (3 rounds unless given)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "imagelib/gra.h"
#include "package/data_file.h"
#include "package/package_files.h"
#include "package/scramble.h"
#include "pipeline_floor.h"
#include "platform/allocator.h"
#include "platform/bitmap.h"
#include "platform/picture_holder.h"
#include "tests/support/file_util.h"
#include "tests/support/jpeg_codec.h"
#include "tests/support/library_path.h"
#include "tests/support/picture.h"
#include "tests/support/process_memory.h"
#include "tests/support/temp_dir.h"
#include "zelfin/entry_passes.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPackageQuality = 94;
constexpr int kBlockWidth = 200;
constexpr int kBlockHeight = 150;

std::string FileName(int i) { return "photo" + std::to_string(i) + ".jpg"; }

// Writes `files` old JPEGs into folder/originals and a package with
// `entriesPerFile` 200 x 150 BMP blocks over each into folder/package.
void MakeFixture(const std::string &folder, int width, int height, int files, int entriesPerFile) {
    fs::create_directories(folder + "/originals");
    fs::create_directories(folder + "/package");
    platform::TStringList list;
    package::AppendHeader(list, "bench", std::to_string(kPackageQuality), false);
    package::DataFileWriter data(folder + "/package/" + package::kDataFileName);
    for (int i = 0; i < files; ++i) {
        const auto jpeg = testsupport::EncodeJpeg(testsupport::MakePhotoLike(width, height, 100 + i), 90,
                                                  testsupport::Subsampling::k420);
        testsupport::WriteFile(folder + "/originals/" + FileName(i), jpeg);
        for (int e = 0; e < entriesPerFile; ++e) {
            const testsupport::Picture block = testsupport::MakePhotoLike(kBlockWidth, kBlockHeight, 900 + i * 7 + e);
            platform::BitmapPtr bitmap(platform::AllocBitmap(kBlockWidth, kBlockHeight));
            std::copy(block.pixels.begin(), block.pixels.end(), bitmap->pixels);
            std::vector<uint8_t> blob = platform::EncodeBmp24(*bitmap);
            package::ScrambleBlob(blob.data(), blob.size(), package::ScrambleKey(width));
            package::EntryRecord entry;
            entry.name = FileName(i);
            entry.size = static_cast<int32_t>(jpeg.size());
            entry.x = (width - kBlockWidth) * (e + 1) / (entriesPerFile + 1);
            entry.y = (height - kBlockHeight) * (i % 5 + 1) / 6;
            entry.offset = static_cast<int32_t>(data.Size());
            entry.length = static_cast<int32_t>(blob.size());
            if (data.Append(blob.data(), blob.size()) != package::DataFileWriter::AppendResult::Appended) {
                throw std::runtime_error("cannot write the data file");
            }
            package::AppendEntry(list, entry);
        }
    }
    list.SaveToFile(folder + "/package/" + package::kControlListName);
}

// A fresh copy of the originals, so every round patches the same pictures.
std::string FreshTargets(const std::string &folder) {
    const std::string target = folder + "/target/";
    fs::remove_all(target);
    fs::copy(folder + "/originals", target);
    return target;
}

double ApplySeconds(const std::string &folder, Gra &gra) {
    const std::string target = FreshTargets(folder);
    platform::TStringList list;
    list.LoadFromFile(folder + "/package/" + package::kControlListName);
    package::DataFileReader data(folder + "/package/" + package::kDataFileName);
    platform::PictureHolder oldPicture, composite, block;
    const auto start = std::chrono::steady_clock::now();
    const zelfin::Failure failure = zelfin::ApplyEntries(list, data, {target, kPackageQuality, false},
                                                         {oldPicture, composite, block}, gra);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (failure != zelfin::Failure::None) throw std::runtime_error("apply failed");
    return seconds;
}

double FloorSeconds(const std::string &folder, int files, bool withWorkingFile, PipelineFloor &floor) {
    const std::string target = FreshTargets(folder);
    double total = 0;
    for (int i = 0; i < files; ++i) {
        total += floor.Run(target + FileName(i), target + "tmp.bmp", target + FileName(i), kPackageQuality,
                           withWorkingFile);
    }
    fs::remove(target + "tmp.bmp");
    return total;
}

void TimeOneSize(const std::string &root, int width, int height, int files, int rounds, Gra &gra) {
    const std::string folder = root + "/" + std::to_string(width) + "x" + std::to_string(height);
    MakeFixture(folder, width, height, files, 1);
    PipelineFloor floor;
    double apply = 1e9, pipeline = 1e9, plain = 1e9;
    // Interleaved so that drift of the machine touches all three alike; the
    // best round of each is the least disturbed one.
    for (int r = 0; r < rounds; ++r) {
        pipeline = std::min(pipeline, FloorSeconds(folder, files, true, floor) / files);
        apply = std::min(apply, ApplySeconds(folder, gra) / files);
        plain = std::min(plain, FloorSeconds(folder, files, false, floor) / files);
    }
    std::printf("%5d x %-5d  apply %7.1f ms/entry  pipeline floor %7.1f ms  plain floor %7.1f ms  "
                "ratio to pipeline floor %.2f  ratio to plain floor %.2f\n",
                width, height, apply * 1e3, pipeline * 1e3, plain * 1e3, apply / pipeline, apply / plain);
}

// Peak resident memory, in MiB, of a fresh process that applies the package
// in folder. The process reports its own high-water mark: a parent's count
// of a forked child would include the parent's pages up to the exec.
double PeakMiB(const std::string &folder) {
    const std::string command = "'/proc/" + std::to_string(getpid()) + "/exe' --apply-once '" + folder + "'";
    FILE *child = popen(command.c_str(), "r");
    if (child == nullptr) throw std::runtime_error("cannot start " + command);
    long kib = -1;
    const int fields = std::fscanf(child, "%ld", &kib);
    if (pclose(child) != 0 || fields != 1) throw std::runtime_error("child failed");
    return static_cast<double>(kib) / 1024.0;
}

double PeakForEntries(const std::string &root, int files, int entriesPerFile) {
    const std::string folder = root + "/peak" + std::to_string(files * entriesPerFile);
    MakeFixture(folder, 1920, 1080, files, entriesPerFile);
    return PeakMiB(folder);
}

}  // namespace

int main(int argc, char **argv) {
    platform::KeepLargeBlocksForReuse();
    Gra gra;
    if (!gra.LoadFrom(testsupport::DistDir() + "/")) {
        std::fprintf(stderr, "NVIEWLIB.DLL not found in %s\n", testsupport::DistDir().c_str());
        return 1;
    }
    if (argc == 3 && std::string(argv[1]) == "--apply-once") {
        try {
            (void)ApplySeconds(argv[2], gra);
            std::printf("%ld\n", testsupport::PeakResidentKiB());
            return 0;
        } catch (const std::exception &e) {
            std::fprintf(stderr, "bench_apply: %s\n", e.what());
            return 1;
        }
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    try {
        testsupport::TempDir temp;
        TimeOneSize(temp.path(), 1920, 1080, 8, rounds, gra);
        TimeOneSize(temp.path(), 4000, 3000, 3, rounds, gra);
        const double small = PeakForEntries(temp.path(), 20, 1);
        const double large = PeakForEntries(temp.path(), 20, 10);
        std::printf("peak resident memory at 1920 x 1080: 20 entries %.0f MiB, 200 entries %.0f MiB "
                    "(one full frame is %.0f MiB)\n",
                    small, large, 1920.0 * 1080 * 4 / (1 << 20));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_apply: %s\n", e.what());
        return 1;
    }
    return 0;
}
