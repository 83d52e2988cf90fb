#include "engine/brace_escape.h"

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
      {"{a{b}c}", "∈a∈b∋c}"},
      {"{a}b{c/d{e", "∈a∋b∈c/d∈e"},  // an unclosed brace alone
      {"漢字/かな\n", "漢字/かな\n"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(Sjis(c.escaped), EscapeBraces(Sjis(c.text)))) << c.text;
  }
}

}  // namespace
}  // namespace engine
