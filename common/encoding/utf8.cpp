#include "common/encoding/utf8.h"

namespace common {
namespace {

constexpr char32_t kLastOneByte = 0x7F;
constexpr char32_t kLastTwoBytes = 0x7FF;
constexpr char32_t kLastThreeBytes = 0xFFFF;

// A continuation byte 10xxxxxx holding the six bits of `code` from `shift` on.
char Continuation(char32_t code, int shift) {
  return static_cast<char>(0x80 | ((code >> shift) & 0x3F));
}

}  // namespace

void AppendUtf8(char32_t code, std::string& out) {
  if (code <= kLastOneByte) {
    out += static_cast<char>(code);
  } else if (code <= kLastTwoBytes) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += Continuation(code, 0);
  } else if (code <= kLastThreeBytes) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += Continuation(code, 6);
    out += Continuation(code, 0);
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += Continuation(code, 12);
    out += Continuation(code, 6);
    out += Continuation(code, 0);
  }
}

std::string Utf8Of(char32_t code) {
  std::string out;
  AppendUtf8(code, out);
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (char32_t code : text) AppendUtf8(code, out);
  return out;
}

}  // namespace common
