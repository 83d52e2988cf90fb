// The grade, kanji-test level and line-and-field commands: the all-ruby chain with a filter
// after the dictionaries, or a marking before them.
#include <array>
#include <optional>

#include "common/status.h"
#include "common/platform/working_files.h"
#include "engine/commands/abort_report.h"
#include "engine/commands/command_chain.h"
#include "engine/filters/grade_allocation.h"
#include "engine/filters/grade_filter.h"
#include "engine/filters/level_filter.h"
#include "engine/markings/line_field_marking.h"
#include "engine/commands/preparation.h"
#include "engine/commands/ruby_pipeline.h"

namespace engine {
namespace {

constexpr std::string_view kGradeRubyExtension = ".hrb";
constexpr std::string_view kLevelRubyExtension = ".krb";
constexpr std::string_view kLineFieldRubyExtension = ".lrb";

// The dialog's refusal, before anything is written.
ChainStep CheckOptionsStep(std::optional<Refusal> refusal) {
  return {[refusal = std::move(refusal)](CommandRun& run) {
            if (!refusal) return RubyCommandStatus::kOk;
            run.messenger.Tell({refusal->title, refusal->text, common::Icon::kWarning});
            return RubyCommandStatus::kRefused;
          },
          std::nullopt};
}

template <typename Status>
RubyCommandStatus StepStatus(Status status) {
  return common::IsOk(status) ? RubyCommandStatus::kOk : RubyCommandStatus::kAborted;
}

// Allocation and filter in one reading; a failure is reported under the name of the part that
// failed, so the step shows its own abort report.
ChainStep GradeAllocationAndFilterStep(const GradeRubyOptions& options) {
  return {[options](CommandRun& run) {
            GradeAllocationFiles files{.dictionary = run.context.grade_dictionary,
                                       .kanji_count = run.context.grade_kanji_count,
                                       .jukujikun = run.context.jukujikun_list};
            GradeRubyStatus status =
                RunGradeAllocationAndFilter(run.context.work, files, options, run.messenger);
            if (common::IsOk(status)) return RubyCommandStatus::kOk;
            ShowAbortReport(status == GradeRubyStatus::kAllocationFailed
                                ? AbortStep::kGradeAllocation
                                : AbortStep::kGradeFilter,
                            run.progress, run.messenger);
            return RubyCommandStatus::kAborted;
          },
          std::nullopt};
}

ChainStep LevelFilterStep(const LevelRubyOptions& options) {
  return {[options](CommandRun& run) {
            return StepStatus(RunLevelFilter(run.context.work, run.context.level_dictionary,
                                             options, run.messenger));
          },
          AbortStep::kLevelFilter};
}

ChainStep LineFieldMarkingStep(const LineFieldOptions& options) {
  return {[options](CommandRun& run) {
            return StepStatus(RunLineFieldMarking(run.context.work, options));
          },
          AbortStep::kLineFieldMarking};
}

}  // namespace

RubyCommandResult RunGradeRuby(const common::TextSource& text, const GradeRubyOptions& options,
                               const RubyCommandContext& context, common::Messenger& messenger) {
  const std::array<ChainStep, 9> steps = {
      CheckOptionsStep(ValidateGradeRuby(options)),
      LoadWordsAheadStep(DictionaryUse::kMainOnly),
      ChainStep{Prepare, std::nullopt},
      MarkNonRubyStep(common::kPreparedText),
      ApplyDictionariesStep(DictionaryUse::kMainOnly, AbortStep::kDictionariesFixed),
      FirstRubyStep({}, AbortStep::kDictionariesFixed),
      GradeAllocationAndFilterStep(options),
      RemoveWorkingFileStep(common::kCleanedUp),
      NameRubyFileStep(common::kGradeFiltered, kGradeRubyExtension, std::nullopt),
  };
  CommandRun run(text, context, messenger);
  return RunChain(steps, run);
}

RubyCommandResult RunLevelRuby(const common::TextSource& text, const LevelRubyOptions& options,
                               const RubyCommandContext& context, common::Messenger& messenger) {
  const std::array<ChainStep, 10> steps = {
      CheckOptionsStep(ValidateLevelRuby(options)),
      LoadWordsAheadStep(DictionaryUse::kUserThenMain),
      ChainStep{Prepare, std::nullopt},
      MarkNonRubyStep(common::kPreparedText),
      RemoveWorkingFileStep(common::kUserRunResult),
      ApplyDictionariesStep(DictionaryUse::kUserThenMain, AbortStep::kDictionariesFixed),
      FirstRubyStep({}, AbortStep::kDictionariesFixed),
      LevelFilterStep(options),
      RemoveWorkingFileStep(common::kCleanedUp),
      NameRubyFileStep(common::kLevelFiltered, kLevelRubyExtension, std::nullopt),
  };
  CommandRun run(text, context, messenger);
  return RunChain(steps, run);
}

RubyCommandResult RunLineFieldRuby(const common::TextSource& text, const LineFieldOptions& options,
                                   DictionaryUse use, const RubyCommandContext& context,
                                   common::Messenger& messenger) {
  const std::array<ChainStep, 10> steps = {
      CheckOptionsStep(ValidateLineField(options)),
      LoadWordsAheadStep(use),
      ChainStep{Prepare, std::nullopt},
      LineFieldMarkingStep(options),
      RemoveWorkingFileStep(common::kPreparedText),
      MarkNonRubyStep(common::kLineFieldMarked),
      RemoveWorkingFileStep(common::kUserRunResult),
      ApplyDictionariesStep(use, AbortStep::kDictionariesChosen),
      FirstRubyStep({}, AbortStep::kDictionariesChosen),
      NameRubyFileStep(common::kCleanedUp, kLineFieldRubyExtension, std::nullopt),
  };
  CommandRun run(text, context, messenger);
  run.field_flag = options.mode != static_cast<int>(LineFieldMode::kLinesOnly);
  return RunChain(steps, run);
}

}  // namespace engine
