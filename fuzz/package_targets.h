// The fixed target folder that fuzz_package applies every input to, and the
// input layout it splits. Shared with make_seeds: a seed package can only get
// past verification when it records these files' exact sizes, so both sides
// must build them from the same code.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zelfuzz {

struct TargetFile {
    std::string utf8Name;   // in the target folder
    std::string cp932Name;  // as a control-list line names it
    int width = 0;          // the scramble key is width & 127
    int height = 0;
    std::vector<uint8_t> bytes;
};

// Three small JPEGs of different widths (so different keys), one of them with
// a double-byte name whose trail byte is the value of '\', and a "tmp.bmp" of
// the user's: a valid BMP, so that taking it for the working file would show.
[[nodiscard]] const std::vector<TargetFile> &TargetFiles();

// One fuzz input: two bytes (little-endian) give the length of the control
// list, which follows; everything after it is the data file. A length longer
// than what follows takes all of it.
[[nodiscard]] std::vector<uint8_t> JoinPackage(const std::string &controlList, const std::vector<uint8_t> &data);
void SplitPackage(const uint8_t *input, size_t size, std::string &controlList, std::vector<uint8_t> &data);

}  // namespace zelfuzz
