// Line-and-field marking: everything outside the chosen lines and fields is wrapped in the area
// markers 0x11 … 0x12, so that the dictionary runs leave it as it is.
#pragma once

#include <string>
#include <string_view>

#include "common/platform/working_files.h"
#include "engine/filters/filter_options.h"

namespace engine {

enum class [[nodiscard]] LineFieldStatus : int{
    kOk = 1,
    kInputFailed = -42,   // "tempo$$$.$$$" could not be opened or read
    kOutputFailed = -43,  // "geta_.$rb" could not be opened or written
};

// Marks a text piece by piece. A piece is a whole line or a part of one cut on a character
// boundary; however long a line is, its parts are one line, with one mark and one count of
// fields. `options` must have passed ValidateLineField.
class LineFieldMarker {
 public:
  explicit LineFieldMarker(const LineFieldOptions& options);
  void Mark(std::string_view piece, std::string& out);
  // Ends a last line that has no line feed.
  void Finish(std::string& out);

 private:
  enum class State { kLineStart, kOutsideLine, kWholeLine, kFields };

  void StartLine(std::string_view head, std::string& out);
  void MarkRest(std::string_view text, std::string& out);
  void MarkFields(std::string_view text, std::string& out);
  void OpenField(std::string& out);
  void CloseField(std::string& out);

  LineFieldMode mode_;
  std::string mark_;
  bool delete_mark_;
  char separator_;
  FieldBounds bounds_;
  State state_ = State::kLineStart;
  std::string head_;  // the start of a line, until it is long enough to compare with the mark
  int field_ = 0;
  bool field_outside_ = false;
};

// The whole marking on text held in memory; the same bytes as the file step writes.
std::string MarkLinesAndFields(std::string_view text, const LineFieldOptions& options);

// Reads "tempo$$$.$$$" and writes "geta_.$rb" in `work`. Shows no message.
LineFieldStatus RunLineFieldMarking(const common::WorkDir& work, const LineFieldOptions& options);

}  // namespace engine
