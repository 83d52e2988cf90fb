#include "common/encoding/cp932_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "common/encoding/cp932.h"
#include "common/encoding/utf8.h"

namespace common {
namespace {

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

// The code of one character is the code iconv writes for it, NUL included; and the character
// of one code is the one iconv reads, for every byte and every pair of bytes.
TEST(Cp932Tables, SingleCharactersAgreeWithIconv) {
  for (char32_t code = 0; code < 0x10000; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    std::optional<std::string> by_iconv = Utf8ToCp932(Utf8Of(code));
    std::optional<std::uint16_t> expected;
    if (by_iconv && by_iconv->size() == 1) expected = static_cast<unsigned char>((*by_iconv)[0]);
    if (by_iconv && by_iconv->size() == 2) {
      expected = static_cast<std::uint16_t>(static_cast<unsigned char>((*by_iconv)[0]) << 8 |
                                            static_cast<unsigned char>((*by_iconv)[1]));
    }
    ASSERT_EQ(Cp932CodeOf(code), expected) << "U+" << std::hex << static_cast<unsigned>(code);
  }
  std::map<std::string, char32_t> characters;
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c < 0xD800 || c > 0xDFFF) characters.emplace(Utf8Of(c), c);
  }
  for (unsigned code = 0; code < 0x10000; ++code) {
    std::string bytes = code > 0xFF ? std::string{static_cast<char>(code >> 8),
                                                  static_cast<char>(code & 0xFF)}
                                    : std::string(1, static_cast<char>(code));
    std::optional<std::string> by_iconv = Cp932ToUtf8(bytes);
    std::optional<char32_t> expected;
    if (by_iconv && characters.contains(*by_iconv)) expected = characters.at(*by_iconv);
    ASSERT_EQ(UnicodeOfCp932(static_cast<std::uint16_t>(code)), expected)
        << std::hex << code;
  }
}

// The cases the table's layout makes easy to get wrong.
TEST(Cp932Tables, NamedCharacters) {
  struct Case {
    const char* name;
    char32_t character;
    std::optional<std::uint16_t> code;
  };
  const Case kCases[] = {
      {"NUL, which the table cannot hold as a code", U'\0', 0x00},
      {"ASCII", U'A', 0x41},
      {"half-width katakana", 0xFF71, 0xB1},
      {"kanji", 0x6F22, 0x8ABF},
      {"NEC and IBM duplicate: iconv's code", 0x7E8A, 0xFA5C},
      {"one-way: 〜 written as ～'s code", 0x301C, 0x8160},
      {"not in CP932", 0x2603, std::nullopt},
      {"past the plane", 0x1F600, std::nullopt},
  };
  for (const Case& c : kCases) EXPECT_EQ(Cp932CodeOf(c.character), c.code) << c.name;

  struct Back {
    const char* name;
    std::uint16_t code;
    std::optional<char32_t> character;
  };
  const Back kBacks[] = {
      {"NUL", 0x00, U'\0'},
      {"a byte", 0x5C, U'\\'},
      {"a pair", 0x8ABF, 0x6F22},
      {"a duplicate reads as the character", 0xED40, 0x7E8A},
      {"～ reads as itself, not 〜", 0x8160, 0xFF5E},
      {"a byte pair whose first byte is no lead byte", 0x4142, std::nullopt},
      {"a lead byte alone", 0x0081, std::nullopt},
      {"a lead byte with no trail byte after it", 0x8A7F, std::nullopt},
      {"a byte CP932 leaves out", 0x00A0, std::nullopt},
  };
  for (const Back& b : kBacks) EXPECT_EQ(UnicodeOfCp932(b.code), b.character) << b.name;
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
