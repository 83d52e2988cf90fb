#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/encoding/text_pieces.h"
#include "rubywindow/kana_table.h"
#include "rubywindow/ruby_repair.h"
#include "tests/rubywindow/rubywindow_fixtures.h"

namespace rubywindow {
namespace {

TEST(KanaTable, EveryPairConvertsBothWays) {
  std::string hiragana = Sjis(
      "ぁあぃいぅうぇえぉおかきくけこがぎぐげごさしすせそざじずぜぞたちつってとだぢづでどなにぬねの"
      "はひふへほばびぶべぼぱぴぷぺぽまみむめもゃやゅゆょよらりるれろゎわゐゑをん");
  std::string katakana = Sjis(
      "ァアィイゥウェエォオカキクケコガギグゲゴサシスセソザジズゼゾタチツッテトダヂヅデドナニヌネノ"
      "ハヒフヘホバビブベボパピプペポマミムメモャヤュユョヨラリルレロヮワヰヱヲン");
  EXPECT_EQ(ConvertKana(hiragana, KanaDirection::kToKatakana), katakana);
  EXPECT_EQ(ConvertKana(katakana, KanaDirection::kToHiragana), hiragana);
}

TEST(KanaTable, OtherCharactersStay) {
  std::string others = Sjis("漢ーゝヵヶｱa{/|}");
  EXPECT_EQ(ConvertKana(others, KanaDirection::kToKatakana), others);
  EXPECT_EQ(ConvertKana(others, KanaDirection::kToHiragana), others);
  EXPECT_EQ(ConvertKana(Sjis("ヴィ"), KanaDirection::kToHiragana), Sjis("ぶぃ"));
}

// Any hiragana reading sends every reading to katakana; readings without hiragana go back.
TEST(DirectionOfAllReadings, HiraganaInAnyReadingMeansKatakana) {
  struct Case {
    const char* text;
    KanaDirection direction;
  } cases[] = {
      {"{漢字/かんじ}と{仮名/かな}", KanaDirection::kToKatakana},
      {"{漢字/カンジ}と{仮名/カナ}", KanaDirection::kToHiragana},
      {"{漢字/カンジ}\n{仮名/かな}", KanaDirection::kToKatakana},  // mixed
      {"ひらがなの{本/ホン}", KanaDirection::kToHiragana},         // kana outside groups
      {"{ー/ー}{abc/abc}", KanaDirection::kToHiragana},
      {"", KanaDirection::kToHiragana},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DirectionOfAllReadings(Sjis(c.text)), c.direction) << c.text;
  }
}

TEST(ConvertAllReadings, OnlyReadingsChange) {
  EXPECT_EQ(ConvertAllReadings(Sjis("{漢字/かんじ}と{仮名/かな}\n{数/かず}ー"),
                               KanaDirection::kToKatakana),
            Sjis("{漢字/カンジ}と{仮名/カナ}\n{数/カズ}ー"));
  EXPECT_EQ(ConvertAllReadings(Sjis("{ヴィ/ヴィー}"), KanaDirection::kToHiragana),
            Sjis("{ヴィ/ぶぃー}"));
}

TEST(ConvertAllReadings, UnclosedBraceLeavesTheRestOfItsLine) {
  EXPECT_EQ(ConvertAllReadings(Sjis("{あ/あ {い/い\n{う/う}"), KanaDirection::kToKatakana),
            Sjis("{あ/あ {い/い\n{う/ウ}"));
  EXPECT_EQ(ConvertAllReadings(Sjis("{あ}{い/い}"), KanaDirection::kToKatakana),
            Sjis("{あ}{い/イ}"));
}

TEST(KeepPartOfAllGroups, BaseOrReading) {
  std::string text = Sjis("{漢字/かんじ}の{人/ひと|にん}\n{x");
  EXPECT_EQ(KeepPartOfAllGroups(text, GroupPart::kBase), Sjis("漢字の人\n{x"));
  EXPECT_EQ(KeepPartOfAllGroups(text, GroupPart::kReading), Sjis("かんじのひと|にん\n{x"));
}

TEST(ConvertSelection, KindsOfTheRepairDialog) {
  std::string selection = Sjis("{漢字/かんじ}の{本/ほん}");
  EXPECT_EQ(ConvertSelection(selection, 1, false), Sjis("漢字の本"));
  EXPECT_EQ(ConvertSelection(selection, 2, false), Sjis("かんじのほん"));
  EXPECT_EQ(ConvertSelection(selection, 3, false), Sjis("{漢字/カンジ}の{本/ホン}"));
  EXPECT_EQ(ConvertSelection(selection, 3, true), Sjis("{漢字/カンジ}ノ{本/ホン}"));
  EXPECT_EQ(ConvertSelection(Sjis("{オ茶/オチャ}"), 0, false), Sjis("{お茶/おちゃ}"));
}

TEST(RubyRepair, WholeGroupChangesButAllGroupsOnlyReadings) {
  std::string document = Sjis("{お茶/おちゃ}を");
  RepairRequest request{3, 1, false, false};
  EXPECT_EQ(ApplyRepair(document, 0, Sjis("{お茶/おちゃ}"), request), Sjis("{オ茶/オチャ}を"));
  request.all_groups = true;
  EXPECT_EQ(ApplyRepair(document, 0, "", request), Sjis("{お茶/オチャ}を"));
}

TEST(RubyRepair, WholeDocumentScopeReplacesEveryOccurrence) {
  std::string document = Sjis("{本/ほん}と{本/ほん}と{木/き}");
  RepairRequest request{1, 2, false, false};
  EXPECT_EQ(ApplyRepair(document, 0, Sjis("{本/ほん}"), request), Sjis("本と本と{木/き}"));
  request.scope = 1;
  EXPECT_EQ(ApplyRepair(document, 11, Sjis("{本/ほん}"), request), Sjis("{本/ほん}と本と{木/き}"));
}

// What `step` makes of `text` read `piece` bytes at a time.
std::string InPieces(std::string_view text, const common::PieceStep& step, std::size_t piece) {
  common::StringTextSource source(text);
  std::string out;
  bool read = common::TransformInPieces(
      source, step,
      [&out](std::string_view part) {
        out += part;
        return true;
      },
      piece);
  EXPECT_TRUE(read);
  return out;
}

// Read a few bytes at a time, every group, line and character cut at every place, the changes
// of a ruby text are those of the text read whole.
TEST(RubyTextInPieces, CutsAnywhereChangeNothing) {
  const std::string_view texts[] = {
      "{漢字/かんじ}と{仮名/かな}\n{数/かず}ー",
      "{あ/あ {い/い\n{う/う}",  // unclosed groups end at their line
      "{漢字/かん",               // … or at the text's end
      "本{本/ほん}本±{本/ほん}",  // 本 and ± end in a brace's byte
      "{漢字/かんじ}の{本/ほん}{漢字/かんじ}の\n{本/ほん}",
      "{人/ひと|にん}\r\n{x",
  };
  const std::string selection = Sjis("{漢字/かんじ}の{本/ほん}");
  struct Step {
    std::string_view name;
    std::function<std::string(std::string_view)> whole;
    common::PieceStep step;
  };
  const Step steps[] = {
      {"katakana", [](std::string_view t) { return ConvertAllReadings(t, KanaDirection::kToKatakana); },
       ConvertAllReadingsStep(KanaDirection::kToKatakana)},
      {"base", [](std::string_view t) { return KeepPartOfAllGroups(t, GroupPart::kBase); },
       KeepPartOfAllGroupsStep(GroupPart::kBase)},
      {"reading", [](std::string_view t) { return KeepPartOfAllGroups(t, GroupPart::kReading); },
       KeepPartOfAllGroupsStep(GroupPart::kReading)},
      {"selection",
       [&](std::string_view t) { return ReplaceAllOccurrences(t, selection, "#"); },
       ReplaceAllOccurrencesStep(selection, "#")},
  };
  for (std::string_view utf8 : texts) {
    std::string text = Sjis(utf8);
    for (std::string tail : {"", "\x8A"}) {  // a lead byte whose trail never comes
      std::string whole_text = text + tail;
      for (const Step& step : steps) {
        std::string whole = step.whole(whole_text);
        for (std::size_t piece = 1; piece <= 9; ++piece) {
          EXPECT_EQ(InPieces(whole_text, step.step, piece), whole)
              << step.name << " " << utf8 << " piece " << piece;
        }
      }
    }
  }
  EXPECT_EQ(ReplaceAllOccurrences(Sjis("{漢字/かんじ}の{本/ほん}{漢字/かんじ}の\n{本/ほん}"),
                                  selection, "#"),
            Sjis("#{漢字/かんじ}の\n{本/ほん}"));
}

TEST(RubyRepair, SelectionChecks) {
  EXPECT_EQ(CheckRepairSelection(""), SelectionCheck::kNothingSelected);
  EXPECT_EQ(CheckRepairSelection(Sjis("漢字")), SelectionCheck::kNotAtGroup);
  EXPECT_EQ(RepairSelectionMessage(SelectionCheck::kNotAtGroup)->text,
            "01:ルビ部の { ～ } までを選択してください。");
  EXPECT_EQ(CheckRepairSelection(Sjis("{本/ほん")), SelectionCheck::kNotClosed);
  EXPECT_EQ(CheckRepairSelection("{a/\x81\x7D"), SelectionCheck::kNotClosed);  // ± ends it
  EXPECT_EQ(CheckRepairSelection(Sjis("{本}")), SelectionCheck::kNoSlash);
  EXPECT_EQ(CheckRepairSelection(Sjis("{本/ほん}")), SelectionCheck::kGroups);
  EXPECT_EQ(RepairSelectionMessage(SelectionCheck::kNotClosed)->title, "ご確認!");
  EXPECT_FALSE(RepairSelectionMessage(SelectionCheck::kGroups));
}

}  // namespace
}  // namespace rubywindow
