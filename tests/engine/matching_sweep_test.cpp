// The sweep against the passes it replaces: generated texts and dictionaries, every shape of
// text the passes meet, and the same bytes required from both.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "dictionary/dictionary_compiler.h"
#include "dictionary/ruby_dictionary.h"
#include "engine/matching_pass.h"
#include "engine/memory_stream.h"
#include "tests/engine/engine_fixtures.h"
#include "tests/engine/reference/reference_pass.h"

namespace engine {
namespace {

using Random = std::mt19937;

int Pick(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}
bool Chance(Random& random, double p) { return std::bernoulli_distribution(p)(random); }

// Few characters, so that words recur and overlap: kanji, 々 and ヶ (ruby targets), kana that
// stand outside groups, and characters whose trail byte looks like '{', '}' or '|'.
const std::vector<std::string>& Characters() {
  static const std::vector<std::string> characters = [] {
    std::vector<std::string> list;
    for (std::string_view text : {"漢", "字", "日", "本", "語", "東", "京", "都", "今", "山", "々",
                                  "ヶ", "の", "か", "な", "ア", "＋", "±", "ー"}) {
      list.push_back(Sjis(text));
    }
    list.push_back("\x83\x7C");  // － has '|' as its trail byte
    return list;
  }();
  return characters;
}

std::string Word(Random& random, int length) {
  std::string word;
  for (int i = 0; i < length; ++i) {
    word += Characters()[static_cast<std::size_t>(
        Pick(random, 0, static_cast<int>(Characters().size()) - 1))];
  }
  return word;
}

// A source reading: mostly one segment per character, sometimes too few or too many, with
// alternatives, ー and empty segments.
std::string Reading(Random& random, int length) {
  int segments = Chance(random, 0.8) ? length : Pick(random, 1, length + 2);
  std::string reading;
  for (int s = 0; s < segments; ++s) {
    if (s > 0) reading += '*';
    int kana = Pick(random, 0, 3);
    for (int k = 0; k < kana; ++k) {
      if (Chance(random, 0.1)) {
        reading += Sjis("ー");
      } else {
        reading += '\x82';
        reading += static_cast<char>(Pick(random, 0x9F, 0xF1));
      }
      if (Chance(random, 0.05)) reading += '|';
    }
  }
  return reading;
}

// Short words are many, as in a real dictionary; some keys are repeated (the later wins). A
// large dictionary, whose tables are made on two threads, holds words of three characters and
// more, as few short ones can be made of the characters above.
dictionary::EntriesByLength Entries(Random& random, int lowest, bool large) {
  dictionary::EntriesByLength entries;
  int words = large ? Pick(random, 20000, 24000) : Pick(random, 5, 60);
  for (int i = 0; i < words; ++i) {
    int longer = Chance(random, 0.2) ? Pick(random, 0, 6) : 0;
    int length = large ? Pick(random, 3, 10) : std::min(10, Pick(random, lowest, 4) + longer);
    entries[static_cast<std::size_t>(length - 1)].push_back(
        {Word(random, length), dictionary::EncodeReading(Reading(random, length))});
  }
  return entries;
}

// Sections of one generated dictionary, longest words first (from `highest` characters down),
// appended to `sections`.
void LoadDictionary(Random& random, const std::filesystem::path& path, int lowest, bool large,
                    std::deque<dictionary::LengthSection>& sections,
                    std::vector<PassWords>& passes, int highest = 10) {
  dictionary::CompiledDictionary compiled =
      dictionary::CompileDictionary(Entries(random, lowest, large));
  ASSERT_TRUE(compiled.ok());
  WriteFile(path, compiled.bytes);
  RecordingMessenger messenger;
  dictionary::RubyDictionary dictionary;
  ASSERT_TRUE(dictionary.Open(path, messenger));
  for (int length = highest; length >= lowest; --length) {
    ASSERT_TRUE(dictionary.LoadLength(length, sections.emplace_back(), messenger));
    passes.push_back({length, &sections.back()});
  }
}

// One piece of text between or inside runs of characters.
std::string Piece(Random& random, bool html_mode, bool long_tags, bool one_run) {
  int kind = one_run ? 0 : Pick(random, 0, 99);
  if (kind < 55) return Word(random, Pick(random, 1, 12));
  if (kind < 63) return std::string(1, "\n \n a,\t"[Pick(random, 0, 6)]);
  if (kind < 68) return "{" + Word(random, Pick(random, 1, 3)) + "/" + Sjis("かな") + "}";
  if (kind < 71) return "\x11" + Word(random, Pick(random, 0, 4)) + "{x\x12";
  if (kind < 73) return std::string(1, static_cast<char>(Pick(random, 0x81, 0x9F)));  // lone lead
  if (kind < 74) return std::string(1, "\x12}>"[Pick(random, 0, 2)]);                 // strays
  if (!html_mode || kind < 80) return Word(random, Pick(random, 1, 4));
  if (long_tags && Chance(random, 0.15)) {
    return "<p title=\"" + std::string(static_cast<std::size_t>(Pick(random, 20000, 70000)), 'x') +
           "\">";
  }
  static const std::vector<std::string> tags = {"<b>",  "</b>", "<i>", "<br>", "<a href=\"x\">",
                                                "</a>", "<"};
  return tags[static_cast<std::size_t>(Pick(random, 0, static_cast<int>(tags.size()) - 1))];
}

std::string Text(Random& random, bool html_mode, std::size_t bytes, bool long_tags, bool one_run) {
  std::string text;
  if (html_mode && !Chance(random, 0.05)) {
    text = Sjis("<html><head><title>漢字</title></head><body>");
    if (!Chance(random, 0.05)) text += '\x0F';
  }
  while (text.size() < bytes) text += Piece(random, html_mode, long_tags, one_run);
  if (Chance(random, 0.5)) text += '\n';
  if (Chance(random, 0.03)) {  // a NUL byte ends the input
    text.insert(static_cast<std::size_t>(Pick(random, 0, static_cast<int>(text.size()))), 1, '\0');
  }
  return text;
}

// Gives the text in blocks of a few hundred bytes or less, so that the sweep's chunks end at
// every kind of place: inside a run, a tag, a group or a character.
class TrickleSource final : public ByteSource {
 public:
  TrickleSource(std::string_view text, Random& random) : text_(text), random_(random) {}
  bool ReadBlock(std::string& out, std::size_t max_bytes) override {
    auto most = static_cast<std::size_t>(Pick(random_, 1, Chance(random_, 0.5) ? 8 : 600));
    return text_.ReadBlock(out, std::min(max_bytes, most));
  }
  bool AtEnd() override { return text_.AtEnd(); }

