// Dictionary-use modes 0, 1 and 2 as one dictionary run, or, reading in context, as the user
// dictionary's run, the context reading and the main dictionary's run for what is left.
#include "engine/dictionary_application.h"

#include <cerrno>
#include <filesystem>

#include "common/file_system.h"
#include "common/message_format.h"
#include "engine/context/context_source.h"
#include "engine/messages.h"

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

bool ReadsInContext(DictionaryUse use, const ReadingChoice& reading) {
  return reading.source != nullptr && use != DictionaryUse::kUserOnly;
}

// The user dictionary's words first (mode 2), then the analyser, then the main dictionary for
// what neither read: a word the user dictionary holds keeps its reading, since its groups are
// never read again.
RunStatus ApplyInContext(const common::WorkDir& work, std::string_view input, DictionaryUse use,
                         const DictionaryPaths& dictionaries, bool html_mode,
                         const context::ContextResources& resources, common::Progress& progress,
                         common::Messenger& messenger, const common::UserEncoding& result_form,
                         RunWordsAhead* ahead) {
  std::string_view text = input;
  if (use == DictionaryUse::kUserThenMain) {
    DictionaryRunOptions user;
    user.input = input;
    user.dictionary = dictionaries.user;
    user.one_character_words = false;
    user.finish = false;
    user.html_mode = html_mode;
    RunStatus status = RunDictionary(work, user, progress, messenger);
    if (status != RunStatus::kOk) return status;
    text = common::kRunResult;
  }
  context::ContextStatus read =
      context::RunContextReading(work, text, common::kContextRead, html_mode, resources);
  if (text != input) common::RemoveFile(work.File(std::string(text)));
  if (read != context::ContextStatus::kOk) {
    std::string_view format = read == context::ContextStatus::kInputMissing
                                  ? messages::kPassInputMissing
                                  : messages::kCannotOpenPassOutput;
    int error = errno;
    std::filesystem::path path = work.File(std::string(
        read == context::ContextStatus::kInputMissing ? text : common::kContextRead));
    messenger.Tell({std::string(messages::kTitleWarning),
                    common::FormatMessage(format, {path.string(),
                                                   common::WriteFailureCause(path, error)}),
                    common::Icon::kWarning});
    return read == context::ContextStatus::kInputMissing ? RunStatus::kPassNotStarted
                                                         : RunStatus::kFileNotClosed;
  }
  DictionaryRunOptions main;
  main.input = common::kContextRead;
  main.dictionary = dictionaries.main;
  main.html_mode = html_mode;
  main.result_form = result_form;
  main.ahead = ahead;
  RunStatus status = RunDictionary(work, main, progress, messenger);
  common::RemoveFile(work.File(std::string(common::kContextRead)));
  return status;
}

}  // namespace

RunWordsKey ApplicationWords(DictionaryUse use, const DictionaryPaths& dictionaries,
                             bool in_context) {
  if (in_context && use != DictionaryUse::kUserOnly) {
    return RunWordsKeyOf(RunOptions(DictionaryUse::kMainOnly, dictionaries));
  }
  return RunWordsKeyOf(RunOptions(use, dictionaries));
}

RunStatus ApplyDictionaries(const common::WorkDir& work, std::string_view input, DictionaryUse use,
                            const DictionaryPaths& dictionaries, bool html_mode,
                            common::Progress& progress, common::Messenger& messenger,
                            const common::UserEncoding& result_form, RunWordsAhead* ahead,
                            ReadingChoice reading) {
  if (ReadsInContext(use, reading)) {
    std::optional<context::ContextResources> resources =
        reading.source->Resources(dictionaries.main, messenger);
    if (resources) {
      if (reading.used) *reading.used = ReadingMode::kContext;
      return ApplyInContext(work, input, use, dictionaries, html_mode, *resources, progress,
                            messenger, result_form, ahead);
    }
  }
  if (reading.used) *reading.used = ReadingMode::kDictionary;
  DictionaryRunOptions options = RunOptions(use, dictionaries);
  options.input = input;
  options.html_mode = html_mode;
  options.result_form = result_form;
  options.ahead = ahead;
  return RunDictionary(work, options, progress, messenger);
}

}  // namespace engine
