#include "speech/read_aloud.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "speech/audio_output.h"
#include "tests/speech/recording_engine.h"
#include "tests/support/recording_messenger.h"

namespace speech {
namespace {

using testing_support::Calls;
using testing_support::RecordingEngine;
using testing_support::RecordingMessenger;

class ReadAloudTest : public ::testing::Test {
 protected:
  ReadAloudTest() : settings(common::LoadSettings("/nonexistent")) {}

  common::Settings settings;
  RecordingEngine engine;
  RecordingMessenger messenger;
  ReadAloud speech{engine, settings, messenger};
};

TEST(ServiceScales, SettingsScalesMapOntoTheServiceRangesAndClamp) {
  struct Case {
    int setting;
    double rate;
    double volume;
  } cases[] = {{-10, -1.0, 0.0}, {-11, -1.0, 0.0}, {0, 0.0, 0.0},   {5, 0.5, 0.05},
               {10, 1.0, 0.1},   {40, 1.0, 0.4},   {100, 1.0, 1.0}, {150, 1.0, 1.0}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ServiceRate(c.setting), c.rate) << c.setting;
    EXPECT_DOUBLE_EQ(ServiceVolume(c.setting), c.volume) << c.setting;
  }
}

// Pieces end at a sentence end or a line feed once long enough, and lose nothing.
TEST(SpokenPieces, LongTextIsCutAfterSentenceEndsAndJoinsBackWhole) {
  std::string sentences;
  for (int count = 0; count < 40; ++count) sentences += count % 3 ? "あいうえお。" : "かきく？\n";
  struct Case {
    std::string text;
    std::size_t pieces;
  } cases[] = {
      {"", 0},
      {"短い。文。", 1},
      {std::string(500, 'a'), 1},  // no sentence end: one piece however long
      {sentences, 6},
  };
  for (const Case& c : cases) {
    std::vector<std::string> pieces = SpokenPieces(c.text);
    EXPECT_EQ(pieces.size(), c.pieces) << c.text;
    std::string joined;
    for (const std::string& piece : pieces) joined += piece;
    EXPECT_EQ(joined, c.text);
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
      EXPECT_TRUE(pieces[i].ends_with("。") || pieces[i].ends_with("？") ||
                  pieces[i].ends_with("\n"))
          << pieces[i];
    }
  }
}

TEST_F(ReadAloudTest, LongTextIsSpokenPieceByPiece) {
  std::string text;
  for (int count = 0; count < 20; ++count) text += "あいうえお。";
  speech.Read(text);
  EXPECT_EQ(engine.Spoken().size(), 1u);
  EXPECT_GT(speech.Waiting(), 0u);
  while (speech.Speaking()) speech.SpeechEnded();
  std::string spoken;
  for (const std::string& call : engine.Spoken()) spoken += call.substr(4);
  EXPECT_EQ(spoken, text);
}

// The defaults: SPEAKRATE 10 is the service's fastest, SPEAKVOL 40 is 0.4.
TEST_F(ReadAloudTest, ReadSetsRateAndVolumeThenSpeaksWithoutCarriageReturns) {
  speech.Read("日本\r\n語");
  EXPECT_EQ(engine.calls, (Calls{"rate 1.00", "volume 0.40", "say 日本\n語"}));
  EXPECT_TRUE(speech.Speaking());
}

TEST_F(ReadAloudTest, SwitchedOffReadDoesNothingButTheTestsStillSpeak) {
  settings.read_aloud = 0;
  speech.Read("text");
  EXPECT_TRUE(engine.calls.empty());
  speech.Test(TestSentence::kRate);
  speech.SpeechEnded();
  speech.Test(TestSentence::kEffect);
  EXPECT_EQ(engine.Spoken(), (Calls{"say 本文の読み上げの速さと音量のテストです。",
                                    "say 効果音の音量のテストです。"}));
}

TEST_F(ReadAloudTest, EmptyTextSetsRateAndVolumeAndSpeaksNothing) {
  settings.speak_rate = -3;
  speech.Read("\r");
  EXPECT_EQ(engine.calls, (Calls{"rate -0.30", "volume 0.40"}));
  EXPECT_FALSE(speech.Speaking());
}

