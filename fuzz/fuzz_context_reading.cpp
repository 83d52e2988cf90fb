// Random text through the context reading with an analyser whose words the input writes: where
// each word of a sentence ends, its part of speech, its reading (any kana, none, or a reading
// that does not fit the word) and whether the analyser fails on the sentence. However the words
// fall across runs of kanji, groups already written and tags, the stage only adds groups: in
// plain mode a text that passes the notation check still passes it after the clean-up that
// ends a run, with the same base text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"
#include "common/notation/non_ruby_areas.h"
#include "common/notation/notation_checker.h"
#include "common/encoding/text_source.h"
#include "engine/sweep/clean_up.h"
#include "engine/context/analyser.h"
#include "engine/context/context_stage.h"
#include "engine/context/conventions.h"
#include "engine/context/lexicon.h"
#include "engine/context/reading_split.h"
#include "engine/memory_stream.h"
#include "fuzz/fuzz_support.h"
#include "rubywindow/ruby_repair.h"

namespace {

using engine::context::Morpheme;

// Choices the analyser takes, in turn, from the front of the input; the same bytes again once
// they run out, so that a short input still reads every sentence.
class Choices {
 public:
  explicit Choices(std::string_view bytes) : bytes_(bytes) {}
  unsigned Next() {
    if (bytes_.empty()) return 0;
    unsigned byte = static_cast<unsigned char>(bytes_[at_]);
    at_ = (at_ + 1) % bytes_.size();
    return byte;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

constexpr std::array<std::string_view, 7> kPos1 = {"名詞",   "動詞", "接尾辞", "助詞",
                                                   "助動詞", "記号", "接頭辞"};
constexpr std::array<std::string_view, 6> kPos2 = {"普通名詞", "固有名詞", "数詞",
                                                   "名詞的",   "一般",     ""};
constexpr std::array<std::string_view, 5> kPos3 = {"人名", "地名", "助数詞可能", "一般", ""};
constexpr std::array<std::string_view, 4> kInitialType = {"", "カ濁", "ヒ混合", "ハ濁"};
constexpr std::array<std::string_view, 20> kKana = {
    "ア", "カ", "ガ",   "キョウ", "ジ",   "ニチ", "ニ",   "ホン", "ボン", "ポン",
    "ッ", "ー", "ヒト", "ガワ",   "ナン", "ナニ", "ブン", "フン", "a",    "漢"};

class FuzzTagger final : public engine::context::Tagger {
 public:
  explicit FuzzTagger(Choices& choices) : choices_(choices) {}

  bool Analyse(std::string_view sentence, std::vector<Morpheme>& out) override {
    out.clear();
    texts_.clear();
    if (choices_.Next() % 16 == 0) return false;
    std::size_t at = 0;
    while (at < sentence.size()) {
      unsigned shape = choices_.Next();
      // Now and then a character is skipped, as the analyser skips blanks.
      if (shape % 11 == 0) {
        at = NextCharacter(sentence, at);
        continue;
      }
      Morpheme m;
      m.begin = at;
      for (unsigned n = 1 + shape % 4; n > 0 && at < sentence.size(); --n) {
        at = NextCharacter(sentence, at);
      }
      m.end = at;
      unsigned kind = choices_.Next();
      m.pos1 = kPos1[kind % kPos1.size()];
      m.pos2 = kPos2[(kind / 8) % kPos2.size()];
      m.pos3 = kPos3[(kind / 64) % kPos3.size()];
      unsigned reading = choices_.Next();
      if (reading % 7 != 0) {
        std::string& kana = texts_.emplace_back();
        for (unsigned n = 1 + reading % 4; n > 0; --n)
          kana += kKana[choices_.Next() % kKana.size()];
        m.kana = kana;
        m.lemma_kana =
            (reading / 8) % 3 == 0 ? std::string_view(kKana[reading % kKana.size()]) : m.kana;
      }
      m.lemma = (reading / 32) % 2 == 0 ? sentence.substr(m.begin, m.end - m.begin)
                                        : std::string_view("何");
      m.i_type = kInitialType[(reading / 64) % kInitialType.size()];
      out.push_back(m);
    }
    return true;
  }

 private:
  static std::size_t NextCharacter(std::string_view utf8, std::size_t at) {
    ++at;
    while (at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80) ++at;
    return at;
  }

  Choices& choices_;
  std::deque<std::string> texts_;  // what the morphemes' readings point into
};

class FuzzAnalyser final : public engine::context::Analyser {
 public:
  explicit FuzzAnalyser(Choices& choices) : choices_(choices) {}
  std::unique_ptr<engine::context::Tagger> NewTagger() override {
    return std::make_unique<FuzzTagger>(choices_);
  }
  std::string Description() const override { return "fuzz"; }

 private:
  Choices& choices_;
};

std::vector<std::string> SjisCharacters(std::string_view utf8) {
  std::string sjis = common::Sjis(utf8);
  std::vector<std::string> characters;
  for (std::size_t i = 0; i + 1 < sjis.size(); i += 2) characters.push_back(sjis.substr(i, 2));
  return characters;
}

struct Alphabet {
  std::vector<std::string> characters;
  Alphabet() {
    characters = SjisCharacters("漢字日本今人大学生何方分川々〆ヶ三十一あかのはカガー。！？１２");
    // 本 and ソ end in the bytes of '{' and '\\'; the rest are the marks a working file holds.
    for (std::string_view other : {"0", "3", "a", " ", "\n", "\r\n", "{", "/", "}", "|", "<", ">",
                                   "\x11", "\x12", "\x0f", "\xB1", "\x81", "\t"}) {
      characters.emplace_back(other);
    }
    characters.push_back(common::Sjis("ソ"));
  }
};

// Readings the kanji of the alphabet take in words, as a main dictionary gives them: made once.
const engine::context::Lexicon& FuzzLexicon() {
  static const std::unique_ptr<engine::context::Lexicon> lexicon = [] {
    auto made = std::make_unique<engine::context::Lexicon>();
    for (auto [kanji, reading] :
         std::initializer_list<std::pair<const char*, const char*>>{{"漢", "かん"},
                                                                    {"字", "じ"},
                                                                    {"日", "にち"},
                                                                    {"日", "ひ"},
                                                                    {"本", "ほん"},
                                                                    {"今", "こん"},
                                                                    {"人", "ひと"},
                                                                    {"人", "じん"},
                                                                    {"大", "だい"},
                                                                    {"学", "がく"},
                                                                    {"生", "せい"},
                                                                    {"何", "なに"},
                                                                    {"方", "ほう"},
                                                                    {"分", "ふん"},
                                                                    {"川", "かわ"},
                                                                    {"三", "さん"},
                                                                    {"十", "じゅう"},
                                                                    {"一", "いち"}}) {
      std::string sjis = common::Sjis(kanji);
      made->AddKanjiReading(engine::context::CodeAt(sjis, 0), common::Sjis(reading));
    }
    return made;
  }();
  return *lexicon;
}

// What the clean-up at the end of a run makes of a working text: {今/}{日/きょう} becomes
// {今日/きょう}, the area markers go.
std::string CleanedUp(const std::string& text, bool html_mode) {
  engine::StringSource in(text);
  engine::StringSink out;
  engine::CleanUp(html_mode, in, out);
  return std::move(out.Text());
}

// A brace inside a non-ruby area is the text's own, but once the clean-up has taken the area's
// marks away it can open or close a group with what stood outside the area: the check then sees
// groups that the reading rightly did not.
bool AreaHoldsBrace(std::string_view text) {
  bool in_area = false;
  common::SjisReader reader(text);
  while (!reader.AtEnd()) {
    common::SjisChar c = reader.Next();
    if (c.IsDoubleByte()) continue;
    char byte = c.bytes[0];
    if (byte == common::kAreaStart) in_area = true;
    if (byte == common::kAreaEnd) in_area = false;
    if (in_area && (byte == common::kGroupOpen || byte == common::kGroupClose)) return true;
  }
  return false;
}

bool PassesCheck(std::string_view text) {
  common::StringTextSource source(text);
  common::NonRubyAreas no_areas;
  no_areas.enabled = false;
  return common::CheckNotation(source, 0, false, no_areas).ok();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Alphabet alphabet;
  fuzzing::Input input(data, size);
  bool html_mode = input.Bool();
  Choices choices(input.Field());
  std::string text;
  while (!input.Empty()) text += alphabet.characters[input.Byte() % alphabet.characters.size()];

  engine::context::ContextResources resources;
  resources.analyser = std::make_shared<FuzzAnalyser>(choices);
  // The lexicon is shared and never changed by a reading: an empty deleter keeps it.
  resources.lexicon = std::shared_ptr<const engine::context::Lexicon>(
      &FuzzLexicon(), [](const engine::context::Lexicon*) {});
  std::string read =
      CleanedUp(engine::context::ReadInContext(text, html_mode, resources), html_mode);
  if (html_mode) return 0;
  std::string before = CleanedUp(text, html_mode);
  if (AreaHoldsBrace(text) || !PassesCheck(before)) return 0;

  fuzzing::Require(PassesCheck(read), "the context reading writes a text that passes the check");
  fuzzing::Require(rubywindow::KeepPartOfAllGroups(read, rubywindow::GroupPart::kBase) ==
                       rubywindow::KeepPartOfAllGroups(before, rubywindow::GroupPart::kBase),
                   "the context reading only adds groups around the text's own characters");
  return 0;
}
