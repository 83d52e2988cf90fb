// Tables of glibc iconv's "CP932", built at first use.
#include "common/encoding/cp932_tables.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/platform/background_task.h"
#include "common/encoding/sjis_blocks.h"
#include "common/encoding/utf8.h"

namespace common {
namespace {

constexpr std::size_t kCodes = 0x10000;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;

bool IsCp932Lead(unsigned char byte) {
  // 0x81–0x9F and 0xE0–0xFC: flipping bit 5 makes them the one range 0xA1–0xDC.
  return static_cast<unsigned>((byte ^ 0x20) - 0xA1) <= 0xDC - 0xA1;
}

// One character through an open converter; empty when it has no conversion.
std::string ConvertOne(iconv_t cd, std::string_view in) {
  char out[8];
  char* in_ptr = const_cast<char*>(in.data());
  std::size_t in_left = in.size();
  char* out_ptr = out;
  std::size_t out_left = sizeof out;
  std::size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state after a failure
  if (rc == static_cast<std::size_t>(-1) || in_left != 0) return {};
  return std::string(out, sizeof out - out_left);
}

// A CP932 character in UTF-8: at most three bytes (CP932 holds nothing past U+FFFF), then how
// many there are. All four are copied in one move; the next character, or the final cut of the
// output, overwrites the count. What has no conversion is three bytes 0xFF, which UTF-8 never
// holds: one search of the output finds them all.
using Utf8Char = std::array<char, 4>;
constexpr std::size_t kSizeAt = 3;
constexpr char kNotUtf8 = '\xFF';
constexpr Utf8Char kUnknown = {kNotUtf8, kNotUtf8, kNotUtf8, 3};

class Tables {
 public:
  static const Tables& Get() {
    static const Tables tables;
    return tables;
  }

  // The fast paths copy ASCII as they are, which needs iconv to do the same; a character at a
  // time, the tables serve whenever iconv could fill them.
  bool usable() const { return usable_; }
  bool filled() const { return filled_; }
  // The CP932 code of a code point below U+10000 (one byte below 0x100); 0 when not known.
  std::uint16_t Cp932Of(char32_t code) const { return to_cp932_[code]; }
  // The UTF-8 table, indexed by a character's byte and the byte after it (see PairOf).
  const Utf8Char* Utf8Table() const { return to_utf8_.data(); }
  static std::size_t PairOf(unsigned char byte, unsigned char next) {
    return std::size_t{byte} << 8 | next;
  }

 private:
  // The UTF-8 table has a row of 256 for each first byte, indexed by the byte after it: a lead
  // byte's row holds its double-byte characters, and a single byte's entry stands in each slot
  // of its row, so that a character is found the same way whatever it is. Slots never filled,
  // NUL and the pairs that cannot be, stay kUnknown.
  static constexpr std::size_t kSlots = 0x100 * 0x100;

  Tables() : to_cp932_(kCodes), to_utf8_(kSlots, kUnknown) {
    // A character at a time through iconv takes some milliseconds, which a text to convert
    // waits for: the work is shared with a thread aside, each with converters of its own.
    Converter to_cp932("CP932", "UTF-8");
    Converter aside_to_cp932("CP932", "UTF-8");
    Converter to_utf8("UTF-8", "CP932");
    if (!to_cp932.ok() || !aside_to_cp932.ok() || !to_utf8.ok()) return;
    BackgroundTask aside;
    aside.Start([&] {
      FillToCp932(aside_to_cp932.cd, kAsideFrom, kCodes);
      FillToUtf8(to_utf8.cd);
    });
    FillToCp932(to_cp932.cd, 1, kAsideFrom);
    aside.Wait();
    filled_ = true;
    usable_ = AsciiIsItself();
  }

  // An open iconv converter, closed at the end.
  struct Converter {
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
      if (ok()) iconv_close(cd);
    }
    bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd;
  };

  // Where the thread aside starts on the code points: with the CP932 table's own characters,
  // which it also converts, its share of iconv calls is about the other's.
  static constexpr char32_t kAsideFrom = 0x9000;

  void FillToCp932(iconv_t cd, char32_t from, char32_t to) {
    for (char32_t code = from; code < to; ++code) {
      if (code >= kFirstSurrogate && code <= kLastSurrogate) continue;
      std::string cp932 = ConvertOne(cd, Utf8Of(code));
      if (cp932.size() == 1) to_cp932_[code] = static_cast<unsigned char>(cp932[0]);
      if (cp932.size() == 2) {
        to_cp932_[code] = static_cast<std::uint16_t>(static_cast<unsigned char>(cp932[0]) << 8 |
                                                     static_cast<unsigned char>(cp932[1]));
      }
    }
  }

