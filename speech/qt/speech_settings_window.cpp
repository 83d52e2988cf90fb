// The speech settings window: controls that write straight into the settings record.
#include "speech/qt/speech_settings_window.h"

#include <algorithm>

#include "ui_speech_settings_window.h"

namespace speech::qt {

namespace {

constexpr int kRateCentre = 5;  // the slider's middle is the normal rate
constexpr int kSliderEnd = 10;
constexpr int kVolumeStep = 10;  // one slider step is ten points of SPEAKVOL

}  // namespace

int RatePosition(int speak_rate) { return std::clamp(speak_rate + kRateCentre, 0, kSliderEnd); }
int RateOfPosition(int position) { return position - kRateCentre; }
int VolumePosition(int speak_volume) {
  return std::clamp(speak_volume / kVolumeStep, 0, kSliderEnd);
}
int VolumeOfPosition(int position) { return position * kVolumeStep; }

SpeechSettingsWindow::SpeechSettingsWindow(common::Settings& settings, ReadAloud& speech,
                                           QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::SpeechSettingsWindow>()),
      settings_(settings),
      speech_(speech) {
  ui_->setupUi(this);
  setModal(false);
  ShowSettings();
  Connect();
}

SpeechSettingsWindow::~SpeechSettingsWindow() = default;

// Shown before anything is connected: a stored rate beyond the slider's end stays as it is
// until the user moves the slider.
void SpeechSettingsWindow::ShowSettings() {
  ui_->readAloudCheck->setChecked(settings_.read_aloud != 0);
  ui_->rubyReadingsCheck->setChecked(settings_.read_ruby_readings != 0);
  ui_->rateSlider->setValue(RatePosition(settings_.speak_rate));
  ui_->volumeSlider->setValue(VolumePosition(settings_.speak_volume));
  ui_->effectCheck->setChecked(settings_.sound_effects != 0);
  ui_->effectSlider->setValue(0);
}

void SpeechSettingsWindow::Connect() {
  connect(ui_->readAloudCheck, &QCheckBox::toggled, this,
          [this](bool on) { settings_.read_aloud = on ? 1 : 0; });
  connect(ui_->rubyReadingsCheck, &QCheckBox::toggled, this,
          [this](bool on) { settings_.read_ruby_readings = on ? 1 : 0; });
  connect(ui_->rateSlider, &QSlider::valueChanged, this,
          [this](int position) { settings_.speak_rate = RateOfPosition(position); });
  connect(ui_->volumeSlider, &QSlider::valueChanged, this,
          [this](int position) { settings_.speak_volume = VolumeOfPosition(position); });
  connect(ui_->effectCheck, &QCheckBox::toggled, this,
          [this](bool on) { settings_.sound_effects = on ? 1 : 0; });
  connect(ui_->effectSlider, &QSlider::valueChanged, this,
          [this](int position) { settings_.effect_volume = position; });
  connect(ui_->rateTestButton, &QPushButton::clicked, this,
          [this] { speech_.Test(TestSentence::kRate); });
  connect(ui_->effectTestButton, &QPushButton::clicked, this,
          [this] { speech_.Test(TestSentence::kEffect); });
  connect(ui_->closeButton, &QPushButton::clicked, this, &QWidget::hide);
}

}  // namespace speech::qt
