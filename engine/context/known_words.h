// The words a tagger has met, with the few fields of their features that are read, and the
// feature text itself, read through the dictionary's file rather than its mapping.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace engine::context {

// UniDic's feature fields that are read (the list in its dicrc).
constexpr int kPos1 = 0;
constexpr int kPos2 = 1;
constexpr int kPos3 = 2;
constexpr int kLemmaKana = 6;
constexpr int kLemma = 7;
constexpr int kInitialType = 13;
constexpr int kKana = 20;

// The feature text of a compiled dictionary: by far the largest part of sys.dic, read once for
// each word a text uses. MeCab maps the file; reading a word's features through that mapping
// would bring a whole page (and the kernel maps the pages around it) into the process for every
// new word, and memory would grow with the vocabulary of the text. The text is read with pread
// instead, a few hundred bytes a word, from the system's file cache; nothing of it stays mapped.
class FeatureText {
 public:
  // Reads nothing from a file: every feature is read where it lies.
  FeatureText() = default;
  // `fd` (owned from now on) holds, from byte `offset`, what the process sees at `begin` for
  // `size` bytes.
  FeatureText(int fd, const char* begin, std::size_t size, std::uint64_t offset);
  ~FeatureText();
  FeatureText(const FeatureText&) = delete;
  FeatureText& operator=(const FeatureText&) = delete;

  // The feature string that the dictionary holds at `feature`, up to its end. `buffer` holds
  // the text when it is read from the file.
  std::string_view Get(const char* feature, std::string& buffer) const;

 private:
  int fd_ = -1;
  const char* begin_ = nullptr;
  std::size_t size_ = 0;
  std::uint64_t offset_ = 0;
};

// The fields read out of one word's features.
class WordFields {
 public:
  std::string_view Field(int field) const {
    std::size_t i = 0;
    while (i < kFieldCount && kFieldsRead[i] != field) ++i;
    if (i == kFieldCount) return {};
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_ + begin, ends_[i] - begin);
  }

 private:
  friend class KnownWords;
  static constexpr int kFieldsRead[] = {kPos1,  kPos2,        kPos3, kLemmaKana,
                                        kLemma, kInitialType, kKana};
  static constexpr std::size_t kFieldCount = std::size(kFieldsRead);

  const char* text_ = nullptr;  // the fields, one after another
  std::uint16_t ends_[kFieldCount] = {};
};

// The fields of the words met so far, keyed by where the dictionary holds their features: an
// open-addressed table (one memory access for most words, which a text meets again and again),
// the fields' text in blocks that never move.
class KnownWords {
 public:
  KnownWords() { Clear(); }

  // The word whose features lie at `feature`, read from `text` the first time it is met.
  const WordFields& Find(const char* feature, const FeatureText& text);

  std::size_t Size() const { return size_; }
  void Clear();

 private:
  struct Slot {
    const char* key = nullptr;
    WordFields fields;
  };
  static constexpr std::size_t kFirstSlots = 1 << 12;
  static constexpr std::size_t kBlockBytes = 1 << 16;

  static std::size_t Hash(const char* key);
  void Grow();
  WordFields Read(std::string_view feature);
  char* Keep(std::size_t size);

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* block_at_ = nullptr;
  std::size_t block_left_ = 0;
  std::string buffer_;  // the feature text read last
};

}  // namespace engine::context
