#include "common/encoding/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace common {
namespace {

// Each length's first and last code point, and a character of each kind the program meets.
TEST(Utf8, EncodesEachLengthToItsLimits) {
  struct Case {
    char32_t code;
    std::string utf8;
  };
  const Case kCases[] = {
      {0x00, std::string(1, '\0')},
      {0x41, "A"},
      {0x7F, "\x7F"},
      {0x80, "\xC2\x80"},
      {0xA5, "\xC2\xA5"},  // ¥
      {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"},
      {0x6F22, "\xE6\xBC\xA2"},  // 漢
      {0xFF71, "\xEF\xBD\xB1"},  // ｱ
      {0xFFFF, "\xEF\xBF\xBF"},
      {0x10000, "\xF0\x90\x80\x80"},
      {0x20B9F, "\xF0\xA0\xAE\x9F"},  // 𠮟
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
  };
  std::u32string text;
  std::string joined;
  for (const Case& c : kCases) {
    EXPECT_EQ(Utf8Of(c.code), c.utf8) << std::hex << static_cast<unsigned>(c.code);
    text += c.code;
    joined += c.utf8;
  }
  EXPECT_EQ(EncodeUtf8(text), joined);
  std::string appended = "x";
  AppendUtf8(0x6F22, appended);
  EXPECT_EQ(appended, "x\xE6\xBC\xA2");
}

}  // namespace
}  // namespace common
