// The main text window's read-aloud commands: the selection or the whole text handed to the
// speech service, by its ruby readings when the settings say so.
#include <optional>

#include "app/main_text_window.h"
#include "app/ruby_commands/ruby_commands.h"
#include "common/view/text_pane.h"
#include "speech/qt/speech_settings_window.h"
#include "speech/read_aloud.h"

namespace app {

void MainTextWindow::ReadAloudClick() {
  if (context_.speech == nullptr) return;
  QString text = Pane()->SelectedText();
  if (text.isEmpty()) text = Pane()->Text();
  // Ruby is given only when the reading goes ahead: not while paused or switched off.
  const common::Settings& settings = *context_.settings;
  if (settings.read_ruby_readings != 0 && settings.read_aloud != 0 && !context_.speech->Paused() &&
      !text.isEmpty()) {
    std::optional<QString> readings = ruby_commands_->ReadingsOf(text);
    ShowProgress({});
    if (!readings) return;
    text = *readings;
  }
  context_.speech->Read(text.toStdString());
}

void MainTextWindow::PauseSpeechClick() {
  if (context_.speech != nullptr) context_.speech->Pause();
}

void MainTextWindow::StopSpeechClick() {
  if (context_.speech != nullptr) context_.speech->Stop();
}

// Made once and then only shown and hidden, so that it keeps its place.
void MainTextWindow::SpeechSettingsClick() {
  if (context_.speech == nullptr) return;
  if (speech_settings_ == nullptr) {
    speech_settings_ =
        new speech::qt::SpeechSettingsWindow(*context_.settings, *context_.speech, this);
  }
  speech_settings_->show();
  speech_settings_->raise();
  speech_settings_->activateWindow();
}

}  // namespace app
