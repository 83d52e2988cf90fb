#include "common/cp932_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "common/cp932.h"

namespace common {
namespace {

std::string Utf8Of(char32_t code) {
  std::string utf8;
  if (code < 0x80) return std::string(1, static_cast<char>(code));
  if (code < 0x800) {
    utf8 += static_cast<char>(0xC0 | (code >> 6));
  } else {
    utf8 += static_cast<char>(0xE0 | (code >> 12));
    utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  }
  utf8 += static_cast<char>(0x80 | (code & 0x3F));
  return utf8;
}

// Every character the tables convert, they convert as iconv does (short texts go to iconv), and
// every one iconv converts, they know.
TEST(Cp932Tables, AgreeWithIconvOnEveryCharacter) {
  for (char32_t code = 1; code < 0x10000; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    std::string utf8 = Utf8Of(code);
    std::optional<std::string> by_iconv = Utf8ToCp932(utf8);
    ASSERT_EQ(TableUtf8ToCp932(utf8), by_iconv) << "U+" << std::hex << static_cast<unsigned>(code);
  }
  for (unsigned lead = 0x80; lead < 0x100; ++lead) {
    for (unsigned trail = 0; trail < 0x100; ++trail) {
      std::string pair = {static_cast<char>(lead), static_cast<char>(trail)};
      std::optional<std::string> by_table = TableCp932ToUtf8(pair);
      if (by_table) {
        ASSERT_EQ(by_table, Cp932ToUtf8(pair)) << std::hex << lead << " " << trail;
      }
    }
  }
}

// A long text that the tables cannot take whole (a character CP932 lacks, bytes that are no
// CP932) still gets iconv's answer: refused, or U+FFFD in its place.
TEST(Cp932Tables, LongTextTheyCannotTakeGetsIconvsAnswer) {
  std::string utf8;
  while (utf8.size() < 512 * 1024)
    utf8 +=
        "\xE6\xBC\xA2"
        "a\r\n";  // 漢a
  std::optional<std::string> sjis = Utf8ToCp932(utf8);
  ASSERT_TRUE(sjis);
  EXPECT_TRUE(Cp932ToUtf8(*sjis) == utf8);
  EXPECT_EQ(Utf8ToCp932(utf8 + "\xE2\x98\x83"), std::nullopt);  // ☃
  std::string lossy = Cp932ToUtf8Lossy(*sjis + "\x81");         // a lead byte cut off at the end
  EXPECT_TRUE(lossy == utf8 + "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace common
