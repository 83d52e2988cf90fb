// The Qt adapter: each operation is handed on, and a backend in its error state turns into the
// failure with the system's description; state changes come back as ended() and failed().
#include "speech/qt/qt_speech_engine.h"

#include <QLocale>
#include <QVoice>

#include "speech/messages.h"

namespace speech::qt {

QtSpeechEngine::QtSpeechEngine(QObject* parent) : QtSpeechEngine(QString(), parent) {}

QtSpeechEngine::QtSpeechEngine(const QString& engine_name, QObject* parent)
    : QObject(parent), engine_name_(engine_name) {}

QTextToSpeech::State QtSpeechEngine::State() const {
  return speech_ == nullptr ? QTextToSpeech::Ready : speech_->state();
}

QTextToSpeech& QtSpeechEngine::Speech() {
  if (speech_ != nullptr) return *speech_;
  speech_ =
      engine_name_.isEmpty() ? new QTextToSpeech(this) : new QTextToSpeech(engine_name_, this);
  connect(speech_, &QTextToSpeech::stateChanged, this, &QtSpeechEngine::StateChanged);
  connect(speech_, &QTextToSpeech::errorOccurred, this,
          [this](QTextToSpeech::ErrorReason, const QString& reason) {
            if (last_state_ == QTextToSpeech::Speaking) emit failed(reason);
          });
  ChooseJapaneseVoice();
  return *speech_;
}

// The texts are Japanese: a voice of another language would spell them out or say nothing.
void QtSpeechEngine::ChooseJapaneseVoice() {
  if (speech_->state() == QTextToSpeech::Error) return;
  for (const QLocale& locale : speech_->availableLocales()) {
    if (locale.language() == QLocale::Japanese) {
      speech_->setLocale(locale);
      return;
    }
  }
}

EngineResult QtSpeechEngine::Outcome() const {
  if (speech_->state() != QTextToSpeech::Error) return {};
  QString reason = speech_->errorString();
  if (reason.isEmpty())
    reason =
        QString::fromUtf8(messages::kNoSpeechService.data(), messages::kNoSpeechService.size());
  return {reason.toStdString()};
}

EngineResult QtSpeechEngine::SetRate(double rate) {
  Speech().setRate(rate);
  return Outcome();
}

EngineResult QtSpeechEngine::SetVolume(double volume) {
  Speech().setVolume(volume);
  return Outcome();
}

EngineResult QtSpeechEngine::Say(std::string_view text_utf8) {
  Speech().say(QString::fromUtf8(text_utf8.data(), static_cast<qsizetype>(text_utf8.size())));
  return Outcome();
}

EngineResult QtSpeechEngine::Pause() {
  Speech().pause();
  return Outcome();
}

EngineResult QtSpeechEngine::Resume() {
  Speech().resume();
  return Outcome();
}

EngineResult QtSpeechEngine::Stop() {
  Speech().stop();
  return Outcome();
}

// Speech that was going on (or paused) and is now over has ended, whether it ran out or was
// stopped; read-aloud knows which.
void QtSpeechEngine::StateChanged(QTextToSpeech::State state) {
  QTextToSpeech::State before = last_state_;
  last_state_ = state;
  if (state == QTextToSpeech::Ready &&
      (before == QTextToSpeech::Speaking || before == QTextToSpeech::Paused)) {
    emit ended();
  }
}

}  // namespace speech::qt
