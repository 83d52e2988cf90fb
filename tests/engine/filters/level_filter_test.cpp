#include "engine/filters/level_filter.h"

#include <gtest/gtest.h>

#include <map>

#include "common/encoding/sjis.h"
#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

std::uint16_t CodeOfKanji(std::string_view utf8) {
  std::string bytes = Sjis(utf8);
  return common::CodeOf(static_cast<unsigned char>(bytes[0]), static_cast<unsigned char>(bytes[1]));
}

// Level indexes: 唖 準１級, 亜 ２級, 哀 準２級, 愛 ３級, 悪 ４級, 一 10級; 薔 is in no level,
// and 鬱 carries a damaged level code.
const LevelLookup& Levels() {
  static const std::map<std::uint16_t, int> levels = {
      {CodeOfKanji("唖"), 1}, {CodeOfKanji("亜"), 2}, {CodeOfKanji("哀"), 3},
      {CodeOfKanji("愛"), 4}, {CodeOfKanji("悪"), 5}, {CodeOfKanji("一"), 11},
      {CodeOfKanji("鬱"), 40}};
  static const LevelLookup lookup = [](std::uint16_t kanji) -> std::optional<int> {
    auto found = levels.find(kanji);
    if (found == levels.end()) return std::nullopt;
    return found->second;
  };
  return lookup;
}

constexpr std::string_view kAllKinds =
    "{唖/あ}{亜/あ}{哀/あい}{愛/あい}{悪/あく}{一/いち}{薔/しょう}{鬱/うつ}{今日/きょう}\n";

std::string Filter(std::string_view utf8, const LevelRubyOptions& options) {
  return FilterLevelsOfText(Sjis(utf8), options, Levels());
}

TEST(LevelFilter, EachRangeKindKeepsItsGroupsWithTheirTags) {
  struct Case {
    LevelRubyOptions options;
    std::string_view text, filtered;
  };
  const Case cases[] = {
      {{.range_kind = 1, .first_box = 4, .second_box = 2, .tag = false, .header = true},
       kAllKinds,
       "☆☆☆　指定漢検級(範囲)：２級～３級 ☆☆☆\n\n"
       "　>>>> 指定級の漢字は 3 個ありました <<<<\n　▽　本　文　▽\n"
       "唖{亜/あ}{哀/あい}{愛/あい}悪一薔鬱{今日/きょう}\n"},
      // Harder levels and the kanji in no level.
      {{.range_kind = 2, .first_box = 3, .tag = false},
       kAllKinds,
       "{唖/あ}{亜/あ}{哀/あい}愛悪一{薔/しょう}鬱{今日/きょう}\n"},
      {{.range_kind = 3, .first_box = 3, .tag = false},
       kAllKinds,
       "唖亜{哀/あい}{愛/あい}{悪/あく}{一/いち}薔鬱{今日/きょう}\n"},
      {{.range_kind = 4, .tag = false}, kAllKinds, "唖亜哀愛悪一{薔/しょう}鬱{今日/きょう}\n"},
      // The tag of the tenth level has half-width digits.
      {{.range_kind = 0, .first_box = 11, .tag = true},
       "{一/いち}{今日/きょう}",
       "@[10級]{一/いち}{今日/きょう}"},
      {{.range_kind = 4, .tag = true}, "{一/いち}{薔/しょう}", "一@[級外]{薔/しょう}"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(Sjis(c.filtered), Filter(c.text, c.options))) << c.filtered;
  }
}

TEST(LevelFilter, HeaderOfEachRangeKind) {
  auto header = [](int kind) {
    LevelRubyOptions options{.range_kind = kind, .first_box = 3, .second_box = 0};
    std::string text = LevelHeader(options, 0);
    return text.substr(0, text.find(Sjis("　>>>>")));
  };
  EXPECT_EQ(header(0), Sjis("☆☆☆　指定漢検級(単独)：準２級 ☆☆☆\n\n"));
  EXPECT_EQ(header(2), Sjis("☆☆☆　指定漢検級：準２級以上(～級外) ☆☆☆\n\n"));
  EXPECT_EQ(header(3), Sjis("☆☆☆　指定漢検級：準２級以下(～１０級まで) ☆☆☆\n\n"));
  EXPECT_EQ(header(4), Sjis("☆☆☆　指定漢検級：（級外）☆☆☆\n"));
}

TEST(LevelFilter, TrailByteBraceAndAreasAreNotNotation) {
  // 図 (0x90 0x7D) is in no level here; the area is copied as it stands.
  LevelRubyOptions options{.range_kind = 0, .first_box = 2, .tag = false};
  EXPECT_TRUE(BytesEqual(Sjis("図\x11{亜/あ}\x12{亜/あ}"),
                         Filter("{図/ず}\x11{亜/あ}\x12{亜/あ}", options)));
}

}  // namespace
}  // namespace engine
