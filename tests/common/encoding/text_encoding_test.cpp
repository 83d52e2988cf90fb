#include "common/encoding/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_files.h"

namespace common {
namespace {

TEST(TextEncoding, DetectsTheEncodingOfATextFile) {
  struct Row {
    const char* what;
    std::string bytes;
    TextEncoding encoding;
  };
  const Row rows[] = {
      {"ascii only", "plain text\r\n", TextEncoding::kShiftJis},
      {"empty", "", TextEncoding::kShiftJis},
      {"shift_jis", "\x8A\xBF\x8E\x9A\r\n", TextEncoding::kShiftJis},  // 漢字
      {"utf-8", "\xE6\xBC\xA2\xE5\xAD\x97\n", TextEncoding::kUtf8},     // 漢字
      {"utf-8 with a mark", "\xEF\xBB\xBF" "abc", TextEncoding::kUtf8WithBom},
      {"a mark settles it even before bad bytes", "\xEF\xBB\xBF\x8A\xBF",
       TextEncoding::kUtf8WithBom},
      // Half-width katakana ｱｲ in Shift_JIS are continuation bytes without a lead.
      {"shift_jis half-width kana", "\xB1\xB2", TextEncoding::kShiftJis},
  };
  testing_support::ScratchDir dir;
  for (const Row& row : rows) {
    EXPECT_EQ(DetectEncoding(row.bytes), row.encoding) << row.what;
    testing_support::WriteFile(dir / "text.txt", row.bytes);
    EXPECT_EQ(DetectFileEncoding(dir / "text.txt"), row.encoding) << row.what << ", from a file";
  }
}

// A file is looked at a piece at a time: a character cut by a piece's end still counts as
// UTF-8, and a text cut off inside a character does not.
TEST(TextEncoding, FileDetectionAgreesAcrossItsPieces) {
  testing_support::ScratchDir dir;
  for (std::size_t pad = 65533; pad <= 65537; ++pad) {
    std::string utf8 = std::string(pad, 'a') + "\xE6\xBC\xA2\xE5\xAD\x97\n";  // 漢字
    for (const std::string& bytes : {utf8, utf8.substr(0, pad + 2)}) {
      testing_support::WriteFile(dir / "text.txt", bytes);
      EXPECT_EQ(DetectFileEncoding(dir / "text.txt"), DetectEncoding(bytes)) << pad;
    }
  }
  EXPECT_EQ(DetectFileEncoding(dir / "missing.txt"), std::nullopt);
}

TEST(TextEncoding, OnlyWellFormedUtf8IsValid) {
  struct Row {
    const char* what;
    std::string bytes;
    bool valid;
  };
  const Row rows[] = {
      {"two bytes", "\xC3\xA9", true},
      {"four bytes", "\xF0\x9F\x98\x80", true},
      {"last code point", "\xF4\x8F\xBF\xBF", true},
      {"overlong slash", "\xC0\xAF", false},
      {"overlong three bytes", "\xE0\x80\xAF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"past U+10FFFF", "\xF4\x90\x80\x80", false},
      {"cut off at the end", "\xE6\xBC", false},
      {"lone continuation", "\x80", false},
      {"lead without continuation", "\xE6" "ab", false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsValidUtf8(row.bytes), row.valid) << row.what;
  }
}

TEST(TextEncoding, LineEndsConvertOnlyWhole) {
  EXPECT_EQ(CrLfToLf("a\r\nb\rc\n\r"), "a\nb\rc\n\r");
  EXPECT_EQ(LfToCrLf("a\nb\r"), "a\r\nb\r");
}

TEST(TextEncoding, Utf8ReachesThePassesAsShiftJisAndGoesBack) {
  std::string utf8 = "\xE6\xBC\xA2\xE5\xAD\x97\r\n";  // 漢字
  EXPECT_EQ(ToShiftJis(utf8, TextEncoding::kUtf8), "\x8A\xBF\x8E\x9A\r\n");
  EXPECT_EQ(ToShiftJis("\xEF\xBB\xBF" + utf8, TextEncoding::kUtf8WithBom),
            "\x8A\xBF\x8E\x9A\r\n");
  EXPECT_EQ(FromShiftJis("\x8A\xBF\x8E\x9A", TextEncoding::kUtf8WithBom),
            "\xEF\xBB\xBF\xE6\xBC\xA2\xE5\xAD\x97");
  EXPECT_EQ(FromShiftJis("\x8A\xBF", TextEncoding::kShiftJis), "\x8A\xBF");
}

// Never a silent '?': the first character Shift_JIS lacks is named with its line and column.
TEST(TextEncoding, CharacterShiftJisLacksIsNamedWithItsPlace) {
  UnencodableCharacter bad;
  // "ab\n漢☃\n": the snowman is the second character of line 2.
  EXPECT_EQ(ToShiftJis("ab\n\xE6\xBC\xA2\xE2\x98\x83\n", TextEncoding::kUtf8, &bad),
            std::nullopt);
  EXPECT_EQ(bad.character, "\xE2\x98\x83");
  EXPECT_EQ(bad.line, 2);
  EXPECT_EQ(bad.column, 2);
}

TEST(TextEncoding, LineEndsOfTheInputAreKnown) {
  EXPECT_TRUE(HasLfLineEnds("a\nb\n"));
  EXPECT_FALSE(HasLfLineEnds("a\r\nb\r\n"));
  EXPECT_FALSE(HasLfLineEnds("no line end"));
}

}  // namespace
}  // namespace common
