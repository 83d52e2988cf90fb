// The ruby window's この読みを辞書に登録: the words whose readings were corrected in the window,
// found against a fresh run over the bases of its text, confirmed by the user, added to the user
// dictionary's source and the dictionary built again beside the window.
#include <QAction>
#include <QCheckBox>
#include <QMessageBox>
#include <QPointer>
#include <memory>

#include "common/encoding/cp932.h"
#include "common/encoding/text_source.h"
#include "common/message_format.h"
#include "common/settings/settings.h"
#include "common/view/qt_text.h"
#include "common/view/status_line.h"
#include "engine/commands/command_context.h"
#include "engine/commands/dictionary_use.h"
#include "engine/commands/ruby_pipeline.h"
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

// What the user is told once the build has ended.
std::string Outcome(jobs::LearnStatus status, std::size_t added, const std::string& name) {
  const auto count = static_cast<std::int64_t>(added);
  switch (status) {
    case jobs::LearnStatus::kOk:
    case jobs::LearnStatus::kNothingToAdd:
      return common::FormatMessage(messages::kLearnt, {count, name});
    case jobs::LearnStatus::kBuildFailed:
      return common::FormatMessage(messages::kLearnNotBuilt, {count, name});
    case jobs::LearnStatus::kSourceUnreadable:
    case jobs::LearnStatus::kSourceNotWritten:
      break;
  }
  return common::FormatMessage(messages::kLearnSourceNotWritten, {name});
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

// A build that is running holds the working files and may be writing this very dictionary.
bool RubyWindow::RefuseWhileBuilding() {
  if (context_.builds == nullptr || !context_.builds->Running()) return false;
  Tell(messages::kTitleLearn, std::string(messages::kLearnWhileBuilding), common::Icon::kWarning);
  return true;
}

// The text is given ruby afresh from its bases, as F5 on the main text would; a word whose
// ruby differs is one the user corrected.
std::optional<RubyWindow::LearnOffer> RubyWindow::FindCorrections() {
  if (error_list_mode_ || context_.program == nullptr) return std::nullopt;
  std::optional<std::string> text = TextInSjis();
  if (!text) return std::nullopt;
  common::Settings& settings = *context_.settings;
  engine::RubyCommandContext context = engine::RubyCommandContextOf(
      settings, *context_.program, common::WorkDir(work_folder_.Path()));
  engine::DictionaryUse use =
      engine::DictionaryUseOf(settings.dic_pattern).value_or(engine::DictionaryUse::kUserThenMain);
  const std::string bases = KeepPartOfAllGroups(*text, GroupPart::kBase);
  common::StringTextSource source_text(bases);
  std::optional<std::string> fresh = engine::GiveRuby(source_text, use, context, Messenger());
  if (!fresh) return std::nullopt;
  std::optional<std::vector<jobs::LearnedWord>> words =
      jobs::CorrectedWords(*fresh, *text, jobs::DictionaryWords(context.main_dictionary));
  std::optional<std::string> source =
      words ? jobs::DictionarySource(context.user_dictionary, Messenger()) : std::nullopt;
  if (!source) return std::nullopt;
  LearnOffer offer{jobs::PlanLearning(*words, *source), context.user_dictionary, {}};
  offer.list = Listed(messages::kLearnAdded, offer.plan.added) +
               Listed(messages::kLearnKnown, offer.plan.known) +
               Listed(messages::kLearnConflicts, offer.plan.conflicts, offer.plan.held);
  return offer;
}

void RubyWindow::LearnReadings() {
  if (RefuseWhileBuilding()) return;
  std::optional<LearnOffer> offer = FindCorrections();
  if (!offer) return;
  if (offer->plan.added.empty()) {
    Tell(messages::kTitleLearn,
         offer->list.empty() ? std::string(messages::kNothingToLearn) : offer->list);
    return;
  }
  std::string question = common::FormatMessage(
      messages::kLearnQuestion, {offer->dictionary.filename().string(), offer->list});
  if (Messenger().Ask({std::string(messages::kTitleLearn), question, common::Icon::kQuestion},
                      common::Buttons::kOkCancel) != common::Answer::kOk) {
    return;
  }
  StartLearning(std::move(*offer));
}

// The words reach the source and the dictionary is built on the application's build thread;
// the window says what it is doing, and what came of it once the build has ended.
void RubyWindow::StartLearning(LearnOffer offer) {
  const std::string name = offer.dictionary.filename().string();
  const std::size_t added = offer.plan.added.size();
  auto status = std::make_shared<jobs::LearnStatus>(jobs::LearnStatus::kBuildFailed);
  auto job = [status, offer = std::move(offer), program = *context_.program,
              work = common::WorkDir(work_folder_.Path())](common::Messenger& messenger) {
    *status = jobs::ApplyLearning(offer.plan, offer.dictionary, program, work, messenger);
  };
  QPointer<RubyWindow> window(this);
  auto done = [window, status, added, name] {
    if (window) {
      window->FilePanel()->setText(common::view::QStringOfUtf8(Outcome(*status, added, name)));
    }
  };
  const QString building =
      common::view::QStringOfUtf8(common::FormatMessage(messages::kLearnBuilding, {name}));
  if (context_.builds == nullptr) {
    FilePanel()->setText(building);
    job(Messenger());
    done();
    return;
  }
  if (!context_.builds->Start(std::move(job), std::move(done))) {
    RefuseWhileBuilding();
    return;
  }
  FilePanel()->setText(building);
}

// A ruby file saved with readings corrected by hand offers them to the user dictionary, with
// the same list as この読みを辞書に登録, until the user ticks 今後は確認しない. A build that is
// running already keeps the question for the next save.
void RubyWindow::SavedByCommand() {
  if (context_.settings->learn_on_save == 0 || error_list_mode_) return;
  if (context_.builds != nullptr && context_.builds->Running()) return;
  std::optional<LearnOffer> offer = FindCorrections();
  if (!offer || offer->plan.added.empty()) return;
  bool never_ask = false;
  const bool yes = AskToLearnOnSave(*offer, never_ask);
  if (never_ask) context_.settings->learn_on_save = 0;
  if (yes) StartLearning(std::move(*offer));
}

bool RubyWindow::AskToLearnOnSave(const LearnOffer& offer, bool& never_ask) {
  QMessageBox box(
      QMessageBox::Question, common::view::QStringOfUtf8(messages::kTitleLearn),
      common::view::QStringOfUtf8(common::FormatMessage(
          messages::kLearnOnSaveQuestion, {offer.dictionary.filename().string(), offer.list})),
      QMessageBox::Yes | QMessageBox::No, this);
  box.setDefaultButton(QMessageBox::Yes);
  auto* never = new QCheckBox(common::view::QStringOfUtf8(messages::kLearnOnSaveNeverAsk), &box);
  box.setCheckBox(never);
  const bool yes = box.exec() == QMessageBox::Yes;
  never_ask = never->isChecked();
  return yes;
}

}  // namespace rubywindow::view
