// A speech engine for tests: records every operation, and fails the ones it is told to.
#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "speech/speech_engine.h"

namespace testing_support {

using Calls = std::vector<std::string>;

// Records every operation as a line; an operation named in `failing` fails with its error.
// Start reports `start_outcome` at once; without one the start goes on until the test reports
// its end to ReadAloud::EngineStarted.
class RecordingEngine final : public speech::SpeechEngine {
 public:
  std::optional<speech::StartOutcome> Start() override {
    ++starts;
    return start_outcome;
  }
  speech::EngineResult SetRate(double rate) override { return Record("rate " + Number(rate)); }
  speech::EngineResult SetVolume(double volume) override {
    return Record("volume " + Number(volume));
  }
  speech::EngineResult Say(std::string_view text) override {
    return Record("say " + std::string(text));
  }
  speech::EngineResult Pause() override { return Record("pause"); }
  speech::EngineResult Resume() override { return Record("resume"); }
  speech::EngineResult Stop() override { return Record("stop"); }

  // Only the speaking operations, without rate and volume.
  Calls Spoken() const {
    Calls spoken;
    for (const std::string& call : calls) {
      if (call.rfind("rate", 0) != 0 && call.rfind("volume", 0) != 0) spoken.push_back(call);
    }
    return spoken;
  }

  Calls calls;
  int starts = 0;
  std::optional<speech::StartOutcome> start_outcome = speech::StartOutcome{};
  std::map<std::string, speech::EngineError> failing;

 private:
  static std::string Number(double value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
  }
  speech::EngineResult Record(std::string call) {
    std::string operation = call.substr(0, call.find(' '));
    calls.push_back(std::move(call));
    auto failure = failing.find(operation);
    return {failure == failing.end() ? speech::EngineError::kNone : failure->second};
  }
};

}  // namespace testing_support
