// Holding and picking the browser program.
#include "rubywindow/view/browser_choice.h"

#include <QStandardPaths>

#include "common/cp932.h"
#include "common/settings.h"
#include "common/view/choosers.h"
#include "rubywindow/view/messages.h"

namespace rubywindow::view {

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::string BrowserProgram(const common::Settings& settings) {
  return common::Cp932ToUtf8(settings.web_browser).value_or(settings.web_browser);
}

void SetBrowserProgram(common::Settings& settings, const std::string& program_utf8) {
  // A name CP932 cannot hold is kept in UTF-8, which BrowserProgram gives back as it is.
  settings.web_browser = common::Utf8ToCp932(program_utf8).value_or(program_utf8);
}

std::optional<QString> AskBrowserProgram(common::view::Choosers& choosers, QWidget* parent,
                                         const std::string& current_utf8) {
  QString proposed = QString::fromStdString(current_utf8);
  if (!proposed.isEmpty() && !proposed.contains(QLatin1Char('/'))) {
    QString found = QStandardPaths::findExecutable(proposed);
    if (!found.isEmpty()) proposed = found;
  }
  return choosers.OpenFileName(parent, Utf8(messages::kBrowserDialogTitle), proposed,
                               common::view::QtFilterOf(messages::kBrowserDialogFilter));
}

std::optional<std::string> DialogBrowserPicker::PickBrowser() {
  std::optional<QString> chosen = AskBrowserProgram(choosers_, parent_, current_);
  if (!chosen) return std::nullopt;
  return chosen->toStdString();
}

}  // namespace rubywindow::view
