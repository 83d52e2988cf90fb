// Group-ruby merging and marker removal between the last matching pass and the ruby file.
// Like the matching pass, it scans chunks with an offset and writes what it keeps in pieces.
#include "engine/clean_up.h"

#include <array>
#include <cstring>
#include <string_view>

#include "common/sjis.h"
#include "engine/byte_stream.h"
#include "engine/chunk_reader.h"

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
    while (at_ < size) {
      std::size_t found = NextSpecial(at_);
      if (found == size) {
        // A lead byte at the end waits for its trail byte in the next chunk.
        at_ = !last_chunk_ && !common::IsCharacterStart(chunk_, at_, size) ? size - 1 : size;
        return;
      }
      if (!common::IsCharacterStart(chunk_, at_, found)) {
        at_ = found + 1;
      } else if (chunk_[found] != common::kGroupSeparator) {
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

  // The next byte at or after `from` that the clean-up acts on, or the chunk's size. Most chunks
  // hold no area marker; then only the separators need finding.
  std::size_t NextSpecial(std::size_t from) const {
    const std::size_t size = chunk_.size();
    if (!has_markers_) {
      const void* found = std::memchr(chunk_.data() + from, common::kGroupSeparator, size - from);
      return found ? static_cast<std::size_t>(static_cast<const char*>(found) - chunk_.data())
                   : size;
    }
    while (from < size && !IsSpecial(chunk_[from])) ++from;
    return from;
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
