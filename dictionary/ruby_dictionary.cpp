// Reading the ruby dictionary one length section at a time, with every table checked against
// the file and against each other before a lookup can use it.
#include "dictionary/ruby_dictionary.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

void ShowWarning(common::Messenger& messenger, std::string text) {
  messenger.Tell({std::string(messages::kTitleWarning), std::move(text), common::Icon::kWarning});
}

// What a bucket table holds: how many keys its buckets hold together, and the end of the
// furthest bucket's keys, which must not pass that count.
struct BucketSpan {
  std::uint64_t key_count = 0;
  std::uint64_t end = 0;
};

// The buckets of a table as stored (a 24-bit first key and an 8-bit count each). A plain pass
// over every bucket, thousands of them however few the words, kept out of line so that the fuzz
// build can leave its steps untraced (fuzz/coverage_ignore.txt).
[[gnu::noinline]] BucketSpan DecodeBucketTable(std::string_view table,
                                               std::vector<LengthSection::Bucket>& buckets,
                                               std::vector<std::uint32_t>& filled) {
  buckets.resize(table.size() / 4);
  filled.clear();
  BucketSpan span;
  const char* at = table.data();
  for (LengthSection::Bucket& bucket : buckets) {
    std::uint32_t stored = 0;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(&stored, at, 4);  // one read for the four bytes
    } else {
      stored = ReadLe24(at) | std::uint32_t{static_cast<unsigned char>(at[3])} << 24;
    }
    bucket.first = stored & 0xFFFFFF;
    bucket.count = stored >> 24;
    span.key_count += bucket.count;
    span.end = std::max(span.end, std::uint64_t{bucket.first} + bucket.count);
    if (bucket.count != 0) filled.push_back(static_cast<std::uint32_t>(&bucket - buckets.data()));
    at += 4;
  }
  return span;
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
  file_ = common::OpenRegularFileStream(path);
  if (!file_) {
    ShowWarning(messenger, common::FormatMessage(messages::kCannotOpenDictionary, {shown}));
    return false;
  }
  return ReadHeader(messenger);
}

bool RubyDictionary::OpenBytes(std::string_view bytes, const std::filesystem::path& shown_as,
                               common::Messenger& messenger) {
  Close();
  path_ = shown_as;
  std::string shown = shown_as.string();
  // The C library makes no stream of no bytes; such a file is too short all the same.
  if (bytes.empty()) {
    ShowWarning(messenger, common::FormatMessage(messages::kDictionaryTooShort, {shown}));
    return false;
  }
  file_ = ::fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "r");
  if (!file_) {
    ShowWarning(messenger, common::FormatMessage(messages::kCannotOpenDictionary, {shown}));
    return false;
  }
  return ReadHeader(messenger);
}

bool RubyDictionary::ReadHeader(common::Messenger& messenger) {
  std::string shown = path_.string();
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
  // Every dictionary the builder writes carries the signature; any other file would only be
  // taken apart as damaged sections.
  if (header.compare(kMakerOffset, kMakerText.size(), kMakerText) != 0 ||
      header.compare(kVersionOffset, kVersionText.size(), kVersionText) != 0) {
    ShowWarning(messenger, common::FormatMessage(messages::kNotADictionary, {shown}));
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

namespace {

// The regions of one length lie in order inside the file, and the bucket table fits its region.
bool RecordFits(const LengthRecord& record, std::uint64_t section_end, std::uint64_t file_size) {
  return record.dicd_ofs >= kHeaderSize && record.dicd_ofs <= record.jukud_ofs &&
         record.jukud_ofs <= record.adrs_ofs && record.adrs_ofs <= record.yomid_ofs &&
         record.yomid_ofs <= section_end && section_end <= file_size &&
         record.jukud_ofs - record.dicd_ofs >= 4u * record.hushv;
}

}  // namespace

void LengthSection::Clear() {
  key_size_ = 0;
  buckets_.clear();
  filled_.clear();
  keys_.clear();
  readings_index_.clear();
  readings_.clear();
}

bool RubyDictionary::LoadLength(int word_length, LengthSection& section,
                                common::Messenger& messenger) {
  section.Clear();
  if (!file_ || word_length < 1 || word_length > kMaxWordLength) {
    return RefuseSection(word_length, section, messenger);
  }
  const LengthRecord& record = records_[word_length - 1];
  std::uint64_t section_end =
      word_length < kMaxWordLength ? records_[word_length].dicd_ofs : file_size_;
  if (!RecordFits(record, section_end, file_size_)) {
    return RefuseSection(word_length, section, messenger);
  }
  section.key_size_ = static_cast<std::size_t>(word_length) * 2;
  try {
    if (!ReadBuckets(record, section) || !ReadKeys(record, section) ||
        !ReadReadings(record, section_end, section)) {
      return RefuseSection(word_length, section, messenger);
    }
  } catch (const std::bad_alloc&) {
    ShowWarning(messenger, common::FormatMessage(messages::kNoMemoryForSection,
                                                 {path_.string(), std::int64_t{word_length}}));
    section.Clear();
    return false;
  }
  return true;
}

bool RubyDictionary::RefuseSection(int word_length, LengthSection& section,
                                   common::Messenger& messenger) {
  ShowWarning(messenger, common::FormatMessage(messages::kDamagedSection,
                                               {path_.string(), std::int64_t{word_length}}));
  section.Clear();
  return false;
}

// The bucket table, checked against the key and address regions it indexes.
bool RubyDictionary::ReadBuckets(const LengthRecord& record, LengthSection& section) {
  std::string& table = scratch_;
  table.resize(4u * std::size_t{record.hushv});
  if (!ReadAt(file_, record.dicd_ofs, table.data(), table.size())) return false;
  section.modulus_ = BucketModulus(record.hushv);
  const BucketSpan span = DecodeBucketTable(table, section.buckets_, section.filled_);
  const std::uint64_t key_count = span.key_count;
  if (key_count * section.key_size_ > record.adrs_ofs - record.jukud_ofs ||
      key_count * 3 > record.yomid_ofs - record.adrs_ofs) {
    return false;
  }
  if (span.end > key_count) return false;  // a bucket's keys run past the keys there are
  section.readings_index_.resize(key_count);
  return true;
}

bool RubyDictionary::ReadKeys(const LengthRecord& record, LengthSection& section) {
  section.keys_.assign(section.readings_index_.size() * section.key_size_, '\0');
  return ReadAt(file_, record.jukud_ofs, section.keys_.data(), section.keys_.size());
}

// The address table and the reading area; every address must fall inside the area.
bool RubyDictionary::ReadReadings(const LengthRecord& record, std::uint64_t section_end,
                                  LengthSection& section) {
  std::size_t key_count = section.readings_index_.size();
  std::string& addresses = scratch_;
  addresses.resize(key_count * 3);
  if (!ReadAt(file_, record.adrs_ofs, addresses.data(), addresses.size())) return false;
  std::size_t area_size = section_end - record.yomid_ofs;
  section.readings_.assign(area_size + 1, '\0');  // the extra 0 ends a reading cut off by the file
  if (!ReadAt(file_, record.yomid_ofs, section.readings_.data(), area_size)) return false;
  for (std::size_t i = 0; i < key_count; ++i) {
    LengthSection::Reading& reading = section.readings_index_[i];
    reading.offset = ReadLe24(addresses.data() + 3 * i);
    if (reading.offset > area_size) return false;
    reading.length =
        static_cast<std::uint32_t>(std::strlen(section.readings_.data() + reading.offset));
  }
  return true;
}

void RubyDictionary::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  section_.Clear();
}

}  // namespace dictionary
