// What the speech commands of every text window reach: the program's one read-aloud, and its one
// settings window, so that a change made from one window shows in the settings window of all.
#pragma once

#include <memory>

#include "common/settings/settings.h"
#include "speech/read_aloud.h"

namespace speech::qt {

class SpeechSettingsWindow;

class SpeechControls {
 public:
  // Both outlive the object.
  SpeechControls(common::Settings& settings, ReadAloud& speech);
  ~SpeechControls();
  SpeechControls(const SpeechControls&) = delete;
  SpeechControls& operator=(const SpeechControls&) = delete;

  ReadAloud& Speech() const { return speech_; }
  // Shows the settings window in front. It is made at the first call and only hidden after
  // that, so that its controls and its place stay as the user left them.
  void ShowSettingsWindow();
  SpeechSettingsWindow* SettingsWindow() const { return settings_window_.get(); }  // or none yet

 private:
  common::Settings& settings_;
  ReadAloud& speech_;
  std::unique_ptr<SpeechSettingsWindow> settings_window_;
};

}  // namespace speech::qt
