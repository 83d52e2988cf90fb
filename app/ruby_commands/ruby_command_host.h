// What the ruby commands need from the main text window, so that they can run (and be tested)
// without it.
#pragma once

#include <QString>
#include <cstddef>
#include <filesystem>

#include "common/encoding/text_encoding.h"

namespace app {

class RubyCommandHost {
 public:
  virtual ~RubyCommandHost() = default;
  // The whole text of the main text window, as the user sees it.
  virtual QString Text() const = 0;
  // The selected text; line-and-field ruby takes it as the line-head mark.
  virtual QString SelectedText() const = 0;
  // The caret's line up to the caret; the line-and-field dialog shows the field the caret
  // stands in. A host without a caret leaves it empty (field 1).
  virtual QString LineBeforeCaret() const { return {}; }
  // The document the ruby file is named after.
  virtual std::filesystem::path CurrentFile() const = 0;
  // The encoding the text was opened in and is saved in; the ruby job writes its ruby file in
  // it too, so that the user's other tools read both alike.
  virtual common::TextEncoding DocumentEncoding() const { return common::TextEncoding::kShiftJis; }
  // Shows a line in the window's status line.
  virtual void ShowStatus(const QString& text) { (void)text; }
  virtual bool RubyWindowOpen() const = 0;
  // Moves the caret to a byte offset of the text's Shift_JIS encoding (a notation fault).
  virtual void MoveCaretToByte(std::size_t byte_offset) = 0;
  // The 1-based line of the file (counted by line breaks, not as wrapped on screen) that holds
  // that byte offset.
  virtual int FileLineOfByte(std::size_t byte_offset) const = 0;
  // The hand-over: opens the ruby window on the ruby file just written (or on a name whose
  // file is missing, which the ruby window reports itself); an empty path opens it on a new
  // text.
  virtual void OpenRubyWindow(const std::filesystem::path& ruby_file, bool field_flag) = 0;
  // Says in the ruby window just opened that a command has written its file, and where the
  // file it replaced was kept (empty: it was not, the two said the same or none stood there).
  virtual void AnnounceRubyFile(const std::filesystem::path& backup) { (void)backup; }
};

}  // namespace app
