// The ruby window's YMI and NNN commands: their guards, their dialogs, the files they write and
// the windows that show them.
#include <QAction>

#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/sjis_codec.h"
#include "common/view/text_pane.h"
#include "common/platform/working_files.h"
#include "jobs/conversion_jobs.h"
#include "rubywindow/messages.h"
#include "rubywindow/nnn_writer.h"
#include "rubywindow/template_list.h"
#include "rubywindow/view/nnn_format_dialog.h"
#include "rubywindow/view/output_window.h"
#include "rubywindow/view/ruby_window.h"
#include "rubywindow/view/ruby_window_session.h"
#include "rubywindow/view/ymi_settings_dialog.h"

namespace rubywindow::view {

namespace fs = std::filesystem;
namespace core_messages = rubywindow::messages;

std::vector<common::view::ActionRow> RubyWindow::OutputActions() {
  return {
      {.name = "makeYmi",
       .caption = tr("ＹＭＩ作成＆表示(&Y)"),
       .key = QKeySequence(Qt::Key_F7),
       .hint = tr("YMIﾌｧｲﾙを作成＆オープンする"),
       .icon_text = tr("YMI"),
       .triggered = [this] { MakeYmi(); }},
      {.name = "makeNnn",
       .caption = tr("ＮＮＮ作成＆表示(&N)"),
       .key = QKeySequence(Qt::Key_F8),
       .hint = tr("ルビ書式をﾕｰｻﾞｰ変換する"),
       .icon_text = tr("NNN"),
       .triggered = [this] { MakeNnn(); }},
      // The pop-up entry stays usable whatever the document's name.
      {.name = "popupYmi", .caption = tr("YMI表示(&Y)"), .triggered = [this] { MakeYmi(); }},
      {.name = "popupNnn", .caption = tr("符号変換(&N)"), .triggered = [this] { MakeNnn(); }},
  };
}

// An empty text has nothing to convert, and a text whose notation is faulty would give a file
// with groups torn apart.
bool RubyWindow::MayConvert(const std::string& text) {
  if (text.empty()) {
    Tell(core_messages::kTitleNothingToConvert, std::string(core_messages::kNothingToConvert),
         common::Icon::kWarning);
    return false;
  }
  return PassesCheckBeforeConversion(text);
}

// The window's text as the conversion jobs take it, beside the document on disk, after the check
// that MayConvert has made; the file written, or nullopt after the job's message.
std::optional<jobs::JobResult> RubyWindow::RunConversion(
    const std::function<jobs::JobResult(const jobs::ConversionJob& job)>& run) {
  std::optional<jobs::JobText> text = EditedText();
  if (!text) return std::nullopt;
  jobs::Destination beside;
  common::WorkDir work(work_folder_.Path());
  jobs::JobResult written =
      run({.text = *text,
           .destination = beside,
           .work = work,
           .areas = common::NonRubyAreasOf(*context_.settings),
           .fault_line = {},
           .check_notation = false,
           .written_record = context_.program != nullptr ? context_.program->WrittenRecordDir()
                                                         : std::filesystem::path()});
  if (!written.ok) return std::nullopt;
  return written;
}

// The output windows belong to the window that owns this one, so that they outlive it and the
// program's exit question reaches them.
QWidget* RubyWindow::OutputWindowParent() {
  return parentWidget() != nullptr ? parentWidget() : this;
}

void RubyWindow::MakeYmi() {
  if (error_list_mode_) return;
  if (session_.ymi_window) {
    Tell(core_messages::kTitleCaution, std::string(core_messages::kYmiWindowOpen),
         common::Icon::kWarning);
    return;
  }
  std::optional<std::string> text = TextInSjis();
  if (!text || !MayConvert(*text)) return;
  common::Settings& settings = *context_.settings;
  YmiOptions options = session_.ymi.value_or(YmiOptionsOf(settings));
  if (!session_.ymi) {
    options.template_text = InitialTemplate(settings.ymi_template, settings.ymi_templates);
  }
  // The separator comes over from line-and-field ruby, whose output this usually is.
  if (!context_.line_field_separator.empty()) {
    options.separator_edit = context_.line_field_separator;
  }
  // A selection names the line-head mark.
  if (Pane()->textCursor().hasSelection()) {
    options.line_head_mark = common::view::EncodeSjisLossy(Pane()->SelectedText());
  }
  YmiSettingsDialog dialog(options, settings.ymi_templates, Messenger(), this, context_.open_help);
  if (dialog.exec() != QDialog::Accepted) return;
  session_.ymi = dialog.Options();
  settings.ymi_template = dialog.Options().template_text;
  settings.line_head_mark = dialog.Options().line_head_mark;

  // The dialog has refused its own faults and warned of missing markers.
  YmiOptions chosen = dialog.Options();
  chosen.warn_markers = false;
  std::optional<jobs::JobResult> written = RunConversion(
      [&](const jobs::ConversionJob& job) { return jobs::RunYmiJob(job, chosen, Messenger()); });
  if (!written) return;
  auto* window = new YmiWindow(context_, OutputWindowParent());
  session_.ymi_window = window;
  connect(window, &YmiWindow::Closed, window, &QObject::deleteLater);
  window->show();
  window->ShowOutputFile(written->file);
}

void RubyWindow::MakeNnn() {
  if (error_list_mode_) return;
  if (session_.nnn_window) {
    Tell(core_messages::kTitleNnnWindowOpen, std::string(core_messages::kNnnWindowOpen),
         common::Icon::kWarning);
    return;
  }
  std::optional<std::string> text = TextInSjis();
  if (!text || !MayConvert(*text)) return;
  common::Settings& settings = *context_.settings;
  if (!session_.nnn) session_.nnn = NnnChoices{.options = NnnOptionsOf(settings)};
  NnnFormatDialog dialog(settings, *session_.nnn, Messenger(), *context_.choosers, this,
                         context_.open_help);
  if (dialog.exec() != QDialog::Accepted) return;

  // The dialog has asked about missing markers.
  std::optional<jobs::JobResult> written = RunConversion([&](const jobs::ConversionJob& job) {
    return jobs::RunNnnJob(job, dialog.Options(), /*ask_on_missing_markers=*/false, Messenger());
  });
  if (!written || !dialog.ShowResult()) return;
  auto* window = new NnnWindow(context_, OutputWindowParent());
  session_.nnn_window = window;
  connect(window, &NnnWindow::Closed, window, &QObject::deleteLater);
  window->show();
  window->ShowOutputFile(written->file);
}

}  // namespace rubywindow::view
