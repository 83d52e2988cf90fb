// Group-ruby merging and marker removal between the last matching pass and the ruby file.
// Like the matching pass, it scans chunks with an offset and writes what it keeps in pieces.
#include "engine/sweep/clean_up.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "common/encoding/sjis.h"
#include "common/encoding/sjis_blocks.h"
#include "engine/byte_stream.h"
#include "engine/sweep/chunk_reader.h"

namespace engine {
namespace {

// "/}{" is dropped, so that {今/}{日/きょう} becomes {今日/きょう}.
constexpr std::size_t kJoinBytes = 3;
// The separator, the two bytes after it, and the trail byte of a character that the second
// of them may begin.
constexpr std::size_t kSeparatorLookahead = 4;

bool IsAreaMarker(char byte) { return byte == common::kAreaStart || byte == common::kAreaEnd; }

// The bytes the clean-up acts on; no other byte needs a second look.
constexpr std::array<bool, 256> kSpecialBytes = [] {
  std::array<bool, 256> special{};
  special[static_cast<unsigned char>(common::kGroupSeparator)] = true;
  special[static_cast<unsigned char>(common::kAreaStart)] = true;
  special[static_cast<unsigned char>(common::kAreaEnd)] = true;
  return special;
}();

bool IsSpecial(char byte) { return kSpecialBytes[static_cast<unsigned char>(byte)]; }

class CleanUpScan {
 public:
  CleanUpScan(bool html_mode, ByteSource& in, ByteSink& out)
      : chunks_(in), out_(out), in_head_(html_mode) {}

  void Run() {
    while (chunks_.Next()) {
      chunk_ = chunks_.Chunk();
      last_chunk_ = chunks_.IsLast();
      written_ = 0;
      at_ = 0;
      if (in_head_) SkipHead();
      if (!in_head_) ScanBody();
      if (last_chunk_) {
        Flush(chunk_.size());
        return;
      }
      Flush(at_);
      chunks_.KeepFrom(at_);  // a character or a separator cut by the end of the chunk
    }
  }

 private:
  // The HTML head is kept as it is; the body-start marker after it is dropped.
  void SkipHead() {
    const void* found = std::memchr(chunk_.data(), common::kBodyStart, chunk_.size());
    if (!found) {
      at_ = chunk_.size();
      return;
    }
    Drop(static_cast<std::size_t>(static_cast<const char*>(found) - chunk_.data()));
    in_head_ = false;
  }

  void ScanBody() {
    const std::size_t size = chunk_.size();
    has_markers_ = std::memchr(chunk_.data(), common::kAreaStart, size) ||
                   std::memchr(chunk_.data(), common::kAreaEnd, size);
    block_ = kNoBlock;
    while (at_ < size) {
      std::size_t found = NextSpecial(at_);
      if (found == size) {
        // A lead byte at the end waits for its trail byte in the next chunk.
        at_ = !last_chunk_ && !common::IsCharacterStart(chunk_, at_, size) ? size - 1 : size;
        return;
      }
      if (chunk_[found] != common::kGroupSeparator) {
        Drop(found);
      } else if (found + kSeparatorLookahead > size && !last_chunk_) {
        at_ = found;
        return;
      } else {
        at_ = found;
        TakeSeparator();
      }
    }
  }

  // The next byte at or after `from` (a character's start) that the clean-up acts on and that
  // starts a character, or the chunk's size. Blocks of 64 bytes are looked at whole: the bytes
  // acted on among their character starts, found from where the block begins. The scan moves
  // forward from one character start to the next, so the block of the last call holds the next
  // one's answer until the scan leaves it. Most chunks hold no area marker; then only the
  // separators are looked for.
  std::size_t NextSpecial(std::size_t from) {
    const std::size_t size = chunk_.size();
    if (block_ == kNoBlock || from < block_ || from >= block_ + kBlockBytes) {
      block_ = from;
      block_trail_ = false;
      if (!LookAtBlock()) return NextSpecialByteByByte(from);
    }
    for (;;) {
      std::uint64_t ahead = hits_ & (~std::uint64_t{0} << (from - block_));
      if (ahead != 0) return block_ + static_cast<std::size_t>(std::countr_zero(ahead));
      block_ += kBlockBytes;
      from = block_ + (block_trail_ ? 1 : 0);
      block_trail_ = false;
      if (from >= size) return size;
      block_ = from;
      if (!LookAtBlock()) return NextSpecialByteByByte(from);
    }
  }

