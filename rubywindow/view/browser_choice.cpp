// Holding and picking the browser program.
#include "rubywindow/view/browser_choice.h"

#include <QPointer>
#include <QStandardPaths>
#include <QWidget>
#include <memory>

#include "common/encoding/cp932.h"
#include "common/settings/settings.h"
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

namespace {

// Hands starts on to `starter`, and their outcome back only while `window` is there.
class WindowBoundStarter final : public common::ProgramStarter {
 public:
  WindowBoundStarter(common::ProgramStarter& starter, QWidget* window)
      : starter_(starter), window_(window) {}
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    return starter_.Start(program, arguments);
  }
  void StartThen(const std::string& program, const std::vector<std::string>& arguments,
                 std::function<void(bool started)> started) override {
    starter_.StartThen(program, arguments,
                       [window = window_, started = std::move(started)](bool ok) {
                         if (!window.isNull()) started(ok);
                       });
  }

 private:
  common::ProgramStarter& starter_;
  QPointer<QWidget> window_;
};

// What a launch uses until its end, kept by the launch's last step.
struct BrowserLaunch {
  BrowserLaunch(common::ProgramStarter& starter, common::view::Choosers& choosers, QWidget* parent,
                const std::string& browser)
      : starter(starter, parent), picker(choosers, parent, browser) {}
  WindowBoundStarter starter;
  DialogBrowserPicker picker;
};

}  // namespace

void ShowInBrowser(const std::filesystem::path& page, common::Settings& settings,
                   common::view::Choosers& choosers, common::ProgramStarter& starter,
                   common::Messenger& messenger, QWidget* parent) {
  std::string browser = BrowserProgram(settings);
  auto launch = std::make_shared<BrowserLaunch>(starter, choosers, parent, browser);
  LaunchBrowserThen(page, browser, launch->starter, launch->picker, messenger,
                    [launch, &settings](LaunchStatus, const std::string& kept) {
                      // The outcome has been reported; only a picked browser is left to keep.
                      if (kept != BrowserProgram(settings)) SetBrowserProgram(settings, kept);
                    });
}

std::optional<std::string> DialogBrowserPicker::PickBrowser() {
  return AskBrowserProgram(choosers_, parent_, current_);
}

}  // namespace rubywindow::view
