// Finding whole ruby groups in a stream of chunks.
#include "engine/filters/group_scan.h"

#include <array>
#include <cstring>

#include "common/notation/ruby_group.h"
#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"
#include "engine/sweep/chunk_reader.h"

namespace engine {
namespace {

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

  // The offset just past the '}' that closes the group opened at `open`, or kNotFound. The
  // passes wrote these groups themselves, so a group may run over lines.
  std::size_t GroupEnd(std::size_t open) const {
    common::GroupStop stop =
        common::FindGroupStop(chunk_, open + 1, common::GroupLineRule::kSpansLines);
    return stop.closed ? stop.at + 1 : kNotFound;
  }

  std::size_t NextSpecial(std::size_t from) const {
    const std::size_t size = chunk_.size();
    if (!has_areas_) {  // most chunks hold no area: only the groups need finding
      std::size_t open = common::FindByteAhead(chunk_, common::kGroupOpen, from);
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

}  // namespace engine
