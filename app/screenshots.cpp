// Taking the documentation's pictures from inside the program.
#include "app/screenshots.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "app/main_text_window.h"
#include "app/messages.h"
#include "app/ruby_commands/ruby_commands.h"
#include "common/message_format.h"
#include "common/view/qt_text.h"
#include "rubywindow/view/messages.h"
#include "rubywindow/view/output_window.h"
#include "rubywindow/view/ruby_window.h"

namespace app {

namespace {

// Time for the windows to be laid out and painted before they are grabbed.
constexpr int kSettleMilliseconds = 1000;

bool Save(QWidget* window, const std::filesystem::path& file) {
  return window != nullptr && window->grab().save(common::view::QStringOfPath(file), "PNG");
}

// The exit question about the ruby window's text, which shows Qt's stock buttons.
void ScheduleQuestionScreenshot(QWidget* over, const std::filesystem::path& folder, bool saved) {
  auto* box = new QMessageBox(
      QMessageBox::Question, common::view::QStringOfUtf8(messages::kTitleCloseQuery),
      common::view::QStringOfUtf8(
          common::FormatMessage(rubywindow::view::messages::kCloseQuery, {messages::kUnsavedText})),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, over);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->show();
  QTimer::singleShot(kSettleMilliseconds, box, [box, folder, saved] {
    bool box_saved = Save(box, folder / "question_box.png");
    box->close();
    QCoreApplication::exit(saved && box_saved ? 0 : 1);
  });
}

// The YMI dialog over the ruby window (then left by 中止), and the NNN window with the file that
// F8 writes under the dialog's first template. True when both were saved.
bool SaveOutputScreenshots(MainTextWindow& window, const std::filesystem::path& folder) {
  rubywindow::view::RubyWindow* ruby = window.RubyWindowIfOpen();
  if (ruby == nullptr) return false;
  bool dialog_saved = false;
  QTimer::singleShot(kSettleMilliseconds, ruby, [&dialog_saved, folder] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    dialog_saved = Save(dialog, folder / "ymi_dialog.png");
    if (dialog != nullptr) dialog->reject();
  });
  ruby->MakeYmi();
  QTimer::singleShot(kSettleMilliseconds, ruby, [] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      if (auto* run = dialog->findChild<QPushButton*>(QStringLiteral("runButton"))) run->click();
    }
  });
  ruby->MakeNnn();
  return dialog_saved;
}

// The print margin dialog over the main text window, left by 中止. True when it was saved.
bool SaveMarginDialogScreenshot(MainTextWindow& window, const std::filesystem::path& folder) {
  bool saved = false;
  QTimer::singleShot(kSettleMilliseconds, &window, [&saved, folder] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    saved = Save(dialog, folder / "print_margins.png");
    if (dialog != nullptr) dialog->reject();
  });
  window.ChoosePrintMargins();
  return saved;
}

// The speech settings window, opened from the main text window's menu and hidden again.
bool SaveSpeechSettings(MainTextWindow& window, const std::filesystem::path& folder) {
  window.SpeechSettingsClick();
  // It belongs to no window: every text window shows the same one.
  QWidget* settings_window = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == QStringLiteral("SpeechSettingsWindow")) settings_window = top;
  }
  bool saved = Save(settings_window, folder / "speech_settings.png");
  if (settings_window != nullptr) settings_window->hide();
  return saved;
}

}  // namespace

void ScheduleScreenshots(MainTextWindow& window, const std::filesystem::path& folder) {
  QTimer::singleShot(kSettleMilliseconds, &window, [&window, folder] {
    bool main_saved = Save(&window, folder / "main_window.png") &&
                      SaveMarginDialogScreenshot(window, folder);
    main_saved = SaveSpeechSettings(window, folder) && main_saved;
    window.Commands().AllRubiClick();
    QTimer::singleShot(kSettleMilliseconds, &window, [&window, folder, main_saved] {
      bool ruby_saved = Save(window.RubyWindowIfOpen(), folder / "ruby_window.png");
      bool dialog_saved = SaveOutputScreenshots(window, folder);
      bool shown = main_saved && ruby_saved && dialog_saved;
      QTimer::singleShot(kSettleMilliseconds, &window, [&window, folder, shown] {
        bool nnn_saved =
            Save(window.findChild<rubywindow::view::NnnWindow*>(), folder / "nnn_window.png");
        ScheduleQuestionScreenshot(window.RubyWindowIfOpen(), folder, shown && nnn_saved);
      });
    });
  });
}

}  // namespace app
