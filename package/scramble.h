#pragma once
#include <cstddef>
#include <cstdint>

namespace package {

// The one-byte key: the old picture's width in pixels AND 127.
[[nodiscard]] constexpr uint8_t ScrambleKey(int32_t width) {
    return static_cast<uint8_t>(width & 127);
}

// XORs each of the length bytes with key, in place. Serves both directions.
void ScrambleBlob(uint8_t *bytes, size_t length, uint8_t key);

}  // namespace package
