// Arbitrary bytes straight into the BMP reader, the library's own parser and
// so its riskiest code. The "BM" prefix is forced so that no input is spent
// on the sniffing that fuzz_load already covers.
#include <cstdlib>
#include <vector>

#include "memory_file.h"
#include "nviewlib/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    if (bytes.size() >= 2) bytes[0] = 'B', bytes[1] = 'M';
    const std::string &path = zelfuzz::PutInMemoryFile(bytes.data(), bytes.size());
    nviewlib::InputFile file;
    if (!file.Open(path.c_str())) std::abort();
    nviewlib::BitmapBlock bitmap = nviewlib::DecodeBmp(file);
    if (!bitmap) return 0;
    const size_t count = static_cast<size_t>(bitmap->width) * static_cast<size_t>(bitmap->height);
    uint32_t top_bits = 0;
    for (size_t i = 0; i < count; ++i) top_bits |= bitmap->pixels[i];
    if ((top_bits >> 24) != 0) std::abort();
    return 0;
}
