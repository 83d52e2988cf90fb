// Reading text aloud: the rate and volume of the settings handed to the service, the paused
// flag, the queue of texts asked for while one is being spoken, pause, resume and stop, and one
// message naming the operation when the service fails.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"
#include "common/settings/settings.h"
#include "speech/speech_engine.h"

namespace speech {

// The settings' scales on the service's: SPEAKRATE -10 … 10 becomes -1 … 1 and SPEAKVOL
// 0 … 100 becomes 0 … 1, values beyond either end taken as that end.
double ServiceRate(int speak_rate);
double ServiceVolume(int speak_volume);

// The text as it is spoken: carriage returns removed, line feeds kept.
std::string SpokenText(std::string_view text_utf8);

// The text in the pieces it is handed to the service in: each ends after a sentence end (。！？)
// or a line feed once it holds enough to say, so that a long text starts at once and a pause or
// a stop takes effect within a sentence. Joined again, the pieces are the text.
std::vector<std::string> SpokenPieces(std::string_view text_utf8);

enum class TestSentence { kRate, kEffect };

class ReadAloud {
 public:
  // All three outlive the object; the settings are read at every command, so a change made in
  // the settings window takes effect at the next one.
  ReadAloud(SpeechEngine& engine, const common::Settings& settings, common::Messenger& messenger);

  // Speaks `text_utf8` (the selection, or the whole text) after whatever is being spoken, or
  // resumes paused speech. Nothing happens while reading aloud is switched off.
  void Read(std::string_view text_utf8);
  void Pause();                      // only while speaking; the next Read resumes
  void Stop();                       // ends the speech and drops what waits; nothing while paused
  void Test(TestSentence sentence);  // whatever the switch and the paused flag say

  // The engine's owner reports here the outcome of a start that went on off the window's
  // thread (see SpeechEngine::Start), that the text being spoken has ended, or that the service
  // failed while speaking. What was asked for while the service was being reached is spoken
  // once it is reached; when it cannot be, one message says why nothing can be heard and what
  // to install, and the next command tries again.
  void EngineStarted(const StartOutcome& outcome);
  void SpeechEnded();
  void ServiceFailed(EngineError error);

  // Whether Read would speak the text it is given, rather than resume paused speech or do
  // nothing at all: a window prepares the text only then.
  bool TakesNewText() const;
  bool Paused() const { return paused_; }
  bool Speaking() const { return speaking_; }
  bool Starting() const { return service_ == Service::kStarting; }
  std::size_t Waiting() const { return waiting_.size(); }

 private:
  enum class Service { kNotReached, kStarting, kReached };
  // Reaches the service unless it is reached: kNotReached after the message of a failed start.
  Service Reach();
  void TellUnheard(const StartOutcome& outcome);
  bool SetRateAndVolume();
  bool Enqueue(std::string text);  // false after the failure's message
  bool Succeeded(const EngineResult& result, std::string_view operation);

  SpeechEngine& engine_;
  const common::Settings& settings_;
  common::Messenger& messenger_;
  std::deque<std::string> waiting_;
  Service service_ = Service::kNotReached;
  bool speaking_ = false;
  bool paused_ = false;
};

}  // namespace speech
