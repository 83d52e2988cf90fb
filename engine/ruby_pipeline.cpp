// The all-ruby command: its chain of steps from the document's text to the ruby file.
#include "engine/ruby_pipeline.h"

#include <array>

#include "common/file_system.h"
#include "engine/command_chain.h"
#include "engine/messages.h"
#include "engine/preparation.h"

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
  const std::array<ChainStep, 5> steps = {
      ChainStep{Prepare, std::nullopt},
      MarkNonRubyStep(common::kPreparedText),
      AnnounceMarkedStep(),
      ApplyDictionariesStep(use, AbortStep::kDictionariesChosen),
      NameRubyFileStep(common::kCleanedUp, kAllRubyExtension, AbortStep::kRubyFileNaming),
  };
  CommandRun run(text, context, messenger);
  return RunChain(steps, run);
}

}  // namespace engine
