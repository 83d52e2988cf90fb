#include "speech/spoken_ruby_text.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace speech {
namespace {

using testing_support::Sjis;

// Either way, no brace or group slash reaches the voice.
TEST(SpokenRubyText, GroupsSayTheirBaseOrTheirReadingAndTheRestStays) {
  struct Case {
    const char* ruby;
    const char* bases;
    const char* readings;
  } cases[] = {
      {"{漢字/かんじ}を{読/よ}む。", "漢字を読む。", "かんじをよむ。"},
      {"{生/せい|しょう}", "生", "せい"},       // the first of the alternatives
      {"{漢字/}だけ", "漢字だけ", "漢字だけ"},  // an empty reading: the base is said
      {"{漢字}だけ", "漢字だけ", "漢字だけ"},   // no reading at all
      {"閉じない{漢字/かん\n{次/つぎ}", "閉じない漢字/かん\n次", "閉じない漢字/かん\nつぎ"},
      {"1/2と{a{b/c}", "1/2とab", "1/2とc"},
      {"<html>{行/い}く</html>\r\n", "<html>行く</html>\r\n", "<html>いく</html>\r\n"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SpokenRubyText(Sjis(c.ruby), SpokenPart::kBases), Sjis(c.bases)) << c.ruby;
    EXPECT_EQ(SpokenRubyText(Sjis(c.ruby), SpokenPart::kReadings), Sjis(c.readings)) << c.ruby;
  }
}

// ＋ (0x81 0x7B), － (0x81 0x7C) and ± (0x81 0x7D) end in '{', '|' and '}'.
TEST(SpokenRubyText, TrailBytesAreNoDelimiters) {
  const std::string ruby = "\x81\x7B{\x8A\xBF/\x82\xA9\x81\x7C\x81\x7D|x}\x81\x7D";
  EXPECT_EQ(SpokenRubyText(ruby, SpokenPart::kReadings),
            "\x81\x7B\x82\xA9\x81\x7C\x81\x7D\x81\x7D");
  EXPECT_EQ(SpokenRubyText(ruby, SpokenPart::kBases), "\x81\x7B\x8A\xBF\x81\x7D");
}

}  // namespace
}  // namespace speech
