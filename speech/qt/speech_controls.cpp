// The settings window belongs to no text window: closing the ruby window that opened it must not
// take it away from the main window.
#include "speech/qt/speech_controls.h"

#include "speech/qt/speech_settings_window.h"

namespace speech::qt {

SpeechControls::SpeechControls(common::Settings& settings, ReadAloud& speech)
    : settings_(settings), speech_(speech) {}

SpeechControls::~SpeechControls() = default;

void SpeechControls::ShowSettingsWindow() {
  if (settings_window_ == nullptr) {
    settings_window_ = std::make_unique<SpeechSettingsWindow>(settings_, speech_, nullptr);
  }
  settings_window_->setAttribute(Qt::WA_QuitOnClose,
                                 false);  // the program ends with its main window
  settings_window_->show();
  settings_window_->raise();
  settings_window_->activateWindow();
}

}  // namespace speech::qt
