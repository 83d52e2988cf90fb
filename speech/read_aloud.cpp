// The read-aloud commands over the engine interface.
#include "speech/read_aloud.h"

#include <algorithm>

#include "common/message_format.h"
#include "speech/messages.h"

namespace speech {

namespace {

constexpr int kRateSteps = 10;     // SPEAKRATE runs -10 … 10
constexpr int kVolumeSteps = 100;  // SPEAKVOL runs 0 … 100
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
// A piece ends at the first sentence end after this many bytes (about 40 kana or kanji): the
// service then says it without a pause of its own in the middle of a phrase.
constexpr std::size_t kPieceBytes = 120;
constexpr std::string_view kSentenceEnds[] = {"。", "！", "？"};

// The length of the sentence end that `text` starts with, or 0.
std::size_t SentenceEndAt(std::string_view text) {
  if (!text.empty() && text.front() == kLineFeed) return 1;
  for (std::string_view end : kSentenceEnds) {
    if (text.starts_with(end)) return end.size();
  }
  return 0;
}

}  // namespace

double ServiceRate(int speak_rate) {
  return static_cast<double>(std::clamp(speak_rate, -kRateSteps, kRateSteps)) / kRateSteps;
}

double ServiceVolume(int speak_volume) {
  return static_cast<double>(std::clamp(speak_volume, 0, kVolumeSteps)) / kVolumeSteps;
}

// UTF-8 never uses a byte below 0x80 inside another character, so this removes only CRs.
std::string SpokenText(std::string_view text_utf8) {
  std::string spoken;
  spoken.reserve(text_utf8.size());
  std::copy_if(text_utf8.begin(), text_utf8.end(), std::back_inserter(spoken),
               [](char c) { return c != kCarriageReturn; });
  return spoken;
}

std::vector<std::string> SpokenPieces(std::string_view text_utf8) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t at = 0; at < text_utf8.size();) {
    std::size_t end_length = SentenceEndAt(text_utf8.substr(at));
    if (end_length == 0) {
      ++at;
      continue;
    }
    at += end_length;
    if (at - start >= kPieceBytes) {
      pieces.emplace_back(text_utf8.substr(start, at - start));
      start = at;
    }
  }
  if (start < text_utf8.size()) pieces.emplace_back(text_utf8.substr(start));
  return pieces;
}

ReadAloud::ReadAloud(SpeechEngine& engine, const common::Settings& settings,
                     common::Messenger& messenger)
    : engine_(engine), settings_(settings), messenger_(messenger) {}

void ReadAloud::Read(std::string_view text_utf8) {
  if (settings_.read_aloud == 0) return;
  Service service = Reach();
  if (service == Service::kNotReached) return;
  if (service == Service::kStarting) {
    for (std::string& piece : SpokenPieces(SpokenText(text_utf8))) {
      waiting_.push_back(std::move(piece));
    }
    return;
  }
  if (!SetRateAndVolume()) return;
  if (paused_) {
    if (Succeeded(engine_.Resume(), messages::kResume)) paused_ = false;
    return;
  }
  for (std::string& piece : SpokenPieces(SpokenText(text_utf8))) {
    if (!Enqueue(std::move(piece))) return;  // the failure was told; the rest would fail too
  }
}

bool ReadAloud::TakesNewText() const { return settings_.read_aloud != 0 && !paused_; }

// Pausing with nothing being spoken would leave a flag that turns the next Read into a resume
// of nothing, so that the text asked for is not read.
void ReadAloud::Pause() {
  if (paused_ || !speaking_) return;
  if (Succeeded(engine_.Pause(), messages::kPause)) paused_ = true;
}

void ReadAloud::Stop() {
  if (paused_) return;
  // What waits goes too: Stop means silence, not the next text.
  waiting_.clear();
  if (!speaking_) return;
  speaking_ = false;
  (void)Succeeded(engine_.Stop(), messages::kStop);  // the message is all there is to do
}

