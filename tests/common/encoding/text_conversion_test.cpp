#include "common/encoding/text_conversion.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "common/encoding/text_file.h"
#include "tests/support/failing_source.h"
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

// A UTF-8 text of `size` bytes or a little more, of characters of one, two and three bytes
// that Shift_JIS holds, and both line ends.
std::string MixedUtf8Text(std::size_t size, std::mt19937& random) {
  // ASCII and both line ends; § α Д; 漢 ア 、 Ａ.
  static const std::string_view kCharacters[] = {
      "a",           " ",        "\n",           "\r\n",         "\xC2\xA7",
      "\xCE\xB1",    "\xD0\x94", "\xE6\xBC\xA2", "\xE3\x82\xA2", "\xE3\x80\x81",
      "\xEF\xBC\xA1"};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kCharacters) - 1);
  std::string text;
  while (text.size() < size) text += kCharacters[pick(random)];
  return text;
}

// Where a message names the character at `at`: its line, and its column counted in characters.
std::pair<int, int> PlaceOf(std::string_view utf8, std::size_t at) {
  int line = 1;
  int column = 1;
  for (std::size_t i = 0; i < at; ++i) {
    if (utf8[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return {line, column};
}

// The text is converted by parts on two threads; whatever falls where a part or a piece ends,
// the Shift_JIS is the whole text's, and a character refused anywhere is named by its place.
TEST(TextConversion, TextsConvertAsAWholeWhereverTheyAreCut) {
  using Outcome = ToShiftJisResult::Outcome;
  std::mt19937 random(5);
  std::string text = MixedUtf8Text((std::size_t{2} << 20) + 4096, random);
  for (bool on_trial : {false, true}) {
    StringTextSource source(text);
    Collected sjis;
    ToShiftJisResult result = ConvertToShiftJis(source, TextEncoding::kUtf8, sjis.Sink(), on_trial);
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(sjis.bytes == *Utf8ToCp932(text)) << "on trial " << on_trial;
    EXPECT_FALSE(result.lf_line_ends);
  }
  // Near where a part of 64 KiB or a piece of 1 MiB ends, and anywhere.
  std::vector<std::size_t> places;
  for (std::size_t end :
       {std::size_t{1} << 16, std::size_t{5} << 16, std::size_t{1} << 20, std::size_t{2} << 20}) {
    for (std::size_t before : {0, 2}) places.push_back(end - before);
  }
  for (int i = 0; i < 2; ++i) {
    places.push_back(std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(random));
  }
  // A character Shift_JIS lacks (😀), and a byte that is no UTF-8.
  for (std::string_view bad : {std::string_view("\xF0\x9F\x98\x80"), std::string_view("\xFF")}) {
    for (std::size_t place : places) {
      while ((static_cast<unsigned char>(text[place]) & 0xC0) == 0x80) ++place;
      std::string spoilt = text.substr(0, place) + std::string(bad) + text.substr(place);
      auto [line, column] = PlaceOf(spoilt, place);
      for (bool on_trial : {false, true}) {
        StringTextSource source(spoilt);
        Collected ignored;
        ToShiftJisResult result =
            ConvertToShiftJis(source, TextEncoding::kUtf8, ignored.Sink(), on_trial);
        std::string what = "at " + std::to_string(place) + (on_trial ? " on trial" : "");
        if (on_trial && bad == "\xFF") {
          EXPECT_EQ(result.outcome, Outcome::kNotUtf8) << what;
          continue;
        }
        ASSERT_EQ(result.outcome, Outcome::kUnencodable) << what;
        EXPECT_EQ(result.bad.character, bad) << what;
        EXPECT_EQ(result.bad.line, line) << what;
        EXPECT_EQ(result.bad.column, column) << what;
      }
    }
  }
}

// A text that cannot be read on, or an output that fails, stops the conversion; what comes
// first in the text speaks first.
TEST(TextConversion, FailuresStopTheConversionInTheTextsOrder) {
  using Outcome = ToShiftJisResult::Outcome;
  std::string text = LargeUtf8Text("\n");
  std::size_t two_pieces = std::size_t{2} << 20;
  {
    testing_support::FailingSource source(text, two_pieces);
    Collected ignored;
    EXPECT_EQ(ConvertToShiftJis(source, TextEncoding::kUtf8, ignored.Sink(), true).outcome,
              Outcome::kReadFailed);
  }
  {
    // A character Shift_JIS lacks comes before the part that cannot be read: it is named, unless
    // the text is still on trial, which only a whole reading ends.
    std::string spoilt = "\xE2\x98\x83" + text;
    for (bool on_trial : {false, true}) {
      testing_support::FailingSource source(spoilt, two_pieces);
      Collected ignored;
      ToShiftJisResult result =
          ConvertToShiftJis(source, TextEncoding::kUtf8, ignored.Sink(), on_trial);
      EXPECT_EQ(result.outcome, on_trial ? Outcome::kReadFailed : Outcome::kUnencodable);
    }
  }
  {
    StringTextSource source(text);
    int pieces = 0;
    ToShiftJisResult result = ConvertToShiftJis(
        source, TextEncoding::kUtf8, [&pieces](std::string_view) { return ++pieces < 2; }, true);
    EXPECT_EQ(result.outcome, Outcome::kOutputFailed);
    EXPECT_EQ(pieces, 2);
  }
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

// The forms a ruby file may be written in, each with what the whole Shift_JIS text becomes.
struct FormCase {
  UserEncoding form;
  std::string expected;
};

std::vector<FormCase> FormCases(std::string_view sjis_crlf) {
  std::string utf8 = *Cp932ToUtf8(std::string(sjis_crlf));
  return {
      {{TextEncoding::kUtf8, false}, utf8},
      {{TextEncoding::kUtf8, true}, CrLfToLf(utf8)},
      {{TextEncoding::kUtf8WithBom, false}, std::string(kUtf8Bom) + utf8},
      {{TextEncoding::kShiftJis, true}, CrLfToLf(sjis_crlf)},
  };
}

// Pieces cut anywhere, inside a double-byte character or between CR and LF, give the bytes the
// whole text gives; so does a writer that converts on its way to the disk.
TEST(TextConversion, PiecesCutAnywhereGiveTheWholeTextsForm) {
  // 漢a{字/じ} and a lone CR, CR LF line ends.
  std::string line =
      "\x8A\xBF"
      "a{\x8E\x9A/\x82\xB6}\r\x83\x41\r\n";
  std::string sjis;
  while (sjis.size() < 200 * 1024) sjis += line;
  std::mt19937 random(11);
  for (const FormCase& c : FormCases(sjis)) {
    for (int round = 0; round < 20; ++round) {
      ShiftJisToUser converter(c.form);
      Collected out;
      for (std::size_t at = 0; at < sjis.size();) {
        std::size_t count = std::uniform_int_distribution<std::size_t>(0, 9)(random);
        count = std::min(count, sjis.size() - at);
        bool last = at + count == sjis.size();
        ASSERT_TRUE(converter.Take(std::string_view(sjis).substr(at, count), last, out.Sink()));
        at += count;
      }
      ASSERT_TRUE(out.bytes == c.expected) << "round " << round;
    }
    testing_support::ScratchDir dir;
    TextWriter writer;
    ASSERT_TRUE(writer.Open(dir / "out.srb", c.form));
    writer.Write(CrLfToLf(sjis));  // the writer puts the CR back before converting
    ASSERT_TRUE(writer.Close());
    EXPECT_TRUE(testing_support::ReadFile(dir / "out.srb") == c.expected);
  }
}

// Converting on trial decides the encoding as detection does: a text that is not UTF-8
// anywhere, even after a character Shift_JIS lacks, or that is all ASCII, is Shift_JIS; a
// character Shift_JIS lacks in a UTF-8 text is refused with its place.
TEST(TextConversion, OnTrialTheTextDecidesItsEncodingAsDetectionDoes) {
  using Outcome = ToShiftJisResult::Outcome;
  std::string snowman = "\xE2\x98\x83";
  std::string far = LargeUtf8Text("\n");  // more than a piece
  struct Case {
    std::string what;
    std::string text;
    Outcome outcome;
    bool non_ascii;
  } cases[] = {
      {"Shift_JIS", "\x8A\xBF\x8E\x9A\r\n", Outcome::kNotUtf8, false},
      {"ASCII", "plain\n", Outcome::kOk, false},
      {"UTF-8", far, Outcome::kOk, true},
      {"UTF-8, a character Shift_JIS lacks", "a" + snowman + far, Outcome::kUnencodable, true},
      {"Shift_JIS bytes after that character, pieces later", snowman + far + "\x8A\xBF",
       Outcome::kNotUtf8, false},
      {"cut off inside a sequence", far + "\xE6\xBC", Outcome::kNotUtf8, false},
      // The first look at a text ends inside a character, which the look must not hold against
      // the text.
      {"UTF-8 with a character across 4 KB", std::string(4095, 'a') + "\xE6\xBC\xA2" + far,
       Outcome::kOk, true},
      {"UTF-8 with a short first line", "a\n" + far, Outcome::kOk, true},
      {"Shift_JIS after 4 KB of ASCII", std::string(5000, 'a') + "\x8A\xBF\r\n", Outcome::kNotUtf8,
       false},
  };
  for (const Case& c : cases) {
    StringTextSource source(c.text);
    Collected ignored;
    ToShiftJisResult result = ConvertToShiftJis(source, TextEncoding::kUtf8, ignored.Sink(), true);
    EXPECT_EQ(result.outcome, c.outcome) << c.what;
    bool is_utf8 = DetectEncoding(c.text) == TextEncoding::kUtf8;
    EXPECT_EQ(is_utf8, c.outcome != Outcome::kNotUtf8 && c.non_ascii) << c.what;
    if (result.ok()) {
      EXPECT_EQ(result.non_ascii, c.non_ascii) << c.what;
    }
    if (c.outcome == Outcome::kUnencodable) {
      EXPECT_EQ(result.bad.character, snowman);
      EXPECT_EQ(result.bad.column, 2);
    }
  }
}

// A text that is not UTF-8 is told apart: UTF-8 broken in a few places (named by the first
// break's line, offset and bytes) from Shift_JIS, which breaks it at nearly every character.
TEST(TextConversion, BrokenUtf8IsToldFromShiftJis) {
  const std::string kyou = "\xE4\xBB\x8A\xE6\x97\xA5";  // 今日 in UTF-8
  const std::string sjis_line =
      "\x8D\xA1\x93\xFA\x82\xCD\x89\x4A\x82\xC5\x82\xB7\x81\x42\r\n";  // 今日は雨です。
  std::string long_utf8;
  while (long_utf8.size() < kMoreThanAPiece) long_utf8 += kyou + "\n";
  std::string long_sjis;
  while (long_sjis.size() < kMoreThanAPiece) long_sjis += sjis_line;
  struct Row {
    const char* what;
    std::string text;
    bool broken;
    bool mostly_utf8;
    std::size_t offset;
    std::size_t line;
    std::string bytes;
  };
  const std::vector<Row> rows = {
      {"well-formed UTF-8", kyou + "\n" + kyou, false, false, 0, 0, ""},
      {"all ASCII", "abc\n", false, false, 0, 0, ""},
      {"one bad byte on line 2", kyou + "\n{" + kyou + "\xFF}\n" + kyou, true, true, 14, 2, "\xFF"},
      {"a byte Shift_JIS would read, in UTF-8", kyou + "\x82\xA0" + kyou + kyou, true, true, 6, 1,
       "\x82\xA0"},
      {"cut off inside its last character", kyou + kyou + "\xE3\x81", true, true, 12, 1,
       "\xE3\x81"},
      {"one bad byte after a piece of lines", long_utf8 + "\xFF", true, true, long_utf8.size(),
       long_utf8.size() / 7 + 1, "\xFF"},
      {"Shift_JIS", sjis_line + sjis_line, true, false, 0, 1, "\x8D\xA1\x93\xFA"},
      {"Shift_JIS past a piece", long_sjis, true, false, 0, 1, "\x8D\xA1\x93\xFA"},
      {"Shift_JIS half-width katakana", "\xC3\xBD\xC4 \xB6\xC0\xB6\xC5\r\n", true, false, 2, 1,
       "\xC4"},
  };
  for (const Row& row : rows) {
    StringTextSource source(row.text);
    std::optional<BrokenUtf8> broken = FindBrokenUtf8(source);
    ASSERT_EQ(broken.has_value(), row.broken) << row.what;
    if (!broken) continue;
    EXPECT_EQ(broken->mostly_utf8, row.mostly_utf8) << row.what;
    EXPECT_EQ(broken->offset, row.offset) << row.what;
    EXPECT_EQ(broken->line, row.line) << row.what;
    EXPECT_EQ(broken->bytes, row.bytes) << row.what;
  }
}

}  // namespace
}  // namespace common
