// Holding and picking the browser program.
#include "rubywindow/view/browser_choice.h"

#include <QStandardPaths>

#include "common/cp932.h"
#include "common/settings.h"
#include "common/view/choosers.h"
#include "common/view/qt_text.h"
#include "rubywindow/view/messages.h"

namespace rubywindow::view {

using common::view::QStringOfUtf8;

std::string BrowserProgram(const common::Settings& settings) {
  return common::Cp932ToUtf8(settings.web_browser).value_or(settings.web_browser);
}

void SetBrowserProgram(common::Settings& settings, const std::string& program_utf8) {
  // A name CP932 cannot hold is kept in UTF-8, which BrowserProgram gives back as it is.
  settings.web_browser = common::Utf8ToCp932(program_utf8).value_or(program_utf8);
}

std::optional<std::string> AskBrowserProgram(common::view::Choosers& choosers, QWidget* parent,
                                             const std::string& current_utf8) {
  QString proposed = QStringOfUtf8(current_utf8);
  if (!proposed.isEmpty() && !proposed.contains(QLatin1Char('/'))) {
    QString found = QStandardPaths::findExecutable(proposed);
    if (!found.isEmpty()) proposed = found;
  }
  std::optional<QString> chosen =
      choosers.OpenFileName(parent, QStringOfUtf8(messages::kBrowserDialogTitle), proposed,
                            common::view::QtFilterOf(messages::kBrowserDialogFilter));
  if (!chosen) return std::nullopt;
  return common::view::PathOfQString(*chosen).string();
}

void LaunchWithStoredBrowser(
    common::Settings& settings, common::view::Choosers& choosers, QWidget* parent,
    const std::function<void(std::string& browser, BrowserPicker& picker)>& launch) {
  std::string browser = BrowserProgram(settings);
  DialogBrowserPicker picker(choosers, parent, browser);
  launch(browser, picker);
  if (browser != BrowserProgram(settings)) SetBrowserProgram(settings, browser);
}

std::optional<std::string> DialogBrowserPicker::PickBrowser() {
  return AskBrowserProgram(choosers_, parent_, current_);
}

}  // namespace rubywindow::view
