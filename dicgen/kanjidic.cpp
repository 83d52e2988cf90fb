// A KANJIDIC line is the kanji, its JIS code in hex, then space-separated fields: codes that
// start with an ASCII letter (G grade, F frequency, …), readings in kana, and {meanings} last.
// "T1" switches the readings that follow to name readings, "T2" to radical names.
#include "dicgen/kanjidic.h"

#include <charconv>

#include "common/message_format.h"
#include "dicgen/data_file.h"
#include "dicgen/euc_jp.h"
#include "dicgen/kana.h"
#include "dicgen/messages.h"

namespace dicgen {
namespace {

constexpr char kAffixMark = '-';
constexpr char kMeaningsStart = '{';

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// 0, as for an absent field, when the digits are missing or malformed.
int NumberAfter(std::string_view token, std::size_t prefix) {
  int value = 0;
  std::from_chars(token.data() + prefix, token.data() + token.size(), value);
  return value;
}

// The reading's first kana, looking past a leading affix mark: katakana marks an on'yomi.
bool IsOnReading(std::string_view token) {
  std::u32string text = DecodeUtf8(token);
  for (char32_t c : text) {
    if (c != U'-') return IsKatakana(c);
  }
  return false;
}

void AddField(std::string_view token, bool in_nanori, KanjiEntry& entry) {
  if (token == "T1" || token == "T2") return;
  if (IsAsciiLetter(token.front())) {
    if (token.size() > 1 && token[0] == 'G') entry.grade = NumberAfter(token, 1);
    if (token.size() > 1 && token[0] == 'F') entry.frequency = NumberAfter(token, 1);
    return;
  }
  if (token.front() != kAffixMark && static_cast<unsigned char>(token.front()) < 0x80) return;
  if (in_nanori) {
    entry.nanori.push_back(KatakanaToHiragana(token));
  } else if (IsOnReading(token)) {
    entry.on_hiragana.push_back(KatakanaToHiragana(token));
  } else {
    entry.kun.emplace_back(token);
  }
}

}  // namespace

std::optional<KanjiEntry> ParseKanjidicLine(std::string_view line) {
  if (line.empty() || line.front() == '#') return std::nullopt;
  std::size_t meanings = line.find(kMeaningsStart);
  if (meanings != std::string_view::npos) line = line.substr(0, meanings);
  KanjiEntry entry;
  bool in_nanori = false;
  std::size_t index = 0;
  std::size_t start = 0;
  while (start < line.size()) {
    std::size_t end = line.find(' ', start);
    if (end == std::string_view::npos) end = line.size();
    std::string_view token = line.substr(start, end - start);
    start = end + 1;
    if (token.empty()) continue;
    if (index == 0) {
      entry.kanji_utf8 = token;
    } else if (index > 1) {  // index 1 is the JIS code
      if (token == "T1" || token == "T2") in_nanori = true;
      AddField(token, in_nanori, entry);
    }
    ++index;
  }
  std::u32string kanji = DecodeUtf8(entry.kanji_utf8);
  if (kanji.size() != 1 || static_cast<unsigned char>(entry.kanji_utf8.front()) < 0x80) {
    return std::nullopt;
  }
  return entry;
}

std::optional<std::vector<KanjiEntry>> ReadKanjidic(const std::filesystem::path& path,
                                                    common::Messenger& messenger) {
  std::optional<std::string> bytes = ReadDataFile(path);
  if (!bytes) {
    TellCannotRead(path, messenger);
    return std::nullopt;
  }
  EucJpDecoder decoder;
  std::vector<KanjiEntry> entries;
  for (std::string_view line : SplitLines(*bytes)) {
    // A line that is not EUC-JP is skipped: one damaged kanji must not cost the whole file.
    std::optional<std::string> utf8 = decoder.ToUtf8(line);
    if (!utf8) continue;
    if (std::optional<KanjiEntry> entry = ParseKanjidicLine(*utf8)) {
      entries.push_back(std::move(*entry));
    }
  }
  if (entries.empty()) {
    messenger.Tell({std::string(messages::kTitleGenerator),
                    common::FormatMessage(messages::kNotKanjidic, {path.string()}),
                    common::Icon::kError});
    return std::nullopt;
  }
  return entries;
}

}  // namespace dicgen
