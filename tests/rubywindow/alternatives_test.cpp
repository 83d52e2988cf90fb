#include "rubywindow/alternatives.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/text_pieces.h"
#include "tests/rubywindow/rubywindow_fixtures.h"

namespace rubywindow {
namespace {

// `text` holds '^' where the caret stands; `chosen` is the text after the reading `pick` was
// taken, or nullptr when the caret is at no group with alternatives.
struct ChoiceCase {
  const char* name;
  const char* text;
  std::size_t pick;
  const char* chosen;
};

const ChoiceCase kChoiceCases[] = {
    {"inside the reading", "{人/ひ^と|にん}", 1, "{人/にん}"},
    {"on the brace", "あ^{人/ひと|にん}い", 0, "あ{人/ひと}い"},
    {"just after the group", "{人/ひと|にん}^い", 1, "{人/にん}い"},
    {"the group that starts at the caret, not the one ending there",
     "{一/いち|ひと}^{人/ひと|にん}", 1, "{一/いち|ひと}{人/にん}"},
    {"on a later line", "{人/ひと|にん}\n{今日/きょう|こんにち}^", 1,
     "{人/ひと|にん}\n{今日/こんにち}"},
    {"a trail byte like the bar is no separator", "{本/ポン|ほん^}", 0, "{本/ポン}"},
    {"three readings, an empty one left out", "{生/|せい|い^き}", 1, "{生/いき}"},
    {"a '{' trail byte before the group", "＋{人/ひと|^にん}", 1, "＋{人/にん}"},
    {"a single reading", "{人/^ひと}", 0, nullptr},
    {"between groups", "{人/ひと|にん}と^も{人/ひと|にん}", 0, nullptr},
    {"unclosed at its line", "{人/ひと|に^ん\n}", 0, nullptr},
    {"a group on the line before", "{人/ひと|にん}\n^い", 0, nullptr},
};

TEST(AlternativesAt, FindsTheGroupAtTheCaretAndRewritesItWithOneReading) {
  for (const ChoiceCase& c : kChoiceCases) {
    std::string marked = Sjis(c.text);
    std::size_t caret = marked.find('^');
    ASSERT_NE(caret, std::string::npos) << c.name;
    std::string text = marked.erase(caret, 1);
    std::optional<GroupAlternatives> found = AlternativesAt(text, caret);
    if (c.chosen == nullptr) {
      EXPECT_FALSE(found) << c.name;
      continue;
    }
    ASSERT_TRUE(found) << c.name;
    ASSERT_LT(c.pick, found->groups.size()) << c.name;
    std::string chosen = text;
    chosen.replace(found->open, found->end - found->open, found->groups[c.pick]);
    EXPECT_EQ(chosen, Sjis(c.chosen)) << c.name;
  }
}

// Whole and in pieces small enough to cut groups and characters, alike.
TEST(KeepFirstReadings, EveryGroupKeepsItsFirstReading) {
  const struct {
    const char* text;
    const char* kept;
  } cases[] = {
      {"{人/ひと|にん}と{本/ポン|ほん}", "{人/ひと}と{本/ポン}"},
      {"{生/|せい}{字/じ}", "{生/せい}{字/じ}"},
      {"{人/ひと|にん\n}{x}", "{人/ひと|にん\n}{x}"},  // unclosed, and without a reading
  };
  for (const auto& c : cases) {
    std::string text = Sjis(c.text);
    EXPECT_EQ(KeepFirstReadings(text), Sjis(c.kept)) << c.text;
    std::string pieces;
    common::StringTextSource source(text);
    ASSERT_TRUE(common::TransformInPieces(
        source, KeepFirstReadingsStep(),
        [&pieces](std::string_view piece) {
          pieces += piece;
          return true;
        },
        3));
    EXPECT_EQ(pieces, Sjis(c.kept)) << c.text;
  }
}

}  // namespace
}  // namespace rubywindow
