// The passes of one dictionary over the working files, and the clean-up stage after them.
#include "engine/dictionary_run.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "common/text_file.h"
#include "dictionary/ruby_dictionary.h"
#include "dictionary/ruby_dictionary_format.h"
#include "engine/byte_stream.h"
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

// All sections the run needs, longest words first; false after the loader's message.
bool LoadSections(dictionary::RubyDictionary& dictionary, int lowest,
                  std::vector<dictionary::LengthSection>& sections, common::Messenger& messenger) {
  sections.resize(static_cast<std::size_t>(dictionary::kMaxWordLength - lowest + 1));
  for (int length = dictionary::kMaxWordLength; length >= lowest; --length) {
    auto& section = sections[static_cast<std::size_t>(dictionary::kMaxWordLength - length)];
    if (!dictionary.LoadLength(length, section, messenger)) return false;
  }
  return true;
}

// The passes are chained in memory: the pass for each length reads what the pass for the next
// longer length gives it, a chunk at a time. The result is the same as running them one after
// another from file to file, without the files. When the run finishes, the clean-up reads the
// last pass the same way.
void RunChain(const std::vector<dictionary::LengthSection>& sections, bool html_mode,
              bool finish, common::TextReader& in, common::TextWriter& out) {
  FileSource source(in);
  FileSink sink(out);
  std::vector<std::unique_ptr<MatchingStage>> stages;
  ByteSource* upstream = &source;
  int length = dictionary::kMaxWordLength;
  std::size_t staged = finish ? sections.size() : sections.size() - 1;
  for (std::size_t i = 0; i < staged; ++i, --length) {
    stages.push_back(std::make_unique<MatchingStage>(length, sections[i], html_mode, *upstream));
    upstream = stages.back().get();
  }
  if (finish) {
    CleanUp(html_mode, *upstream, sink);
  } else {
    RunMatchingPass(length, sections.back(), html_mode, *upstream, sink);
  }
}

// Reads the run's input and writes "user_.$rb", or "shori_.$rb" when the run finishes. A
// failure of the clean-up's own file shows no message, like every clean-up failure.
RunStatus RunPasses(const common::WorkDir& work, const DictionaryRunOptions& options,
                    const std::vector<dictionary::LengthSection>& sections,
                    common::Progress& progress, common::Messenger& messenger) {
  std::string input_name(options.input);
  std::string output_name(options.finish ? common::kCleanedUp : common::kRunResult);
  common::TextReader in;
  if (!in.Open(work.File(input_name))) {
    Warn(messenger, common::FormatMessage(messages::kPassInputMissing, {input_name}));
    return RunStatus::kPassNotStarted;
  }
  common::TextWriter out;
  if (!out.Open(work.File(output_name))) {
    if (options.finish) return RunStatus::kCleanUpFailed;
    Warn(messenger, common::FormatMessage(messages::kCannotOpenPassOutput, {output_name}));
    return RunStatus::kPassNotStarted;
  }
  for (std::size_t i = 0; i < sections.size(); ++i) progress.Append(messages::kProgressPass);
  RunChain(sections, options.html_mode, options.finish, in, out);

  // A failed write shows here too: a full disk must not pass for a finished run.
  if (!out.Close()) {
    if (options.finish) return RunStatus::kCleanUpFailed;
    Warn(messenger, common::FormatMessage(messages::kPassOutputNotClosed,
                                          {std::int64_t{LowestLength(options)}}));
    return RunStatus::kFileNotClosed;
  }
  if (!in.Close()) {
    Warn(messenger, common::FormatMessage(messages::kPassInputNotClosed,
                                          {std::int64_t{dictionary::kMaxWordLength}}));
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

RunStatus RunDictionary(const common::WorkDir& work, const DictionaryRunOptions& options,
                        common::Progress& progress, common::Messenger& messenger) {
  std::vector<dictionary::LengthSection> sections;
  {
    dictionary::RubyDictionary dictionary;
    if (!dictionary.Open(options.dictionary, messenger) ||
        !LoadSections(dictionary, LowestLength(options), sections, messenger)) {
      return RunStatus::kDictionaryNotOpened;
    }
  }
  RunStatus status = RunPasses(work, options, sections, progress, messenger);
  if (common::IsOk(status) && options.finish) FinishRun(work, progress);
  return status;
}

}  // namespace engine
