// Drives read-aloud on the real speech service (Qt TextToSpeech on speech-dispatcher): Read of a
// 10,000-character text, Pause, Read (which resumes), Stop, then the settings window's test
// sentence, printing how long the service took to reach each state.
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

#include "common/settings.h"
#include "speech/qt/qt_speech_engine.h"
#include "speech/read_aloud.h"

namespace {

constexpr int kStateWaitMilliseconds = 10'000;

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
qint64 WaitFor(speech::qt::QtSpeechEngine& engine, QTextToSpeech::State state) {
  QElapsedTimer timer;
  timer.start();
  while (engine.State() != state && timer.elapsed() < kStateWaitMilliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return engine.State() == state ? timer.elapsed() : -1;
}

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
  QObject::connect(&engine, &speech::qt::QtSpeechEngine::ended,
                   [&speech] { speech.SpeechEnded(); });
  QObject::connect(&engine, &speech::qt::QtSpeechEngine::failed, [&speech](const QString& reason) {
    speech.ServiceFailed(reason.toStdString());
  });

  const std::string sentence = "今日は日本語の文章を読み上げる速さを測ります。\n";  // 24 characters
  std::string text;
  for (int count = 0; count * 24 < characters; ++count) text += sentence;

  bool ok = true;
  QElapsedTimer timer;
  timer.start();
  speech.Read(text);
  ok &= Report(("Read of " + std::to_string(characters) + " chars, speaking").c_str(),
               WaitFor(engine, QTextToSpeech::Speaking));
  std::printf("(Read returned after %lld ms)\n", static_cast<long long>(timer.elapsed()));
  Linger(500);
  speech.Pause();
  ok &= Report("Pause, paused", WaitFor(engine, QTextToSpeech::Paused));
  Linger(300);
  speech.Read(text);  // resumes; the text is not queued again
  ok &= Report("Read, speaking again", WaitFor(engine, QTextToSpeech::Speaking));
  Linger(300);
  speech.Stop();
  ok &= Report("Stop, ready", WaitFor(engine, QTextToSpeech::Ready));
  speech.Test(speech::TestSentence::kRate);
  ok &= Report("test sentence, speaking", WaitFor(engine, QTextToSpeech::Speaking));
  ok &= Report("test sentence, ended", WaitFor(engine, QTextToSpeech::Ready));
  std::printf("messages shown: %d, waiting texts: %zu\n", messenger.told, speech.Waiting());
  return ok && messenger.told == 0 ? 0 : 1;
}
