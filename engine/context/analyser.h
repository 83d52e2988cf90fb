// A morphological analyser that reads a sentence in context: MeCab with UniDic. MeCab's library
// is opened when the first context run needs it (dlopen), never linked, so the program starts
// and gives ruby by its dictionaries alone where MeCab or UniDic is not installed.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace engine::context {

// One word of a sentence as the analyser reads it. Offsets are bytes of the UTF-8 sentence;
// the texts (UTF-8) stay valid until the tagger reads its next sentence.
struct Morpheme {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string_view pos1;        // 名詞, 動詞, 接尾辞, …
  std::string_view pos2;        // 普通名詞, 固有名詞, 数詞, 名詞的, …
  std::string_view pos3;        // 人名, 地名, 助数詞可能, …
  std::string_view lemma_kana;  // how the lemma reads standing alone (カワ where 川 reads ガワ)
  std::string_view lemma;       // the dictionary form, in its usual spelling
  std::string_view kana;  // the reading as spelt (katakana); empty for a word it does not know
  std::string_view i_type;  // the sound change its first kana may take (カ濁, ヒ混合, …)
};

class Analyser;

// One thread's use of the analyser: each thread takes its own, all share the loaded dictionary.
class Tagger {
 public:
  virtual ~Tagger() = default;
  // The words of `sentence_utf8`, or false when the analyser fails on it.
  virtual bool Analyse(std::string_view sentence_utf8, std::vector<Morpheme>& out) = 0;
};

class Analyser {
 public:
  virtual ~Analyser() = default;
  virtual std::unique_ptr<Tagger> NewTagger() = 0;
  // "MeCab 0.996 with UniDic (/var/lib/mecab/dic/unidic)"
  virtual std::string Description() const = 0;
};

// The folder of the installed UniDic that MeCab reads.
inline const std::filesystem::path kDefaultUnidic = "/var/lib/mecab/dic/unidic";

// MeCab's library, opened by this name.
inline constexpr const char* kMecabLibrary = "libmecab.so.2";

// MeCab (the library `library_name`) with the compiled UniDic in `dic_dir`. nullptr, with the reason
// in `why_not` (in Japanese, for the user), when the library is not installed, UniDic is missing
// or damaged, or MeCab cannot open it.
std::shared_ptr<Analyser> OpenAnalyser(const std::filesystem::path& dic_dir, std::string& why_not,
                                       const char* library_name = kMecabLibrary);

}  // namespace engine::context
