// The dictionary application of a ruby command: one dictionary run with the dictionaries the
// dictionary-use mode names, from the marked text to "shori_.$rb".
#pragma once

#include <filesystem>
#include <string_view>

#include "common/messenger.h"
#include "common/encoding/text_conversion.h"
#include "common/platform/working_files.h"
#include "engine/sweep/dictionary_run.h"
#include "engine/commands/dictionary_use.h"

namespace engine::context {
class ContextSource;
}

namespace engine {

struct DictionaryPaths {
  std::filesystem::path main;
  std::filesystem::path user;
};

// How a ruby command reads the words no user dictionary holds. Without a source, or where it
// cannot give the analyser, the main dictionary reads them alone.
struct ReadingChoice {
  context::ContextSource* source = nullptr;
  ReadingMode* used = nullptr;  // set to the mode the run took
};

// With kUserThenMain the user dictionary places its words of 2–10 characters first; its groups
// are atomic for the main dictionary, so the user's word wins wherever both know one. Words of
// one character come from the main dictionary only. The status is that of the run. In context
// mode the analyser reads the words that are left before the main dictionary does.
// "shori_.$rb" is written in `result_form`.
RunStatus ApplyDictionaries(const common::WorkDir& work, std::string_view input, DictionaryUse use,
                            const DictionaryPaths& dictionaries, bool html_mode,
                            common::Progress& progress, common::Messenger& messenger,
                            const common::UserEncoding& result_form = {},
                            RunWordsAhead* ahead = nullptr, ReadingChoice reading = {});

// The words the application for `use` looks up, for loading them ahead.
RunWordsKey ApplicationWords(DictionaryUse use, const DictionaryPaths& dictionaries,
                             bool in_context = false);

}  // namespace engine
