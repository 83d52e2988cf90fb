// Dictionaries and pass runs for the engine tests.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/test_helpers.h"

namespace engine_testing {

// A dictionary word and its source reading ("かん*じ"), both UTF-8.
struct Word {
  std::string_view word;
  std::string_view reading;
};

// Compiles the words (length taken from each word) and writes the dictionary file.
void WriteDictionary(const std::filesystem::path& path, std::initializer_list<Word> words);

// The same from a Shift_JIS source file of "word,reading" lines ('#' starts a comment line).
void WriteDictionaryFromSource(const std::filesystem::path& path,
                               const std::filesystem::path& source);

// One matching pass of `word_length` over `text` (LF line ends) through real working files;
// returns what it wrote, LF line ends again.
std::string RunPassOnText(const std::filesystem::path& dictionary, int word_length,
                          std::string_view text, bool html_mode = false);

// All passes 10 … 1 (or 2) over `text`, one after another, without the clean-up.
std::string RunPassesOnText(const std::filesystem::path& dictionary, std::string_view text,
                            bool html_mode = false, int lowest_length = 1);

}  // namespace engine_testing

// The helpers every engine test reaches for.
namespace engine {
using engine_testing::RunPassesOnText;
using engine_testing::RunPassOnText;
using engine_testing::WriteDictionary;
using engine_testing::WriteDictionaryFromSource;
using namespace testing_support::helpers;
}  // namespace engine
