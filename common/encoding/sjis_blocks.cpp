#include "common/encoding/sjis_blocks.h"

#include "common/encoding/sjis.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace common {

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
  // A byte is a trail when the byte before starts a character and is a lead byte. A run of lead
  // bytes that follows a byte of any other kind starts a character at its first byte, so its
  // trails are the bytes at odd distances from that first byte, up to and including the byte
  // after the run. Adding the first byte's bit to the run carries through it to that byte after,
  // which marks the whole span at once; runs that start on even and on odd bits are added apart,
  // since their trails fall on odd and on even bits. A trail carried in is no start of a run.
  constexpr std::uint64_t kEvenBits = 0x5555555555555555;
  constexpr std::uint64_t kOddBits = ~kEvenBits;
  std::uint64_t carried = trail ? 1 : 0;
  leads &= ~carried;
  std::uint64_t run_starts = leads & ~(leads << 1);
  std::uint64_t even_spans = (leads + (run_starts & kEvenBits)) ^ leads;
  std::uint64_t odd_sum = leads + (run_starts & kOddBits);
  // A run on odd bits that reaches the last byte carries out: the byte after the 64 is a trail.
  trail = odd_sum < leads;
  std::uint64_t odd_spans = odd_sum ^ leads;
  std::uint64_t trails = (even_spans & kOddBits) | (odd_spans & kEvenBits) | carried;
  return ~trails;
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
