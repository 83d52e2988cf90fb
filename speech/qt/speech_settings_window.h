// The speech settings window "音声の設定をする": reading on or off, by ruby readings or not, the
// rate and volume sliders with their test sentence, and the sound-effect controls, which are
// only kept and shown. It stays on top, and closing hides it, so that it keeps its place.
#pragma once

#include <QDialog>
#include <memory>

#include "common/settings/settings.h"
#include "speech/read_aloud.h"

namespace Ui {
class SpeechSettingsWindow;
}

namespace speech::qt {

// The sliders' positions for the settings, and back.
int RatePosition(int speak_rate);      // SPEAKRATE + 5, held within 0 … 10
int RateOfPosition(int position);      // position - 5
int VolumePosition(int speak_volume);  // SPEAKVOL / 10
int VolumeOfPosition(int position);    // position × 10

class SpeechSettingsWindow : public QDialog {
  Q_OBJECT

 public:
  // Each control changes `settings` at once; both outlive the window.
  SpeechSettingsWindow(common::Settings& settings, ReadAloud& speech, QWidget* parent);
  ~SpeechSettingsWindow() override;

 private:
  void ShowSettings();
  void Connect();

  std::unique_ptr<Ui::SpeechSettingsWindow> ui_;
  common::Settings& settings_;
  ReadAloud& speech_;
};

}  // namespace speech::qt
