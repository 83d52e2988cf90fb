// Any bytes as a dictionary source: the lines the source grammar accepts are compiled, the
// dictionary is loaded back, and its restore gives back exactly the accepted words and
// readings, each as often as the source held it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/dictionary_compiler.h"
#include "dictionary/restore.h"
#include "dictionary/ruby_dictionary.h"
#include "dictionary/source_line.h"
#include "fuzz/fuzz_support.h"

namespace {

std::vector<std::string> SortedLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view source(reinterpret_cast<const char*>(data), size);
  dictionary::EntriesByLength entries;
  std::array<std::string, dictionary::kMaxWordLength> expected;
  while (!source.empty()) {
    std::size_t end = source.find('\n');
    std::string_view line = source.substr(0, end == std::string_view::npos ? end : end + 1);
    source.remove_prefix(line.size());
    dictionary::SourceLineCheck check = dictionary::CheckSourceLine(line);
    if (check.kind != dictionary::SourceLineKind::kAccepted) continue;
    std::string_view entry = line.substr(0, check.entry_end);
    std::size_t comma = entry.find(',');
    fuzzing::Require(comma != std::string_view::npos, "an accepted line has a comma");
    fuzzing::Require(check.word_length >= 1 && check.word_length <= dictionary::kMaxWordLength &&
                         comma == 2 * static_cast<std::size_t>(check.word_length),
                     "an accepted word is 1-10 double-byte characters");
    entries[check.word_length - 1].push_back(
        {std::string(entry.substr(0, comma)), std::string(entry.substr(comma + 1))});
    expected[check.word_length - 1].append(entry).append("\n");
  }

  // Opened again for every input, as the program opens a dictionary it has had open before;
  // each compile writes into the last one's buffer, which is closed first.
  static dictionary::RubyDictionary loaded;
  static dictionary::CompiledDictionary compiled;
  loaded.Close();
  dictionary::CompileDictionary(entries, compiled);
  if (!compiled.ok()) return 0;
  fuzzing::QuietMessenger messenger;
  fuzzing::Require(loaded.OpenBytes(compiled.bytes, "roundtrip.dic", messenger),
                   "a compiled dictionary opens");
  for (int length = 1; length <= dictionary::kMaxWordLength; ++length) {
    fuzzing::Require(loaded.LoadLength(length, messenger), "a compiled section loads");
    fuzzing::Require(SortedLines(dictionary::RestoredLines(loaded)) ==
                         SortedLines(expected[length - 1]),
                     "restore gives back the source's words");
    for (const dictionary::SourceEntry& word : entries[length - 1]) {
      fuzzing::Require(loaded.Find(word.key) >= 0, "every compiled word is found");
    }
  }
  return 0;
}
