#include "engine/markings/brace_escape.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

// 本 is 0x96 0x7B: its trail byte is no brace.
TEST(BraceEscape, GroupsGetMarkedLookAlikesAndOtherStretchesPlainOnes) {
  EXPECT_TRUE(BytesEqual(Sjis("@∈漢/かん@∋と∈注∋本"), EscapeBraces(Sjis("{漢/かん}と{注}本"))));
}

TEST(BraceEscape, EveryRealBraceIsReplacedAndTrailBytesAreLeftAlone) {
  struct Case {
    std::string_view text, escaped;
  };
  const Case cases[] = {
      {"本±{本±}本", "本±∈本±∋本"},  // ± is 0x81 0x7D
      {"{a{b}c}", "∈a∈b∋c∋"},     // a '}' that no '{' opened, too
      {"今日}", "今日∋"},          // … on a last line without a line feed
      {"a}\nb{c}}", "a∋\nb∈c∋∋"},
      {"{a}b{c/d{e", "∈a∋b∈c/d∈e"},  // an unclosed brace alone
      {"漢字/かな\n", "漢字/かな\n"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(Sjis(c.escaped), EscapeBraces(Sjis(c.text)))) << c.text;
  }
}

// Read a few bytes at a time, the braces are those of the text read whole: a stretch whose '}'
// lies pieces away, or that none closes, included.
TEST(BraceEscape, CutsAnywhereChangeNothing) {
  const std::string_view texts[] = {
      "{漢/かん}と{注}本",          "本±{本±}本",
      "{a{b}c}",                    "{a}b{c/d{e",
      "{長い/\nながい\n}ここ{注}", "{a\nb}{c\n/d}\n{e",
  };
  for (std::string_view utf8 : texts) {
    std::string text = Sjis(utf8);
    for (std::string tail : {"", "\x8A"}) {  // a lead byte whose trail never comes
      std::string whole_text = text + tail;
      std::string whole = EscapeBraces(whole_text);
      common::StringTextSource source(whole_text);
      for (std::size_t piece = 1; piece <= 9; ++piece) {
        std::string out;
        ASSERT_TRUE(common::TransformInPieces(
            source, BraceEscapeStep(source),
            [&out](std::string_view part) {
              out += part;
              return true;
            },
            piece));
        EXPECT_TRUE(BytesEqual(whole, out)) << utf8 << " piece " << piece;
      }
    }
  }
}

}  // namespace
}  // namespace engine
