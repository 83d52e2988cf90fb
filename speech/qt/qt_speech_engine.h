// The speech engine on Qt TextToSpeech (speech-dispatcher on Linux), with a Japanese voice. The
// service is reached at the first speech command, not at the program's start, and on a thread of
// its own: the first client starts the service and lists its voices, which takes seconds that
// no window should stand still for. A pause stops the text being said, and the resume says it
// again (see Pause).
#pragma once

#include <QObject>
#include <QString>
#include <QTextToSpeech>
#include <optional>

#include "speech/speech_engine.h"

class QThread;

namespace speech::qt {

class QtSpeechEngine final : public QObject, public SpeechEngine {
  Q_OBJECT

 public:
  explicit QtSpeechEngine(QObject* parent = nullptr);
  // For tests and for a machine with a preferred engine: one of availableEngines().
  QtSpeechEngine(const QString& engine_name, QObject* parent);
  ~QtSpeechEngine() override;

  std::optional<StartOutcome> Start() override;
  EngineResult SetRate(double rate) override;
  EngineResult SetVolume(double volume) override;
  EngineResult Say(std::string_view text_utf8) override;
  EngineResult Pause() override;
  EngineResult Resume() override;
  EngineResult Stop() override;

  // The service's state, and Paused between a Pause and the next Resume or Stop.
  QTextToSpeech::State State() const;

 signals:
  void started(speech::StartOutcome outcome);  // the end of a start that Start left going
  void ended();                                // the text that was being spoken has ended
  void failed(speech::EngineError error);      // the service failed while speaking

 private:
  QTextToSpeech& Speech();
  void ChooseJapaneseVoice();
  EngineResult Outcome() const;
  void StateChanged(QTextToSpeech::State state);

  QString engine_name_;
  QThread* starter_ = nullptr;       // while the service is being reached
  QTextToSpeech* speech_ = nullptr;  // made at the first operation
  QTextToSpeech::State last_state_ = QTextToSpeech::Ready;
  QString saying_;  // the text of the last Say, said again on Resume
  bool paused_ = false;
  // The end that the stop of a pause brings is no end of the text: it is not reported.
  bool pause_end_due_ = false;
};

}  // namespace speech::qt
