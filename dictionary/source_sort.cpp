// Line sort of a source through ICU's Japanese collator.
#include "dictionary/source_sort.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "common/encoding/cp932.h"
#include "common/message_format.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

constexpr char kLineFeed = '\n';  // never a trail byte, so lines can be cut at any LF

struct CollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CollatorCloser>;

// Japanese order at every level the tailoring has: kana before kanji, hiragana before katakana
// of the same sound, and so on. Case is not ignored here but by folding the lines beforehand,
// because ICU only ignores case together with kana type, width and small kana, and a collator
// that did that would merge 漢字,かん*じ with 漢字,カン*ジ and lose a line.
Collator OpenJapaneseCollator() {
  UErrorCode status = U_ZERO_ERROR;
  Collator collator(ucol_open("ja", &status));
  if (U_FAILURE(status)) return nullptr;
  ucol_setStrength(collator.get(), UCOL_IDENTICAL);
  return collator;
}

// The line with its letter case folded, in UTF-16; nullopt when ICU rejects it.
std::optional<std::u16string> FoldedUtf16(std::string_view utf8) {
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  u_strFromUTF8(nullptr, 0, &length, utf8.data(), static_cast<int32_t>(utf8.size()), &status);
  std::u16string utf16(static_cast<std::size_t>(length), u'\0');
  status = U_ZERO_ERROR;
  u_strFromUTF8(utf16.data(), length, nullptr, utf8.data(), static_cast<int32_t>(utf8.size()),
                &status);
  if (U_FAILURE(status)) return std::nullopt;
  status = U_ZERO_ERROR;
  int32_t folded_length =
      u_strFoldCase(nullptr, 0, utf16.data(), length, U_FOLD_CASE_DEFAULT, &status);
  std::u16string folded(static_cast<std::size_t>(folded_length), u'\0');
  status = U_ZERO_ERROR;
  u_strFoldCase(folded.data(), folded_length, utf16.data(), length, U_FOLD_CASE_DEFAULT, &status);
  if (U_FAILURE(status)) return std::nullopt;
  return folded;
}

// A byte string whose plain comparison orders lines as the collator does: the collation key
// (which ends in its only 0 byte) and then the folded text itself, so that two lines are equal
// only when they are the same text but for letter case, not merely canonically equivalent.
std::string OrderKey(const UCollator* collator, const std::u16string& folded) {
  auto length = static_cast<int32_t>(folded.size());
  std::string key(64, '\0');
  auto* buffer = reinterpret_cast<uint8_t*>(key.data());
  int32_t needed =
      ucol_getSortKey(collator, folded.data(), length, buffer, static_cast<int32_t>(key.size()));
  if (needed > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(needed));
    buffer = reinterpret_cast<uint8_t*>(key.data());
    needed = ucol_getSortKey(collator, folded.data(), length, buffer, needed);
  }
  key.resize(static_cast<std::size_t>(needed));
  for (char16_t unit : folded) {
    key += static_cast<char>(unit >> 8);
    key += static_cast<char>(unit & 0xFF);
  }
  return key;
}

struct KeyedLine {
  std::string key;
  std::string_view line;  // the original Shift_JIS bytes, written back unchanged
};

// Every non-empty line with its order key; `bad_line` names the first line that is not CP932.
std::vector<KeyedLine> KeyedLines(std::string_view text, const UCollator* collator, int& bad_line) {
  std::vector<KeyedLine> lines;
  int number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = std::min(text.find(kLineFeed, start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (line.empty()) continue;
    std::optional<std::string> utf8 = common::Cp932ToUtf8(line);
    std::optional<std::u16string> folded = utf8 ? FoldedUtf16(*utf8) : std::nullopt;
    if (!folded) {
      bad_line = number;
      return {};
    }
    lines.push_back({OrderKey(collator, *folded), line});
  }
  return lines;
}

}  // namespace

SortResult SortSourceLines(std::string_view text) {
  Collator collator = OpenJapaneseCollator();
  if (!collator) return {};
  int bad_line = 0;
  std::vector<KeyedLine> lines = KeyedLines(text, collator.get(), bad_line);
  if (bad_line != 0) return {std::nullopt, bad_line};
  // Stable, so that of lines differing only in case the one that came first is kept.
  std::stable_sort(lines.begin(), lines.end(),
                   [](const KeyedLine& a, const KeyedLine& b) { return a.key < b.key; });
  auto last = std::unique(lines.begin(), lines.end(),
                          [](const KeyedLine& a, const KeyedLine& b) { return a.key == b.key; });
  std::string sorted;
  sorted.reserve(text.size() + 1);
  for (auto it = lines.begin(); it != last; ++it) {
    sorted += it->line;
    sorted += kLineFeed;
  }
  return {std::move(sorted), 0};
}

common::Message SortFailedMessage(const SortResult& failed) {
  std::string text = failed.bad_line != 0 ? common::FormatMessage(messages::kSortUndecodableLine,
                                                                  {std::int64_t{failed.bad_line}})
                                          : std::string(messages::kSortNoCollator);
  return {std::string(messages::kTitleCautionDouble), std::move(text), common::Icon::kWarning};
}

}  // namespace dictionary