void ReadAloud::Test(TestSentence sentence) {
  std::string text(sentence == TestSentence::kRate ? messages::kRateTestSentence
                                                   : messages::kEffectTestSentence);
  Service service = Reach();
  if (service == Service::kNotReached) return;
  if (service == Service::kStarting) {
    waiting_.push_back(std::move(text));
    return;
  }
  if (!SetRateAndVolume()) return;
  (void)Enqueue(std::move(text));
}

ReadAloud::Service ReadAloud::Reach() {
  if (service_ != Service::kNotReached) return service_;
  std::optional<StartOutcome> outcome = engine_.Start();
  if (!outcome) {
    service_ = Service::kStarting;
    messenger_.SetProgress(messages::kPreparingSpeech);
  } else if (outcome->ok()) {
    service_ = Service::kReached;
  } else {
    TellUnheard(*outcome);
  }
  return service_;
}

void ReadAloud::EngineStarted(const StartOutcome& outcome) {
  if (service_ != Service::kStarting) return;
  messenger_.SetProgress("");
  if (!outcome.ok()) {
    service_ = Service::kNotReached;
    waiting_.clear();
    TellUnheard(outcome);
    return;
  }
  service_ = Service::kReached;
  // A Stop while the service was being reached leaves nothing to say.
  if (waiting_.empty()) return;
  std::string first = std::move(waiting_.front());
  waiting_.pop_front();
  if (!SetRateAndVolume() || !Enqueue(std::move(first))) waiting_.clear();
}

void ReadAloud::TellUnheard(const StartOutcome& outcome) {
  std::string_view text = messages::kUnheardNoService;
  if (outcome.failure == StartFailure::kNoVoice) text = messages::kUnheardNoVoice;
  if (outcome.failure == StartFailure::kNoAudio) text = messages::kUnheardNoAudio;
  messenger_.Tell(
      {std::string(messages::kTitleSpeechUnheard), std::string(text), common::Icon::kWarning});
}

void ReadAloud::SpeechEnded() {
  if (!speaking_) return;  // the end of speech that Stop ended
  speaking_ = false;
  if (waiting_.empty()) return;
  std::string next = std::move(waiting_.front());
  waiting_.pop_front();
  if (!Enqueue(std::move(next))) waiting_.clear();
}

void ReadAloud::ServiceFailed(EngineError error) {
  waiting_.clear();
  speaking_ = false;
  (void)Succeeded({error}, messages::kSpeak);  // says so, once
}

bool ReadAloud::SetRateAndVolume() {
  return Succeeded(engine_.SetRate(ServiceRate(settings_.speak_rate)), messages::kSetRate) &&
         Succeeded(engine_.SetVolume(ServiceVolume(settings_.speak_volume)), messages::kSetVolume);
}

// The engine speaks one text at a time; the next waits for the end of the one before, or for
// the resume of paused speech.
bool ReadAloud::Enqueue(std::string text) {
  if (speaking_ || paused_) {
    waiting_.push_back(std::move(text));
    return true;
  }
  if (!Succeeded(engine_.Say(text), messages::kSpeak)) return false;
  speaking_ = true;
  return true;
}

bool ReadAloud::Succeeded(const EngineResult& result, std::string_view operation) {
  if (result.ok()) return true;
  if (result.error == EngineError::kPlayback) {
    TellUnheard({StartFailure::kNoAudio});
    return false;
  }
  std::string_view why = messages::kServiceNotAnswering;
  if (result.error == EngineError::kSettings) why = messages::kSettingsRefused;
  if (result.error == EngineError::kText) why = messages::kTextRefused;
  messenger_.Tell({std::string(messages::kTitleSpeechFailed),
                   common::FormatMessage(messages::kSpeechFailed, {operation, why}),
                   common::Icon::kWarning});
  return false;
}

}  // namespace speech
