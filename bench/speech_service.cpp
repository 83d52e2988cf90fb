// Drives read-aloud on the real speech service (Qt TextToSpeech on speech-dispatcher): the test
// sentence as the first command (which reaches the service), then Read of a 10,000-character
// text, Pause, Read (which resumes) and Stop, printing how long each state took.
//
//   speech_service [CHARACTERS]     (bench/speech_service sets up a private speech-dispatcher)
//
// exits 1 when a state was not reached within its time.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "common/settings/settings.h"
#include "speech/qt/qt_speech_engine.h"
#include "speech/read_aloud.h"

namespace {

constexpr int kStateWaitMilliseconds = 10'000;
// The test sentence lasts about ten seconds in espeak-ng's Japanese voice at the normal rate.
constexpr int kSentenceWaitMilliseconds = 30'000;

class PrintingMessenger final : public common::Messenger {
 public:
  void Tell(const common::Message& message) override {
    std::cerr << "【" << message.title << "】 " << message.text << "\n";
    ++told;
  }
  common::Answer Ask(const common::Message& message, common::Buttons) override {
    Tell(message);
    return common::Answer::kNo;
  }
  void SetProgress(std::string_view) override {}
  int told = 0;
};

// Waits for the engine to reach `state`; the milliseconds it took, or -1.
qint64 WaitFor(speech::qt::QtSpeechEngine& engine, QTextToSpeech::State state,
               int limit = kStateWaitMilliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (engine.State() != state && timer.elapsed() < limit) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return engine.State() == state ? timer.elapsed() : -1;
}

// The time a command took to return plus the wait after it; -1 when the wait failed.
qint64 After(qint64 returned, qint64 waited) { return waited < 0 ? -1 : returned + waited; }

bool Report(const char* step, qint64 milliseconds) {
  std::printf("%-34s %s\n", step,
              milliseconds < 0 ? "not reached" : (std::to_string(milliseconds) + " ms").c_str());
  return milliseconds >= 0;
}

void Linger(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  int characters = argc > 1 ? std::atoi(argv[1]) : 10'000;
  common::Settings settings = common::LoadSettings("/nonexistent");
  settings.speak_rate = 0;
  PrintingMessenger messenger;
  speech::qt::QtSpeechEngine engine;
  speech::ReadAloud speech(engine, settings, messenger);
  QObject::connect(&engine, &speech::qt::QtSpeechEngine::started,
                   [&speech](speech::StartOutcome outcome) { speech.EngineStarted(outcome); });
  QObject::connect(&engine, &speech::qt::QtSpeechEngine::ended,
                   [&speech] { speech.SpeechEnded(); });
  QObject::connect(&engine, &speech::qt::QtSpeechEngine::failed,
                   [&speech](speech::EngineError error) { speech.ServiceFailed(error); });

  const std::string sentence = "今日は日本語の文章を読み上げる速さを測ります。\n";  // 24 characters
  std::string text;
  for (int count = 0; count * 24 < characters; ++count) text += sentence;

  bool ok = true;
  // The first command reaches the service: starting it and listing its voices.
  QElapsedTimer timer;
  timer.start();
  speech.Test(speech::TestSentence::kRate);
  ok &= Report("first command, speaking",
               After(timer.elapsed(), WaitFor(engine, QTextToSpeech::Speaking)));
  ok &= Report("test sentence, ended",
               WaitFor(engine, QTextToSpeech::Ready, kSentenceWaitMilliseconds));

  timer.restart();
  speech.Read(text);
  qint64 returned = timer.elapsed();
  ok &= Report(("Read of " + std::to_string(characters) + " chars, speaking").c_str(),
               After(returned, WaitFor(engine, QTextToSpeech::Speaking)));
  Linger(500);
  speech.Pause();
  ok &= Report("Pause, paused", WaitFor(engine, QTextToSpeech::Paused));
  Linger(300);
  speech.Read(text);  // resumes; the text is not queued again
  ok &= Report("Read, speaking again", WaitFor(engine, QTextToSpeech::Speaking));
  Linger(300);
  speech.Stop();
  ok &= Report("Stop, ready", WaitFor(engine, QTextToSpeech::Ready));
  std::printf("messages shown: %d, waiting texts: %zu\n", messenger.told, speech.Waiting());
  return ok && messenger.told == 0 ? 0 : 1;
}
