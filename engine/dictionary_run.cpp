// The passes of one dictionary over the working files, and the clean-up stage after them.
#include "engine/dictionary_run.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/background_task.h"
#include "common/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "common/text_file.h"
#include "dictionary/ruby_dictionary.h"
#include "dictionary/ruby_dictionary_format.h"
#include "engine/block_queue.h"
#include "engine/byte_stream.h"
#include "engine/clean_up.h"
#include "engine/match_table.h"
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

// Blocks of the passes' output on their way to the clean-up: a few, so that the two keep
// each other busy without holding much of the text.
constexpr std::size_t kBlocksToCleanUp = 3;

// The clean-up, when the run finishes, takes the passes' output a chunk at a time as they give
// it, on a thread of its own that also writes the result, so neither needs a file in between.
void RunSweep(const std::shared_ptr<const MatchWords>& words, bool html_mode, bool finish,
              common::TextReader& in, common::TextWriter& out) {
  FileSource source(in);
  FileSink sink(out);
  if (!finish) {
    RunMatchingPasses(words, html_mode, source, sink);
    return;
  }
  BlockQueue queue(kBlocksToCleanUp);
  common::BackgroundTask cleaner;
  bool aside = cleaner.StartAside([&queue, &sink, html_mode] {
    QueueSource passes_output(queue);
    try {
      CleanUp(html_mode, passes_output, sink);
    } catch (...) {
      queue.Abandon();
      throw;
    }
    queue.Abandon();  // nothing is left after the end of the input
  });
  if (!aside) {
    // No thread to be had: the clean-up asks the passes for each chunk itself.
    MatchingStage stage(words, html_mode, source);
    CleanUp(html_mode, stage, sink);
    return;
  }
  QueueSink to_clean_up(queue);
  try {
    RunMatchingPasses(words, html_mode, source, to_clean_up);
  } catch (...) {
    queue.Close();
    cleaner.Wait();
    throw;
  }
  queue.Close();
  cleaner.Wait();
}

// Reads the run's input and writes "user_.$rb", or "shori_.$rb" when the run finishes. A
// failure of the clean-up's own file shows no message, like every clean-up failure.
RunStatus RunPasses(const common::WorkDir& work, const DictionaryRunOptions& options,
                    const RunWords& words, common::Progress& progress,
                    common::Messenger& messenger) {
  std::string input_name(options.input);
  std::string output_name(options.finish ? common::kCleanedUp : common::kRunResult);
  common::TextReader in;
  const std::filesystem::path input_path = work.File(input_name);
  const std::filesystem::path output_path = work.File(output_name);
  if (!in.Open(input_path)) {
    Warn(messenger, common::FormatMessage(messages::kPassInputMissing, {input_path.string()}));
    return RunStatus::kPassNotStarted;
  }
  common::TextWriter out;
  common::UserEncoding form = options.finish ? options.result_form : common::UserEncoding{};
  errno = 0;
  if (!out.Open(output_path, form)) {
    if (options.finish) return RunStatus::kCleanUpFailed;
    int error = errno;
    Warn(messenger, common::FormatMessage(messages::kCannotOpenPassOutput,
                                          {output_path.string(),
                                           common::WriteFailureCause(output_path, error)}));
    return RunStatus::kPassNotStarted;
  }
  for (std::size_t i = 0; i < words.tables->passes.size(); ++i) {
    progress.Append(messages::kProgressPass);
  }
  RunSweep(words.tables, options.html_mode, options.finish, in, out);

  // A failed write shows here too: a full disk must not pass for a finished run.
  errno = 0;
  if (!out.Close()) {
    if (options.finish) return RunStatus::kCleanUpFailed;
    int error = errno;
    Warn(messenger, common::FormatMessage(messages::kPassOutputNotClosed,
                                          {output_path.string(),
                                           common::WriteFailureCause(output_path, error)}));
    return RunStatus::kFileNotClosed;
  }
  if (!in.Close()) {
    Warn(messenger, common::FormatMessage(messages::kPassInputNotClosed, {input_path.string()}));
    return RunStatus::kFileNotClosed;
  }
  return RunStatus::kOk;
}

// The working files before the run are used up once the ruby text is in "shori_.$rb".
void FinishRun(const common::WorkDir& work, common::Progress& progress) {
  common::RemoveFile(work.File(common::kNonRubyMarked));
  common::RemoveFile(work.File(common::kPreparedText));
  common::RemoveFile(work.File(common::kLineFieldMarked));
  progress.Clear();
  progress.Append(messages::kProgressCleanUp);
}

}  // namespace

RunWordsKey RunWordsKeyOf(const DictionaryRunOptions& options) {
  return {options.dictionary, options.first_dictionary, LowestLength(options)};
}

RunStatus RunDictionary(const common::WorkDir& work, const DictionaryRunOptions& options,
                        common::Progress& progress, common::Messenger& messenger) {
  RunWordsKey key = RunWordsKeyOf(options);
  std::unique_ptr<RunWords> words = options.ahead ? options.ahead->Take(key) : nullptr;
  if (!words) words = LoadRunWords(key, messenger);
  if (!words) return RunStatus::kDictionaryNotOpened;
  RunStatus status = RunPasses(work, options, *words, progress, messenger);
  if (common::IsOk(status) && options.finish) FinishRun(work, progress);
  return status;
}

}  // namespace engine
