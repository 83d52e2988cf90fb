// Dictionary-use modes 0, 1 and 2 as one dictionary run.
#include "engine/dictionary_application.h"

namespace engine {
namespace {

DictionaryRunOptions RunOptions(DictionaryUse use, const DictionaryPaths& dictionaries) {
  if (use == DictionaryUse::kUserThenMain) {
    // One run plays the user dictionary's passes, then the main dictionary's, on the same text.
    DictionaryRunOptions options;
    options.dictionary = dictionaries.main;
    options.first_dictionary = dictionaries.user;
    return options;
  }
  DictionaryRunOptions options;
  options.dictionary = use == DictionaryUse::kUserOnly ? dictionaries.user : dictionaries.main;
  return options;
}

}  // namespace

RunWordsKey ApplicationWords(DictionaryUse use, const DictionaryPaths& dictionaries) {
  return RunWordsKeyOf(RunOptions(use, dictionaries));
}

RunStatus ApplyDictionaries(const common::WorkDir& work, std::string_view input, DictionaryUse use,
                            const DictionaryPaths& dictionaries, bool html_mode,
                            common::Progress& progress, common::Messenger& messenger,
                            const common::UserEncoding& result_form, RunWordsAhead* ahead) {
  DictionaryRunOptions options = RunOptions(use, dictionaries);
  options.input = input;
  options.html_mode = html_mode;
  options.result_form = result_form;
  options.ahead = ahead;
  return RunDictionary(work, options, progress, messenger);
}

}  // namespace engine
