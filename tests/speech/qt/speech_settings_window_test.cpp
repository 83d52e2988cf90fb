// The speech settings window writes each control straight into the settings, shows a stored value
// beyond a slider's end without changing it, and its test buttons speak whatever the switch says.
#include "speech/qt/speech_settings_window.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "tests/speech/recording_engine.h"
#include "tests/support/recording_messenger.h"

using testing_support::Calls;

class SpeechSettingsWindowTest : public QObject {
  Q_OBJECT

  template <typename T>
  static T* Control(QWidget& window, const char* name) {
    T* control = window.findChild<T*>(name);
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }

 private slots:
  void slidersShowTheStoredValuesAndWriteTheirOwn() {
    common::Settings settings = common::LoadSettings("/nonexistent");
    settings.speak_rate = 10;
    settings.speak_volume = 45;
    testing_support::RecordingEngine engine;
    testing_support::RecordingMessenger messenger;
    speech::ReadAloud speech(engine, settings, messenger);
    speech::qt::SpeechSettingsWindow window(settings, speech, nullptr);

    auto* rate = Control<QSlider>(window, "rateSlider");
    auto* volume = Control<QSlider>(window, "volumeSlider");
    QCOMPARE(rate->value(), rate->maximum());
    QCOMPARE(volume->value(), 4);
    QCOMPARE(settings.speak_rate, 10);  // handed to the service as it is until moved
    QCOMPARE(settings.speak_volume, 45);
    volume->setValue(5);
    rate->setValue(0);
    QCOMPARE(settings.speak_volume, 50);
    QCOMPARE(settings.speak_rate, -5);
    QVERIFY(!Control<QSlider>(window, "effectSlider")->isEnabled());

    Control<QCheckBox>(window, "readAloudCheck")->setChecked(false);
    Control<QCheckBox>(window, "rubyReadingsCheck")->setChecked(true);
    Control<QCheckBox>(window, "effectCheck")->setChecked(false);
    QCOMPARE(settings.read_aloud, 0);
    QCOMPARE(settings.read_ruby_readings, 1);
    QCOMPARE(settings.sound_effects, 0);
  }

  void testButtonsSpeakWhileReadingIsOff() {
    common::Settings settings = common::LoadSettings("/nonexistent");
    settings.read_aloud = 0;
    testing_support::RecordingEngine engine;
    testing_support::RecordingMessenger messenger;
    speech::ReadAloud speech(engine, settings, messenger);
    speech::qt::SpeechSettingsWindow window(settings, speech, nullptr);
    window.show();
    Control<QPushButton>(window, "rateTestButton")->click();
    speech.SpeechEnded();
    Control<QPushButton>(window, "effectTestButton")->click();
    QCOMPARE(engine.Spoken(), (Calls{"say 本文の読み上げの速さと音量のテストです。",
                                     "say 効果音の音量のテストです。"}));
    Control<QPushButton>(window, "closeButton")->click();
    QVERIFY(!window.isVisible());
  }
};

QTEST_MAIN(SpeechSettingsWindowTest)
#include "speech_settings_window_test.moc"
