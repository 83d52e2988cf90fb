// The matching pass as it was written before the sweep, one length at a time, told as plainly
// as it can be: the whole text is in memory, a window of up to L double-byte characters slides
// over it, and a full window that is a dictionary word is written as ruby groups, the scan going
// on after it. It shares no scanning code with the sweep (its own walk over groups, areas and
// tags, no chunks), so a fault there cannot hide in both.
#include "bench/reference/reference_pass.h"

#include <string>
#include <string_view>
#include <vector>

#include "common/encoding/sjis.h"
#include "dictionary/ruby_dictionary_format.h"

namespace engine_testing::reference {
namespace {

constexpr char kTagOpen = '<';
constexpr char kTagClose = '>';
constexpr char kEndOfInput = '\0';
constexpr std::string_view kLongVowel = "\x81\x5B";  // ー

// A tag met inside a word waits with the word until the word is decided, unless the window
// would then span more bytes than this: the word is given up, so that memory stays small
// whatever the text.
constexpr std::size_t kMaxWindowSpan = 1 << 16;

bool IsLead(char byte) { return common::IsLeadByte(static_cast<unsigned char>(byte)); }

// The kana of one segment of an encoded reading, in Shift_JIS.
std::string DecodeSegment(std::string_view segment) {
  std::string kana;
  for (char byte : segment) {
    if (byte == dictionary::kAlternativeSeparator) {
      kana += common::kAlternative;
    } else if (static_cast<unsigned char>(byte) == dictionary::kEncodedLongVowel) {
      kana += kLongVowel;
    } else {
      kana += static_cast<char>(dictionary::kHiraganaLead);
      kana += byte;
    }
  }
  return kana;
}

// The segments of an encoded reading, one per ruby-target character of its word.
std::vector<std::string_view> SegmentsOf(std::string_view reading) {
  std::vector<std::string_view> segments;
  for (std::size_t at = 0;;) {
    std::size_t end = reading.find(dictionary::kSegmentSeparator, at);
    if (end == std::string_view::npos) {
      segments.push_back(reading.substr(at));
      return segments;
    }
    segments.push_back(reading.substr(at, end - at));
    at = end + 1;
  }
}

class ReferencePass {
 public:
  ReferencePass(int word_length, const dictionary::LengthSection& section, bool html_mode,
                std::string_view text)
      : length_(static_cast<std::size_t>(word_length)),
        section_(section),
        html_mode_(html_mode),
        text_(text) {}

  std::string Run() {
    if (html_mode_) at_ = After(common::kBodyStart, 0);  // the head gets no ruby
    while (at_ < text_.size()) {
      char byte = text_[at_];
      if (IsLead(byte) && at_ + 1 < text_.size()) {
        TakeCharacter();
      } else if (byte == kEndOfInput) {
        text_ = text_.substr(0, at_);  // nothing from here on is written
      } else if (byte == common::kGroupOpen) {
        window_.clear();  // a group written by a longer word is never split again
        at_ = GroupEnd(at_);
      } else if (byte == common::kAreaStart) {
        window_.clear();
        at_ = After(common::kAreaEnd, at_ + 1);
      } else if (html_mode_ && byte == kTagOpen) {
        SkipTag();
      } else {
        window_.clear();  // any other byte, a lead byte without its trail byte too
        ++at_;
      }
    }
    out_ += text_.substr(written_);
    return out_;
  }

 private:
  // Just past the first `byte` at or after `from`, or the end of the text. Area ends, the
  // body start and tag ends can never be trail bytes.
  std::size_t After(char byte, std::size_t from) const {
    std::size_t found = text_.find(byte, from);
    return found == std::string_view::npos ? text_.size() : found + 1;
  }

  // Just past the '}' that closes the group opened at `open`, or the end of the text. The walk
  // goes a character at a time, so that a trail byte equal to '}' (± is 0x81 0x7D) stays text.
  std::size_t GroupEnd(std::size_t open) const {
    std::size_t at = open + 1;
    while (at < text_.size()) {
      if (IsLead(text_[at])) {
        at += 2;
      } else if (text_[at] == common::kGroupClose) {
        return at + 1;
      } else {
        ++at;
      }
    }
    return text_.size();
  }

  // A tag keeps the window it stands in, if the window does not then span more than
  // kMaxWindowSpan bytes; a tag that no '>' closes runs to the end of the text.
  void SkipTag() {
    std::size_t close = text_.find(kTagClose, at_ + 1);
    if (close == std::string_view::npos) {
      window_.clear();
      at_ = text_.size();
      return;
    }
    if (!window_.empty() && close >= window_.front() + kMaxWindowSpan) window_.clear();
    at_ = close + 1;
  }

  void TakeCharacter() {
    window_.push_back(at_);
    at_ += 2;
    if (window_.size() < length_) return;
    int index = section_.Find(Key());
    if (index >= 0) {
      WriteWord(section_.ReadingOf(index));
      window_.clear();
    } else {
      window_.erase(window_.begin());  // the first character stays as it is
    }
  }

  std::string Key() const {
    std::string key;
    for (std::size_t offset : window_) key += text_.substr(offset, 2);
    return key;
  }

  // Tags inside the word are written ahead of it (漢<b>字 gives <b>{漢/かん}{字/じ}); then
  // each character of the word. A ruby-target character takes the next segment of the reading;
  // other characters (kana, okurigana) stand outside the groups. A reading short of segments
  // leaves the characters it does not cover plain; segments beyond them are ignored.
  void WriteWord(std::string_view reading) {
    out_ += text_.substr(written_, window_.front() - written_);
    for (std::size_t i = 0; i + 1 < window_.size(); ++i) {
      out_ += text_.substr(window_[i] + 2, window_[i + 1] - window_[i] - 2);
    }
    std::vector<std::string_view> segments = SegmentsOf(reading);
    std::size_t next_segment = 0;
    for (std::size_t offset : window_) {
      std::string_view character = text_.substr(offset, 2);
      bool target = common::IsRubyTarget(common::CodeOf(static_cast<unsigned char>(character[0]),
                                                        static_cast<unsigned char>(character[1])));
      if (!target || next_segment == segments.size()) {
        out_ += character;
        continue;
      }
      out_ += common::kGroupOpen;
      out_ += character;
      out_ += common::kGroupSeparator;
      out_ += DecodeSegment(segments[next_segment++]);
      out_ += common::kGroupClose;
    }
    written_ = window_.back() + 2;
  }

  const std::size_t length_;
  const dictionary::LengthSection& section_;
  const bool html_mode_;
  std::string_view text_;
  std::size_t at_ = 0;
  std::string out_;
  std::size_t written_ = 0;          // text_ is in out_ up to here
  std::vector<std::size_t> window_;  // offsets of the window's characters
};

}  // namespace

std::string RunReferencePass(int word_length, const dictionary::LengthSection& section,
                             bool html_mode, std::string_view text) {
  return ReferencePass(word_length, section, html_mode, text).Run();
}

std::string RunReferencePasses(const std::vector<engine::PassWords>& passes, bool html_mode,
                               std::string_view text) {
  std::string current(text);
  for (const engine::PassWords& pass : passes) {
    current = RunReferencePass(pass.word_length, *pass.section, html_mode, current);
  }
  return current;
}

}  // namespace engine_testing::reference
