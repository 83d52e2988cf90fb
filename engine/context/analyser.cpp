// MeCab's C interface, resolved from libmecab.so.2 at run time. One model holds UniDic, mapped
// by MeCab from its files; each thread parses through a tagger and a lattice of its own, and
// reads the nodes directly, without MeCab formatting any text.
#include "engine/context/analyser.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <mecab.h>

#include <cstdint>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "common/message_format.h"
#include "engine/context/known_words.h"
#include "engine/context/unidic_check.h"
#include "engine/messages.h"

namespace engine::context {
namespace {

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

// The part of sys.dic that holds the words' feature text, as this process maps it, to be read
// through the file. Reads nothing from the file when the part cannot be found.
std::shared_ptr<const FeatureText> FindFeatureText(const std::filesystem::path& sys_dic) {
  // The compiled dictionary's header: ten 32-bit counts (the sizes of the double array, the
  // tokens and the features among them), then 32 bytes of charset name; the three parts follow
  // in that order.
  constexpr std::size_t kHeaderBytes = 10 * 4 + 32;
  std::ifstream file(sys_dic, std::ios::binary);
  std::uint32_t header[10] = {};
  if (!file.read(reinterpret_cast<char*>(header), sizeof header)) {
    return std::make_shared<const FeatureText>();
  }
  const std::uint64_t array_bytes = header[6];
  const std::uint64_t token_bytes = header[7];
  const std::uint64_t feature_bytes = header[8];
  const std::uint64_t offset = kHeaderBytes + array_bytes + token_bytes;

  std::error_code error;
  std::filesystem::path wanted = std::filesystem::canonical(sys_dic, error);
  if (error) return std::make_shared<const FeatureText>();
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    std::istringstream fields(line);
    std::string range, permissions, file_offset, device, inode, path;
    fields >> range >> permissions >> file_offset >> device >> inode >> path;
    if (path != wanted.string() || std::stoull(file_offset, nullptr, 16) != 0) continue;
    std::size_t dash = range.find('-');
    std::uintptr_t start = std::stoull(range.substr(0, dash), nullptr, 16);
    std::uintptr_t end = std::stoull(range.substr(dash + 1), nullptr, 16);
    if (offset + feature_bytes > end - start) break;
    int fd = open(wanted.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) break;
    return std::make_shared<const FeatureText>(fd, reinterpret_cast<const char*>(start + offset),
                                               feature_bytes, offset);
  }
  return std::make_shared<const FeatureText>();
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
  MecabTagger(std::shared_ptr<const Library> library, mecab_t* tagger, mecab_lattice_t* lattice,
              std::shared_ptr<const FeatureText> features)
      : library_(std::move(library)),
        tagger_(tagger),
        lattice_(lattice),
        features_(std::move(features)) {}
  ~MecabTagger() override {
    library_->Api().lattice_destroy(lattice_);
    library_->Api().destroy(tagger_);
  }
  MecabTagger(const MecabTagger&) = delete;
  MecabTagger& operator=(const MecabTagger&) = delete;

  bool Analyse(std::string_view sentence_utf8, std::vector<Morpheme>& out) override {
    const MecabApi& api = library_->Api();
    out.clear();
    if (known_.Size() > kMostRememberedWords) known_.Clear();
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
      if (node->stat != MECAB_UNK_NODE) {
        const WordFields& features = known_.Find(node->feature, *features_);
        m.pos1 = features.Field(kPos1);
        m.pos2 = features.Field(kPos2);
        m.pos3 = features.Field(kPos3);
        m.lemma_kana = features.Field(kLemmaKana);
        m.lemma = features.Field(kLemma);
        m.i_type = features.Field(kInitialType);
        m.kana = features.Field(kKana);
        // Words without kanji are looked at for their part of speech and lemma alone.
        if (!HoldsKanji(node->surface, node->length)) m.kana = m.i_type = {};
      }
      out.push_back(m);
    }
    return true;
  }

 private:
  // A word's features are read from the dictionary once, the first time the word is met, and
  // kept (keyed by where the dictionary holds them): a text uses the same words again and again.
  static constexpr std::size_t kMostRememberedWords = 1 << 18;

  std::shared_ptr<const Library> library_;
  mecab_t* tagger_;
  mecab_lattice_t* lattice_;
  std::shared_ptr<const FeatureText> features_;
  KnownWords known_;
};

class MecabAnalyser final : public Analyser {
 public:
  MecabAnalyser(std::shared_ptr<const Library> library, std::string description,
                std::shared_ptr<const FeatureText> features)
      : library_(std::move(library)),
        description_(std::move(description)),
        features_(std::move(features)) {}

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
    return std::make_unique<MecabTagger>(library_, tagger, lattice, features_);
  }

  std::string Description() const override { return description_; }

 private:
  std::mutex mutex_;
  std::shared_ptr<const Library> library_;
  std::string description_;
  std::shared_ptr<const FeatureText> features_;  // handed to each tagger
};

}  // namespace

std::shared_ptr<Analyser> OpenAnalyser(const std::filesystem::path& dic_dir, std::string& why_not,
                                       const char* library_name) {
  std::error_code error;
  if (dic_dir.empty() || !std::filesystem::exists(dic_dir / "sys.dic", error)) {
    why_not = std::string(messages::kNoUnidic);
    return nullptr;
  }
  void* handle = dlopen(library_name, RTLD_NOW | RTLD_LOCAL);
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
  if (std::string fault = UnidicFault(dic_dir); !fault.empty()) {
    dlclose(handle);
    why_not = common::FormatMessage(messages::kUnidicDamaged, {dic_dir.string(), fault});
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
  return std::make_shared<MecabAnalyser>(std::move(library), std::move(description),
                                         FindFeatureText(dic_dir / "sys.dic"));
}

}  // namespace engine::context
