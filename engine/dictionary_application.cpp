// Dictionary-use modes 0, 1 and 2 as one dictionary run.
#include "engine/dictionary_application.h"

namespace engine {

RunStatus ApplyDictionaries(const common::WorkDir& work, std::string_view input, DictionaryUse use,
                            const DictionaryPaths& dictionaries, bool html_mode,
                            common::Progress& progress, common::Messenger& messenger,
                            const common::UserEncoding& result_form) {
  if (use == DictionaryUse::kUserThenMain) {
    // One run plays the user dictionary's passes, then the main dictionary's, on the same text.
    return RunDictionary(work,
                         {.input = input,
                          .dictionary = dictionaries.main,
                          .html_mode = html_mode,
                          .first_dictionary = dictionaries.user,
                          .result_form = result_form},
                         progress, messenger);
  }
  const std::filesystem::path& only =
      use == DictionaryUse::kUserOnly ? dictionaries.user : dictionaries.main;
  return RunDictionary(
      work,
      {.input = input, .dictionary = only, .html_mode = html_mode, .result_form = result_form},
      progress, messenger);
}

}  // namespace engine
