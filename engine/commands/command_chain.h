// A ruby command as a table of steps that run in order from one working file to the next; the
// first step that fails ends the command, with the abort report when its row names one.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "common/messenger.h"
#include "common/encoding/text_source.h"
#include "engine/commands/abort_report.h"
#include "engine/commands/dictionary_use.h"
#include "engine/commands/ruby_pipeline.h"
#include "engine/sweep/run_words.h"

namespace engine {

// What one ruby command carries from step to step.
struct CommandRun {
  CommandRun(const common::TextSource& text, const RubyCommandContext& context,
             common::Messenger& messenger)
      : text(text), context(context), messenger(messenger), progress(messenger) {}

  const common::TextSource& text;
  const RubyCommandContext& context;
  common::Messenger& messenger;
  common::Progress progress;
  bool html_mode = false;  // decided by the notation check of the preparation
  bool field_flag = false;
  ReadingMode reading = ReadingMode::kDictionary;
  std::filesystem::path ruby_file;
  // The dictionaries' words, loading while the text is prepared.
  std::unique_ptr<RunWordsAhead> words_ahead;
};

struct ChainStep {
  std::function<RubyCommandStatus(CommandRun&)> run;
  // A failure of a step with an abort step ends with the abort report naming it; other steps
  // have shown their own message, or end the command silently.
  std::optional<AbortStep> abort_step;
};

RubyCommandResult RunChain(std::span<const ChainStep> steps, CommandRun& run);

// Steps shared by the commands.
// Starts loading the words that ApplyDictionariesStep(use, …) will look up; never fails.
ChainStep LoadWordsAheadStep(DictionaryUse use);
ChainStep MarkNonRubyStep(std::string_view input);
// With `result_is_ruby_file` the result is written in context.ruby_file_form, being the ruby
// file itself; otherwise a later step reads it, and it stays in the passes' own form.
ChainStep ApplyDictionariesStep(DictionaryUse use, AbortStep abort_step,
                                bool result_is_ruby_file = false);
ChainStep NameRubyFileStep(std::string_view working_file, std::string_view extension,
                           std::optional<AbortStep> abort_step);
// Keeps a word's ruby only where context.first_ruby says, in the dictionaries' result, and
// writes that result in `form`; with every occurrence and the passes' own form it does nothing.
ChainStep FirstRubyStep(const common::UserEncoding& form, AbortStep abort_step);
// Deletes a working file that an earlier step has used up; never fails.
ChainStep RemoveWorkingFileStep(std::string_view name);

}  // namespace engine
