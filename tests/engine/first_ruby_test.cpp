#include "engine/first_ruby.h"

#include <gtest/gtest.h>

#include "common/settings.h"
#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

TEST(FirstRuby, ExactlyTheFirstWordPerScopeKeepsItsRuby) {
  struct Case {
    const char* name;
    FirstRubyScope scope;
    std::string_view text, expected;
  };
  using enum FirstRubyScope;
  const Case cases[] = {
      {"every occurrence", kEvery, "{雨/あめ}、{雨/あめ}", "{雨/あめ}、{雨/あめ}"},
      {"later ones in the text", kDocument, "{雨/あめ}、{雨/あめ}。\n{雨/あめ}",
       "{雨/あめ}、雨。\n雨"},
      {"later ones in the line", kParagraph, "{雨/あめ}、{雨/あめ}。\n{雨/あめ}{雨/あめ}",
       "{雨/あめ}、雨。\n{雨/あめ}{雨/あめ}"},
      {"a word is its run of groups", kDocument,
       "{漢/かん}{字/じ}と{文/も}{字/じ}と{漢/かん}{字/じ}",
       "{漢/かん}{字/じ}と{文/も}{字/じ}と漢字"},
      {"a part of a longer word is another word", kDocument, "{文/も}{字/じ}、{字/じ}、{字/じ}",
       "{文/も}{字/じ}、{字/じ}、字"},
      {"another reading is another word", kDocument, "{人/ひと}、{人/にん}、{人/ひと}",
       "{人/ひと}、{人/にん}、人"},
      {"alternatives are the reading", kDocument, "{人/ひと|にん}、{人/ひと|にん}",
       "{人/ひと|にん}、人"},
      {"okurigana end the word", kDocument, "{行/い}く、{行/い}った", "{行/い}く、行った"},
      {"a group without reading ends the run", kDocument, "{雨/あめ}{雨}{雨/あめ}",
       "{雨/あめ}{雨}雨"},
      {"an unclosed group is copied", kDocument, "{雨/あめ}、{雨/あめ", "{雨/あめ}、{雨/あめ"},
      {"a trail-byte brace stays in its group", kDocument, "{図/ず}、{図/ず}", "{図/ず}、図"},
      {"a word at the very end", kParagraph, "{空/そら}\n{空/そら}、{空/そら}",
       "{空/そら}\n{空/そら}、空"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(Sjis(c.expected), KeepFirstRubyOfText(Sjis(c.text), c.scope))) << c.name;
  }
}

// The first alternative is taken before words are compared, in every scope.
TEST(FirstRuby, FirstAlternativeIsTakenBeforeWordsAreCompared) {
  struct Case {
    FirstRubyScope scope;
    std::string_view text, expected;
  };
  using enum FirstRubyScope;
  const Case cases[] = {
      {kEvery, "{人/ひと|にん}、{人/ひと|にん}", "{人/ひと}、{人/ひと}"},
      {kDocument, "{人/ひと|にん}、{人/ひと}", "{人/ひと}、人"},
      {kParagraph, "{本/ポン|ほん}\n{本/ポン}{本/|ほん}", "{本/ポン}\n{本/ポン}{本/ほん}"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(Sjis(c.expected),
                           KeepFirstRubyOfText(Sjis(c.text), c.scope, Alternatives::kFirst)))
        << c.text;
  }
}

TEST(FirstRuby, ScopeComesFromItsNameOrTheSetting) {
  EXPECT_EQ(FirstRubyScopeNamed("document"), FirstRubyScope::kDocument);
  EXPECT_EQ(FirstRubyScopeNamed("paragraph"), FirstRubyScope::kParagraph);
  EXPECT_EQ(FirstRubyScopeNamed("every"), FirstRubyScope::kEvery);
  EXPECT_EQ(FirstRubyScopeNamed("page"), std::nullopt);
  common::Settings settings;
  const std::pair<int, FirstRubyScope> cases[] = {{0, FirstRubyScope::kEvery},
                                                  {1, FirstRubyScope::kDocument},
                                                  {2, FirstRubyScope::kParagraph},
                                                  {3, FirstRubyScope::kEvery},
                                                  {-1, FirstRubyScope::kEvery}};
  for (const auto& [value, scope] : cases) {
    settings.first_ruby = value;
    EXPECT_EQ(FirstRubyScopeOf(settings), scope) << value;
  }
}

}  // namespace
}  // namespace engine
