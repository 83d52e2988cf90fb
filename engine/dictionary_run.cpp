// The passes of one dictionary over the working files, and the clean-up stage after them.
#include "engine/dictionary_run.h"

#include <cstdint>
#include <string>

#include "common/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "common/text_file.h"
#include "dictionary/ruby_dictionary.h"
#include "dictionary/ruby_dictionary_format.h"
#include "engine/clean_up.h"
#include "engine/matching_pass.h"
#include "engine/messages.h"

namespace engine {
namespace {

void Warn(common::Messenger& messenger, std::string text) {
  messenger.Tell({std::string(messages::kTitleWarning), std::move(text), common::Icon::kWarning});
}

int LowestLength(const DictionaryRunOptions& options) {
  return options.one_character_words ? 1 : 2;
}

// The pass for the lowest length writes "user_.$rb"; the others "u10_.$$$" … "u02_.$$$".
std::string OutputOf(int word_length, const DictionaryRunOptions& options) {
  if (word_length == LowestLength(options)) return std::string(common::kRunResult);
  return common::PassOutputName(word_length);
}

std::string InputOf(int word_length, const DictionaryRunOptions& options) {
  if (word_length == dictionary::kMaxWordLength) return std::string(options.input);
  return OutputOf(word_length + 1, options);
}

RunStatus RunPass(const common::WorkDir& work, int word_length, const DictionaryRunOptions& options,
                  const dictionary::RubyDictionary& dictionary, common::Progress& progress,
                  common::Messenger& messenger) {
  std::string input_name = InputOf(word_length, options);
  std::string output_name = OutputOf(word_length, options);
  common::TextReader in;
  if (!in.Open(work.File(input_name))) {
    Warn(messenger, common::FormatMessage(messages::kPassInputMissing, {input_name}));
    return RunStatus::kPassNotStarted;
  }
  common::TextWriter out;
  if (!out.Open(work.File(output_name))) {
    Warn(messenger, common::FormatMessage(messages::kCannotOpenPassOutput, {output_name}));
    return RunStatus::kPassNotStarted;
  }
  progress.Append(messages::kProgressPass);
  RunMatchingPass(word_length, dictionary, options.html_mode, in, out);

  // A failed write shows here too: a full disk must not pass for a finished pass.
  if (!out.Close()) {
    Warn(messenger,
         common::FormatMessage(messages::kPassOutputNotClosed, {std::int64_t{word_length}}));
    return RunStatus::kFileNotClosed;
  }
  if (!in.Close()) {
    Warn(messenger,
         common::FormatMessage(messages::kPassInputNotClosed, {std::int64_t{word_length}}));
    return RunStatus::kFileNotClosed;
  }
  // The run's own input is the caller's; the intermediate files are used up.
  if (word_length < dictionary::kMaxWordLength) common::RemoveFile(work.File(input_name));
  return RunStatus::kOk;
}

RunStatus FinishRun(const common::WorkDir& work, bool html_mode, common::Progress& progress) {
  common::RemoveFile(work.File(common::kNonRubyMarked));
  common::RemoveFile(work.File(common::kPreparedText));
  common::RemoveFile(work.File(common::kLineFieldMarked));
  progress.Clear();
  progress.Append(messages::kProgressCleanUp);
  if (!common::IsOk(RunCleanUp(work, html_mode))) return RunStatus::kCleanUpFailed;
  common::RemoveFile(work.File(common::kRunResult));
  return RunStatus::kOk;
}

}  // namespace

RunStatus RunDictionary(const common::WorkDir& work, const DictionaryRunOptions& options,
                        common::Progress& progress, common::Messenger& messenger) {
  dictionary::RubyDictionary dictionary;
  if (!dictionary.Open(options.dictionary, messenger)) return RunStatus::kDictionaryNotOpened;
  for (int length = dictionary::kMaxWordLength; length >= LowestLength(options); --length) {
    if (!dictionary.LoadLength(length, messenger)) return RunStatus::kDictionaryNotOpened;
    RunStatus status = RunPass(work, length, options, dictionary, progress, messenger);
    if (!common::IsOk(status)) return status;
  }
  dictionary.Close();
  if (!options.finish) return RunStatus::kOk;
  return FinishRun(work, options.html_mode, progress);
}

}  // namespace engine
