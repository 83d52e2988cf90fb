#include "tests/engine/context/scripted_tagger.h"

#include <deque>
#include <sstream>

namespace engine::context::testing {

class ScriptedTagger final : public Tagger {
 public:
  explicit ScriptedTagger(const ScriptedAnalyser& analyser) : analyser_(analyser) {}

  bool Analyse(std::string_view sentence, std::vector<Morpheme>& out) override {
    out.clear();
    fields_.clear();
    auto found = analyser_.scripts_.find(std::string(sentence));
    if (found == analyser_.scripts_.end()) return false;
    std::size_t at = 0;
    for (const std::string& word : found->second) {
      std::vector<std::string>& fields = fields_.emplace_back();
      std::stringstream in(word);
      for (std::string field; std::getline(in, field, ':');) fields.push_back(field);
      fields.resize(6);
      std::size_t begin = sentence.find(fields[0], at);
      if (begin == std::string_view::npos) return false;
      Morpheme m;
      m.begin = begin;
      m.end = begin + fields[0].size();
      m.pos1 = fields[1];
      m.kana = fields[2];
      m.pos2 = fields[3];
      m.lemma_kana = fields[4].empty() ? fields[2] : fields[4];
      m.pos3 = fields[5];
      out.push_back(m);
      at = m.end;
    }
    return true;
  }

 private:
  const ScriptedAnalyser& analyser_;
  std::deque<std::vector<std::string>> fields_;  // what the morphemes' texts point into
};

std::unique_ptr<Tagger> ScriptedAnalyser::NewTagger() {
  return std::make_unique<ScriptedTagger>(*this);
}

}  // namespace engine::context::testing
