// Finding whole ruby groups in a stream of chunks.
#include "engine/group_scan.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/sjis.h"
#include "common/sjis_reader.h"
#include "engine/chunk_reader.h"

namespace engine {
namespace {

// The offset of the first `byte` at or after `from`, or npos. Groups and the gaps between them
// are short, so the first bytes are looked at in place before the library search.
std::size_t FindByte(std::string_view text, char byte, std::size_t from) {
  constexpr std::size_t kNear = 16;
  std::size_t near_end = std::min(text.size(), from + kNear);
  for (std::size_t at = from; at < near_end; ++at) {
    if (text[at] == byte) return at;
  }
  if (near_end == text.size()) return std::string_view::npos;
  const void* hit = std::memchr(text.data() + near_end, byte, text.size() - near_end);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data())
             : std::string_view::npos;
}

constexpr std::size_t kNotFound = std::string_view::npos;

class GroupScan {
 public:
  GroupScan(ByteSource& in, ByteSink& out, bool copy_areas, GroupVisitor& visitor)
      : chunks_(in), out_(out), copy_areas_(copy_areas), visitor_(visitor) {
    special_[static_cast<unsigned char>(common::kGroupOpen)] = true;
    special_[static_cast<unsigned char>(common::kAreaStart)] = copy_areas;
  }

  void Run() {
    while (chunks_.Next()) {
      chunk_ = chunks_.Chunk();
      last_chunk_ = chunks_.IsLast();
      at_ = written_ = 0;
      has_areas_ = copy_areas_ && std::memchr(chunk_.data(), common::kAreaStart, chunk_.size());
      Scan();
      Flush(at_);
      if (last_chunk_) return;
      chunks_.KeepFrom(at_);  // a group or a character cut by the end of the chunk
    }
  }

 private:
  void Scan() {
    const std::size_t size = chunk_.size();
    while (at_ < size) {
      if (inside_area_) {
        SkipArea();
        continue;
      }
      std::size_t found = NextSpecial(at_);
      if (found == size) {
        // A lead byte at the end waits for its trail byte in the next chunk.
        at_ = !last_chunk_ && !common::IsCharacterStart(chunk_, at_, size) ? size - 1 : size;
        return;
      }
      if (!common::IsCharacterStart(chunk_, at_, found)) {
        at_ = found + 1;  // a trail byte; the next byte starts a character
      } else if (chunk_[found] == common::kAreaStart) {
        inside_area_ = true;
        at_ = found + 1;
      } else if (!TakeGroup(found)) {
        return;
      }
    }
  }

  // Area markers are never trail bytes, so the end marker can be looked for as a plain byte.
  void SkipArea() {
    const std::size_t size = chunk_.size();
    const void* end = std::memchr(chunk_.data() + at_, common::kAreaEnd, size - at_);
    if (!end) {
      at_ = size;
      return;
    }
    at_ = static_cast<std::size_t>(static_cast<const char*>(end) - chunk_.data()) + 1;
    inside_area_ = false;
  }

  // False when the group goes on in the next chunk; the scan then stops at its '{'.
  bool TakeGroup(std::size_t open) {
    std::size_t end = GroupEnd(open);
    if (end == kNotFound) {
      if (!last_chunk_) {
        at_ = open;
        return false;
      }
      end = chunk_.size();  // the text ends inside the group: it is handed over as it stands
    }
    Flush(open);
    visitor_.Visit(chunk_.substr(open, end - open), out_);
    at_ = written_ = end;
    return true;
  }

  // The offset just past the '}' that closes the group opened at `open`, or kNotFound.
  std::size_t GroupEnd(std::size_t open) const {
    std::size_t from = open + 1;
    while (from < chunk_.size()) {
      std::size_t close = FindByte(chunk_, common::kGroupClose, from);
      if (close == std::string_view::npos) return kNotFound;
      if (common::IsCharacterStart(chunk_, open, close)) return close + 1;
      from = close + 1;
    }
    return kNotFound;
  }

  std::size_t NextSpecial(std::size_t from) const {
    const std::size_t size = chunk_.size();
    if (!has_areas_) {  // most chunks hold no area: only the groups need finding
      std::size_t open = FindByte(chunk_, common::kGroupOpen, from);
      return open == std::string_view::npos ? size : open;
    }
    while (from < size && !special_[static_cast<unsigned char>(chunk_[from])]) ++from;
    return from;
  }

  void Flush(std::size_t offset) {
    if (offset <= written_) return;
    out_.Write(chunk_.substr(written_, offset - written_));
    written_ = offset;
  }

  ChunkReader chunks_;
  ByteSink& out_;
  bool copy_areas_;
  bool has_areas_ = false;  // areas are copied and the chunk holds an area start
  GroupVisitor& visitor_;
  std::array<bool, 256> special_{};
  std::string_view chunk_;
  bool last_chunk_ = false;
  bool inside_area_ = false;
  std::size_t at_ = 0;
  std::size_t written_ = 0;
};

}  // namespace

void ScanGroups(ByteSource& in, ByteSink& out, bool copy_areas, GroupVisitor& visitor) {
  GroupScan(in, out, copy_areas, visitor).Run();
}

namespace {

// The first `byte` at or after `from` that starts a character, or npos. Neither '/' nor '}'
// can be taken for a trail byte unless a lead byte stands right before it.
std::size_t FindCharacter(std::string_view text, char byte, std::size_t from) {
  while (from < text.size()) {
    std::size_t at = FindByte(text, byte, from);
    if (at == std::string_view::npos) return at;
    if (common::IsCharacterStart(text, 0, at)) return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

}  // namespace

GroupParts SplitGroup(std::string_view group) {
  GroupParts parts;
  std::size_t end = FindCharacter(group, common::kGroupClose, 1);
  parts.closed = end != std::string_view::npos;
  if (!parts.closed) end = group.size();
  std::size_t separator = FindCharacter(group.substr(0, end), common::kGroupSeparator, 1);
  if (separator == std::string_view::npos) {
    parts.base = group.substr(1, end - 1);
    return parts;
  }
  parts.has_separator = true;
  parts.base = group.substr(1, separator - 1);
  parts.reading = group.substr(separator + 1, end - separator - 1);
  return parts;
}

}  // namespace engine
