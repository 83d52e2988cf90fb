// The ruby window's exports: its text as a worksheet for the word processor or the browser,
// written beside its document by the same job as the command line's export.
#include <QAction>

#include "common/message_format.h"
#include "common/settings.h"
#include "engine/first_ruby.h"
#include "jobs/export_job.h"
#include "rubywindow/view/messages.h"
#include "rubywindow/view/ruby_window.h"

namespace rubywindow::view {

std::vector<common::view::ActionRow> RubyWindow::ExportActions() {
  using worksheet::SheetFormat;
  return {
      {.name = "exportOdt",
       .caption = tr("ODT書き出し（LibreOffice用）(&O)"),
       .hint = tr("ルビ付きのODT文書を書き出す"),
       .triggered = [this] { ExportSheet(SheetFormat::kOdt, false); }},
      {.name = "exportDocx",
       .caption = tr("DOCX書き出し（Word用）(&D)"),
       .hint = tr("ルビ付きのDOCX文書を書き出す"),
       .triggered = [this] { ExportSheet(SheetFormat::kDocx, false); }},
      {.name = "exportHtml5",
       .caption = tr("HTML5書き出し(&H)"),
       .hint = tr("ルビ付きのHTML5ページを書き出す"),
       .triggered = [this] { ExportSheet(SheetFormat::kHtml5, false); }},
      {.name = "exportHtml5Vertical",
       .caption = tr("HTML5書き出し（縦書き）(&T)"),
       .hint = tr("縦書きのHTML5ページを書き出す"),
       .triggered = [this] { ExportSheet(SheetFormat::kHtml5, true); }},
  };
}

// Ruby on first occurrences follows the setting, as the ruby commands do.
void RubyWindow::ExportSheet(worksheet::SheetFormat format, bool vertical) {
  if (error_list_mode_) return;
  std::optional<std::string> text = TextInSjis();
  if (!text || !MayConvert(*text)) return;
  jobs::ExportChoices choices{.format = format,
                              .first_ruby = engine::FirstRubyScopeOf(*context_.settings),
                              .vertical = vertical};
  std::optional<jobs::JobResult> written = RunConversion([&](const jobs::ConversionJob& job) {
    return jobs::RunExportJob(job, choices, Messenger());
  });
  if (!written) return;
  Tell(messages::kTitleSheetWritten,
       common::FormatMessage(messages::kSheetWritten, {written->file.string()}),
       common::Icon::kInformation);
}

}  // namespace rubywindow::view
