// The matching pass as it was written before the sweep, one length at a time: a window of up
// to L double-byte characters slides over the text; a full window that is a dictionary word is
// written as ruby groups and the scan resumes after it. The tests hold the sweep to it byte for
// byte.
//
// The input is scanned chunk by chunk with an offset. Everything the pass leaves unchanged is
// written later in one piece from the chunk, so only words found cost output work.
#include "tests/engine/reference/reference_pass.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "common/sjis.h"
#include "dictionary/ruby_dictionary_format.h"
#include "engine/byte_stream.h"
#include "engine/chunk_reader.h"
#include "engine/memory_stream.h"
#include "tests/engine/reference/key_filter.h"

namespace engine_testing::reference {
namespace {

using engine::ByteSink;
using engine::ByteSource;
using engine::ChunkReader;

constexpr char kTagOpen = '<';
constexpr char kTagClose = '>';
constexpr char kLongVowelLead = '\x81';  // ー is 0x81 0x5B
constexpr char kLongVowelTrail = '\x5B';

// A tag met inside a word waits with the word until the word is decided. A window that would
// span more bytes than this gives up its word, so that memory stays small whatever the text.
constexpr std::size_t kMaxWindowSpan = 1 << 16;

// Offsets of the window's characters while tags stand between them, in a ring: the window
// slides on by moving its start.
constexpr std::size_t kRingSize = 16;
static_assert(kRingSize >= dictionary::kMaxWordLength);

// What the bytes at the scan position belong to.
enum class Mode { kHead, kText, kGroup, kArea, kTag, kTagInWord };

class MatchingPass {
 public:
  MatchingPass(int word_length, const dictionary::LengthSection& section, bool html_mode,
               ByteSource& in, ByteSink& out)
      : length_(static_cast<std::size_t>(word_length)),
        section_(section),
        filter_(section, word_length),
        html_mode_(html_mode),
        chunks_(in),
        out_(out),
        mode_(html_mode ? Mode::kHead : Mode::kText) {}

  void Run() {
    while (Step()) {
    }
  }
  // Scans the next chunk of the input; false once the input is done.
  bool Step();

 private:
  bool ScanChunk();
  bool ResumeMode();
  bool ScanText();
  bool ScanGroup();
  void SkipThrough(char last);
  void ScanTagInWord();
  void TakeCharacters();
  void TakeCharactersAroundTags();
  void StartTagInWord();
  bool TryWord();
  std::string_view Key();
  void WriteWord(std::string_view reading);
  static char* AppendCharacter(char* out, const char* character, std::string_view reading,
                               std::size_t& at, bool& segments_left);
  void ResetWindow();
  void Flush(std::size_t offset);
  void EndChunk();

  // Offset of the window's character i. Without tags the characters stand side by side and
  // end at the scan position.
  std::size_t Offset(std::size_t i) const {
    return has_tags_ ? offsets_[(first_ + i) % kRingSize] : at_ - 2 * (count_ - i);
  }
  const char* At(std::size_t offset) const { return chunk_.data() + offset; }

  const std::size_t length_;
  const dictionary::LengthSection& section_;
  const KeyFilter filter_;
  const bool html_mode_;
  ChunkReader chunks_;
  ByteSink& out_;

  std::string_view chunk_;
  bool last_chunk_ = false;
  std::size_t at_ = 0;       // scan position in the chunk
  std::size_t written_ = 0;  // the chunk is written up to here
  Mode mode_;
  bool ended_ = false;  // a NUL byte ended the input
  bool done_ = false;

