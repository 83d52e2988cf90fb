// The Qt adapter: each operation is handed on, and a backend in its error state turns into the
// failure of its kind; state changes come back as ended() and failed().
#include "speech/qt/qt_speech_engine.h"

#include <QLocale>
#include <QThread>
#include <QVoice>
#include <algorithm>
#include <memory>

#include "speech/audio_output.h"

namespace speech::qt {

namespace {

bool HasJapanese(const QList<QLocale>& locales) {
  return std::any_of(locales.begin(), locales.end(),
                     [](const QLocale& locale) { return locale.language() == QLocale::Japanese; });
}

// The backend's reason as read-aloud tells it; an error without one is the service's.
EngineError ErrorOf(QTextToSpeech::ErrorReason reason) {
  switch (reason) {
    case QTextToSpeech::ErrorReason::Configuration:
      return EngineError::kSettings;
    case QTextToSpeech::ErrorReason::Input:
      return EngineError::kText;
    case QTextToSpeech::ErrorReason::Playback:
      return EngineError::kPlayback;
    case QTextToSpeech::ErrorReason::NoError:
    case QTextToSpeech::ErrorReason::Initialization:
      break;
  }
  return EngineError::kService;
}

// Reaches the service once on the calling thread, which starts it when it is not running, and
// finds out whether speech would be heard.
StartOutcome ProbeService(const QString& engine_name) {
  QStringList engines = QTextToSpeech::availableEngines();
  if (engines.isEmpty() || (!engine_name.isEmpty() && !engines.contains(engine_name))) {
    return {StartFailure::kNoService};
  }
  std::unique_ptr<QTextToSpeech> speech = engine_name.isEmpty()
                                              ? std::make_unique<QTextToSpeech>()
                                              : std::make_unique<QTextToSpeech>(engine_name);
  if (speech->state() == QTextToSpeech::Error) return {StartFailure::kNoService};
  if (!HasJapanese(speech->availableLocales())) return {StartFailure::kNoVoice};
  if (!AudioOutputFound(SystemAudioPlaces())) return {StartFailure::kNoAudio};
  return {};
}

}  // namespace

QtSpeechEngine::QtSpeechEngine(QObject* parent) : QtSpeechEngine(QString(), parent) {}

QtSpeechEngine::QtSpeechEngine(const QString& engine_name, QObject* parent)
    : QObject(parent), engine_name_(engine_name) {}

// The program may end while the service is being reached; the thread is let finish first.
QtSpeechEngine::~QtSpeechEngine() {
  if (starter_ == nullptr) return;
  starter_->wait();
  delete starter_;
}

// The probe leaves the service running, so that the engine made here afterwards for the
// window's thread connects at once.
std::optional<StartOutcome> QtSpeechEngine::Start() {
  if (speech_ != nullptr) return StartOutcome{};
  if (starter_ != nullptr) return std::nullopt;
  auto found = std::make_shared<StartOutcome>();
  starter_ = QThread::create([found, name = engine_name_] { *found = ProbeService(name); });
  connect(starter_, &QThread::finished, this, [this, found] {
    starter_->deleteLater();
    starter_ = nullptr;
    if (found->ok()) (void)Speech();
    emit started(*found);
  });
  starter_->start();
  return std::nullopt;
}

QTextToSpeech::State QtSpeechEngine::State() const {
  if (speech_ == nullptr) return QTextToSpeech::Ready;
  if (paused_ && speech_->state() == QTextToSpeech::Ready) return QTextToSpeech::Paused;
  return speech_->state();
}

QTextToSpeech& QtSpeechEngine::Speech() {
  if (speech_ != nullptr) return *speech_;
  speech_ =
      engine_name_.isEmpty() ? new QTextToSpeech(this) : new QTextToSpeech(engine_name_, this);
  connect(speech_, &QTextToSpeech::stateChanged, this, &QtSpeechEngine::StateChanged);
  connect(speech_, &QTextToSpeech::errorOccurred, this,
          [this](QTextToSpeech::ErrorReason reason, const QString&) {
            if (last_state_ == QTextToSpeech::Speaking) emit failed(ErrorOf(reason));
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
  return {ErrorOf(speech_->errorReason())};
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
  saying_ = QString::fromUtf8(text_utf8.data(), static_cast<qsizetype>(text_utf8.size()));
  paused_ = false;
  Speech().say(saying_);
  return Outcome();
}

// speech-dispatcher 0.11.4 (Debian 12) never tells its clients that a pause has taken effect:
// Qt stays in Speaking, ignores resume() and leaves the service paused, so that neither Read
// nor Stop would ever be heard again. Stopping and saying the text again works on every service;
// read-aloud hands over a sentence or so at a time, so a resume repeats at most that much.
EngineResult QtSpeechEngine::Pause() {
  QTextToSpeech& speech = Speech();
  pause_end_due_ = speech.state() != QTextToSpeech::Ready;
  paused_ = true;
  speech.stop();
  return Outcome();
}

EngineResult QtSpeechEngine::Resume() {
  if (!paused_) return {};
  paused_ = false;
  Speech().say(saying_);
  return Outcome();
}

EngineResult QtSpeechEngine::Stop() {
  paused_ = false;
  Speech().stop();
  return Outcome();
}

// Speech that was going on (or paused) and is now over has ended, whether it ran out or was
// stopped; read-aloud knows which.
void QtSpeechEngine::StateChanged(QTextToSpeech::State state) {
  QTextToSpeech::State before = last_state_;
  last_state_ = state;
  if (state == QTextToSpeech::Ready && pause_end_due_) {
    pause_end_due_ = false;
    return;
  }
  if (state == QTextToSpeech::Ready &&
      (before == QTextToSpeech::Speaking || before == QTextToSpeech::Paused)) {
    emit ended();
  }
}

}  // namespace speech::qt
