// The dictionary application of a ruby command: one dictionary run with the dictionaries the
// dictionary-use mode names, from the marked text to "shori_.$rb".
#pragma once

#include <filesystem>
#include <string_view>

#include "common/messenger.h"
#include "common/text_conversion.h"
#include "common/working_files.h"
#include "engine/dictionary_run.h"
#include "engine/dictionary_use.h"

namespace engine {

struct DictionaryPaths {
  std::filesystem::path main;
  std::filesystem::path user;
};

// With kUserThenMain the user dictionary places its words of 2–10 characters first; its groups
// are atomic for the main dictionary, so the user's word wins wherever both know one. Words of
// one character come from the main dictionary only. The status is that of the run.
// "shori_.$rb" is written in `result_form`.
RunStatus ApplyDictionaries(const common::WorkDir& work, std::string_view input, DictionaryUse use,
                            const DictionaryPaths& dictionaries, bool html_mode,
                            common::Progress& progress, common::Messenger& messenger,
                            const common::UserEncoding& result_form = {},
                            RunWordsAhead* ahead = nullptr);

// The words the application for `use` looks up, for loading them ahead.
RunWordsKey ApplicationWords(DictionaryUse use, const DictionaryPaths& dictionaries);

}  // namespace engine