  // The bytes acted on that start characters in the 64 bytes from block_ (itself a character's
  // start); false, leaving no block, where fewer than 64 bytes are left.
  bool LookAtBlock() {
    if (block_ + kBlockBytes > chunk_.size()) {
      block_ = kNoBlock;
      return false;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(chunk_.data() + block_);
    std::uint64_t starts = common::CharacterStartsOf64(common::LeadBytesOf64(bytes), block_trail_);
    auto separator = static_cast<unsigned char>(common::kGroupSeparator);
    std::uint64_t special =
        has_markers_
            ? common::BytesAmong64(bytes, separator, static_cast<unsigned char>(common::kAreaStart),
                                   static_cast<unsigned char>(common::kAreaEnd))
            : common::BytesAmong64(bytes, separator, separator, separator);
    hits_ = special & starts;
    return true;
  }

  // The same for the last bytes of a chunk, a character at a time.
  std::size_t NextSpecialByteByByte(std::size_t from) const {
    const std::size_t size = chunk_.size();
    while (from < size && !IsSpecial(chunk_[from])) {
      from += common::IsLeadByte(chunk_[from]) ? 2 : 1;
    }
    return std::min(from, size);
  }

  // Stands on a '/'. The two bytes after it are taken together: "}{" is dropped with the '/',
  // anything else is kept, except control markers; a lead byte keeps its trail byte, so that the
  // scan stays on character boundaries.
  void TakeSeparator() {
    std::string_view next = chunk_.substr(at_ + 1, 2);
    if (next.size() == 2 && next[0] == common::kGroupClose && next[1] == common::kGroupOpen) {
      Flush(at_);
      at_ += kJoinBytes;
      written_ = at_;
      return;
    }
    ++at_;
    if (at_ < chunk_.size() && common::IsLeadByte(chunk_[at_])) {
      at_ = std::min(at_ + 2, chunk_.size());
      return;
    }
    for (int taken = 0; taken < 2 && at_ < chunk_.size(); ++taken) {
      if (IsAreaMarker(chunk_[at_])) {
        Drop(at_);
      } else if (taken == 1 && common::IsLeadByte(chunk_[at_])) {
        at_ = std::min(at_ + 2, chunk_.size());
      } else {
        ++at_;
      }
    }
  }

  // Leaves out the byte at `offset` and goes on after it.
  void Drop(std::size_t offset) {
    Flush(offset);
    at_ = written_ = offset + 1;
  }

  void Flush(std::size_t offset) {
    if (offset <= written_) return;
    out_.Write(chunk_.substr(written_, offset - written_));
    written_ = offset;
  }

  ChunkReader chunks_;
  ByteSink& out_;
  bool in_head_;
  std::string_view chunk_;
  bool last_chunk_ = false;
  std::size_t at_ = 0;
  std::size_t written_ = 0;
  bool has_markers_ = false;  // the chunk holds 0x11 or 0x12
  // The block NextSpecial last looked at: where it starts (kNoBlock for none), the bytes acted
  // on that start characters in it, and whether the byte after it is a trail byte.
  static constexpr std::size_t kBlockBytes = 64;
  static constexpr std::size_t kNoBlock = static_cast<std::size_t>(-1);
  std::size_t block_ = kNoBlock;
  std::uint64_t hits_ = 0;
  bool block_trail_ = false;
};

}  // namespace

void CleanUp(bool html_mode, ByteSource& in, ByteSink& out) {
  CleanUpScan(html_mode, in, out).Run();
}

void CleanUp(bool html_mode, common::TextReader& in, common::TextWriter& out) {
  FileSource source(in);
  FileSink sink(out);
  CleanUp(html_mode, source, sink);
}

CleanUpStatus RunCleanUp(const common::WorkDir& work, bool html_mode) {
  common::TextReader in;
  if (!in.Open(work.File(common::kRunResult))) return CleanUpStatus::kInputFailed;
  common::TextWriter out;
  if (!out.Open(work.File(common::kCleanedUp))) return CleanUpStatus::kOutputFailed;
  CleanUp(html_mode, in, out);
  if (!out.Close()) return CleanUpStatus::kOutputFailed;
  if (!in.Close()) return CleanUpStatus::kInputFailed;
  return CleanUpStatus::kOk;
}

}  // namespace engine
