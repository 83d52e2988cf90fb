#include "speech/ruby_readings.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace speech {
namespace {

using testing_support::Sjis;

TEST(ReadingsOf, GroupsGiveTheirReadingsAndEverythingElseStays) {
  struct Case {
    const char* ruby;
    const char* read;
  } cases[] = {
      {"{漢字/かんじ}を{読/よ}む。", "かんじをよむ。"},
      {"{生/せい|しょう}", "せい"},  // the first of the alternatives
      {"{漢字}だけ", "漢字だけ"},    // no reading: the base is read
      {"閉じない{漢字/かん", "閉じない{漢字/かん"},
      {"<html>{行/い}く</html>\n", "<html>いく</html>\n"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadingsOf(Sjis(c.ruby)), Sjis(c.read)) << c.ruby;
  }
}

// ＋ (0x81 0x7B), － (0x81 0x7C) and ± (0x81 0x7D) end in '{', '|' and '}'.
TEST(ReadingsOf, TrailBytesAreNoDelimiters) {
  EXPECT_EQ(ReadingsOf("\x81\x7B{\x8A\xBF/\x82\xA9\x81\x7C\x81\x7D}"),
            "\x81\x7B\x82\xA9\x81\x7C\x81\x7D");
}

}  // namespace
}  // namespace speech
