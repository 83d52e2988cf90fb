// MeCab's C interface, resolved from libmecab.so.2 at run time. Each token comes back as one
// line: the surface, a tab and UniDic's orthographic kana reading (feature 20).
#include "dicgen/context_analyser.h"

#include <dlfcn.h>

#include <algorithm>
#include <vector>

#include "dicgen/data_file.h"
#include "dicgen/kana.h"

namespace dicgen {
namespace {

constexpr const char* kMecabLibrary = "libmecab.so.2";
constexpr std::string_view kEndOfSentence = "EOS";

// The functions of MeCab's C interface that are used (mecab.h, libmecab-dev).
struct MecabApi {
  void* (*create)(int argc, char** argv) = nullptr;               // mecab_new
  const char* (*parse)(void* mecab, const char* text) = nullptr;  // mecab_sparse_tostr
  const char* (*error)(void* mecab) = nullptr;                    // mecab_strerror
  void (*destroy)(void* mecab) = nullptr;                         // mecab_destroy
};

class Mecab final : public ContextAnalyser {
 public:
  Mecab(void* library, MecabApi api, void* tagger)
      : library_(library), api_(api), tagger_(tagger) {}
  ~Mecab() override {
    api_.destroy(tagger_);
    dlclose(library_);
  }
  Mecab(const Mecab&) = delete;
  Mecab& operator=(const Mecab&) = delete;

  std::optional<std::vector<AnalysedToken>> Analyse(std::u32string_view text) override {
    std::string utf8 = EncodeUtf8(text);
    const char* result = api_.parse(tagger_, utf8.c_str());
    if (result == nullptr) return std::nullopt;
    std::vector<AnalysedToken> tokens;
    for (std::string_view line : SplitLines(result)) {
      if (line == kEndOfSentence) break;
      std::size_t tab = line.find('\t');
      if (tab == std::string_view::npos) return std::nullopt;
      std::u32string reading = ToHiragana(DecodeUtf8(line.substr(tab + 1)));
      if (!std::all_of(reading.begin(), reading.end(), IsReadingKana)) reading.clear();
      tokens.push_back({DecodeUtf8(line.substr(0, tab)), std::move(reading)});
    }
    return tokens;
  }

 private:
  void* library_;
  MecabApi api_;
  void* tagger_;
};

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

}  // namespace

std::unique_ptr<ContextAnalyser> OpenMecab(const std::filesystem::path& dic_dir,
                                           std::string& why_not) {
  if (dic_dir.empty()) {
    why_not = "no analyser dictionary given";
    return nullptr;
  }
  if (!std::filesystem::exists(dic_dir / "sys.dic")) {
    why_not = dic_dir.string() + "/sys.dic not found (package unidic-mecab)";
    return nullptr;
  }
  void* library = dlopen(kMecabLibrary, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    why_not = std::string(kMecabLibrary) + " not found (package libmecab2)";
    return nullptr;
  }
  MecabApi api;
  if (!Resolve(library, "mecab_new", api.create) ||
      !Resolve(library, "mecab_sparse_tostr", api.parse) ||
      !Resolve(library, "mecab_strerror", api.error) ||
      !Resolve(library, "mecab_destroy", api.destroy)) {
    why_not = std::string(kMecabLibrary) + " lacks MeCab's C interface";
    dlclose(library);
    return nullptr;
  }
  // The dictionary is named and the output format given whole; the empty output type lets the
  // node formats apply. MeCab reads the escapes \\t and \\n itself.
  std::vector<std::string> arguments = {"mecab",
                                        "-d",
                                        dic_dir.string(),
                                        "--output-format-type=",
                                        "--node-format=%m\\t%f[20]\\n",
                                        "--unk-format=%m\\t\\n",
                                        "--eos-format=EOS\\n"};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  void* tagger = api.create(static_cast<int>(argv.size()), argv.data());
  if (tagger == nullptr) {
    const char* error = api.error(nullptr);
    why_not = "MeCab cannot open " + dic_dir.string() + (error ? std::string(": ") + error : "");
    dlclose(library);
    return nullptr;
  }
  return std::make_unique<Mecab>(library, api, tagger);
}

}  // namespace dicgen