TEST_F(ReadAloudTest, ReadWhileSpeakingWaitsForTheEnd) {
  speech.Read("one");
  speech.Read("two");
  speech.Read("three");
  EXPECT_EQ(engine.Spoken(), (Calls{"say one"}));
  speech.SpeechEnded();
  speech.SpeechEnded();
  EXPECT_EQ(engine.Spoken(), (Calls{"say one", "say two", "say three"}));
  speech.SpeechEnded();
  EXPECT_FALSE(speech.Speaking());
}

TEST_F(ReadAloudTest, PauseThenReadResumesAndStopEndsEverything) {
  speech.Read("one");
  speech.Read("two");
  speech.Pause();
  speech.Pause();
  EXPECT_TRUE(speech.Paused());
  speech.Read("ignored while paused");
  EXPECT_FALSE(speech.Paused());
  speech.Stop();
  EXPECT_EQ(engine.Spoken(), (Calls{"say one", "pause", "resume", "stop"}));
  // The end of the stopped speech must not start what waited before the stop.
  speech.SpeechEnded();
  EXPECT_EQ(engine.Spoken().size(), 4u);
  EXPECT_EQ(speech.Waiting(), 0u);
}

TEST_F(ReadAloudTest, StopWhilePausedKeepsThePauseForTheNextRead) {
  speech.Read("one");
  speech.Pause();
  speech.Stop();
  EXPECT_TRUE(speech.Paused());
  speech.Read("x");
  EXPECT_EQ(engine.Spoken(), (Calls{"say one", "pause", "resume"}));
}

// A pause with nothing to pause would turn the next Read into the resume of nothing.
TEST_F(ReadAloudTest, PauseWhenIdleLeavesReadWorking) {
  speech.Pause();
  EXPECT_FALSE(speech.Paused());
  speech.Read("text");
  EXPECT_EQ(engine.Spoken(), (Calls{"say text"}));
}

// A failure is told once, in Japanese whatever the service said, naming the operation and why;
// it ends the command. A failed playback is told as speech that cannot be heard.
TEST_F(ReadAloudTest, FailureIsToldOnceInJapaneseAndEndsTheCommand) {
  using speech::EngineError;
  const std::string not_answering =
      "音声合成サービス（speech-"
      "dispatcher）が応答しません。\nしばらくしてから、もう一度お試し下さい。";
  const std::string settings_refused =
      "音声合成サービスが速さ・音量・声の設定を受け付けませんでした。\n読み上げの設定を確かめて下さ"
      "い。";
  struct Case {
    const char* failing;  // an operation, or "speaking" for a failure while speaking
    EngineError error;
    std::string told;  // the whole message, or a line of it
    Calls spoken;
  } cases[] = {
      {"rate",
       EngineError::kSettings,
       "音声の速さの設定ができませんでした。\n\n" + settings_refused,
       {}},
      {"volume",
       EngineError::kService,
       "音声の音量の設定ができませんでした。\n\n" + not_answering,
       {}},
      {"say",
       EngineError::kText,
       "音声の読み上げができませんでした。\n\n音声合成サービスがこの文を受け付けませんでした。",
       {"say text"}},
      {"say", EngineError::kPlayback, "    pulseaudio（または pipewire-pulse）\n", {"say text"}},
      {"resume",
       EngineError::kService,
       "音声の再開ができませんでした。\n\n" + not_answering,
       {"say text", "pause", "resume"}},
      {"speaking", EngineError::kPlayback, "    speech-dispatcher-audio-plugins\n", {"say text"}},
      {"speaking",
       EngineError::kService,
       "音声の読み上げができませんでした。\n\n" + not_answering,
       {"say text"}},
  };
  for (const Case& c : cases) {
    common::Settings settings = common::LoadSettings("/nonexistent");
    RecordingEngine engine;
    RecordingMessenger messenger;
    ReadAloud speech(engine, settings, messenger);
    std::string failing = c.failing;
    if (failing == "resume") {
      speech.Read("text");
      speech.Pause();
    }
    if (failing != "speaking") engine.failing[failing] = c.error;
    speech.Read("text");
    if (failing == "speaking") speech.ServiceFailed(c.error);
    ASSERT_EQ(messenger.records.size(), 1u) << c.failing;
    EXPECT_EQ(messenger.records[0].title, "ご注意！");
    EXPECT_NE(messenger.records[0].text.find(c.told), std::string::npos)
        << c.failing << ": " << messenger.records[0].text;
    EXPECT_EQ(engine.Spoken(), c.spoken) << c.failing;
  }
}

