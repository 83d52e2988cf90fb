// 16-bit big-endian fields of the grade-allocation and kanji-test level dictionaries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dictionary {

// The caller has checked that `bytes` holds offset + 2 bytes.
inline std::uint16_t ReadBe16(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) << 8 |
                                    static_cast<unsigned char>(bytes[offset + 1]));
}

// Overwrites two bytes of `out`, which already holds offset + 2 bytes.
inline void PutBe16(std::string& out, std::size_t offset, std::uint16_t value) {
  out[offset] = static_cast<char>(value >> 8);
  out[offset + 1] = static_cast<char>(value & 0xFF);
}

}  // namespace dictionary
