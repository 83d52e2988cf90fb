// The ruby window's corrections of its groups: the kana of every reading, the repair of the
// selected groups or of all of them, and the emphasis of the groups on screen.
#include <QAction>
#include <QtConcurrent/QtConcurrentRun>

#include "common/settings/settings.h"
#include "common/encoding/text_encoding.h"
#include "common/encoding/text_source.h"
#include "common/view/sjis_codec.h"
#include "common/view/text_pane.h"
#include "jobs/job_text.h"
#include "rubywindow/ruby_repair.h"
#include "rubywindow/view/ruby_emphasis.h"
#include "rubywindow/view/ruby_repair_dialog.h"
#include "rubywindow/view/ruby_window.h"
#include "rubywindow/view/ruby_window_session.h"
#include "rubywindow/view/template_list_dialog.h"

namespace rubywindow::view {

std::vector<common::view::ActionRow> RubyWindow::CorrectionActions() {
  return {
      {.name = "repairRuby",
       .caption = tr("ルビ部を修正(&R)"),
       .triggered = [this] { RepairRuby(); }},
      {.name = "convertAllKana",
       .caption = tr("全ルビの平片変換(&K)"),
       .triggered = [this] { ConvertAllKana(); }},
      {.name = "rubyEmphasis",
       .caption = tr("ルビ部を強調(&M)"),
       .key = QKeySequence(Qt::CTRL | Qt::Key_M),
       .hint = tr("ルビ部を<強調/通常>表示します。"),
       .icon_text = tr("強"),
       .triggered = [this] { ToggleEmphasis(); }},
  };
}

// One undoable edit of the whole text; a conversion that changes nothing leaves the text, and
// its modified flag, alone.
void RubyWindow::ReplaceText(const std::string& sjis) {
  QString text = common::view::DecodeSjis(sjis);
  if (text != Pane()->Text()) Pane()->ReplaceWholeText(text);
}

void RubyWindow::ConvertAllKana() {
  std::optional<std::string> text = TextInSjis();
  if (!text) return;
  ReplaceText(ConvertAllReadings(*text, DirectionOfAllReadings(*text)));
  check_before_conversions_ = false;
}

void RubyWindow::RepairRuby() {
  std::optional<std::string> selection = SjisOrTell(Pane()->SelectedText(), Messenger());
  if (!selection) return;
  common::Settings& settings = *context_.settings;
  RepairRequest request{.kind = settings.repair_kind,
                        .scope = settings.repair_range == 2 ? 2 : 1,
                        .align_kana = false,
                        .all_groups = false};
  SelectionCheck check = CheckRepairSelection(*selection);
  if (std::optional<common::Message> message = RepairSelectionMessage(check)) {
    if (check != SelectionCheck::kNothingSelected) {
      Messenger().Tell(*message);
      return;
    }
    if (Messenger().Ask(*message, common::Buttons::kYesNo) != common::Answer::kYes) return;
    request.all_groups = true;
  }
  std::optional<RepairRequest> chosen = RubyRepairDialog::Ask(request, this);
  if (!chosen) return;
  settings.repair_kind = chosen->kind;
  settings.repair_range = chosen->scope;
  std::optional<std::string> text = TextInSjis();
  if (!text) return;
  ReplaceText(ApplyRepair(*text, Pane()->SelectionStartByte(), *selection, *chosen));
  if (chosen->all_groups) check_before_conversions_ = false;
}

bool RubyWindow::EmphasisColouring() const {
  return emphasis_->IsColouring();
}

// A window that closes while it colours gives the busy cursor back.
void RubyWindow::WindowClosing() { emphasis_->Stop(); }

bool RubyWindow::EmphasisShown() const {
  return emphasis_->IsOn() || emphasis_->IsClearing();
}

void RubyWindow::ToggleEmphasis() {
  bool on = Named("rubyEmphasis")->isChecked();
  context_.settings->highlight_readings = on ? 1 : 0;
  SetEmphasis(on);
}

// Switching back to the plain display checks the notation first (while the check is on); a
// fault leaves the emphasis on, with the caret at the fault.
void RubyWindow::SetEmphasis(bool on) {
  if (on) {
    emphasis_->SwitchOn(context_.settings->highlight_max);
    return;
  }
  if (!check_before_conversions_) {
    emphasis_->SwitchOff();
    return;
  }
  StartOffCheck();
}

void RubyWindow::StartOffCheck() {
  if (!off_check_) {
    off_check_ = new QFutureWatcher<OffCheck>(this);
    connect(off_check_, &QFutureWatcher<OffCheck>::finished, this, [this] { FinishOffCheck(); });
  }
  if (off_check_->isRunning()) return;  // its verdict is weighed against the text when it ends
  off_check_revision_ = Pane()->document()->revision();
  // The editor holds LF line ends, the file CR LF: the check runs over the file's bytes.
  off_check_->setFuture(QtConcurrent::run(
      [text = Pane()->Text(), areas = common::NonRubyAreasOf(*context_.settings)] {
        OffCheck result;
        std::optional<std::string> sjis =
            common::ToShiftJis(text.toStdString(), common::TextEncoding::kUtf8, &result.bad);
        if (!sjis) return result;
        result.file = common::LfToCrLf(*sjis);
        common::StringTextSource source(*result.file);
        result.check = common::CheckNotation(source, 0, false, areas);
        return result;
      }));
}

void RubyWindow::FinishOffCheck() {
  // Switched on again while the check ran: nothing to decide.
  if (Named("rubyEmphasis")->isChecked()) return;
  // Edited while the check ran: its verdict is on another text.
  if (Pane()->document()->revision() != off_check_revision_) {
    StartOffCheck();
    return;
  }
  OffCheck result = off_check_->result();
  if (!check_before_conversions_ || (result.file && result.check.ok())) {
    emphasis_->SwitchOff();
    return;
  }
  context_.settings->highlight_readings = 1;
  Named("rubyEmphasis")->setChecked(true);
  if (!result.file) {
    jobs::TellUnencodable(Messenger(), DocumentPath().string(), result.bad);
  } else {
    Pane()->setExtraSelections({});
    ShowFault(result.check, *result.file);
  }
}

}  // namespace rubywindow::view
