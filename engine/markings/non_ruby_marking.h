// Non-ruby marking: wraps each stretch from the user's start string to the end string in the
// area markers 0x11 … 0x12, and in HTML mode marks where the body begins (0x0F), so that the
// matching passes copy those parts unchanged.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "common/notation/non_ruby_areas.h"
#include "common/encoding/text_file.h"
#include "common/platform/working_files.h"

namespace engine {

enum class [[nodiscard]] NonRubyStatus : int {
  kOk = 1,
  kNotRenamed = -1,       // the input could not take the name "nrb_.$$$"
  kInputFailed = -42,     // the input could not be opened or read
  kOutputFailed = -43,    // "nrb_.$$$" could not be opened or written
};

// Lines are handled in pieces of at most this many bytes, so a string is found only within
// one piece. A piece never ends inside a double-byte character.
inline constexpr std::size_t kMaxPieceBytes = 4095;

// Length of the first piece of `text`: through its first line feed, or kMaxPieceBytes bytes
// (one less where that would split a double-byte character).
std::size_t FirstPieceLength(std::string_view text);

// Reads `in` in those pieces and hands each to `take`, in order. A read error ends the input
// early; the reader remembers it for its Close.
void ForEachPiece(common::TextReader& in, const std::function<void(std::string_view)>& take);

// Marks one piece after another; an area left open at the end of a piece goes on in the next.
class NonRubyMarker {
 public:
  NonRubyMarker(const common::NonRubyAreas& areas, bool html_mode);
  void Mark(std::string_view piece, std::string& out);

 private:
  std::string_view MarkBodyStart(std::string_view piece, std::string& out);
  void WriteText(std::string_view text, std::string& out) const;

  const common::NonRubyAreas& areas_;
  bool waiting_for_body_;
  bool inside_ = false;
};

// The whole marking on text held in memory; the same bytes as the file step writes.
std::string MarkNonRubyAreas(std::string_view text, const common::NonRubyAreas& areas,
                             bool html_mode);

// `input` ("tempo$$$.$$$" or "geta_.$rb") becomes "nrb_.$$$" in `work`. With areas off and not
// in HTML mode there is nothing to mark, and the input is only renamed. Shows no message.
NonRubyStatus RunNonRubyMarking(const common::WorkDir& work, std::string_view input,
                                const common::NonRubyAreas& areas, bool html_mode);

}  // namespace engine
