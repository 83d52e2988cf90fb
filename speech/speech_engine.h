// The speech service as read-aloud sees it: a few asynchronous operations, each of which either
// goes well or fails in one of a few ways, which read-aloud tells in its own words.
#pragma once

#include <optional>
#include <string_view>

namespace speech {

// How an operation of the service failed. The service's own description is never shown: it is
// in English, and names its insides rather than what the user can do.
enum class EngineError {
  kNone,
  kService,   // the service could not be reached, or stopped answering
  kSettings,  // the service refused a rate, a volume or a voice
  kText,      // the service could not take the text
  kPlayback,  // the speech could not be played: no sound server, or the audio failed
};

// The outcome of one operation.
struct [[nodiscard]] EngineResult {
  EngineError error = EngineError::kNone;
  bool ok() const { return error == EngineError::kNone; }
};

// Why speech could not be heard, as found when the service was reached.
enum class StartFailure {
  kNone,
  kNoService,  // no speech service, or none that answers
  kNoVoice,    // the service has no Japanese voice
  kNoAudio,    // no sound server and no playback device: speech would go nowhere
};

struct StartOutcome {
  StartFailure failure = StartFailure::kNone;
  bool ok() const { return failure == StartFailure::kNone; }
};

class SpeechEngine {
 public:
  virtual ~SpeechEngine() = default;
  // Reaches the service. The first client of the service starts it, which takes seconds, so
  // this happens off the caller's thread: the outcome is returned when already known, or else
  // reported later by the engine's owner to ReadAloud::EngineStarted. The other operations are
  // used only after a start that went well.
  virtual std::optional<StartOutcome> Start() = 0;
  virtual EngineResult SetRate(double rate) = 0;      // -1 slowest … 0 normal … 1 fastest
  virtual EngineResult SetVolume(double volume) = 0;  // 0 silent … 1 loudest
  // Starts speaking at once, ending any speech still going on; the engine's owner reports the
  // end to ReadAloud::SpeechEnded.
  virtual EngineResult Say(std::string_view text_utf8) = 0;
  virtual EngineResult Pause() = 0;
  virtual EngineResult Resume() = 0;
  virtual EngineResult Stop() = 0;
};

}  // namespace speech
