#include "common/sjis_blocks.h"

#include <array>

#include "common/sjis.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace common {
namespace {

// For eight bytes' lead bits and whether the first of them is the trail of a character begun
// before: where characters start (bits 0–7) and whether the byte after them is a trail (bit 8).
constexpr std::array<std::uint16_t, 512> kStartsOfEight = [] {
  std::array<std::uint16_t, 512> table{};
  for (unsigned entry = 0; entry < 512; ++entry) {
    bool trail = (entry >> 8) != 0;
    unsigned starts = 0;
    for (unsigned i = 0; i < 8; ++i) {
      bool start = !trail;
      if (start) starts |= 1u << i;
      trail = start && ((entry >> i) & 1) != 0;
    }
    table[entry] = static_cast<std::uint16_t>(starts | (trail ? 0x100u : 0u));
  }
  return table;
}();

}  // namespace

std::uint64_t LeadBytesOf64(const unsigned char* bytes) {
  std::uint64_t leads = 0;
#if defined(__SSE2__)
  // 0x81–0x9F and 0xE0–0xFC: flipping bit 5 makes them the one range 0xA1–0xDC, tested
  // sixteen bytes at a time.
  const __m128i flip = _mm_set1_epi8(0x20);
  const __m128i low = _mm_set1_epi8(static_cast<char>(0xA1));
  const __m128i width = _mm_set1_epi8(0xDC - 0xA1);
  for (int part = 0; part < 4; ++part) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
    __m128i offset = _mm_sub_epi8(_mm_xor_si128(v, flip), low);
    __m128i in_range = _mm_cmpeq_epi8(_mm_min_epu8(offset, width), offset);
    leads |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(in_range)))
             << (16 * part);
  }
#else
  for (int i = 0; i < 64; ++i) {
    leads |= static_cast<std::uint64_t>(IsLeadByte(bytes[i])) << i;
  }
#endif
  return leads;
}

std::uint64_t CharacterStartsOf64(std::uint64_t leads, bool& trail) {
  std::uint64_t starts = 0;
  for (int part = 0; part < 8; ++part) {
    unsigned entry = kStartsOfEight[(trail ? 0x100u : 0u) | ((leads >> (8 * part)) & 0xFF)];
    starts |= static_cast<std::uint64_t>(entry & 0xFF) << (8 * part);
    trail = (entry >> 8) != 0;
  }
  return starts;
}

std::uint64_t BytesAmong64(const unsigned char* bytes, unsigned char a, unsigned char b,
                           unsigned char c) {
  std::uint64_t found = 0;
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi8(static_cast<char>(a));
  const __m128i second = _mm_set1_epi8(static_cast<char>(b));
  const __m128i third = _mm_set1_epi8(static_cast<char>(c));
  for (int part = 0; part < 4; ++part) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
    __m128i any = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, first), _mm_cmpeq_epi8(v, second)),
                               _mm_cmpeq_epi8(v, third));
    found |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(any)))
             << (16 * part);
  }
#else
  for (int i = 0; i < 64; ++i) {
    bool among = bytes[i] == a || bytes[i] == b || bytes[i] == c;
    found |= static_cast<std::uint64_t>(among) << i;
  }
#endif
  return found;
}

}  // namespace common
