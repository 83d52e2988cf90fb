// The ruby dictionary loader: opens a dictionary file and reads its length sections, each
// checked before a lookup can use it. Nothing outside dictionary/ knows the file layout.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"
#include "common/platform/prefetch.h"
#include "dictionary/ruby_dictionary_format.h"

namespace dictionary {

// The words of one length: bucket table, keys, reading offsets and readings, as loaded.
class LengthSection {
 public:
  struct Bucket {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
  };

  // Index in the key table of `key` (2 × word length bytes), or -1. Within a bucket the last
  // matching entry wins, so a word's later source line counts.
  int Find(std::string_view key) const {
    if (key.size() != key_size_ || buckets_.empty()) return -1;
    const Bucket& entry = buckets_[modulus_.Of(key)];
    const char* keys = keys_.data();
    for (std::uint32_t i = entry.first + entry.count; i > entry.first; --i) {
      const char* candidate = keys + static_cast<std::size_t>(i - 1) * key_size_;
      if (candidate[0] == key[0] && std::memcmp(candidate, key.data(), key_size_) == 0) {
        return static_cast<int>(i - 1);
      }
    }
    return -1;
  }

  // Asks the memory for the bucket that Find will read first for the key at `characters`
  // (the section's word length of them).
  void Prefetch(const char* characters) const {
    if (buckets_.empty()) return;
    common::Prefetch(&buckets_[modulus_.Of(std::string_view(characters, key_size_))]);
  }

  // Asks the memory for the keys and reading places of that bucket, which Find and ReadingOf
  // will read; the bucket itself should be near already.
  void PrefetchBucket(const char* characters) const {
    if (buckets_.empty()) return;
    const Bucket& bucket = buckets_[modulus_.Of(std::string_view(characters, key_size_))];
    if (bucket.count == 0) return;
    const char* first = keys_.data() + static_cast<std::size_t>(bucket.first) * key_size_;
    const char* last = first + static_cast<std::size_t>(bucket.count) * key_size_ - 1;
    constexpr std::size_t kLine = 64;
    constexpr std::size_t kMostLines = 4;
    for (std::size_t line = 0; line < kMostLines && first + line * kLine <= last; ++line) {
      common::Prefetch(first + line * kLine);
    }
    common::Prefetch(last);
    common::Prefetch(&readings_index_[bucket.first]);
    common::Prefetch(&readings_index_[bucket.first + bucket.count - 1]);
  }

  // Asks the memory for the reading of key `index`, which ReadingOf will give.
  void PrefetchReading(int index) const {
    common::Prefetch(readings_.data() + readings_index_[static_cast<std::size_t>(index)].offset);
  }

  // The encoded reading of key `index`, without its terminating 0 byte.
  std::string_view ReadingOf(int index) const {
    const Reading& reading = readings_index_[static_cast<std::size_t>(index)];
    return std::string_view(readings_.data() + reading.offset, reading.length);
  }

  // The bucket in which Find looks for `key`.
  std::uint32_t BucketOf(std::string_view key) const { return modulus_.Of(key); }

  // The section in stored order, for restore and filters.
  const std::vector<Bucket>& Buckets() const { return buckets_; }
  // The buckets that hold keys, in stored order: most buckets of a small section are empty.
  const std::vector<std::uint32_t>& FilledBuckets() const { return filled_; }
  std::string_view Key(int index) const {
    return std::string_view(keys_.data() + static_cast<std::size_t>(index) * key_size_, key_size_);
  }
  std::size_t KeyCount() const { return key_size_ ? keys_.size() / key_size_ : 0; }
  void Clear();

 private:
  friend class RubyDictionary;

  std::size_t key_size_ = 0;
  std::vector<Bucket> buckets_;
  std::vector<std::uint32_t> filled_;
  BucketModulus modulus_;
  std::string keys_;
  // Where each key's reading starts and how long it is up to its 0 byte.
  struct Reading {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
  };
  std::vector<Reading> readings_index_;
  std::string readings_;  // always ends with a 0 byte once loaded
};

class RubyDictionary {
 public:
  using Bucket = LengthSection::Bucket;

  RubyDictionary() = default;
  RubyDictionary(const RubyDictionary&) = delete;
  RubyDictionary& operator=(const RubyDictionary&) = delete;
  ~RubyDictionary();

  // Opens the file and reads its header. On failure the message has been shown (title
  // "Warning") and false is returned. The signature is not checked here.
  [[nodiscard]] bool Open(const std::filesystem::path& path, common::Messenger& messenger);
  // Reads a dictionary held in memory as Open reads a file, `shown_as` naming it in messages:
  // for the checks of the loader. `bytes` must outlive the use of the dictionary.
  [[nodiscard]] bool OpenBytes(std::string_view bytes, const std::filesystem::path& shown_as,
                               common::Messenger& messenger);

  // Reads the four regions of word length 1–10 whole into `section`. A section that does not
  // fit the file or whose tables point outside themselves is refused with a message (false);
  // after a successful load Find and ReadingOf never read outside the section.
  [[nodiscard]] bool LoadLength(int word_length, LengthSection& section,
                                common::Messenger& messenger);
  // The same into the dictionary's own current section, which the lookups below use.
  [[nodiscard]] bool LoadLength(int word_length, common::Messenger& messenger) {
    return LoadLength(word_length, section_, messenger);
  }

  int Find(std::string_view key) const { return section_.Find(key); }
  std::string_view ReadingOf(int index) const { return section_.ReadingOf(index); }
  const std::vector<Bucket>& Buckets() const { return section_.Buckets(); }
  std::string_view Key(int index) const { return section_.Key(index); }
  std::size_t KeyCount() const { return section_.KeyCount(); }
  const LengthSection& Section() const { return section_; }

  void Close();

  const LengthRecord& Record(int word_length) const { return records_[word_length - 1]; }
  // The byte at offset 32; 0 or a value above 10 counts as 10.
  int HighestLength() const { return highest_length_; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  bool ReadHeader(common::Messenger& messenger);  // of the file just opened
  bool RefuseSection(int word_length, LengthSection& section, common::Messenger& messenger);
  bool ReadBuckets(const LengthRecord& record, LengthSection& section);
  bool ReadKeys(const LengthRecord& record, LengthSection& section);
  bool ReadReadings(const LengthRecord& record, std::uint64_t section_end, LengthSection& section);

  std::FILE* file_ = nullptr;
  std::filesystem::path path_;
  std::uint64_t file_size_ = 0;
  std::array<LengthRecord, kMaxWordLength> records_{};
  int highest_length_ = kMaxWordLength;
  LengthSection section_;
  // The bytes of a table read before they are decoded, kept from one section to the next.
  std::string scratch_;
};

}  // namespace dictionary
