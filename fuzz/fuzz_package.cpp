// A whole package from arbitrary bytes ("zelfin.ini" and "zelfin.dat", split
// as package_targets.h says), applied the way the applier's run does it after
// the prompt: header lines, verification, application. The image library is
// linked in rather than loaded, so its code is instrumented too.
//
// After every input the folders are checked against what a stranger's
// package may do to a user's machine:
//   - nothing beside the temporary folder, and nothing in it but the target
//     folder, appears or changes (a sentinel sits in the target folder's
//     parent and one level above, where "../" names would lead);
//   - each file in the target folder is its old bytes, or, if the package
//     names it, a complete JPEG of the old picture's size that an independent
//     decoder reads; backups are the old bytes or such a JPEG; no working or
//     temporary file remains, and the user's "tmp.bmp" is never taken over;
//   - a failed verification changed nothing, and a reported success really
//     rewrote every named file.
// Platform failures (a line that is not an integer, a missing header line, a
// working file that cannot be written) are outcomes, not findings; any other
// exception escapes to libFuzzer as a crash.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "imagelib/gra.h"
#include "nviewlib/nviewlib.h"
#include "package/data_file.h"
#include "package/package_files.h"
#include "package_targets.h"
#include "platform/cp932.h"
#include "platform/errors.h"
#include "platform/int_text.h"
#include "platform/picture_holder.h"
#include "platform/string_list.h"
#include "tests/support/jpeg_codec.h"
#include "zelfin/entry_passes.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Folders {
    std::string base;     // ours alone: "outside.jpg" and the temporary folder
    std::string temp;     // base + "tmp/": "sentinel.jpg", "package/", "target/"
    std::string package;  // where zelfin.ini and zelfin.dat are written
    std::string target;   // the folder the user chose
};

Folders g_folders;
Bytes g_sentinel;

void RemoveAll() {
    std::error_code ignored;
    std::filesystem::remove_all(g_folders.base, ignored);
}

// libFuzzer keeps the input; the folders would only pile up in /dev/shm.
[[noreturn]] void Finding(const std::string &what) {
    std::fprintf(stderr, "fuzz_package: %s\n", what.c_str());
    RemoveAll();
    std::abort();
}

std::optional<Bytes> ReadAll(const std::string &path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    Bytes bytes(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    close(fd);
    if (done != bytes.size()) return std::nullopt;
    return bytes;
}

void WriteAll(const std::string &path, const uint8_t *data, size_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) Finding("cannot write " + path);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) Finding("cannot write " + path);
        done += static_cast<size_t>(n);
    }
    close(fd);
}

std::set<std::string> Listing(const std::string &folder) {
    std::set<std::string> names;
    DIR *dir = opendir(folder.c_str());
    if (dir == nullptr) Finding("folder gone: " + folder);
    while (const dirent *e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.insert(name);
    }
    closedir(dir);
    return names;
}

void ExpectListing(const std::string &folder, const std::set<std::string> &expected) {
    if (Listing(folder) != expected) {
        std::string found;
        for (const std::string &n : Listing(folder)) found += " '" + n + "'";
        Finding("unexpected contents of " + folder + ":" + found);
    }
}

void ExpectBytes(const std::string &path, const Bytes &expected) {
    const std::optional<Bytes> bytes = ReadAll(path);
    if (!bytes || *bytes != expected) Finding("changed: " + path);
}

// A complete JPEG (up to its end marker) of the given size, as libjpeg itself
// reads it: the image library shares none of this code.
bool IsCompleteJpeg(const Bytes &bytes, int width, int height) {
    const size_t n = bytes.size();
    if (n < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[n - 2] != 0xFF || bytes[n - 1] != 0xD9) return false;
    try {
        const testsupport::Picture picture = testsupport::DecodeJpeg(bytes);
        return picture.width == width && picture.height == height;
    } catch (const std::runtime_error &) {
        return false;
    }
}

// The backup rule on the code page 932 bytes: the last byte becomes '~'.
std::optional<std::string> BackupName(const std::string &cp932Name) {
    if (cp932Name.empty() || cp932Name.back() == '~') return std::nullopt;
    std::string backup = cp932Name;
    backup.back() = '~';
    return platform::Cp932ToUtf8(backup);
}

Gra &LinkedGra() {
    static Gra gra;
    gra.NViewLibLoad = NViewLibLoad;
    gra.NViewLibSaveAsJPG = NViewLibSaveAsJPG;
    return gra;
}

enum class Outcome { StoppedBeforeApplying, ApplyStopped, Applied };

Outcome RunPackage() {
    platform::TStringList list;
    list.LoadFromFile(g_folders.package + package::kControlListName);
    package::DataFileReader data(g_folders.package + package::kDataFileName);
    if (!data.IsOpen()) Finding("data file not opened");
    platform::PictureHolder oldPicture, composite, block;
    bool verified = false;
    try {
        (void)platform::Cp932ToUtf8ForDisplay(list[package::kPromptTitleLine]);
        const int32_t quality = platform::StrToInt(list[package::kQualityLine]);
        const bool backup = package::BackupLineMeansOn(list[package::kBackupLine]);
        if (zelfin::VerifyEntries(list, g_folders.target) != zelfin::Failure::None) {
            return Outcome::StoppedBeforeApplying;
        }
        verified = true;
        const zelfin::Failure failure = zelfin::ApplyEntries(
            list, data, {g_folders.target, quality, backup}, {oldPicture, composite, block}, LinkedGra());
        return failure == zelfin::Failure::None ? Outcome::Applied : Outcome::ApplyStopped;
    } catch (const platform::PlatformError &) {
        return verified ? Outcome::ApplyStopped : Outcome::StoppedBeforeApplying;
    }
}