  void Keep(std::uint16_t code, const std::string& utf8) {
    if (utf8.empty() || utf8.size() > 3) return;
    Utf8Char entry{};
    for (std::size_t i = 0; i < utf8.size(); ++i) entry[i] = utf8[i];
    entry[kSizeAt] = static_cast<char>(utf8.size());
    if (code > 0xFF) {
      to_utf8_[code] = entry;
      return;
    }
    for (unsigned next = 0; next < 0x100; ++next) {
      to_utf8_[PairOf(static_cast<unsigned char>(code), static_cast<unsigned char>(next))] = entry;
    }
  }

  void FillToUtf8(iconv_t cd) {
    for (unsigned lead = 1; lead < 0x100; ++lead) {
      if (!IsCp932Lead(static_cast<unsigned char>(lead))) {
        Keep(static_cast<std::uint16_t>(lead),
             ConvertOne(cd, std::string(1, static_cast<char>(lead))));
        continue;
      }
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        Keep(static_cast<std::uint16_t>(lead << 8 | trail),
             ConvertOne(cd, std::string_view(pair, 2)));
      }
    }
  }

  // The fast paths copy ASCII as it is; they are used only if iconv does the same.
  bool AsciiIsItself() const {
    for (char32_t code = 1; code < 0x80; ++code) {
      if (to_cp932_[code] != code) return false;
      const Utf8Char& back = to_utf8_[PairOf(static_cast<unsigned char>(code), 0)];
      if (back[kSizeAt] != 1 || static_cast<unsigned char>(back[0]) != code) return false;
    }
    return true;
  }

  std::vector<std::uint16_t> to_cp932_;
  std::vector<Utf8Char> to_utf8_;
  bool filled_ = false;
  bool usable_ = false;
};

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point of the two- or three-byte sequence at `at` and its length; 0 for anything
// else (a four-byte character is one CP932 lacks anyway).
char32_t DecodeAt(std::string_view utf8, std::size_t at, std::size_t& length) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[at + i]); };
  unsigned char lead = byte(0);
  if (lead >= 0xC2 && lead <= 0xDF && at + 1 < utf8.size() && IsContinuation(byte(1))) {
    length = 2;
    return static_cast<char32_t>((lead & 0x1F) << 6 | (byte(1) & 0x3F));
  }
  if (lead < 0xE0 || lead > 0xEF || at + 2 >= utf8.size()) return 0;
  unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
  unsigned char high = lead == 0xED ? 0x9F : 0xBF;
  if (byte(1) < low || byte(1) > high || !IsContinuation(byte(2))) return 0;
  length = 3;
  return static_cast<char32_t>((lead & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F));
}

// Eight bytes of ASCII other than NUL, which both directions copy as they are.
bool IsPlainAsciiWord(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  constexpr std::uint64_t kLow = 0x0101010101010101;
  constexpr std::uint64_t kHigh = 0x8080808080808080;
  bool has_nul = ((word - kLow) & ~word & kHigh) != 0;
  return (word & kHigh) == 0 && !has_nul;
}

}  // namespace

char* TableUtf8ToCp932Into(std::string_view utf8, char* out) {
  const Tables& tables = Tables::Get();
  if (!tables.usable()) return nullptr;
  char* put = out;
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  for (std::size_t at = 0; at < utf8.size();) {
    auto byte = in[at];
    // Kana and kanji first, the most of a Japanese text: a lead of E1–EC or EE–EF takes any
    // two continuation bytes.
    if (byte >= 0xE1 && byte != 0xED && at + 2 < utf8.size() && ((in[at + 1] & 0xC0) == 0x80) &&
        ((in[at + 2] & 0xC0) == 0x80)) {
      char32_t code = static_cast<char32_t>((byte & 0x0F) << 12 | (in[at + 1] & 0x3F) << 6 |
                                            (in[at + 2] & 0x3F));
      std::uint16_t cp932 = byte <= 0xEF ? tables.Cp932Of(code) : 0;
      if (cp932 == 0) return nullptr;
      if (cp932 > 0xFF) *put++ = static_cast<char>(cp932 >> 8);
      *put++ = static_cast<char>(cp932 & 0xFF);
      at += 3;
      continue;
    }
    if (byte < 0x80 && byte != 0) {
      if (at + 8 <= utf8.size() && IsPlainAsciiWord(utf8.data() + at)) {
        std::memcpy(put, utf8.data() + at, 8);
        put += 8;
        at += 8;
        continue;
      }
      *put++ = static_cast<char>(byte);
      ++at;
      continue;
    }
    std::size_t length = 0;
    char32_t code = byte == 0 ? 0 : DecodeAt(utf8, at, length);
    std::uint16_t cp932 = code == 0 ? 0 : tables.Cp932Of(code);
    if (cp932 == 0) return nullptr;
    if (cp932 > 0xFF) *put++ = static_cast<char>(cp932 >> 8);
    *put++ = static_cast<char>(cp932 & 0xFF);
    at += length;
  }
  return put;
}

