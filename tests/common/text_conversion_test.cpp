#include "common/text_conversion.h"

#include <gtest/gtest.h>

#include <string>

#include "common/cp932.h"
#include "tests/support/test_files.h"

namespace common {
namespace {

constexpr std::size_t kMoreThanAPiece = std::size_t{3} << 20;

// Collects what a conversion hands over, counting the pieces.
struct Collected {
  std::string bytes;
  int pieces = 0;
  PieceSink Sink() {
    return [this](std::string_view piece) {
      bytes += piece;
      ++pieces;
      return true;
    };
  }
};

// 漢a: a three-byte character and one byte, so that pieces end anywhere inside a character.
std::string LargeUtf8Text(std::string_view line_end) {
  std::string line =
      "\xE6\xBC\xA2"
      "a" +
      std::string(line_end);
  std::string text;
  while (text.size() < kMoreThanAPiece) text += line;
  return text;
}

// A text larger than a piece goes to Shift_JIS and back whole: no character and no CR LF pair is
// split where a piece ends, the mark is dropped and put back once, and LF line ends are kept.
TEST(TextConversion, LargeTextGoesToShiftJisAndBackInPieces) {
  for (std::string_view line_end : {"\n", "\r\n"}) {
    std::string utf8 = LargeUtf8Text(line_end);
    std::string marked = std::string(kUtf8Bom) + utf8;
    StringTextSource source(marked);
    Collected sjis;
    ToShiftJisResult to = ConvertToShiftJis(source, TextEncoding::kUtf8WithBom, sjis.Sink());
    ASSERT_TRUE(to.ok());
    EXPECT_GT(sjis.pieces, 1);
    EXPECT_EQ(to.lf_line_ends, line_end == "\n");
    ASSERT_TRUE(sjis.bytes == *Utf8ToCp932(utf8));
    // The passes write CR LF whatever they read.
    std::string written = LfToCrLf(CrLfToLf(sjis.bytes));
    StringTextSource written_source(written);
    Collected back;
    UserEncoding form{TextEncoding::kUtf8WithBom, to.lf_line_ends};
    ASSERT_TRUE(ConvertFromShiftJis(written_source, form, back.Sink()));
    EXPECT_GT(back.pieces, 1);
    EXPECT_TRUE(back.bytes == marked) << "line end " << (line_end == "\n" ? "LF" : "CR LF");
  }
}

// A character Shift_JIS lacks, deep in a later piece, is named by its place in the whole text.
TEST(TextConversion, RefusedCharacterInALaterPieceIsPlacedInTheWholeText) {
  std::string text = LargeUtf8Text("\n");
  int lines = static_cast<int>(text.size() / 5);
  text += "ab\xE2\x98\x83\n";  // ab☃
  StringTextSource source(text);
  Collected ignored;
  ToShiftJisResult result = ConvertToShiftJis(source, TextEncoding::kUtf8, ignored.Sink());
  EXPECT_EQ(result.outcome, ToShiftJisResult::Outcome::kUnencodable);
  EXPECT_EQ(result.bad.character, "\xE2\x98\x83");
  EXPECT_EQ(result.bad.line, lines + 1);
  EXPECT_EQ(result.bad.column, 3);
}

// A line runs on across a piece's end: its column counts on from the characters before.
TEST(TextConversion, ColumnCountsOnAcrossPieces) {
  std::string text(kMoreThanAPiece, 'x');
  text += "\xE2\x98\x83";
  StringTextSource source(text);
  Collected ignored;
  ToShiftJisResult result = ConvertToShiftJis(source, TextEncoding::kUtf8, ignored.Sink());
  EXPECT_EQ(result.bad.line, 1);
  EXPECT_EQ(result.bad.column, static_cast<int>(kMoreThanAPiece) + 1);
}

TEST(TextConversion, FileIsRewrittenForItsUserOrWrittenElsewhere) {
  testing_support::ScratchDir dir;
  std::string sjis = "\x8A\xBF\x8E\x9A\r\n";  // 漢字
  testing_support::WriteFile(dir / "r.srb", sjis);
  ASSERT_TRUE(WriteForUser(dir / "r.srb", {TextEncoding::kUtf8, true}, dir / "copy.srb"));
  EXPECT_EQ(testing_support::ReadFile(dir / "copy.srb"), "\xE6\xBC\xA2\xE5\xAD\x97\n");
  ASSERT_TRUE(WriteForUser(dir / "r.srb", {TextEncoding::kUtf8WithBom, false}, dir / "r.srb"));
  EXPECT_EQ(testing_support::ReadFile(dir / "r.srb"), "\xEF\xBB\xBF\xE6\xBC\xA2\xE5\xAD\x97\r\n");
  EXPECT_FALSE(WriteForUser(dir / "missing.srb", {TextEncoding::kUtf8, false}, dir / "m.srb"));
  EXPECT_FALSE(std::filesystem::exists(dir / "m.srb"));
}

}  // namespace
}  // namespace common
