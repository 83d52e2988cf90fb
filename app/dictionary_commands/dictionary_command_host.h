// What the dictionary commands need from the main text window, so that they can run (and be
// tested) without it.
#pragma once

#include <QString>
#include <cstddef>
#include <filesystem>

namespace app {

class DictionaryCommandHost {
 public:
  virtual ~DictionaryCommandHost() = default;
  // The whole text of the main text window, as the user sees it.
  virtual QString Text() const = 0;
  // The question about unsaved text that Open asks; false when the user cancelled.
  virtual bool MayDropText() = 0;
  // Opens `path` as the window's document, as Open does; false after a message.
  virtual bool OpenAsDocument(const std::filesystem::path& path) = 0;
  // Replaces the whole text as one edit the user can undo.
  virtual void ReplaceText(const QString& text) = 0;
  // The current file without the extension of its file name.
  virtual std::filesystem::path DocumentBaseName() const = 0;
  // The document itself, which a message about its text names.
  virtual std::filesystem::path CurrentFile() const = 0;
  // The status line's file panel, and its progress panel.
  virtual void ShowStatus(const QString& text) = 0;
  virtual void ShowProgress(const QString& text) = 0;
  // Moves the caret to a byte offset of the text's Shift_JIS encoding and shows where it is.
  virtual void MoveCaretToByte(std::size_t byte_offset) = 0;
  virtual bool RubyWindowOpen() const = 0;
  // Opens the ruby window in its error-list mode on the build report.
  virtual void ShowBuildReport(const std::filesystem::path& report) = 0;
  // The registry or the dictionary-use mode changed: the indicator says so. `text` is the
  // indicator as the selection dialog words it.
  virtual void ShowDictionaryIndicator(const QString& text) = 0;
};

}  // namespace app
