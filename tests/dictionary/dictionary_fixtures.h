// Inputs and tools shared by the dictionary tests.
#pragma once

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "tests/support/test_helpers.h"

namespace dictionary::fixtures {

inline std::filesystem::path Golden(std::string_view name) {
  return testing_support::TestData("dictionary/golden") / name;
}

// A RecordingMessenger that also does something when it is asked, to change the world between
// two steps of a command.
class ActingMessenger : public testing_support::RecordingMessenger {
 public:
  std::function<void()> on_ask;
  common::Answer Ask(const common::Message& message, common::Buttons buttons) override {
    if (on_ask) on_ask();
    return RecordingMessenger::Ask(message, buttons);
  }
};

// 256 source lines of six-character words that are permutations of the same characters: their
// characters add up alike, so all of them land in one bucket.
inline std::string CrowdedBucketSource() {
  std::string chars[] = {"一", "二", "三", "四", "五", "六"};
  int order[] = {0, 1, 2, 3, 4, 5};
  std::string source;
  for (int n = 0; n < 256; ++n) {
    for (int i : order) source += chars[i];
    source += ",い*に*さ*し*ご*ろ\n";
    std::next_permutation(std::begin(order), std::end(order));
  }
  return testing_support::Sjis(source);
}

}  // namespace dictionary::fixtures

// The helpers every dictionary test reaches for.
namespace dictionary {
namespace fs = std::filesystem;
using common::Answer;
using namespace testing_support::helpers;
}  // namespace dictionary