 private:
  StringSource text_;
  Random& random_;
};

std::string Sweep(const std::vector<PassWords>& passes, bool html_mode, ByteSource& in) {
  StringSink out;
  RunMatchingPasses(passes, html_mode, in, out);
  return out.Text();
}

struct Shape {
  const char* name;
  int dictionaries;   // 300 generated dictionaries (or user and main pairs) …
  int texts;          // … each meeting this many texts
  std::size_t bytes;  // of about this size
  bool long_tags;
  bool one_run;  // characters only: a line longer than a chunk
  bool trickle;  // half of the texts reach the sweep in small chunks
  bool large_dictionaries = false;
};

class SweepMatchesPassByPass : public ::testing::TestWithParam<Shape> {};

TEST_P(SweepMatchesPassByPass, ForGeneratedTextsAndDictionaries) {
  const Shape& shape = GetParam();
  ScratchDir dir;
  Random random(20261207);
  for (int d = 0; d < shape.dictionaries; ++d) {
    std::deque<dictionary::LengthSection> sections;
    std::vector<PassWords> passes;
    bool user_then_main = Chance(random, 0.4);
    bool large = shape.large_dictionaries;
    if (user_then_main) LoadDictionary(random, dir / "user.dic", 2, large, sections, passes);
    LoadDictionary(random, dir / "main.dic", Chance(random, 0.8) ? 1 : 2, large, sections, passes);
    for (int t = 0; t < shape.texts; ++t) {
      bool html_mode = Chance(random, 0.5);
      auto bytes = static_cast<std::size_t>(Pick(random, 1, 2 * static_cast<int>(shape.bytes)));
      std::string text = Text(random, html_mode, bytes, shape.long_tags, shape.one_run);
      std::string expected = engine_testing::reference::RunReferencePasses(passes, html_mode, text);
      StringSource whole(text);
      TrickleSource trickle(text, random);
      bool trickled = shape.trickle && Chance(random, 0.5);
      ASSERT_TRUE(BytesEqual(
          expected, Sweep(passes, html_mode, trickled ? static_cast<ByteSource&>(trickle) : whole)))
          << shape.name << ": dictionary " << d << ", text " << t << (html_mode ? " (HTML)" : "")
          << (user_then_main ? ", user then main" : "") << (trickled ? ", small chunks" : "");
    }
  }
}

// Short texts in their thousands; texts longer than a chunk, whose runs and tags are cut at
// chunk ends; one line of characters over several chunks; texts given in small chunks; tags
// long enough that a window spanning them gives up its word; and dictionaries large enough to
// have their tables made on two threads.
INSTANTIATE_TEST_SUITE_P(Shapes, SweepMatchesPassByPass,
                         ::testing::Values(Shape{"short texts", 300, 10, 400, false, false, true},
                                           Shape{"texts over several chunks", 4, 2, 700000, false,
                                                 false, false},
                                           Shape{"one long line", 3, 1, 600000, false, true, false},
                                           Shape{"small chunks", 100, 5, 6000, false, false, true},
                                           Shape{"long tags", 6, 3, 300000, true, false, true},
                                           Shape{"large dictionaries", 3, 2, 200000, false, false,
                                                 false, true}),
                         [](const auto& info) { return std::to_string(info.index); });

// Many dictionaries stacked in one run: a length with more passes than its slots have bits
// (seven) shares the bits, and each pass must still find exactly its own words.
struct Stack {
  const char* name;
  int dictionaries;  // each giving one pass of every length …
  int highest;       // … from this many characters …
  int lowest;        // … down to this many
};

class SweepMatchesPassByPassStacked : public ::testing::TestWithParam<Stack> {};

TEST_P(SweepMatchesPassByPassStacked, ForGeneratedTextsAndDictionaries) {
  const Stack& stack = GetParam();
  ScratchDir dir;
  Random random(20261208);
  for (int round = 0; round < 20; ++round) {
    std::deque<dictionary::LengthSection> sections;
    std::vector<PassWords> passes;
    for (int d = 0; d < stack.dictionaries; ++d) {
      LoadDictionary(random, dir / ("d" + std::to_string(d) + ".dic"), stack.lowest, false,
                     sections, passes, stack.highest);
    }
    for (int t = 0; t < 5; ++t) {
      bool html_mode = Chance(random, 0.5);
      std::string text = Text(random, html_mode, 2000, false, false);
      StringSource whole(text);
      ASSERT_TRUE(BytesEqual(engine_testing::reference::RunReferencePasses(passes, html_mode, text),
                             Sweep(passes, html_mode, whole)))
          << stack.name << ": round " << round << ", text " << t;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Stacks, SweepMatchesPassByPassStacked,
    ::testing::Values(Stack{"eight passes of each length up to three", 8, 3, 1},
                      Stack{"fifteen passes of two characters", 15, 2, 2},
                      Stack{"thirty-two passes, the most a run plays", 16, 2, 1}),
    [](const auto& info) { return std::to_string(info.index); });

// A run of more passes than a mask holds is refused in words, never cut short.
TEST(SweepMatchesPassByPass, RefusesMorePassesThanARunPlays) {
  ScratchDir dir;
  Random random(33);
  std::deque<dictionary::LengthSection> sections;
  std::vector<PassWords> passes;
  for (int d = 0; d < 11; ++d) {
    LoadDictionary(random, dir / ("d" + std::to_string(d) + ".dic"), 1, false, sections, passes,
                   3);
  }
  ASSERT_EQ(passes.size(), 33u);
  StringSource text(Sjis("漢字"));
  try {
    Sweep(passes, false, text);
    FAIL() << "33 passes were played";
  } catch (const std::length_error& error) {
    EXPECT_STREQ(error.what(), "a ruby run plays at most 32 matching passes; 33 were given");
  }
}

// A window gives up its word once it spans more than 65536 bytes: tags just below, at and
// above that, between the characters of a two- and a three-character word, in chunks of every
// size.
TEST(SweepMatchesPassByPass, AtTheWindowSpanLimit) {
  ScratchDir dir;
  WriteDictionary(dir / "d.dic", {{"漢字", "かん*じ"}, {"漢字本", "かん*じ*ほん"}, {"本", "ほん"}});
  std::deque<dictionary::LengthSection> sections;
  std::vector<PassWords> passes;
  RecordingMessenger messenger;
  dictionary::RubyDictionary dictionary;
  ASSERT_TRUE(dictionary.Open(dir / "d.dic", messenger));
  for (int length = 10; length >= 1; --length) {
    ASSERT_TRUE(dictionary.LoadLength(length, sections.emplace_back(), messenger));
    passes.push_back({length, &sections.back()});
  }
  auto tag = [](std::size_t bytes) {
    return bytes == 0 ? std::string() : "<" + std::string(bytes - 2, 'x') + ">";
  };
  Random random(7);
  for (std::size_t first : {65530, 65531, 65532, 65533, 65534, 65535, 65536}) {
    for (std::size_t second : {0, 2, 3, 4}) {
      std::string text =
          "\x0F" + Sjis("本漢") + tag(first) + Sjis("字") + tag(second) + Sjis("本\n");
      std::string expected = engine_testing::reference::RunReferencePasses(passes, true, text);
      StringSource whole(text);
      TrickleSource trickle(text, random);
      EXPECT_TRUE(BytesEqual(expected, Sweep(passes, true, whole))) << first << " " << second;
      EXPECT_TRUE(BytesEqual(expected, Sweep(passes, true, trickle))) << first << " " << second;
    }
  }
}

}  // namespace
}  // namespace engine