TEST_F(ReadAloudTest, ServiceFailureWhileSpeakingDropsWhatWaits) {
  speech.Read("one");
  speech.Read("two");
  speech.ServiceFailed(speech::EngineError::kPlayback);
  EXPECT_EQ(messenger.records.size(), 1u);
  EXPECT_FALSE(speech.Speaking());
  EXPECT_EQ(speech.Waiting(), 0u);
  speech.Read("three");
  EXPECT_EQ(engine.Spoken().back(), "say three");
}

// Reaching the service goes on off the window's thread: what is asked for meanwhile waits and
// the progress line says so; a failure says why nothing can be heard and what to install, drops
// what waited, and the next command tries again.
TEST(ReadAloudStart, WaitsForTheServiceAndSaysWhyNothingCanBeHeard) {
  struct Case {
    StartFailure failure;
    const char* told;  // a line of the message, or none
    Calls spoken;
  } cases[] = {
      {StartFailure::kNone, nullptr, {"say one", "say two"}},
      {StartFailure::kNoService, "    speech-dispatcher\n", {}},
      {StartFailure::kNoVoice, "    speech-dispatcher-espeak-ng\n", {}},
      {StartFailure::kNoAudio, "    pulseaudio（または pipewire-pulse）\n", {}},
  };
  for (const Case& c : cases) {
    common::Settings settings = common::LoadSettings("/nonexistent");
    RecordingEngine engine;
    engine.start_outcome.reset();
    RecordingMessenger messenger;
    ReadAloud speech(engine, settings, messenger);
    speech.Read("one");
    speech.Read("two");
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_EQ(engine.starts, 1);
    EXPECT_EQ(messenger.progress, (std::vector<std::string>{"音声を準備しています…"}));
    speech.EngineStarted({c.failure});
    EXPECT_EQ(messenger.progress.back(), "");
    while (speech.Speaking()) speech.SpeechEnded();
    EXPECT_EQ(engine.Spoken(), c.spoken);
    if (c.told == nullptr) {
      EXPECT_TRUE(messenger.records.empty());
      continue;
    }
    ASSERT_EQ(messenger.records.size(), 1u);
    EXPECT_EQ(messenger.records[0].title, "ご注意！");
    EXPECT_NE(messenger.records[0].text.find(c.told), std::string::npos)
        << messenger.records[0].text;
    EXPECT_EQ(speech.Waiting(), 0u);
    speech.Test(TestSentence::kRate);
    EXPECT_EQ(engine.starts, 2);
  }
}

// A stop while the service is being reached leaves nothing to say once it is reached.
TEST(ReadAloudStart, StopWhileStartingDropsWhatWaited) {
  common::Settings settings = common::LoadSettings("/nonexistent");
  RecordingEngine engine;
  engine.start_outcome.reset();
  RecordingMessenger messenger;
  ReadAloud speech(engine, settings, messenger);
  speech.Read("one");
  speech.Stop();
  speech.EngineStarted({});
  EXPECT_TRUE(engine.Spoken().empty());
  speech.Read("two");
  EXPECT_EQ(engine.Spoken(), (Calls{"say two"}));
  EXPECT_EQ(engine.starts, 1);
}

TEST(AudioOutput, FoundThroughAServerSocketOrAPlaybackDevice) {
  std::filesystem::path root = std::filesystem::path(::testing::TempDir()) / "audio_output";
  std::filesystem::remove_all(root);
  struct Case {
    const char* name;
    std::string pulse_server;
    std::vector<std::string> files;  // made under the case's folder
    bool found;
  } cases[] = {
      {"nothing", "", {}, false},
      {"capture only", "", {"snd/pcmC0D0c", "snd/controlC0"}, false},
      {"playback device", "", {"snd/pcmC1D0p"}, true},
      {"pulse socket", "", {"run/pulse/native"}, true},
      {"pipewire socket", "", {"run/pipewire-0"}, true},
      {"system pulse", "", {"system/native"}, true},
      {"named server", "tcp:host", {}, true},
  };
  for (const Case& c : cases) {
    std::filesystem::path folder = root / c.name;
    std::filesystem::create_directories(folder);
    for (const std::string& file : c.files) {
      std::filesystem::create_directories((folder / file).parent_path());
      std::ofstream(folder / file).put('\n');
    }
    AudioPlaces places{c.pulse_server, folder / "run", folder / "system/native", folder / "snd"};
    EXPECT_EQ(AudioOutputFound(places), c.found) << c.name;
  }
}

}  // namespace
}  // namespace speech
