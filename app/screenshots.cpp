// Taking the documentation's pictures from inside the program.
#include "app/screenshots.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QTimer>

#include "app/main_text_window.h"
#include "app/ruby_commands/ruby_commands.h"
#include "common/view/qt_text.h"
#include "rubywindow/view/ruby_window.h"

namespace app {

namespace {

// Time for the windows to be laid out and painted before they are grabbed.
constexpr int kSettleMilliseconds = 1000;

bool Save(QWidget* window, const std::filesystem::path& file) {
  return window != nullptr && window->grab().save(common::view::QStringOfPath(file), "PNG");
}

}  // namespace

void ScheduleScreenshots(MainTextWindow& window, const std::filesystem::path& folder) {
  QTimer::singleShot(kSettleMilliseconds, &window, [&window, folder] {
    bool main_saved = Save(&window, folder / "main_window.png");
    window.Commands().AllRubiClick();
    QTimer::singleShot(kSettleMilliseconds, &window, [&window, folder, main_saved] {
      bool ruby_saved = Save(window.RubyWindowIfOpen(), folder / "ruby_window.png");
      QCoreApplication::exit(main_saved && ruby_saved ? 0 : 1);
    });
  });
}

}  // namespace app
