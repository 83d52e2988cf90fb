#include "engine/brace_escape.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace engine {
namespace {

using testing_support::BytesEqual;
using testing_support::Sjis;

TEST(BraceEscape, GroupLikeStretchGetsMarkedLookAlikes) {
  EXPECT_TRUE(BytesEqual(Sjis("@∈漢/かん@∋と@∈字/じ@∋"), EscapeBraces(Sjis("{漢/かん}と{字/じ}"))));
}

TEST(BraceEscape, StretchWithoutSlashGetsPlainLookAlikes) {
  EXPECT_TRUE(BytesEqual(Sjis("∈注∋"), EscapeBraces(Sjis("{注}"))));
}

TEST(BraceEscape, TrailByteBracesAreLeftAlone) {
  // 本 is 0x96 0x7B, ± 0x81 0x7D.
  EXPECT_TRUE(BytesEqual(Sjis("本±∈本±∋本"), EscapeBraces(Sjis("本±{本±}本"))));
}

TEST(BraceEscape, EveryBraceOfAStretchIsReplaced) {
  EXPECT_TRUE(BytesEqual(Sjis("∈a∈b∋c}"), EscapeBraces("{a{b}c}")));
}

TEST(BraceEscape, UnclosedBraceIsReplacedAlone) {
  EXPECT_TRUE(BytesEqual(Sjis("∈a∋b∈c/d∈e"), EscapeBraces("{a}b{c/d{e")));
}

TEST(BraceEscape, TextWithoutBracesIsUnchanged) {
  std::string text = Sjis("漢字/かな\n");
  EXPECT_EQ(EscapeBraces(text), text);
}

}  // namespace
}  // namespace engine
