// Shift_JIS text 64 bytes at a time: which bytes are lead bytes, where the characters start and
// which bytes are among a few looked for, one bit per byte, lowest first. Scans that step over
// most of a text use them to find the next character worth a look without a step per byte.
#pragma once

#include <cstdint>

namespace common {

// The lead bytes (common/encoding/sjis.h, IsLeadByte) of the 64 bytes at `bytes`.
std::uint64_t LeadBytesOf64(const unsigned char* bytes);

// Where the characters of 64 bytes with lead bytes `leads` start, found for all 64 at once, so
// that finding where one character ends never waits on the one before; `trail` says on entry
// whether the first byte is the trail of a character begun before, and on return whether the
// byte after the 64 is one.
std::uint64_t CharacterStartsOf64(std::uint64_t leads, bool& trail);

// The bytes of the 64 at `bytes` that are `a`, `b` or `c`.
std::uint64_t BytesAmong64(const unsigned char* bytes, unsigned char a, unsigned char b,
                           unsigned char c);

}  // namespace common
