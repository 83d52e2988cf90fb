// The ruby dictionary loader: opens a dictionary file and holds one length section at a time.
// Nothing outside dictionary/ knows the file layout.
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
#include "dictionary/ruby_dictionary_format.h"

namespace dictionary {

class RubyDictionary {
 public:
  RubyDictionary() = default;
  RubyDictionary(const RubyDictionary&) = delete;
  RubyDictionary& operator=(const RubyDictionary&) = delete;
  ~RubyDictionary();

  // Opens the file and reads its header. On failure the message has been shown (title
  // "Warning") and false is returned. The signature is not checked here.
  [[nodiscard]] bool Open(const std::filesystem::path& path, common::Messenger& messenger);

  // Reads the four regions of word length 1–10 whole. A section that does not fit the file or
  // whose tables point outside themselves is refused with a message (false); after a
  // successful load Find and ReadingOf never read outside the loaded section.
  [[nodiscard]] bool LoadLength(int word_length, common::Messenger& messenger);

  // Index in the key table of `key` (2 × word length bytes) in the loaded length, or -1.
  // Within a bucket the last matching entry wins, so a word's later source line counts.
  int Find(std::string_view key) const {
    if (key.size() != key_size_ || buckets_.empty()) return -1;
    std::uint32_t bucket = modulus_.Of(key);
    const Bucket& entry = buckets_[bucket];
    const char* keys = keys_.data();
    for (std::uint32_t i = entry.first + entry.count; i > entry.first; --i) {
      const char* candidate = keys + static_cast<std::size_t>(i - 1) * key_size_;
      if (candidate[0] == key[0] && std::memcmp(candidate, key.data(), key_size_) == 0) {
        return static_cast<int>(i - 1);
      }
    }
    return -1;
  }

  // The encoded reading of key `index`, without its terminating 0 byte.
  std::string_view ReadingOf(int index) const {
    std::uint32_t start = reading_offsets_[static_cast<std::size_t>(index)];
    const char* begin = readings_.data() + start;
    return std::string_view(begin, std::strlen(begin));
  }

  void Close();

  // For restore and diagnostics: the loaded section in stored order.
  struct Bucket {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
  };
  const std::vector<Bucket>& Buckets() const { return buckets_; }
  std::string_view Key(int index) const {
    return std::string_view(keys_.data() + static_cast<std::size_t>(index) * key_size_,
                            key_size_);
  }
  std::size_t KeyCount() const { return key_size_ ? keys_.size() / key_size_ : 0; }
  const LengthRecord& Record(int word_length) const { return records_[word_length - 1]; }
  // The byte at offset 32; 0 or a value above 10 counts as 10.
  int HighestLength() const { return highest_length_; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::FILE* file_ = nullptr;
  std::filesystem::path path_;
  std::uint64_t file_size_ = 0;
  std::array<LengthRecord, kMaxWordLength> records_{};
  int highest_length_ = kMaxWordLength;

  std::size_t key_size_ = 0;
  std::vector<Bucket> buckets_;
  BucketModulus modulus_;
  std::string keys_;
  std::vector<std::uint32_t> reading_offsets_;
  std::string readings_;  // always ends with a 0 byte once loaded
};

}  // namespace dictionary
