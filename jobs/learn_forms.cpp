// Forms of a learned word with okurigana, found in the main dictionary.
#include "jobs/learn_forms.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>

#include "common/encoding/cp932.h"
#include "common/encoding/sjis.h"
#include "common/messenger.h"
#include "dictionary/ruby_dictionary.h"
#include "dictionary/ruby_dictionary_format.h"

namespace jobs {
namespace {

constexpr std::size_t kMostOkurigana = 4;  // 恥ずかしい: the kana a word may end in

// The rows of the kana table in which a verb's one kana of okurigana changes as it inflects
// (話さ 話し 話す 話せ 話そ); 行う's row is あいうえお with わ.
constexpr std::string_view kRows[] = {
    "わいうえお", "かきくけこ", "がぎぐげご", "さしすせそ", "ざじずぜぞ",
    "たちつてと", "だぢづでど", "なにぬねの", "はひふへほ", "ばびぶべぼ",
    "ぱぴぷぺぽ", "まみむめも", "やゆよ",     "らりるれろ",
};

// The leading hiragana of `text`, at most `most` of them, two bytes each.
std::string_view LeadingHiragana(std::string_view text, std::size_t most) {
  std::size_t end = 0;
  while (end / 2 < most && end + 1 < text.size() &&
         common::IsHiragana(common::CodeOf(static_cast<unsigned char>(text[end]),
                                           static_cast<unsigned char>(text[end + 1])))) {
    end += 2;
  }
  return text.substr(0, end);
}

std::string Hiragana(std::uint16_t code) {
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// The kana of the row that holds `kana` (Shift_JIS), or `kana` alone.
std::vector<std::string> RowOf(std::string_view kana) {
  for (std::string_view row : kRows) {
    std::vector<std::string> sjis;
    for (std::size_t at = 0; at < row.size(); at += 3) {  // three UTF-8 bytes each
      std::optional<std::string> one = common::Utf8ToCp932(row.substr(at, 3));
      if (one) sjis.push_back(*one);
    }
    if (std::ranges::find(sjis, kana) != sjis.end()) return sjis;
  }
  return {std::string(kana)};
}

// Tells no one: see DictionaryWords.
class QuietMessenger final : public common::Messenger {
 public:
  void Tell(const common::Message&) override {}
  common::Answer Ask(const common::Message&, common::Buttons) override {
    return common::Answer::kCancel;
  }
  void SetProgress(std::string_view) override {}
};

struct LoadedDictionary {
  dictionary::RubyDictionary file;
  bool open = false;
  std::map<int, std::optional<dictionary::LengthSection>> sections;

  const dictionary::LengthSection* Section(int length) {
    auto [at, added] = sections.try_emplace(length);
    if (added) {
      QuietMessenger quiet;
      at->second.emplace();
      if (!open || !file.LoadLength(length, *at->second, quiet)) at->second.reset();
    }
    return at->second ? &*at->second : nullptr;
  }
};

}  // namespace

std::vector<std::string> WordForms(std::string_view run, std::string_view tail,
                                   const WordReadings& known) {
  const std::string_view okurigana = LeadingHiragana(tail, kMostOkurigana);
  std::optional<std::string> reading;
  std::size_t anchor = okurigana.size();
  for (; known && anchor > 0; anchor -= 2) {
    reading = known(std::string(run) + std::string(okurigana.substr(0, anchor)));
    if (reading) break;
  }
  if (!reading) return {std::string(run)};
  // A verb with one kana of okurigana inflects in its row; a word with more keeps its first
  // kana (食べ, 起き, 美し) and ends in any.
  const std::string head = std::string(run) + std::string(okurigana.substr(0, 2));
  std::vector<std::string> forms;
  std::vector<std::string> candidates;
  if (anchor == 2) {
    for (const std::string& kana : RowOf(okurigana.substr(0, 2))) {
      candidates.push_back(std::string(run) + kana);
    }
  } else {
    candidates.push_back(head);
    for (std::uint16_t code = common::kFirstHiragana; code <= common::kLastHiragana; ++code) {
      candidates.push_back(head + Hiragana(code));
    }
  }
  candidates.push_back(std::string(run) + std::string(okurigana.substr(0, anchor)));
  for (std::string& form : candidates) {
    if (std::ranges::find(forms, form) == forms.end() && known(form) == reading) {
      forms.push_back(std::move(form));
    }
  }
  // A form that a shorter one begins with adds nothing: the shorter one matches there too.
  std::vector<std::string> shortest;
  for (const std::string& form : forms) {
    bool covered = std::ranges::any_of(forms, [&](const std::string& other) {
      return other.size() < form.size() && form.starts_with(other);
    });
    if (!covered) shortest.push_back(form);
  }
  return shortest;
}

WordReadings DictionaryWords(const std::filesystem::path& path) {
  auto loaded = std::make_shared<LoadedDictionary>();
  QuietMessenger quiet;
  std::error_code error;
  loaded->open = std::filesystem::exists(path, error) && loaded->file.Open(path, quiet);
  return [loaded](std::string_view word) -> std::optional<std::string> {
    const int length = static_cast<int>(word.size() / 2);
    if (word.size() % 2 != 0 || length < 1 || length > dictionary::kMaxWordLength) {
      return std::nullopt;
    }
    const dictionary::LengthSection* section = loaded->Section(length);
    if (section == nullptr) return std::nullopt;
    int index = section->Find(word);
    if (index < 0) return std::nullopt;
    return std::string(section->ReadingOf(index));
  };
}

}  // namespace jobs
