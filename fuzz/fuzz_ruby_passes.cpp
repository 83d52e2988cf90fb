// Random text against a small random dictionary through the matching passes 10 … 1 (one sweep)
// and the clean-up. In plain mode the ruby text must pass the notation check, and keeping the base of
// every group must give the text back. HTML mode is run for its own sake.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "common/notation/non_ruby_areas.h"
#include "common/notation/notation_checker.h"
#include "common/encoding/text_source.h"
#include "dictionary/dictionary_compiler.h"
#include "dictionary/ruby_dictionary.h"
#include "dictionary/source_line.h"
#include "engine/sweep/clean_up.h"
#include "engine/sweep/matching_pass.h"
#include "engine/memory_stream.h"
#include "fuzz/fuzz_support.h"
#include "rubywindow/ruby_repair.h"

namespace {

struct Alphabet {
  // 本 ends in the byte of '{', and ソ in that of '\\': the passes must not take them for
  // ASCII.
  std::vector<std::string> word = Split(common::Sjis("漢字日本今人大学ソ"));
  std::vector<std::string> reading = Split(common::Sjis("あかじんにほーきょう"));
  std::vector<std::string> text;
  Alphabet() {
    text = word;
    text.insert(text.end(), reading.begin(), reading.end());
    for (std::string_view other : {"a", " ", "\n", "/", "|", "<", ">", "\xB1", "\r\n"}) {
      text.emplace_back(other);
    }
  }
  static std::vector<std::string> Split(const std::string& sjis) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i + 1 < sjis.size(); i += 2) characters.push_back(sjis.substr(i, 2));
    return characters;
  }
};

const Alphabet& Characters() {
  static const Alphabet alphabet;
  return alphabet;
}

std::string Pick(const std::vector<std::string>& from, fuzzing::Input& input) {
  return from[input.Byte() % from.size()];
}

std::string RunPasses(const std::string& text, dictionary::RubyDictionary& loaded, bool html_mode,
                      fuzzing::QuietMessenger& messenger) {
  // Kept from one input to the next, as a long run keeps its dictionary: a load reuses what the
  // last one allocated.
  static std::array<dictionary::LengthSection, dictionary::kMaxWordLength> sections;
  std::vector<engine::PassWords> passes;
  for (int length = dictionary::kMaxWordLength; length >= 1; --length) {
    dictionary::LengthSection& section = sections[length - 1];
    fuzzing::Require(loaded.LoadLength(length, section, messenger), "a compiled section loads");
    passes.push_back({length, &section});
  }
  engine::StringSource passes_in(text);
  engine::StringSink passes_out;
  engine::RunMatchingPasses(passes, html_mode, passes_in, passes_out);
  engine::StringSource in(passes_out.Text());
  engine::StringSink out;
  engine::CleanUp(html_mode, in, out);
  return std::move(out.Text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  const Alphabet& alphabet = Characters();
  bool html_mode = input.Bool();

  dictionary::EntriesByLength entries;
  int words = static_cast<int>(input.Byte() % 12);
  for (int w = 0; w < words; ++w) {
    std::string line;
    int length = 1 + static_cast<int>(input.Byte() % 4);
    for (int i = 0; i < length; ++i) line += Pick(alphabet.word, input);
    line += ',';
    int reading_length = 1 + static_cast<int>(input.Byte() % 12);
    for (int i = 0; i < reading_length; ++i) {
      unsigned choice = input.Byte();
      if (i > 0 && choice % 5 == 0) line += '*';
      line += alphabet.reading[choice % alphabet.reading.size()];
    }
    dictionary::SourceLineCheck check = dictionary::CheckSourceLine(line);
    if (check.kind != dictionary::SourceLineKind::kAccepted) continue;
    std::string entry = line.substr(0, check.entry_end);
    std::size_t comma = entry.find(',');
    entries[check.word_length - 1].push_back({entry.substr(0, comma), entry.substr(comma + 1)});
  }
  // Each compile writes into the last one's buffer, whose dictionary is closed first.
  static dictionary::RubyDictionary loaded;
  static dictionary::CompiledDictionary compiled;
  loaded.Close();
  dictionary::CompileDictionary(entries, compiled);
  fuzzing::Require(compiled.ok(), "a dozen words always compile");

  std::string text;
  while (!input.Empty()) text += Pick(alphabet.text, input);

  fuzzing::QuietMessenger messenger;
  fuzzing::Require(loaded.OpenBytes(compiled.bytes, "passes.dic", messenger),
                   "a compiled dictionary opens");
  std::string ruby = RunPasses(text, loaded, html_mode, messenger);
  if (html_mode) return 0;

  common::StringTextSource ruby_source(ruby);
  common::NonRubyAreas no_areas;
  no_areas.enabled = false;
  common::NotationCheck check = common::CheckNotation(ruby_source, 0, false, no_areas);
  fuzzing::Require(check.ok(), "the passes write a ruby text that passes the check");
  fuzzing::Require(rubywindow::KeepPartOfAllGroups(ruby, rubywindow::GroupPart::kBase) == text,
                   "keeping every group's base gives the text back");
  return 0;
}