std::optional<std::uint16_t> Cp932CodeOf(char32_t code) {
  const Tables& tables = Tables::Get();
  if (!tables.filled() || code >= kCodes) return std::nullopt;
  if (code == 0) return 0;  // NUL is itself, but a code of 0 in the table means "none"
  std::uint16_t cp932 = tables.Cp932Of(code);
  if (cp932 == 0) return std::nullopt;
  return cp932;
}

std::optional<char32_t> UnicodeOfCp932(std::uint16_t cp932) {
  const Tables& tables = Tables::Get();
  auto first = static_cast<unsigned char>(cp932 > 0xFF ? cp932 >> 8 : cp932);
  if (!tables.filled() || IsCp932Lead(first) != (cp932 > 0xFF)) return std::nullopt;
  if (cp932 == 0) return U'\0';
  const Utf8Char& utf8 =
      tables.Utf8Table()[cp932 > 0xFF ? cp932 : Tables::PairOf(first, 0)];
  std::size_t length = 0;
  char32_t code = utf8[kSizeAt] == 1 ? static_cast<unsigned char>(utf8[0])
                                     : DecodeAt(std::string_view(utf8.data(), kSizeAt), 0, length);
  if (code == 0) return std::nullopt;
  return code;
}

std::optional<std::string> TableUtf8ToCp932(std::string_view utf8) {
  // Shift_JIS never takes more bytes than UTF-8 for the same characters.
  std::string out(utf8.size(), '\0');
  char* end = TableUtf8ToCp932Into(utf8, out.data());
  if (end == nullptr) return std::nullopt;
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

char* TableCp932ToUtf8Into(std::string_view cp932, char* out) {
  const Tables& tables = Tables::Get();
  if (!tables.usable()) return nullptr;
  const auto* in = reinterpret_cast<const unsigned char*>(cp932.data());
  const std::size_t size = cp932.size();
  // Kept in registers: `put` may alias anything.
  const Utf8Char* table = tables.Utf8Table();
  char* put = out;
  // One character, found without a jump, as ruby text changes between single- and double-byte
  // characters every few bytes; the byte after it is always there to read.
  auto convert = [&](const unsigned char* at) {
    const Utf8Char& utf8 = table[Tables::PairOf(at[0], at[1])];
    std::memcpy(put, utf8.data(), utf8.size());
    put += static_cast<unsigned char>(utf8[kSizeAt]);
  };
  std::size_t at = 0;
  bool trail = false;  // the byte at `at` ends the character before
  // Blocks of 64 with a byte after them, so that every character starting in one is whole.
  for (; at + 64 < size; at += 64) {
    const unsigned char* block = in + at;
    std::uint64_t starts = CharacterStartsOf64(LeadBytesOf64(block), trail);
    for (; starts != 0; starts &= starts - 1) {
      convert(block + static_cast<std::size_t>(std::countr_zero(starts)));
    }
  }
  if (trail) ++at;
  while (at + 1 < size) {
    convert(in + at);
    at += IsCp932Lead(in[at]) ? 2 : 1;
  }
  if (at < size) {
    // The last byte alone: a lead byte here has lost its trail.
    if (IsCp932Lead(in[at])) return nullptr;
    const Utf8Char& utf8 = table[Tables::PairOf(in[at], 0)];
    std::memcpy(put, utf8.data(), utf8.size());
    put += static_cast<unsigned char>(utf8[kSizeAt]);
  }
  if (std::memchr(out, kNotUtf8, static_cast<std::size_t>(put - out)) != nullptr) return nullptr;
  return put;
}

std::optional<std::string> TableCp932ToUtf8(std::string_view cp932) {
  std::string out(cp932.size() * 3 + 1, '\0');
  char* end = TableCp932ToUtf8Into(cp932, out.data());
  if (end == nullptr) return std::nullopt;
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

}  // namespace common