  std::array<std::size_t, kRingSize> offsets_{};
  std::size_t first_ = 0;
  std::size_t count_ = 0;
  std::uint64_t hash_ = 0;
  bool has_tags_ = false;  // tags stand between the window's characters
  std::array<char, 2 * dictionary::kMaxWordLength> key_{};
  std::string ruby_;
};

bool MatchingPass::Step() {
  if (done_ || ended_ || !chunks_.Next()) {
    done_ = true;
    return false;
  }
  chunk_ = chunks_.Chunk();
  last_chunk_ = chunks_.IsLast();
  ScanChunk();
  if (ended_ || last_chunk_) {
    Flush(ended_ ? at_ : chunk_.size());  // nothing from a NUL byte on is written
    done_ = true;
    return true;
  }
  EndChunk();
  return true;
}

// Scans from at_ to the end of the chunk; false when the rest must wait for the next chunk
// (a character cut in two) or a NUL byte has ended the input.
bool MatchingPass::ScanChunk() { return ResumeMode() && ScanText(); }

// Finishes what the previous chunk left open.
bool MatchingPass::ResumeMode() {
  switch (mode_) {
    case Mode::kText:
      return true;
    case Mode::kGroup:
      return ScanGroup();
    case Mode::kHead:
      SkipThrough(common::kBodyStart);  // the head gets no ruby
      return true;
    case Mode::kArea:
      SkipThrough(common::kAreaEnd);
      return true;
    case Mode::kTagInWord:
      ScanTagInWord();
      if (mode_ != Mode::kTag) return true;
      [[fallthrough]];
    case Mode::kTag:
      SkipThrough(kTagClose);
      return true;
  }
  return true;
}

// Plain text: double-byte characters go into the window, anything else empties it. Groups,
// areas and tags are stepped over here; one that the chunk does not close leaves its mode set
// for the next chunk. False as ScanChunk.
bool MatchingPass::ScanText() {
  const std::size_t size = chunk_.size();
  while (at_ < size) {
    char byte = chunk_[at_];
    if (common::IsLeadByte(byte)) {
      if (at_ + 1 < size) {
        TakeCharacters();
        continue;
      }
      if (!last_chunk_) return false;
      // A lead byte without its trail byte at the very end is written as it stands.
    } else if (byte == '\0') {
      ended_ = true;
      return false;
    } else if (byte == common::kGroupOpen) {
      ResetWindow();  // a group written by a longer word is never split again
      ++at_;
      mode_ = Mode::kGroup;
      if (!ScanGroup()) return false;
      continue;
    } else if (byte == common::kAreaStart) {
      ResetWindow();
      ++at_;
      mode_ = Mode::kArea;
      SkipThrough(common::kAreaEnd);
      continue;
    } else if (html_mode_ && byte == kTagOpen) {
      if (count_ > 0) {
        StartTagInWord();
        ++at_;
        ScanTagInWord();
      } else {
        ++at_;
        mode_ = Mode::kTag;
      }
      if (mode_ == Mode::kTag) SkipThrough(kTagClose);
      continue;
    }
    ResetWindow();
    ++at_;
  }
  return true;
}

// A trail byte equal to '}' (± is 0x81 0x7D) belongs to its character and does not close the
// group. False when the chunk ends in the middle of a character.
bool MatchingPass::ScanGroup() {
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
  return !cut;
}

// The head, areas and tags end at a byte that can never be a trail byte.
void MatchingPass::SkipThrough(char last) {
  const void* found = std::memchr(At(at_), last, chunk_.size() - at_);
  if (!found) {
    at_ = chunk_.size();  // the mode stays set for the next chunk
    return;
  }
  at_ = static_cast<std::size_t>(static_cast<const char*>(found) - chunk_.data()) + 1;
  mode_ = Mode::kText;
}

// A tag inside a word keeps the word waiting, up to a window span of kMaxWindowSpan bytes.
void MatchingPass::ScanTagInWord() {
  std::size_t span_end = Offset(0) + kMaxWindowSpan;
  std::size_t limit = std::min(chunk_.size(), span_end);
  const void* found = at_ < limit ? std::memchr(At(at_), kTagClose, limit - at_) : nullptr;
  if (found) {
    at_ = static_cast<std::size_t>(static_cast<const char*>(found) - chunk_.data()) + 1;
    mode_ = Mode::kText;
  } else if (limit < span_end) {
    at_ = limit;  // the tag goes on in the next chunk
  } else {
    ResetWindow();  // the word is given up; the tag is copied as it stands
    mode_ = Mode::kTag;
  }
}

// Adds the run of whole double-byte characters from at_ to the window, one by one, looking the
// window up each time it is full. This is the hot loop of every pass: the window's state is
// kept in locals, and stored back when the dictionary is asked and at the end of the run.
void MatchingPass::TakeCharacters() {
  if (has_tags_) {
    TakeCharactersAroundTags();
    return;
  }
  const char* data = chunk_.data();
  const std::size_t size = chunk_.size();
  const std::size_t full = 2 * length_;  // bytes of a full window
  std::size_t at = at_;
  std::size_t count = count_;
  std::uint64_t hash = hash_;
  while (at + 1 < size && common::IsLeadByte(data[at])) {
    hash = KeyFilter::Push(hash, data + at);
    at += 2;
    if (++count < length_) continue;
    // The window is full from here on: each character in pushes the first one out.
    for (;;) {
      if (filter_.MayHold(hash)) {
        at_ = at, count_ = length_, hash_ = hash;
        if (TryWord()) {
          count = 0, hash = 0;
          break;
        }
      }
      // Not a word: the first character stays as it is and the window slides on.
      hash = filter_.Drop(hash, data + at - full);
      if (at + 1 >= size || !common::IsLeadByte(data[at])) {
        count = length_ - 1;
        break;
      }
      hash = KeyFilter::Push(hash, data + at);
      at += 2;
    }
  }
  at_ = at, count_ = count, hash_ = hash;
}

// The same with tags between the window's characters, whose offsets the ring then holds.
void MatchingPass::TakeCharactersAroundTags() {
  while (at_ + 1 < chunk_.size() && common::IsLeadByte(chunk_[at_])) {
    offsets_[(first_ + count_) % kRingSize] = at_;
    hash_ = KeyFilter::Push(hash_, At(at_));
    at_ += 2;
    if (++count_ < length_) continue;
    if (filter_.MayHold(hash_) && TryWord()) return;
    hash_ = filter_.Drop(hash_, At(Offset(0)));
    first_ = (first_ + 1) % kRingSize;
    --count_;
    if (count_ == 0 || Offset(count_ - 1) - Offset(0) == 2 * (count_ - 1)) {
      has_tags_ = false;  // the tags have left the window
      return;
    }
  }
}

// A tag inside a word: from here on the ring holds where the window's characters stand.
void MatchingPass::StartTagInWord() {
  if (!has_tags_) {
    for (std::size_t i = 0; i < count_; ++i) offsets_[i] = Offset(i);
    first_ = 0;
    has_tags_ = true;
  }
  mode_ = Mode::kTagInWord;
}

// Asks the dictionary about the full window and writes the word if it is one.
bool MatchingPass::TryWord() {
  int index = section_.Find(Key());
  if (index < 0) return false;
  WriteWord(section_.ReadingOf(index));
  return true;
}

std::string_view MatchingPass::Key() {
  if (!has_tags_) return std::string_view(At(Offset(0)), 2 * count_);
  for (std::size_t i = 0; i < count_; ++i) std::memcpy(&key_[2 * i], At(Offset(i)), 2);
  return std::string_view(key_.data(), 2 * count_);
}

// Tags inside the word are written ahead of it (漢<b>字 gives <b>{漢/かん}{字/じ}); then each
// character of the word.
void MatchingPass::WriteWord(std::string_view reading) {
  std::size_t begin = Offset(0);
  std::size_t end = Offset(count_ - 1) + 2;
  Flush(begin);
  // Room for the tags, every character as a group, and each reading byte as two bytes.
  ruby_.resize((end - begin) + 4 * count_ + 2 * reading.size());
  char* out = ruby_.data();
  for (std::size_t i = 0; has_tags_ && i + 1 < count_; ++i) {
    std::size_t tags = Offset(i + 1) - Offset(i) - 2;
    std::memcpy(out, At(Offset(i) + 2), tags);
    out += tags;
  }
  std::size_t at = 0;
  bool segments_left = true;
  for (std::size_t i = 0; i < count_; ++i) {
    out = AppendCharacter(out, At(Offset(i)), reading, at, segments_left);
  }
  out_.Write(std::string_view(ruby_.data(), static_cast<std::size_t>(out - ruby_.data())));
  written_ = end;
  ResetWindow();
}

// A ruby-target character takes the next segment of the reading; other characters (kana,
// okurigana) stand outside the groups. A reading short of segments leaves the characters it
// does not cover plain; segments beyond the word's characters are ignored.
char* MatchingPass::AppendCharacter(char* out, const char* character, std::string_view reading,
                                    std::size_t& at, bool& segments_left) {
  bool target = common::IsRubyTarget(common::CodeOf(static_cast<unsigned char>(character[0]),
                                                    static_cast<unsigned char>(character[1])));
  if (!target || !segments_left) {
    *out++ = character[0];
    *out++ = character[1];
    return out;
  }
  *out++ = common::kGroupOpen;
  *out++ = character[0];
  *out++ = character[1];
  *out++ = common::kGroupSeparator;
  segments_left = false;
  for (; at < reading.size(); ++at) {
    char byte = reading[at];
    if (byte == dictionary::kSegmentSeparator) {
      ++at;
      segments_left = true;
      break;
    }
    if (byte == dictionary::kAlternativeSeparator) {
      *out++ = common::kAlternative;
    } else if (static_cast<unsigned char>(byte) == dictionary::kEncodedLongVowel) {
      *out++ = kLongVowelLead;
      *out++ = kLongVowelTrail;
    } else {
      *out++ = static_cast<char>(dictionary::kHiraganaLead);
      *out++ = byte;
    }
  }
  *out++ = common::kGroupClose;
  return out;
}

void MatchingPass::ResetWindow() {
  first_ = 0;
  count_ = 0;
  hash_ = 0;
  has_tags_ = false;
}

// Writes the unchanged bytes of the chunk up to `offset`.
void MatchingPass::Flush(std::size_t offset) {
  if (offset <= written_) return;
  out_.Write(chunk_.substr(written_, offset - written_));
  written_ = offset;
}

// The open window and a character cut in two wait for the next chunk; the rest is written.
void MatchingPass::EndChunk() {
  std::size_t keep = at_;
  if (count_ > 0) keep = std::min(keep, Offset(0));
  Flush(keep);
  chunks_.KeepFrom(keep);
  if (has_tags_) {
    for (std::size_t i = 0; i < count_; ++i) offsets_[(first_ + i) % kRingSize] -= keep;
  }
  at_ -= keep;
  written_ = 0;
}

}  // namespace

void RunReferencePass(int word_length, const dictionary::LengthSection& section, bool html_mode,
                      ByteSource& in, ByteSink& out) {
  MatchingPass(word_length, section, html_mode, in, out).Run();
}

std::string RunReferencePasses(const std::vector<engine::PassWords>& passes, bool html_mode,
                               std::string_view text) {
  std::string current(text);
  for (const engine::PassWords& pass : passes) {
    engine::StringSource in(current);
    engine::StringSink out;
    RunReferencePass(pass.word_length, *pass.section, html_mode, in, out);
    current = std::move(out.Text());
  }
  return current;
}

}  // namespace engine_testing::reference
