// glibc iconv with the "CP932" table; long texts through tables taken from it.
#include "common/encoding/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "common/encoding/cp932_tables.h"

namespace common {
namespace {

constexpr std::string_view kUnicodeReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
constexpr std::string_view kCp932Replacement = "?";

// How many input bytes a replacement stands for, given the input from the faulty byte on.
using SkipWidth = std::size_t (*)(std::string_view rest);

std::size_t OneByte(std::string_view) { return 1; }

// The whole sequence when `rest` starts with a well-formed UTF-8 sequence, so that a character
// CP932 lacks becomes one replacement and not one per byte; else the one faulty byte.
std::size_t Utf8SequenceWidth(std::string_view rest) {
  auto lead = static_cast<unsigned char>(rest.front());
  std::size_t width = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    width = 2;  // U+0080 … U+07FF
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    width = 3;  // U+0800 … U+FFFF
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    width = 4;  // U+10000 … U+10FFFF
  }
  if (width > rest.size()) return 1;
  for (std::size_t i = 1; i < width; ++i) {
    if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return 1;  // not 10xxxxxx
  }
  return width;
}

// An iconv converter opened once for each thread and direction: opening one loads and sets up
// its tables, which costs far more than converting a short text, and a settings file alone
// converts a few hundred. Each use starts from the initial state.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Opened()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Opened() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Reset() {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return cd_;
  }

 private:
  iconv_t cd_;
};

enum class Direction { kToCp932, kToUtf8 };

Converter& ConverterFor(Direction direction) {
  thread_local Converter to_cp932("CP932", "UTF-8");
  thread_local Converter to_utf8("UTF-8", "CP932");
  return direction == Direction::kToCp932 ? to_cp932 : to_utf8;
}

// Converts `input`; on an invalid or unconvertible sequence either stops (nullopt) or, when
// `replacement` is given, writes it and skips what `skip` says.
std::optional<std::string> Convert(Direction direction, std::string_view input,
                                   std::string_view replacement = {}, SkipWidth skip = OneByte) {
  // Both encodings hold ASCII as it is, and most names and settings are ASCII.
  if (std::all_of(input.begin(), input.end(),
                  [](char byte) { return static_cast<unsigned char>(byte) < 0x80; })) {
    return std::string(input);
  }
  Converter& converter = ConverterFor(direction);
  if (!converter.Opened()) return std::nullopt;
  iconv_t cd = converter.Reset();
  std::string out(input.size() * 2 + 16, '\0');
  std::size_t written = 0;
  char* in_ptr = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  bool failed = false;
  while (true) {
    char* out_ptr = out.data() + written;
    std::size_t out_left = out.size() - written;
    std::size_t rc = iconv(cd, in_left ? &in_ptr : nullptr, &in_left, &out_ptr, &out_left);
    written = out.size() - out_left;
    if (rc != static_cast<std::size_t>(-1)) {
      if (in_left == 0) break;
    } else if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else if ((errno == EILSEQ || errno == EINVAL) && !replacement.empty()) {
      std::size_t width = std::min(in_left, skip(std::string_view(in_ptr, in_left)));
      in_ptr += width;
      in_left -= width;
      out.resize(written);
      out += replacement;
      written = out.size();
      out.resize(written + in_left * 2 + 16);
      if (in_left == 0) break;
    } else {
      failed = true;
      break;
    }
  }
  if (failed) return std::nullopt;
  out.resize(written);
  return out;
}

// Below this size iconv is quicker than building the tables, which takes a few tens of
// milliseconds; a long text converts several times faster through them.
constexpr std::size_t kTableWorthwhile = 256 * 1024;

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  if (utf8.size() >= kTableWorthwhile) {
    if (std::optional<std::string> converted = TableUtf8ToCp932(utf8)) return converted;
  }
  return Convert(Direction::kToCp932, utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  if (cp932.size() >= kTableWorthwhile) {
    if (std::optional<std::string> converted = TableCp932ToUtf8(cp932)) return converted;
  }
  return Convert(Direction::kToUtf8, cp932);
}

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
  if (cp932.size() >= kTableWorthwhile) {
    if (std::optional<std::string> converted = TableCp932ToUtf8(cp932)) return *converted;
  }
  return Convert(Direction::kToUtf8, cp932, kUnicodeReplacement).value_or(std::string());
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
  return Convert(Direction::kToCp932, utf8, kCp932Replacement, Utf8SequenceWidth)
      .value_or(std::string());
}

std::string Sjis(std::string_view utf8) {
  std::optional<std::string> converted = Utf8ToCp932(utf8);
  if (!converted) std::abort();
  return *std::move(converted);
}

}  // namespace common
