// Runs of double-byte characters: the scan between runs steps over whole groups, areas, tags
// and the head with memchr; a run is taken two bytes at a time.
#include "engine/sweep/run_segmenter.h"

#include <cstring>

#include "common/encoding/sjis.h"

namespace engine {
namespace {

constexpr char kTagOpen = '<';
constexpr char kTagClose = '>';

}  // namespace

RunSegmenter::RunSegmenter(bool html_mode)
    : html_mode_(html_mode), mode_(html_mode ? Mode::kHead : Mode::kText) {}

void RunSegmenter::Begin(std::string_view chunk, bool last_chunk, std::size_t from) {
  chunk_ = chunk;
  last_chunk_ = last_chunk;
  at_ = from;
}

bool RunSegmenter::Next(CharacterRun& run, std::vector<std::uint32_t>& offsets) {
  if (ended_ || !ScanBetweenRuns()) return false;
  TakeRun(run, offsets);
  return true;
}

// Steps over everything up to the next run. False when the chunk has none: it is done, it
// ends inside something that goes on in the next chunk, or a NUL byte ended the input.
bool RunSegmenter::ScanBetweenRuns() {
  const std::size_t size = chunk_.size();
  for (;;) {
    switch (mode_) {
      case Mode::kText:
        break;
      case Mode::kHead:
        SkipThrough(common::kBodyStart);  // the head gets no ruby
        break;
      case Mode::kGroup:
        if (!ScanGroup()) return false;
        break;
      case Mode::kArea:
        SkipThrough(common::kAreaEnd);
        break;
      case Mode::kTag:
        SkipThrough(kTagClose);
        break;
    }
    if (mode_ != Mode::kText) return false;
    while (at_ < size) {
      char byte = chunk_[at_];
      if (common::IsLeadByte(byte)) {
        if (StartsCharacter(at_)) return true;
        if (!last_chunk_) return false;  // the trail byte is in the next chunk
        ++at_;  // a lead byte without its trail byte at the very end stands as it is
        continue;
      }
      if (byte == '\0') {
        ended_ = true;
        return false;
      }
      ++at_;
      if (byte == common::kGroupOpen) {
        mode_ = Mode::kGroup;  // a group written by a longer word is never split again
        break;
      }
      if (byte == common::kAreaStart) {
        mode_ = Mode::kArea;
        break;
      }
      if (html_mode_ && byte == kTagOpen) {
        mode_ = Mode::kTag;
        break;
      }
    }
    if (mode_ == Mode::kText) return false;
  }
}

// A trail byte equal to '}' (± is 0x81 0x7D) belongs to its character and does not close the
// group. False when the chunk ends inside the group.
bool RunSegmenter::ScanGroup() {
  const char* data = chunk_.data();
  const std::size_t size = chunk_.size();
  for (std::size_t from = at_; from < size;) {
    const void* found = std::memchr(data + from, common::kGroupClose, size - from);
    if (!found) break;
    std::size_t close = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    from = close + 1;
    if (!common::IsCharacterStart(chunk_, at_, close)) continue;
    at_ = close + 1;
    mode_ = Mode::kText;
    return true;
  }
  // The group goes on in the next chunk; a lead byte at the end waits for its trail byte.
  bool cut = !last_chunk_ && !common::IsCharacterStart(chunk_, at_, size);
  at_ = cut ? size - 1 : size;
  return false;
}

// The head, areas and tags end at a byte that can never be a trail byte.
void RunSegmenter::SkipThrough(char last) {
  const void* found = std::memchr(chunk_.data() + at_, last, chunk_.size() - at_);
  if (!found) {
    at_ = chunk_.size();  // the mode stays set for the next chunk
    return;
  }
  at_ = static_cast<std::size_t>(static_cast<const char*>(found) - chunk_.data()) + 1;
  mode_ = Mode::kText;
}

bool RunSegmenter::StartsCharacter(std::size_t at) const {
  return at + 1 < chunk_.size() && common::IsLeadByte(chunk_[at]);
}

// Takes characters from at_, and in HTML mode the tags between them. The run ends at anything
// else, or is cut where the chunk ends before that is known.
void RunSegmenter::TakeRun(CharacterRun& run, std::vector<std::uint32_t>& offsets) {
  const std::size_t size = chunk_.size();
  run = CharacterRun{.begin = at_};
  std::size_t at = at_;
  for (;;) {
    std::size_t from = at;
    while (StartsCharacter(at)) at += 2;
    if (run.has_tags) {
      for (std::size_t p = from; p < at; p += 2) offsets.push_back(static_cast<std::uint32_t>(p));
    }
    run.count += (at - from) / 2;
    run.end = at;
    if (at >= size || (at + 1 == size && common::IsLeadByte(chunk_[at]))) {
      run.cut = !last_chunk_;
      break;
    }
    if (!html_mode_ || chunk_[at] != kTagOpen) break;
    bool parted = false;
    bool open = false;
    std::size_t next = SkipTags(at, parted, open);
    if (parted) break;
    if (open || !StartsCharacter(next)) {
      // After the tags: a character cut in two or the chunk's end leave the run open.
      bool waits = open || next >= size || common::IsLeadByte(chunk_[next]);
      run.cut = waits && !last_chunk_;
      break;
    }
    if (!run.has_tags) {
      run.has_tags = true;
      for (std::size_t p = run.begin; p < run.end; p += 2) {
        offsets.push_back(static_cast<std::uint32_t>(p));
      }
    }
    at = next;
  }
  at_ = run.end;
}

// Steps over the tags from `from` (a '<'); returns the offset after the last whole one.
// `parted`: they reach kPartingTagBytes; `open`: the chunk ends inside one.
std::size_t RunSegmenter::SkipTags(std::size_t from, bool& parted, bool& open) const {
  const char* data = chunk_.data();
  const std::size_t size = chunk_.size();
  std::size_t at = from;
  while (at < size && data[at] == kTagOpen) {
    const void* close = std::memchr(data + at, kTagClose, size - at);
    if (!close) {
      parted = size - from >= kPartingTagBytes;
      open = true;
      return at;
    }
    at = static_cast<std::size_t>(static_cast<const char*>(close) - data) + 1;
    if (at - from >= kPartingTagBytes) {
      parted = true;
      return at;
    }
  }
  return at;
}

}  // namespace engine
