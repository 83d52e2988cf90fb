// Running a command's step table, and the steps that several commands share.
#include "engine/commands/command_chain.h"

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "common/platform/working_files.h"
#include "engine/commands/dictionary_application.h"
#include "engine/filters/first_ruby.h"
#include "engine/messages.h"
#include "engine/markings/non_ruby_marking.h"
#include "engine/commands/ruby_file_naming.h"

namespace engine {

RubyCommandResult RunChain(std::span<const ChainStep> steps, CommandRun& run) {
  for (const ChainStep& step : steps) {
    RubyCommandStatus status = step.run(run);
    if (common::IsOk(status)) continue;
    // Every step writes working files: a full disk is the cause to name, not the step.
    if (common::FolderIsFull(run.context.work.Dir())) {
      run.messenger.Tell(
          {std::string(messages::kTitleCaution),
           common::FormatMessage(messages::kWorkFolderFull, {run.context.work.Dir().string()}),
           common::Icon::kWarning});
    }
    if (step.abort_step) {
      ShowAbortReport(*step.abort_step, run.progress, run.messenger);
      status = RubyCommandStatus::kAborted;
    }
    return {status, run.ruby_file, run.field_flag, run.reading};
  }
  return {RubyCommandStatus::kOk, run.ruby_file, run.field_flag, run.reading};
}

namespace {

DictionaryPaths PathsOf(const RubyCommandContext& context) {
  return {context.main_dictionary, context.user_dictionary};
}

}  // namespace

ChainStep LoadWordsAheadStep(DictionaryUse use) {
  return {[use](CommandRun& run) {
            // Reading in context, the analyser's stage comes first and the main dictionary's
            // words are loaded once it has let go of its memory, not beside it.
            if (run.context.context_reading == nullptr) {
              run.words_ahead = std::make_unique<RunWordsAhead>(
                  ApplicationWords(use, PathsOf(run.context), false));
            }
            return RubyCommandStatus::kOk;
          },
          std::nullopt};
}

ChainStep MarkNonRubyStep(std::string_view input) {
  return {[input](CommandRun& run) {
            NonRubyStatus status =
                RunNonRubyMarking(run.context.work, input, run.context.areas, run.html_mode);
            return common::IsOk(status) ? RubyCommandStatus::kOk
                                        : RubyCommandStatus::kMarkingFailed;
          },
          std::nullopt};
}

ChainStep ApplyDictionariesStep(DictionaryUse use, AbortStep abort_step, bool result_is_ruby_file) {
  return {[use, result_is_ruby_file](CommandRun& run) {
            common::UserEncoding form =
                result_is_ruby_file ? run.context.ruby_file_form : common::UserEncoding{};
            RunStatus status = ApplyDictionaries(
                run.context.work, common::kNonRubyMarked, use, PathsOf(run.context), run.html_mode,
                run.progress, run.messenger, form, run.words_ahead.get(),
                {run.context.context_reading.get(), &run.reading});
            run.words_ahead.reset();
            if (!common::IsOk(status)) return RubyCommandStatus::kAborted;
            if (run.context.ruby_emphasis) run.progress.Append(messages::kProgressEmphasis);
            return RubyCommandStatus::kOk;
          },
          abort_step};
}

ChainStep NameRubyFileStep(std::string_view working_file, std::string_view extension,
                           std::optional<AbortStep> abort_step) {
  return {[working_file, extension](CommandRun& run) {
            RubyFileNaming naming =
                NameRubyFile(run.context.work, working_file, run.context.document_path, extension,
                             run.messenger);
            run.ruby_file = naming.ruby_file;
            return naming.ok ? RubyCommandStatus::kOk : RubyCommandStatus::kNamingFailed;
          },
          abort_step};
}

ChainStep FirstRubyStep(const common::UserEncoding& form, AbortStep abort_step) {
  return {[form](CommandRun& run) {
            bool ok = RunFirstRubyFilter(run.context.work, common::kCleanedUp,
                                         run.context.first_ruby, run.context.alternatives,
                                         form);
            return ok ? RubyCommandStatus::kOk : RubyCommandStatus::kAborted;
          },
          abort_step};
}

ChainStep RemoveWorkingFileStep(std::string_view name) {
  return {[name](CommandRun& run) {
            // A file that cannot be deleted is overwritten or deleted by the next command.
            common::RemoveFile(run.context.work.File(name));
            return RubyCommandStatus::kOk;
          },
          std::nullopt};
}

}  // namespace engine
