// Splits a chunk of prepared text into runs of double-byte characters, the only places where
// a dictionary word can stand. Everything between runs (single-byte characters, groups, non-ruby
// areas and, in HTML mode, the head and the tags outside words) is stepped over and left as it
// stands. In HTML mode tags may stand between the characters of a run, as they may inside a word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace engine {

// Tags between two characters that reach this many bytes end the run: no window of the
// matching passes may span them (a window gives up its word when it would span more than
// 65536 bytes), so they part words as a line feed does.
inline constexpr std::size_t kMaxWindowSpan = 1 << 16;
inline constexpr std::size_t kPartingTagBytes = kMaxWindowSpan - 1;

struct CharacterRun {
  std::size_t begin = 0;  // offset of the first character in the chunk
  std::size_t end = 0;    // just after the last character
  std::size_t count = 0;  // characters
  bool has_tags = false;  // tags stand between characters: `offsets` then holds each one's offset
  bool cut = false;       // the chunk ended inside the run, which goes on in the next chunk
};

class RunSegmenter {
 public:
  explicit RunSegmenter(bool html_mode);

  // Scanning goes on in a new chunk at `from`, in the state the previous chunk left.
  void Begin(std::string_view chunk, bool last_chunk, std::size_t from);
  // The next run; false when the chunk holds no more. After a cut run the chunk is done. A run
  // with tags appends the offset of each of its characters to `offsets`.
  bool Next(CharacterRun& run, std::vector<std::uint32_t>& offsets);
  // Where the scan stopped: what follows waits for the next chunk (a character cut in two).
  std::size_t Stop() const { return at_; }
  // A NUL byte at Stop() ended the input.
  bool Ended() const { return ended_; }

 private:
  enum class Mode { kHead, kText, kGroup, kArea, kTag };

  bool ScanBetweenRuns();
  bool ScanGroup();
  void SkipThrough(char last);
  void TakeRun(CharacterRun& run, std::vector<std::uint32_t>& offsets);
  std::size_t SkipTags(std::size_t from, bool& parted, bool& open) const;
  bool StartsCharacter(std::size_t at) const;

  const bool html_mode_;
  Mode mode_;
  std::string_view chunk_;
  bool last_chunk_ = false;
  std::size_t at_ = 0;
  bool ended_ = false;
};

}  // namespace engine
