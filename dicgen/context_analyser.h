// MeCab with UniDic, asked at generation time how a short piece of text reads in context. MeCab
// is loaded when the generator runs (dlopen), never linked: the command-line tool and the
// desktop application start and give ruby without it, and make-default-dic falls back to the
// lexicon alone when it is missing.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dicgen {

struct AnalysedToken {
  std::u32string surface;
  std::u32string reading;  // hiragana, as the text spells it; empty for an unknown word
};

class ContextAnalyser {
 public:
  virtual ~ContextAnalyser() = default;
  // The tokens of `text`, or nullopt when the analyser fails on it.
  virtual std::optional<std::vector<AnalysedToken>> Analyse(std::u32string_view text) = 0;
};

// MeCab with the compiled UniDic in `dic_dir` (/var/lib/mecab/dic/unidic). nullptr, with the
// reason in `why_not`, when the folder is not given, MeCab's library is not installed or it
// cannot open the dictionary.
std::unique_ptr<ContextAnalyser> OpenMecab(const std::filesystem::path& dic_dir,
                                           std::string& why_not);

}  // namespace dicgen
