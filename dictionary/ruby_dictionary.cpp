// Reading the ruby dictionary one length section at a time, with every table checked against
// the file and against each other before a lookup can use it.
#include "dictionary/ruby_dictionary.h"

#include <new>

#include "common/message_format.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

void ShowWarning(common::Messenger& messenger, std::string text) {
  messenger.Tell({std::string(messages::kTitleWarning), std::move(text), common::Icon::kWarning});
}

bool ReadAt(std::FILE* file, std::uint64_t offset, char* buffer, std::size_t count) {
  if (count == 0) return true;
  if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return false;
  return std::fread(buffer, 1, count, file) == count;
}

}  // namespace

RubyDictionary::~RubyDictionary() { Close(); }

bool RubyDictionary::Open(const std::filesystem::path& path, common::Messenger& messenger) {
  Close();
  path_ = path;
  std::string shown = path.string();
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) {
    ShowWarning(messenger, common::FormatMessage(messages::kCannotOpenDictionary, {shown}));
    return false;
  }
  std::string header(kHeaderSize, '\0');
  if (std::fseek(file_, 0, SEEK_END) != 0 || std::ftell(file_) < 0) {
    ShowWarning(messenger, common::FormatMessage(messages::kCannotReadDictionary, {shown}));
    Close();
    return false;
  }
  file_size_ = static_cast<std::uint64_t>(std::ftell(file_));
  if (file_size_ < kHeaderSize || !ReadAt(file_, 0, header.data(), kHeaderSize)) {
    ShowWarning(messenger, common::FormatMessage(messages::kDictionaryTooShort, {shown}));
    Close();
    return false;
  }
  for (int length = 1; length <= kMaxWordLength; ++length) {
    records_[length - 1] =
        ParseLengthRecord(header.data() + kRecordsOffset + kRecordSize * (length - 1));
  }
  int highest = static_cast<unsigned char>(header[kHighestLengthOffset]);
  highest_length_ = (highest == 0 || highest > kMaxWordLength) ? kMaxWordLength : highest;
  return true;
}

bool RubyDictionary::LoadLength(int word_length, common::Messenger& messenger) {
  std::string shown = path_.string();
  auto damaged = [&] {
    ShowWarning(messenger, common::FormatMessage(messages::kDamagedSection,
                                                 {shown, std::int64_t{word_length}}));
    buckets_.clear();
    key_size_ = 0;
    return false;
  };
  if (!file_ || word_length < 1 || word_length > kMaxWordLength) return damaged();
  const LengthRecord& record = records_[word_length - 1];
  std::uint64_t section_end =
      word_length < kMaxWordLength ? records_[word_length].dicd_ofs : file_size_;
  if (record.dicd_ofs < kHeaderSize || record.dicd_ofs > record.jukud_ofs ||
      record.jukud_ofs > record.adrs_ofs || record.adrs_ofs > record.yomid_ofs ||
      record.yomid_ofs > section_end || section_end > file_size_ ||
      record.jukud_ofs - record.dicd_ofs < 4u * record.hushv) {
    return damaged();
  }

  key_size_ = static_cast<std::size_t>(word_length) * 2;
  const char* failed_buffer = messages::kNoMemoryHead.data();
  try {
    std::string table(4u * record.hushv, '\0');
    if (!ReadAt(file_, record.dicd_ofs, table.data(), table.size())) return damaged();
    buckets_.assign(record.hushv, Bucket{});
    modulus_ = BucketModulus(record.hushv);
    std::uint64_t key_count = 0;
    for (std::size_t b = 0; b < buckets_.size(); ++b) {
      buckets_[b].first = ReadLe24(table.data() + 4 * b);
      buckets_[b].count = static_cast<unsigned char>(table[4 * b + 3]);
      key_count += buckets_[b].count;
    }
    if (key_count * key_size_ > record.adrs_ofs - record.jukud_ofs ||
        key_count * 3 > record.yomid_ofs - record.adrs_ofs) {
      return damaged();
    }
    for (const Bucket& bucket : buckets_) {
      if (std::uint64_t{bucket.first} + bucket.count > key_count) return damaged();
    }

    failed_buffer = messages::kNoMemoryKeys.data();
    keys_.assign(key_count * key_size_, '\0');
    if (!ReadAt(file_, record.jukud_ofs, keys_.data(), keys_.size())) return damaged();

    failed_buffer = messages::kNoMemoryAddresses.data();
    std::string addresses(key_count * 3, '\0');
    if (!ReadAt(file_, record.adrs_ofs, addresses.data(), addresses.size())) return damaged();

    failed_buffer = messages::kNoMemoryReadings.data();
    std::size_t area_size = section_end - record.yomid_ofs;
    readings_.assign(area_size + 1, '\0');  // the extra 0 ends a reading cut off by the file
    if (!ReadAt(file_, record.yomid_ofs, readings_.data(), area_size)) return damaged();

    reading_offsets_.resize(key_count);
    for (std::size_t i = 0; i < key_count; ++i) {
      reading_offsets_[i] = ReadLe24(addresses.data() + 3 * i);
      if (reading_offsets_[i] >= area_size + 1) return damaged();
    }
  } catch (const std::bad_alloc&) {
    ShowWarning(messenger, std::string(failed_buffer));
    buckets_.clear();
    key_size_ = 0;
    return false;
  }
  return true;
}

void RubyDictionary::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  buckets_.clear();
  keys_.clear();
  reading_offsets_.clear();
  readings_.clear();
  key_size_ = 0;
}

}  // namespace dictionary
