// A dictionary run: one matching pass per word length, 10 characters down to 1 (or 2), played
// in one sweep over the text, then optionally the clean-up that leaves "shori_.$rb".
#pragma once

#include <filesystem>
#include <string_view>

#include "common/messenger.h"
#include "common/encoding/text_conversion.h"
#include "common/platform/working_files.h"
#include "engine/sweep/run_words.h"

namespace engine {

enum class [[nodiscard]] RunStatus : int{
    kOk = 1,
    kPassNotStarted = -1,         // a working file of a pass could not be opened
    kFileNotClosed = -3,          // a working file could not be closed, read or written whole
    kDictionaryNotOpened = -110,  // also when a length section was refused
    kCleanUpFailed = -130,        // the only failure that has shown no message
};

struct DictionaryRunOptions {
  std::string_view input;  // a working-file name in the work folder
  std::filesystem::path dictionary;
  bool one_character_words = true;  // false: the run stops after two-character words
  bool finish = true;               // run the clean-up stage at the end
  bool html_mode = false;
  // When set, this dictionary's words of 2–10 characters are placed first, on the same text.
  std::filesystem::path first_dictionary = {};
  // The encoding and line ends of "shori_.$rb" (with `finish`); the passes' own by default.
  common::UserEncoding result_form = {};
  // The words loaded ahead of the run, taken when they are those of these options.
  RunWordsAhead* ahead = nullptr;
};

// The words a run with `options` looks up.
RunWordsKey RunWordsKeyOf(const DictionaryRunOptions& options);

// Longer words are placed first, so a short word never splits a longer one (and every word of
// the first dictionary, when there is one, comes before the dictionary's own). The run's input
// is left in place. Every failure except the clean-up's has shown its message, titled "Warning".
RunStatus RunDictionary(const common::WorkDir& work, const DictionaryRunOptions& options,
                        common::Progress& progress, common::Messenger& messenger);

}  // namespace engine
