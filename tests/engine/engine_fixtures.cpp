// Dictionaries and pass runs for the engine tests.
#include "tests/engine/engine_fixtures.h"

#include <gtest/gtest.h>

#include <sstream>

#include "common/encoding/text_file.h"
#include "dictionary/dictionary_compiler.h"
#include "dictionary/ruby_dictionary.h"
#include "engine/sweep/matching_pass.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace engine_testing {
namespace {

using testing_support::Sjis;

void Compile(const std::filesystem::path& path, const dictionary::EntriesByLength& entries) {
  dictionary::CompiledDictionary compiled = dictionary::CompileDictionary(entries);
  ASSERT_TRUE(compiled.ok());
  testing_support::WriteFile(path, compiled.bytes);
}

void Add(dictionary::EntriesByLength& entries, std::string key, std::string reading) {
  std::size_t length = key.size() / 2;
  ASSERT_TRUE(length >= 1 && length <= entries.size() && key.size() % 2 == 0) << key;
  entries[length - 1].push_back({std::move(key), std::move(reading)});
}

}  // namespace

void WriteDictionary(const std::filesystem::path& path, std::initializer_list<Word> words) {
  dictionary::EntriesByLength entries;
  for (const Word& word : words) Add(entries, Sjis(word.word), Sjis(word.reading));
  Compile(path, entries);
}

void WriteDictionaryFromSource(const std::filesystem::path& path,
                               const std::filesystem::path& source) {
  dictionary::EntriesByLength entries;
  std::istringstream lines(common::ReadTextFile(source).bytes);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::size_t comma = line.find(',');
    ASSERT_NE(comma, std::string::npos) << line;
    Add(entries, line.substr(0, comma), line.substr(comma + 1));
  }
  Compile(path, entries);
}

std::string RunPassOnText(const std::filesystem::path& dictionary_path, int word_length,
                          std::string_view text, bool html_mode) {
  std::filesystem::path in_path = dictionary_path.parent_path() / "pass_in.txt";
  std::filesystem::path out_path = dictionary_path.parent_path() / "pass_out.txt";
  EXPECT_TRUE(common::WriteTextFile(in_path, text));
  testing_support::RecordingMessenger messenger;
  dictionary::RubyDictionary dictionary;
  EXPECT_TRUE(dictionary.Open(dictionary_path, messenger));
  EXPECT_TRUE(dictionary.LoadLength(word_length, messenger));
  common::TextReader in;
  common::TextWriter out;
  EXPECT_TRUE(in.Open(in_path));
  EXPECT_TRUE(out.Open(out_path));
  engine::RunMatchingPass(word_length, dictionary.Section(), html_mode, in, out);
  EXPECT_TRUE(out.Close());
  EXPECT_TRUE(in.Close());
  return common::ReadTextFile(out_path).bytes;
}

std::string RunPassesOnText(const std::filesystem::path& dictionary, std::string_view text,
                            bool html_mode, int lowest_length) {
  std::string current(text);
  for (int length = 10; length >= lowest_length; --length) {
    current = RunPassOnText(dictionary, length, current, html_mode);
  }
  return current;
}

}  // namespace engine_testing
