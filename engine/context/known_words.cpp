#include "engine/context/known_words.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace engine::context {
namespace {

// Most feature strings of UniDic are 150–300 bytes; a longer one is read again, whole.
constexpr std::size_t kFirstRead = 512;

constexpr int kLastField = kKana;

}  // namespace

FeatureText::FeatureText(int fd, const char* begin, std::size_t size, std::uint64_t offset)
    : fd_(fd), begin_(begin), size_(size), offset_(offset) {}

FeatureText::~FeatureText() {
  if (fd_ >= 0) close(fd_);
}

std::string_view FeatureText::Get(const char* feature, std::string& buffer) const {
  if (fd_ < 0 || feature < begin_ || feature >= begin_ + size_) return feature;
  const auto at = static_cast<std::size_t>(feature - begin_);
  const std::size_t left = size_ - at;
  std::size_t want = std::min(kFirstRead, left);
  while (true) {
    buffer.resize(want);
    ssize_t got = pread(fd_, buffer.data(), want, static_cast<off_t>(offset_ + at));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return feature;  // the mapping still holds it
    const auto size = static_cast<std::size_t>(got);
    if (const void* end = std::memchr(buffer.data(), '\0', size)) {
      return std::string_view(buffer.data(), static_cast<const char*>(end) - buffer.data());
    }
    if (size < want || want == left) return std::string_view(buffer.data(), size);
    want = std::min(want * 2, left);
  }
}

const WordFields& KnownWords::Find(const char* feature, const FeatureText& text) {
  if ((size_ + 1) * 2 > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = Hash(feature) & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.key == feature) return slot.fields;
    if (slot.key == nullptr) {
      slot.key = feature;
      slot.fields = Read(text.Get(feature, buffer_));
      ++size_;
      return slot.fields;
    }
  }
}

void KnownWords::Clear() {
  slots_.assign(kFirstSlots, Slot{});
  size_ = 0;
  blocks_.clear();
  block_at_ = nullptr;
  block_left_ = 0;
}

std::size_t KnownWords::Hash(const char* key) {
  auto bits = reinterpret_cast<std::uintptr_t>(key);
  return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ULL) >> 20);
}

void KnownWords::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.key == nullptr) continue;
    std::size_t i = Hash(slot.key) & mask;
    while (slots_[i].key != nullptr) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

// MeCab's feature string is comma-separated and long; it is walked once, up to the last field
// read. A field in double quotes (one that holds a comma) is taken between its quotes.
WordFields KnownWords::Read(std::string_view feature) {
  std::string_view values[kLastField + 1];
  const char* p = feature.data();
  const char* const stop = p + feature.size();
  for (int field = 0; field <= kLastField && p != stop; ++field) {
    const char* start = p;
    const char* end;
    if (*p == '"') {
      start = ++p;
      while (p != stop && !(p[0] == '"' && (p + 1 == stop || p[1] != '"'))) {
        p += (p[0] == '"') ? 2 : 1;
      }
      end = p;
      if (p != stop) ++p;
    } else {
      p = std::find(p, stop, ',');
      end = p;
    }
    values[field] = std::string_view(start, static_cast<std::size_t>(end - start));
    if (p != stop && *p == ',') ++p;
  }
  if (values[kKana] == "*") values[kKana] = {};
  if (values[kInitialType] == "*") values[kInitialType] = {};

  WordFields fields;
  std::size_t total = 0;
  for (int field : WordFields::kFieldsRead) {
    values[field] = values[field].substr(
        0, std::min(values[field].size(), std::numeric_limits<std::uint16_t>::max() - total));
    total += values[field].size();
  }
  char* out = Keep(total);
  fields.text_ = out;
  std::size_t i = 0;
  for (int field : WordFields::kFieldsRead) {
    out = std::copy(values[field].begin(), values[field].end(), out);
    fields.ends_[i++] = static_cast<std::uint16_t>(out - fields.text_);
  }
  return fields;
}

char* KnownWords::Keep(std::size_t size) {
  if (size > block_left_) {
    const std::size_t block = std::max(size, kBlockBytes);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(block));
    block_at_ = blocks_.back().get();
    block_left_ = block;
  }
  char* at = block_at_;
  block_at_ += size;
  block_left_ -= size;
  return at;
}

}  // namespace engine::context
