// Helpers for the fault-injection and load tests of the applier: running a
// pass in a child process under a file-size limit, and describing a folder
// tree completely (kinds and bytes), so that a stray file, folder or pipe
// anywhere in it shows.
#pragma once
#include <sys/resource.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/picture.h"

namespace hostile {

// Every pixel drawn at random: JPEG cannot compress it much, so its files
// outgrow the uncompressed BMP of the same picture at high quality.
[[nodiscard]] testsupport::Picture MakeNoise(int width, int height, uint32_t seed);

// A regular file as DescribeTree records it: "f:", its size and a hash of
// its bytes. Follows a symbolic link.
[[nodiscard]] std::string FileEntry(const std::string &path);

// Every entry below folder by relative path: "d" for a folder, "l:" and the
// link's text for a symbolic link, "p" for anything else that is not a
// regular file, and FileEntry for a regular file.
using Tree = std::map<std::string, std::string>;
[[nodiscard]] Tree DescribeTree(const std::string &folder);

enum class SizeSignal { Ignored, Default };

// How the child ended.
struct ChildEnd {
    bool exited = false;   // false: killed by a signal
    int code = -1;         // exit code when exited
    int signal = 0;        // the signal that ended it otherwise
};

// Runs body in a forked child with RLIMIT_FSIZE set to limit and SIGXFSZ
// ignored or at its default (which ends the process), and returns how it
// ended; the child exits with body's result. The parent's limit and
// signal handling are not touched.
[[nodiscard]] ChildEnd RunLimited(rlim_t limit, SizeSignal signal, const std::function<int()> &body);

}  // namespace hostile
