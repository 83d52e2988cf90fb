// An analyser whose words are written by the test: each sentence it knows reads as the words
// given for it, a plain word being "surface:pos1:kana" (pos2, the lemma's kana and pos3 may
// follow: "三:名詞:サン:数詞", "川:名詞:ガワ::カワ", "分:接尾辞:ブン:名詞的::サ変可能"). A sentence it
// does not know fails.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/context/analyser.h"

namespace engine::context::testing {

class ScriptedAnalyser final : public Analyser {
 public:
  // `sentence` and the words in UTF-8.
  void Script(std::string sentence, std::vector<std::string> words) {
    scripts_[std::move(sentence)] = std::move(words);
  }
  std::unique_ptr<Tagger> NewTagger() override;
  std::string Description() const override { return "scripted"; }

 private:
  friend class ScriptedTagger;
  std::map<std::string, std::vector<std::string>> scripts_;
};

}  // namespace engine::context::testing
