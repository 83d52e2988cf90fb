// The speech service as read-aloud sees it: a few asynchronous operations, each of which either
// goes well or fails with the system's reason.
#pragma once

#include <string>
#include <string_view>

namespace speech {

// The outcome of one operation; `reason` is the system's description of a failure.
struct [[nodiscard]] EngineResult {
  std::string reason;
  bool ok() const { return reason.empty(); }
};

class SpeechEngine {
 public:
  virtual ~SpeechEngine() = default;
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
