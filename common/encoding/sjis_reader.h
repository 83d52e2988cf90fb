// Steps through Shift_JIS text one character at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/encoding/sjis.h"

namespace common {

// One character: one byte, or a lead byte with its trail byte. A lead byte at the very end of
// the text has no trail byte and stands alone as a one-byte character.
struct SjisChar {
  std::string_view bytes;

  bool IsDoubleByte() const { return bytes.size() == 2; }
  std::uint16_t Code() const {
    return IsDoubleByte() ? CodeOf(static_cast<unsigned char>(bytes[0]),
                                   static_cast<unsigned char>(bytes[1]))
                          : static_cast<unsigned char>(bytes[0]);
  }
  bool Is(char single_byte) const { return bytes.size() == 1 && bytes[0] == single_byte; }
};

// A trail byte may equal '{', '|' or '}' (＋ is 0x81 0x7B), so callers never look at a raw
// byte on their own.
class SjisReader {
 public:
  explicit SjisReader(std::string_view text, std::size_t offset = 0)
      : text_(text), offset_(offset) {}

  bool AtEnd() const { return offset_ >= text_.size(); }
  // A single-byte character equal to `single_byte`, never a trail byte.
  bool AtByte(char single_byte) const {
    return !AtEnd() && text_[offset_] == single_byte && !IsLeadByte(text_[offset_]);
  }
  SjisChar Peek() const {
    std::size_t width =
        IsLeadByte(text_[offset_]) && offset_ + 1 < text_.size() ? 2 : 1;
    return SjisChar{text_.substr(offset_, width)};
  }
  SjisChar Next() {
    SjisChar c = Peek();
    offset_ += c.bytes.size();
    return c;
  }
  std::size_t Offset() const { return offset_; }
  std::string_view Rest() const { return text_.substr(offset_); }

 private:
  std::string_view text_;
  std::size_t offset_;
};

}  // namespace common