void CheckTargetFolder(const std::string &controlList, Outcome outcome) {
    platform::TStringList list;
    list.SetText(controlList);
    std::set<std::string> named;  // UTF-8 names of the targets the entries name
    for (int k = 1; k <= package::EntryCount(list); ++k) {
        const std::string &line = list[package::EntryLine(k, package::EntryField::Name)];
        if (const auto utf8 = platform::Cp932ToUtf8(line)) named.insert(*utf8);
    }

    std::map<std::string, const zelfuzz::TargetFile *> backups;
    for (const zelfuzz::TargetFile &t : zelfuzz::TargetFiles()) {
        if (!named.count(t.utf8Name)) continue;
        if (const auto b = BackupName(t.cp932Name)) backups[*b] = &t;
    }

    bool anyChange = false;
    std::set<std::string> present = Listing(g_folders.target);
    for (const zelfuzz::TargetFile &t : zelfuzz::TargetFiles()) {
        const std::string path = g_folders.target + t.utf8Name;
        if (!present.erase(t.utf8Name)) Finding("target removed: " + path);
        const std::optional<Bytes> bytes = ReadAll(path);
        if (!bytes) Finding("target is no longer a regular file: " + path);
        const bool changed = *bytes != t.bytes;
        anyChange |= changed;
        if (changed && !named.count(t.utf8Name)) Finding("a file the package does not name changed: " + path);
        if (changed && !IsCompleteJpeg(*bytes, t.width, t.height)) Finding("target damaged: " + path);
        if (outcome == Outcome::Applied && named.count(t.utf8Name) && !changed)
            Finding("success reported but not written: " + path);
    }
    // What is left must be backups of named targets.
    for (const std::string &name : present) {
        const auto it = backups.find(name);
        if (it == backups.end()) Finding("left behind in the target folder: '" + name + "'");
        anyChange = true;
        const std::optional<Bytes> bytes = ReadAll(g_folders.target + name);
        if (!bytes) Finding("backup is not a regular file: " + name);
        const zelfuzz::TargetFile &t = *it->second;
        if (*bytes != t.bytes && !IsCompleteJpeg(*bytes, t.width, t.height)) Finding("backup damaged: " + name);
    }
    if (outcome == Outcome::StoppedBeforeApplying && anyChange) Finding("verification stopped, yet files changed");
}

void CheckEverythingElse(const std::string &controlList, const Bytes &data) {
    ExpectListing(g_folders.base, {"outside.jpg", "tmp"});
    ExpectBytes(g_folders.base + "outside.jpg", g_sentinel);
    ExpectListing(g_folders.temp, {"package", "sentinel.jpg", "target"});
    ExpectBytes(g_folders.temp + "sentinel.jpg", g_sentinel);
    ExpectListing(g_folders.package, {package::kControlListName, package::kDataFileName});
    ExpectBytes(g_folders.package + package::kControlListName, Bytes(controlList.begin(), controlList.end()));
    ExpectBytes(g_folders.package + package::kDataFileName, data);
}

// Puts the target folder back as it was: only what the run changed.
void RestoreTargets() {
    std::set<std::string> present = Listing(g_folders.target);
    for (const zelfuzz::TargetFile &t : zelfuzz::TargetFiles()) {
        present.erase(t.utf8Name);
        const std::string path = g_folders.target + t.utf8Name;
        const std::optional<Bytes> bytes = ReadAll(path);
        if (!bytes || *bytes != t.bytes) WriteAll(path, t.bytes.data(), t.bytes.size());
    }
    for (const std::string &name : present) unlink((g_folders.target + name).c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // tmpfs: the saves flush to disk, which costs nothing there.
    g_folders.base = "/dev/shm/zelpkg-" + std::to_string(getpid()) + "/";
    g_folders.temp = g_folders.base + "tmp/";
    g_folders.package = g_folders.temp + "package/";
    g_folders.target = g_folders.temp + "target/";
    RemoveAll();
    for (const std::string &f : {g_folders.base, g_folders.temp, g_folders.package, g_folders.target})
        if (mkdir(f.c_str(), 0755) != 0) Finding("cannot make " + f);
    std::atexit(RemoveAll);
    // A relative path would land here, where the checks see it.
    if (chdir(g_folders.base.c_str()) != 0) Finding("cannot enter " + g_folders.base);
    // The sentinels hold a target's exact bytes: a "../" name with the right
    // size would verify, were such a name ever joined to the folder.
    g_sentinel = zelfuzz::TargetFiles().front().bytes;
    WriteAll(g_folders.base + "outside.jpg", g_sentinel.data(), g_sentinel.size());
    WriteAll(g_folders.temp + "sentinel.jpg", g_sentinel.data(), g_sentinel.size());
    RestoreTargets();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *input, size_t size) {
    std::string controlList;
    Bytes data;
    zelfuzz::SplitPackage(input, size, controlList, data);
    WriteAll(g_folders.package + package::kControlListName, reinterpret_cast<const uint8_t *>(controlList.data()),
             controlList.size());
    WriteAll(g_folders.package + package::kDataFileName, data.data(), data.size());

    const Outcome outcome = RunPackage();

    CheckEverythingElse(controlList, data);
    CheckTargetFolder(controlList, outcome);
    RestoreTargets();
    return 0;
}
