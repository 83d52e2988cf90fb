// The ruby window's この読みを辞書に登録: the words whose readings were corrected in the window,
// found against a fresh run over the bases of its text, confirmed by the user, added to the user
// dictionary's source and the dictionary built again.
#include <QAction>

#include "common/encoding/cp932.h"
#include "common/message_format.h"
#include "common/settings/settings.h"
#include "common/encoding/text_source.h"
#include "common/view/qt_text.h"
#include "common/view/status_line.h"
#include "engine/commands/command_context.h"
#include "engine/commands/dictionary_use.h"
#include "engine/commands/ruby_pipeline.h"
#include "jobs/learn_job.h"
#include "rubywindow/ruby_repair.h"
#include "rubywindow/view/messages.h"
#include "rubywindow/view/ruby_window.h"

namespace rubywindow::view {

namespace {

std::string Listed(std::string_view heading, const std::vector<jobs::LearnedWord>& words,
                   const std::vector<std::string>& held = {}) {
  if (words.empty()) return {};
  std::string out = std::string(heading) + "\n";
  for (std::size_t i = 0; i < words.size(); ++i) {
    out += "　" + common::Cp932ToUtf8Lossy(words[i].SourceLine());
    if (i < held.size()) {
      out += common::FormatMessage(messages::kLearnHeld, {common::Cp932ToUtf8Lossy(held[i])});
    }
    out += "\n";
  }
  return out;
}

}  // namespace

std::vector<common::view::ActionRow> RubyWindow::LearningActions() {
  return {
      {.name = "learnReadings",
       .caption = tr("この読みを辞書に登録(&L)"),
       .hint = tr("手で直した読みをユーザー辞書に登録する"),
       .triggered = [this] { LearnReadings(); }},
  };
}

// The text is given ruby afresh from its bases, as F5 on the main text would; a word whose
// ruby differs is one the user corrected.
void RubyWindow::LearnReadings() {
  if (error_list_mode_ || context_.program == nullptr) return;
  std::optional<std::string> text = TextInSjis();
  if (!text) return;
  common::Settings& settings = *context_.settings;
  engine::RubyCommandContext context = engine::RubyCommandContextOf(
      settings, *context_.program, common::WorkDir(work_folder_.Path()));
  engine::DictionaryUse use =
      engine::DictionaryUseOf(settings.dic_pattern).value_or(engine::DictionaryUse::kUserThenMain);
  const std::string bases = KeepPartOfAllGroups(*text, GroupPart::kBase);
  common::StringTextSource source_text(bases);
  std::optional<std::string> fresh = engine::GiveRuby(source_text, use, context, Messenger());
  if (!fresh) return;
  std::optional<std::vector<jobs::LearnedWord>> words = jobs::CorrectedWords(
      *fresh, *text, jobs::DictionaryWords(context.main_dictionary));
  std::optional<std::string> source =
      words ? jobs::DictionarySource(context.user_dictionary, Messenger()) : std::nullopt;
  if (!source) return;
  jobs::LearnPlan plan = jobs::PlanLearning(*words, *source);
  std::string list = Listed(messages::kLearnAdded, plan.added) +
                     Listed(messages::kLearnKnown, plan.known) +
                     Listed(messages::kLearnConflicts, plan.conflicts, plan.held);
  if (plan.added.empty()) {
    Tell(messages::kTitleLearn, list.empty() ? std::string(messages::kNothingToLearn) : list);
    return;
  }
  std::string question = common::FormatMessage(messages::kLearnQuestion,
                                               {context.user_dictionary.filename().string(), list});
  if (Messenger().Ask({std::string(messages::kTitleLearn), question, common::Icon::kQuestion},
                      common::Buttons::kOkCancel) != common::Answer::kOk) {
    return;
  }
  jobs::LearnStatus status = jobs::ApplyLearning(plan, context.user_dictionary, *context_.program,
                                                 common::WorkDir(work_folder_.Path()), Messenger());
  if (status == jobs::LearnStatus::kOk) {
    FilePanel()->setText(common::view::QStringOfUtf8(common::FormatMessage(
        messages::kLearnt,
        {std::int64_t(plan.added.size()), context.user_dictionary.filename().string()})));
  }
}

}  // namespace rubywindow::view
