// MeCab's C interface, resolved from libmecab.so.2 at run time. One model holds UniDic, mapped
// by MeCab from its files; each thread parses through a tagger and a lattice of its own, and
// reads the nodes directly, without MeCab formatting any text.
#include "engine/context/analyser.h"

#include <dlfcn.h>
#include <mecab.h>

#include <mutex>

#include "engine/messages.h"

namespace engine::context {
namespace {

constexpr const char* kMecabLibrary = "libmecab.so.2";

// UniDic's feature fields that are read (the list in its dicrc).
constexpr int kPos1 = 0;
constexpr int kPos2 = 1;
constexpr int kPos3 = 2;
constexpr int kLemmaKana = 6;
constexpr int kLemma = 7;
constexpr int kInitialType = 13;
constexpr int kKana = 20;
constexpr int kLastField = kKana;

struct MecabApi {
  mecab_model_t* (*model_new)(int, char**) = nullptr;
  void (*model_destroy)(mecab_model_t*) = nullptr;
  mecab_t* (*model_new_tagger)(mecab_model_t*) = nullptr;
  mecab_lattice_t* (*model_new_lattice)(mecab_model_t*) = nullptr;
  void (*destroy)(mecab_t*) = nullptr;
  void (*lattice_destroy)(mecab_lattice_t*) = nullptr;
  void (*lattice_clear)(mecab_lattice_t*) = nullptr;
  void (*lattice_set_sentence2)(mecab_lattice_t*, const char*, size_t) = nullptr;
  int (*parse_lattice)(mecab_t*, mecab_lattice_t*) = nullptr;
  mecab_node_t* (*lattice_get_bos_node)(mecab_lattice_t*) = nullptr;
  const char* (*strerror)(mecab_t*) = nullptr;
  const char* (*version)() = nullptr;
};

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

bool ResolveAll(void* library, MecabApi& api) {
  return Resolve(library, "mecab_model_new", api.model_new) &&
         Resolve(library, "mecab_model_destroy", api.model_destroy) &&
         Resolve(library, "mecab_model_new_tagger", api.model_new_tagger) &&
         Resolve(library, "mecab_model_new_lattice", api.model_new_lattice) &&
         Resolve(library, "mecab_destroy", api.destroy) &&
         Resolve(library, "mecab_lattice_destroy", api.lattice_destroy) &&
         Resolve(library, "mecab_lattice_clear", api.lattice_clear) &&
         Resolve(library, "mecab_lattice_set_sentence2", api.lattice_set_sentence2) &&
         Resolve(library, "mecab_parse_lattice", api.parse_lattice) &&
         Resolve(library, "mecab_lattice_get_bos_node", api.lattice_get_bos_node) &&
         Resolve(library, "mecab_strerror", api.strerror) &&
         Resolve(library, "mecab_version", api.version);
}

// Splits MeCab's comma-separated feature string up to `last_field`, walking it once (it is
// long, and most of it is not read). A field in double quotes (one that holds a comma) is
// taken between its quotes.
void ReadFeatures(const char* feature, int last_field, Morpheme& m) {
  const char* p = feature;
  for (int field = 0; field <= last_field && *p != '\0'; ++field) {
    const char* start = p;
    const char* end;
    if (*p == '"') {
      start = ++p;
      while (*p != '\0' && !(p[0] == '"' && p[1] != '"')) p += (p[0] == '"') ? 2 : 1;
      end = p;
      if (*p == '"') ++p;
    } else {
      while (*p != '\0' && *p != ',') ++p;
      end = p;
    }
    std::string_view value(start, static_cast<std::size_t>(end - start));
    switch (field) {
      case kPos1: m.pos1 = value; break;
      case kPos2: m.pos2 = value; break;
      case kPos3: m.pos3 = value; break;
      case kLemmaKana: m.lemma_kana = value; break;
      case kLemma: m.lemma = value; break;
      case kInitialType: m.i_type = value; break;
      case kKana: m.kana = value; break;
      default: break;
    }
    if (*p == ',') ++p;
  }
  if (m.kana == "*") m.kana = {};
  if (m.i_type == "*") m.i_type = {};
}

// True when the UTF-8 text holds a kanji, 々, 〆 or ヶ: a word whose reading is asked for.
bool HoldsKanji(const char* text, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    auto b = static_cast<unsigned char>(text[i]);
    if (b >= 0xE4 && b <= 0xE9) return true;  // U+4E00–U+9FFF
    if (b == 0xE3 && i + 2 < size) {
      auto b1 = static_cast<unsigned char>(text[i + 1]);
      auto b2 = static_cast<unsigned char>(text[i + 2]);
      if ((b1 == 0x80 && (b2 == 0x85 || b2 == 0x86)) || (b1 == 0x83 && b2 == 0xB6) ||
          (b1 >= 0x90)) {
        return true;  // 々 〆 ヶ, and the CJK extension A block
      }
    }
  }
  return false;
}

class Library {
 public:
  Library(void* handle, MecabApi api, mecab_model_t* model)
      : handle_(handle), api_(api), model_(model) {}
  ~Library() {
    api_.model_destroy(model_);
    dlclose(handle_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  const MecabApi& Api() const { return api_; }
  mecab_model_t* Model() const { return model_; }

 private:
  void* handle_;
  MecabApi api_;
  mecab_model_t* model_;
};

class MecabTagger final : public Tagger {
 public:
  MecabTagger(std::shared_ptr<const Library> library, mecab_t* tagger, mecab_lattice_t* lattice)
      : library_(std::move(library)), tagger_(tagger), lattice_(lattice) {}
  ~MecabTagger() override {
    library_->Api().lattice_destroy(lattice_);
    library_->Api().destroy(tagger_);
  }
  MecabTagger(const MecabTagger&) = delete;
  MecabTagger& operator=(const MecabTagger&) = delete;

  bool Analyse(std::string_view sentence_utf8, std::vector<Morpheme>& out) override {
    const MecabApi& api = library_->Api();
    out.clear();
    api.lattice_clear(lattice_);
    api.lattice_set_sentence2(lattice_, sentence_utf8.data(), sentence_utf8.size());
    if (!api.parse_lattice(tagger_, lattice_)) return false;
    for (const mecab_node_t* node = api.lattice_get_bos_node(lattice_); node != nullptr;
         node = node->next) {
      if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
      Morpheme m;
      // The surface points into the sentence; leading spaces are counted in rlength only.
      m.begin = static_cast<std::size_t>(node->surface - sentence_utf8.data());
      m.end = m.begin + node->length;
      // Words without kanji are looked at for their part of speech and lemma alone.
      if (node->stat != MECAB_UNK_NODE) {
        ReadFeatures(node->feature, HoldsKanji(node->surface, node->length) ? kLastField : kLemma,
                     m);
      }
      out.push_back(m);
    }
    return true;
  }

 private:
  std::shared_ptr<const Library> library_;
  mecab_t* tagger_;
  mecab_lattice_t* lattice_;
};

class MecabAnalyser final : public Analyser {
 public:
  MecabAnalyser(std::shared_ptr<const Library> library, std::string description)
      : library_(std::move(library)), description_(std::move(description)) {}

  std::unique_ptr<Tagger> NewTagger() override {
    std::lock_guard lock(mutex_);
    const MecabApi& api = library_->Api();
    mecab_t* tagger = api.model_new_tagger(library_->Model());
    if (tagger == nullptr) return nullptr;
    mecab_lattice_t* lattice = api.model_new_lattice(library_->Model());
    if (lattice == nullptr) {
      api.destroy(tagger);
      return nullptr;
    }
    return std::make_unique<MecabTagger>(library_, tagger, lattice);
  }

  std::string Description() const override { return description_; }

 private:
  std::mutex mutex_;
  std::shared_ptr<const Library> library_;
  std::string description_;
};

}  // namespace

std::shared_ptr<Analyser> OpenAnalyser(const std::filesystem::path& dic_dir,
                                       std::string& why_not) {
  std::error_code error;
  if (dic_dir.empty() || !std::filesystem::exists(dic_dir / "sys.dic", error)) {
    why_not = std::string(messages::kNoUnidic);
    return nullptr;
  }
  void* handle = dlopen(kMecabLibrary, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    why_not = std::string(messages::kNoMecab);
    return nullptr;
  }
  MecabApi api;
  if (!ResolveAll(handle, api)) {
    dlclose(handle);
    why_not = std::string(messages::kNoMecab);
    return nullptr;
  }
  std::vector<std::string> arguments = {"mecab", "-d", dic_dir.string()};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  mecab_model_t* model = api.model_new(static_cast<int>(argv.size()), argv.data());
  if (model == nullptr) {
    dlclose(handle);
    why_not = std::string(messages::kUnidicUnreadable);
    return nullptr;
  }
  std::string description =
      "MeCab " + std::string(api.version()) + " + UniDic (" + dic_dir.string() + ")";
  auto library = std::make_shared<const Library>(handle, api, model);
  return std::make_shared<MecabAnalyser>(std::move(library), std::move(description));
}

}  // namespace engine::context
