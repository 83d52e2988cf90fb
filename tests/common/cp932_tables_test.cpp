#include "common/cp932_tables.h"

#include <gtest/gtest.h>

#include <random>
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

// Long texts are taken 64 bytes at a time, each block's characters found from its lead bytes.
// Generated texts, with characters across every block's end, trail bytes that look like ASCII or
// like lead bytes, and now and then a byte that is no CP932 (refused, as iconv refuses it),
// convert as iconv converts them.
TEST(Cp932Tables, LongTextsAgreeWithIconvWhereverBlocksEnd) {
  std::mt19937 random(7);
  auto pick = [&random](unsigned low, unsigned high) {
    return static_cast<char>(std::uniform_int_distribution<unsigned>(low, high)(random));
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    std::size_t length = std::uniform_int_distribution<std::size_t>(1, 300)(random);
    bool broken = round % 5 == 0;
    while (text.size() < length) {
      switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0:
          text += pick(0x20, 0x7E);
          break;
        case 1:
          text += pick(0xA1, 0xDF);  // half-width katakana
          break;
        case 2:
          text += {pick(0x82, 0x83), pick(0x40, 0x7E)};  // kana with an ASCII-like trail
          break;
        case 3:
          text += {pick(0x88, 0x9F), pick(0x80, 0xFC)};  // kanji, trail often lead-like
          break;
        case 4:
          text += {pick(0xE0, 0xEA), pick(0x9F, 0xFC)};
          break;
        default:
          text += broken ? pick(0x80, 0xFF) : '\n';
          break;
      }
    }
    std::optional<std::string> by_table = TableCp932ToUtf8(text);
    std::optional<std::string> by_iconv = Cp932ToUtf8(text);  // below the tables' size
    if (!by_table && by_iconv) {
      // Only a character the tables never saw may be left to iconv: in these texts, none.
      ADD_FAILURE() << "refused a text iconv converts, round " << round;
    }
    if (by_table) {
      ASSERT_EQ(by_table, by_iconv) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace common
