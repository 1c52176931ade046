#include "scramble.h"

namespace package {

void ScrambleBlob(uint8_t *bytes, size_t length, uint8_t key) {
    for (size_t i = 0; i < length; ++i) bytes[i] ^= key;
}

}  // namespace package
