// MeCab's C interface, resolved from libmecab.so.2 at run time. One model holds UniDic, mapped
// by MeCab from its files; each thread parses through a tagger and a lattice of its own, and
// reads the nodes directly, without MeCab formatting any text.
#include "engine/context/analyser.h"

#include <dlfcn.h>
#include <mecab.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <deque>
#include <vector>
#include <sstream>

#include "common/message_format.h"
#include "engine/context/unidic_check.h"
#include "engine/messages.h"

namespace engine::context {
namespace {

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

// The fields of a word's feature string that are read, copied out of the dictionary. MeCab's
// feature string is comma-separated and long; it is walked once, up to the last field read. A
// field in double quotes (one that holds a comma) is taken between its quotes.
class Features {
 public:
  void Read(const char* feature) {
    std::string_view values[kLastField + 1];
    const char* p = feature;
    for (int field = 0; field <= kLastField && *p != '\0'; ++field) {
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
      values[field] = std::string_view(start, static_cast<std::size_t>(end - start));
      if (*p == ',') ++p;
    }
    if (values[kKana] == "*") values[kKana] = {};
    if (values[kInitialType] == "*") values[kInitialType] = {};
    for (int field : kFieldsRead) {
      begins_[IndexOf(field)] = text_.size();
      text_ += values[field];
    }
    begins_[kFieldCount] = text_.size();
  }

  std::string_view Field(int field) const {
    std::size_t i = IndexOf(field);
    return std::string_view(text_).substr(begins_[i], begins_[i + 1] - begins_[i]);
  }

 private:
  static constexpr int kFieldsRead[] = {kPos1, kPos2, kPos3, kLemmaKana, kLemma, kInitialType, kKana};
  static constexpr std::size_t kFieldCount = std::size(kFieldsRead);

  static constexpr std::size_t IndexOf(int field) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
      if (kFieldsRead[i] == field) return i;
    }
    return kFieldCount;
  }

  std::string text_;
  std::uint32_t begins_[kFieldCount + 1] = {};
};

// The features of the words met so far, by where the dictionary holds them: an open-addressed
// table of pointers (one memory access for most words, which a text meets again and again), the
// features themselves in a deque that never moves them.
class KnownWords {
 public:
  KnownWords() { Clear(); }

  const Features& Find(const char* feature, bool& added) {
    if ((features_.size() + 1) * 2 > slots_.size()) Grow();
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = Hash(feature) & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.key == feature) {
        added = false;
        return features_[slot.index];
      }
      if (slot.key == nullptr) {
        slot = {feature, static_cast<std::uint32_t>(features_.size())};
        features_.emplace_back().Read(feature);
        added = true;
        return features_.back();
      }
    }
  }

  std::size_t Size() const { return features_.size(); }

  void Clear() {
    features_.clear();
    slots_.assign(kFirstSlots, Slot{});
  }

 private:
  struct Slot {
    const char* key = nullptr;
    std::uint32_t index = 0;
  };
  static constexpr std::size_t kFirstSlots = 1 << 12;

  static std::size_t Hash(const char* key) {
    auto bits = reinterpret_cast<std::uintptr_t>(key);
    return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ULL) >> 20);
  }

  void Grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.key == nullptr) continue;
      std::size_t i = Hash(slot.key) & mask;
      while (slots_[i].key != nullptr) i = (i + 1) & mask;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::deque<Features> features_;
};

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

// The part of sys.dic that holds the words' feature text, as this process maps it: read for
// every word, once each, and by far the largest part of the file. Empty when it cannot be
// found (the pages are then simply kept).
struct FeatureArea {
  char* begin = nullptr;
  std::size_t size = 0;
};

FeatureArea FindFeatureArea(const std::filesystem::path& sys_dic) {
  // The compiled dictionary's header: ten 32-bit counts (the sizes of the double array, the
  // tokens and the features among them), then 32 bytes of charset name; the three parts follow
  // in that order.
  constexpr std::size_t kHeaderBytes = 10 * 4 + 32;
  std::ifstream file(sys_dic, std::ios::binary);
  std::uint32_t header[10] = {};
  if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return {};
  const std::uint64_t array_bytes = header[6];
  const std::uint64_t token_bytes = header[7];
  const std::uint64_t feature_bytes = header[8];
  const std::uint64_t offset = kHeaderBytes + array_bytes + token_bytes;

  std::error_code error;
  std::filesystem::path wanted = std::filesystem::canonical(sys_dic, error);
  if (error) return {};
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
    if (offset + feature_bytes > end - start) return {};
    // Whole pages inside the area only.
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    std::uintptr_t first = (start + offset + page - 1) / page * page;
    std::uintptr_t last = (start + offset + feature_bytes) / page * page;
    if (last <= first) return {};
    return {reinterpret_cast<char*>(first), last - first};
  }
  return {};
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
              FeatureArea area)
      : library_(std::move(library)), tagger_(tagger), lattice_(lattice), area_(area) {}
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
        const Features& features = FeaturesOf(node->feature);
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
  // kept here (keyed by where the dictionary holds them): a text uses the same words again and
  // again. The pages of feature text that the new words brought into the process are let go of
  // every so often (they stay in the system's file cache, and the mapping is read-only, so a
  // page another tagger still reads simply comes back), so that what a run holds does not grow
  // with the vocabulary of its text.
  static constexpr std::size_t kMostRememberedWords = 1 << 18;
  static constexpr std::size_t kWordsBetweenReleases = 256;

  const Features& FeaturesOf(const char* feature) {
    bool added = false;
    const Features& features = known_.Find(feature, added);
    if (added && ++read_since_release_ >= kWordsBetweenReleases && area_.size > 0) {
      static_cast<void>(madvise(area_.begin, area_.size, MADV_DONTNEED));
      read_since_release_ = 0;
    }
    return features;
  }

  std::shared_ptr<const Library> library_;
  mecab_t* tagger_;
  mecab_lattice_t* lattice_;
  FeatureArea area_;
  KnownWords known_;
  std::size_t read_since_release_ = 0;
};

class MecabAnalyser final : public Analyser {
 public:
  MecabAnalyser(std::shared_ptr<const Library> library, std::string description,
                FeatureArea features)
      : library_(std::move(library)), description_(std::move(description)), features_(features) {}

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
  FeatureArea features_;  // handed to each tagger
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
                                         FindFeatureArea(dic_dir / "sys.dic"));
}

}  // namespace engine::context
