// The all-ruby command: its chain of steps from the document's text to the ruby file.
#include "engine/commands/ruby_pipeline.h"

#include <array>

#include "common/platform/file_system.h"
#include "common/status.h"
#include "common/encoding/text_file.h"
#include "engine/commands/command_chain.h"
#include "engine/messages.h"
#include "engine/commands/preparation.h"

namespace engine {
namespace {

constexpr std::string_view kAllRubyExtension = ".srb";

// After the marking the status line shows "N"; a user-dictionary result left by an earlier
// command must not be taken for this one's.
ChainStep AnnounceMarkedStep() {
  return {[](CommandRun& run) {
            run.progress.Clear();
            run.progress.Append(messages::kProgressMarked);
            common::RemoveFile(run.context.work.File(common::kUserRunResult));
            return RubyCommandStatus::kOk;
          },
          std::nullopt};
}

}  // namespace

RubyCommandResult RunAllRuby(const common::TextSource& text, DictionaryUse use,
                             const RubyCommandContext& context, common::Messenger& messenger) {
  // Ruby on first occurrences is kept from the dictionaries' result in the passes' own form,
  // and the ruby file is written in its form then.
  bool every = context.first_ruby == FirstRubyScope::kEvery &&
               context.alternatives == Alternatives::kKept;
  const std::array<ChainStep, 7> steps = {
      LoadWordsAheadStep(use),
      ChainStep{Prepare, std::nullopt},
      MarkNonRubyStep(common::kPreparedText),
      AnnounceMarkedStep(),
      ApplyDictionariesStep(use, AbortStep::kDictionariesChosen, /*result_is_ruby_file=*/every),
      FirstRubyStep(every ? common::UserEncoding{} : context.ruby_file_form,
                    AbortStep::kDictionariesChosen),
      NameRubyFileStep(common::kCleanedUp, kAllRubyExtension, AbortStep::kRubyFileNaming),
  };
  CommandRun run(text, context, messenger);
  return RunChain(steps, run);
}

std::optional<std::string> GiveRuby(const common::TextSource& text, DictionaryUse use,
                                    const RubyCommandContext& context,
                                    common::Messenger& messenger) {
  const std::array<ChainStep, 5> steps = {
      LoadWordsAheadStep(use),
      ChainStep{Prepare, std::nullopt},
      MarkNonRubyStep(common::kPreparedText),
      AnnounceMarkedStep(),
      ApplyDictionariesStep(use, AbortStep::kDictionariesChosen),
  };
  RubyCommandContext in_memory = context;
  in_memory.ruby_window_open = false;
  in_memory.ruby_emphasis = false;  // no ruby window opens on it
  CommandRun run(text, in_memory, messenger);
  if (!common::IsOk(RunChain(steps, run).status)) return std::nullopt;
  const std::filesystem::path result = context.work.File(common::kCleanedUp);
  common::FileBytes ruby = common::ReadTextFile(result);
  common::RemoveFile(result);
  if (!ruby.ok) {
    ShowAbortReport(AbortStep::kDictionariesChosen, run.progress, messenger);
    return std::nullopt;
  }
  return std::move(ruby.bytes);
}

}  // namespace engine
