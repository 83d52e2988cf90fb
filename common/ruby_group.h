// Where a ruby group "{base/reading}" ends and how it divides: the one walk over groups that the
// ruby passes, the conversions of a ruby file, its repairs and its colouring on screen all use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "common/sjis.h"

namespace common {

// How far a group reaches for its '}'.
enum class GroupLineRule {
  // To its '}' however many lines lie between: the ruby passes, which read the groups they
  // wrote themselves.
  kSpansLines,
  // Never past its line: a group that meets a line feed first stops there, unclosed. A ruby
  // file is corrected by hand, and a '}' lost there spoils one line, not the rest of the text.
  kEndsAtLine,
};

// Where a group stops, from the first unit after its '{'.
struct GroupStop {
  std::size_t at = 0;   // its '}' when closed; else the line feed or the end of the text
  bool closed = false;  // ends with its '}'
};

// The '{' and '}' of a group, in a text.
struct GroupSpan {
  std::size_t open = 0;  // '{'
  std::size_t end = 0;   // just past its '}' when closed; else its line feed or the text's end
  bool closed = false;
};

// The first `byte` at or after `from`, trail bytes included, or npos. Groups and the gaps
// between them are short, so the first bytes are looked at in place before the library search.
inline std::size_t FindByteAhead(std::string_view text, char byte, std::size_t from) {
  constexpr std::size_t kNear = 16;
  std::size_t near_end = std::min(text.size(), from + kNear);
  for (std::size_t at = from; at < near_end; ++at) {
    if (text[at] == byte) return at;
  }
  if (near_end == text.size()) return std::string_view::npos;
  const void* hit = std::memchr(text.data() + near_end, byte, text.size() - near_end);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data())
             : std::string_view::npos;
}

// The first `unit` at or after `from` that starts a character, or npos; `from` must start one.
// A Shift_JIS trail byte may equal '{', '/' or '}' (＋ is 0x81 0x7B, ± is 0x81 0x7D), and a lead
// byte takes the byte after it whatever it is, a line feed too; UTF-16 has no trail units.
inline std::size_t FindCharacterUnit(std::string_view text, char unit, std::size_t from) {
  for (std::size_t at = from; at < text.size(); ++at) {
    at = FindByteAhead(text, unit, at);
    if (at == std::string_view::npos) return at;
    if (IsCharacterStart(text, from, at)) return at;
  }
  return std::string_view::npos;
}
inline std::size_t FindCharacterUnit(std::u16string_view text, char16_t unit, std::size_t from) {
  return text.find(unit, from);
}

// The first '}' or line feed at or after `from` (a character start) that starts a character, or
// npos. Characters are stepped one by one: a group that stops at its line is short, and its
// line may be as long as the text.
inline std::size_t FindCloseOrLineEnd(std::string_view text, std::size_t from) {
  for (std::size_t at = from; at < text.size(); at += IsLeadByte(text[at]) ? 2 : 1) {
    if (text[at] == kGroupClose || text[at] == '\n') return at;
  }
  return std::string_view::npos;
}
inline std::size_t FindCloseOrLineEnd(std::u16string_view text, std::size_t from) {
  return text.find_first_of(u"}\n", from);
}

// Where the group whose inside begins at `from` (just past its '{', or any character start
// inside it) stops. Works on Shift_JIS bytes and on UTF-16 text alike.
template <typename Char>
GroupStop FindGroupStop(std::basic_string_view<Char> text, std::size_t from, GroupLineRule rule) {
  std::size_t stop = rule == GroupLineRule::kSpansLines ? FindCharacterUnit(text, Char('}'), from)
                                                        : FindCloseOrLineEnd(text, from);
  if (stop == std::basic_string_view<Char>::npos) return {text.size(), false};
  return {stop, text[stop] == Char('}')};
}

// The first group whose '{' starts a character at or after `from` (itself a character start),
// or nullopt when no '{' follows.
template <typename Char>
std::optional<GroupSpan> FindGroup(std::basic_string_view<Char> text, std::size_t from,
                                   GroupLineRule rule) {
  std::size_t open = FindCharacterUnit(text, Char('{'), from);
  if (open == std::basic_string_view<Char>::npos) return std::nullopt;
  GroupStop stop = FindGroupStop(text, open + 1, rule);
  return GroupSpan{open, stop.closed ? stop.at + 1 : stop.at, stop.closed};
}

// The '/' that ends the base of `group`, or npos when it has none.
template <typename Char>
std::size_t SeparatorOf(std::basic_string_view<Char> text, const GroupSpan& group) {
  std::size_t inside_end = group.closed ? group.end - 1 : group.end;
  return FindCharacterUnit(text.substr(0, inside_end), Char('/'), group.open + 1);
}

// The parts of a group: the base up to the first '/' (the code digits of a grade-allocated group
// are part of it), the reading after it. Without a '/' the reading is empty and has_separator
// false.
struct GroupParts {
  std::string_view base;
  std::string_view reading;
  bool has_separator = false;
  bool closed = false;  // ends with its '}'
};

// `group` runs from its '{' to its '}', or stops short of one; it ends at its first '}'.
GroupParts SplitGroup(std::string_view group);
// `inside` is what lies between a group's '{' and where it stopped, '}' left out.
GroupParts SplitGroupInside(std::string_view inside, bool closed);

// The readings a group offers, split at each '|' that starts a character: {人/ひと|にん} offers
// ひと and にん; a reading without '|' is its only one.
std::vector<std::string_view> AlternativesOf(std::string_view reading);
// The reading a group keeps when its first alternative is taken: the first that is not empty,
// or `reading` as it is when every one is.
std::string_view FirstAlternativeOf(std::string_view reading);

}  // namespace common
