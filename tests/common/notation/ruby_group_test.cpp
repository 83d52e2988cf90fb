#include "common/notation/ruby_group.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace common {
namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr GroupLineRule kSpans = GroupLineRule::kSpansLines;
constexpr GroupLineRule kAtLine = GroupLineRule::kEndsAtLine;

struct GroupCase {
  const char* name;
  std::string_view text;
  std::size_t from;
  GroupLineRule rule;
  std::size_t open;  // kNone: no group found
  std::size_t end;
  bool closed;
  std::size_t separator;
};

// Looks for the case's group in `text`, the case's text in one form or the other.
template <typename Char>
void ExpectGroup(const GroupCase& c, std::basic_string_view<Char> text) {
  std::optional<GroupSpan> group = FindGroup(text, c.from, c.rule);
  if (c.open == kNone) {
    EXPECT_FALSE(group) << c.name;
    return;
  }
  ASSERT_TRUE(group) << c.name;
  EXPECT_EQ(group->open, c.open) << c.name;
  EXPECT_EQ(group->end, c.end) << c.name;
  EXPECT_EQ(group->closed, c.closed) << c.name;
  EXPECT_EQ(SeparatorOf(text, *group), c.separator) << c.name;
}

// Cases of single-byte text only, so that offsets are the same in Shift_JIS and UTF-16: both
// forms must keep one line rule.
const GroupCase kSingleByteCases[] = {
    {"whole group", "ab{xy/kk}c", 0, kSpans, 2, 9, true, 5},
    {"whole group at its line", "ab{xy/kk}c", 0, kAtLine, 2, 9, true, 5},
    {"searched from after the first", "{a/b}{c/d}", 5, kAtLine, 5, 10, true, 7},
    {"no group", "abc/d}", 0, kAtLine, kNone, 0, false, kNone},
    {"close before separator", "{ab}/c}", 0, kAtLine, 0, 4, true, kNone},
    {"second separator is reading", "{a/b/c}", 0, kSpans, 0, 7, true, 2},
    {"group over a line", "{ab\n/c}d", 0, kSpans, 0, 7, true, 4},
    {"group stops at its line", "{ab\n/c}d", 0, kAtLine, 0, 3, false, kNone},
    {"separator before the line end", "{ab/c\nd}", 0, kAtLine, 0, 5, false, 3},
    {"unclosed at the end", "x{ab/c", 0, kSpans, 1, 6, false, 4},
    {"unclosed at the end of its line", "x{ab/c", 0, kAtLine, 1, 6, false, 4},
    {"open inside a group is base", "{a{b/c}", 0, kAtLine, 0, 7, true, 4},
};

TEST(RubyGroup, SingleByteCasesAreFoundAlikeInShiftJisAndUtf16) {
  for (const GroupCase& c : kSingleByteCases) {
    ExpectGroup(c, c.text);
    std::u16string wide(c.text.begin(), c.text.end());
    ExpectGroup(c, std::u16string_view(wide));
  }
}

// ＋ is 0x81 0x7B and ± is 0x81 0x7D: their trail bytes are braces, never notation. 漢 is
// 0x8A 0xBF.
const GroupCase kShiftJisCases[] = {
    {"trail-byte close is base", "{\x81\x7D/a}", 0, kSpans, 0, 6, true, 3},
    {"trail-byte close at its line", "{\x81\x7D/a}", 0, kAtLine, 0, 6, true, 3},
    {"trail-byte open is no group", "\x81\x7B{a/b}", 0, kAtLine, 2, 7, true, 4},
    {"trail-byte open only", "\x81\x7B\x81\x7D", 0, kSpans, kNone, 0, false, kNone},
    {"lead byte takes a line feed", "{\x8A\n/a}", 0, kAtLine, 0, 6, true, 3},
    {"lone lead byte at the end", "{a/\x8A", 0, kAtLine, 0, 4, false, 2},
    {"lone lead byte takes the close", "{a/\x8A}", 0, kSpans, 0, 5, false, 2},
};

TEST(RubyGroup, TrailBytesAreNeverNotation) {
  for (const GroupCase& c : kShiftJisCases) ExpectGroup(c, c.text);
}

TEST(RubyGroup, SplitGroupDividesAtTheFirstSeparator) {
  struct Case {
    std::string_view group;
    std::string_view base;
    std::string_view reading;
    bool has_separator;
    bool closed;
  };
  const Case cases[] = {
      {"{ab/cd}", "ab", "cd", true, true},
      {"{ab}", "ab", "", false, true},
      {"{a/b/c}", "a", "b/c", true, true},
      {"{ab/cd", "ab", "cd", true, false},
      {"{\x81\x7D/x}", "\x81\x7D", "x", true, true},
      {"{a\nb/c}", "a\nb", "c", true, true},  // the ruby passes' groups run over lines
      {"{ab}/c}", "ab", "", false, true},
  };
  for (const Case& c : cases) {
    GroupParts parts = SplitGroup(c.group);
    EXPECT_EQ(parts.base, c.base) << c.group;
    EXPECT_EQ(parts.reading, c.reading) << c.group;
    EXPECT_EQ(parts.has_separator, c.has_separator) << c.group;
    EXPECT_EQ(parts.closed, c.closed) << c.group;
  }
}

}  // namespace
}  // namespace common
