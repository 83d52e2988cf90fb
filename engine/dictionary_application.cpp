// Dictionary-use modes 0, 1 and 2 as one or two dictionary runs.
#include "engine/dictionary_application.h"

#include <string>

#include "common/file_system.h"
#include "common/status.h"
#include "engine/messages.h"

namespace engine {
namespace {

RunStatus ApplyUserThenMain(const common::WorkDir& work, std::string_view input,
                            const DictionaryPaths& dictionaries, bool html_mode,
                            common::Progress& progress, common::Messenger& messenger) {
  DictionaryRunOptions user{.input = input,
                            .dictionary = dictionaries.user,
                            .one_character_words = false,
                            .finish = false,
                            .html_mode = html_mode};
  RunStatus status = RunDictionary(work, user, progress, messenger);
  if (!common::IsOk(status)) return status;

  if (!common::RenameFile(work.File(common::kRunResult), work.File(common::kUserRunResult))) {
    messenger.Tell({std::string(messages::kTitleCaution),
                    std::string(messages::kUserResultNotRenamed), common::Icon::kWarning});
    return RunStatus::kUserResultNotRenamed;
  }
  common::RemoveFile(work.File(common::kRunResult));

  DictionaryRunOptions main{
      .input = common::kUserRunResult, .dictionary = dictionaries.main, .html_mode = html_mode};
  status = RunDictionary(work, main, progress, messenger);
  common::RemoveFile(work.File(common::kUserRunResult));
  return status;
}

}  // namespace

RunStatus ApplyDictionaries(const common::WorkDir& work, std::string_view input, DictionaryUse use,
                            const DictionaryPaths& dictionaries, bool html_mode,
                            common::Progress& progress, common::Messenger& messenger) {
  if (use == DictionaryUse::kUserThenMain) {
    return ApplyUserThenMain(work, input, dictionaries, html_mode, progress, messenger);
  }
  const std::filesystem::path& only =
      use == DictionaryUse::kUserOnly ? dictionaries.user : dictionaries.main;
  return RunDictionary(work, {.input = input, .dictionary = only, .html_mode = html_mode}, progress,
                       messenger);
}

}  // namespace engine
