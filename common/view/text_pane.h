// The edit control of every editing window: a plain-text editor that answers in the byte
// positions of the text's Shift_JIS encoding and takes its looks from the settings' values.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

class QMimeData;
class QTimer;

namespace common::view {

// The room the control starts with, in bytes; a loaded text raises it (ApplyLoadCapacity).
inline constexpr std::size_t kInitialCapacity = 32768;

// Whether the clipboard (or, with `selection`, the X selection) holds text to paste. Qt's own
// paste, asked to paste from an empty clipboard of an X server, ends the program; so nothing in
// the program pastes without asking this first.
bool ClipboardHoldsText(bool selection = false);

class TextPane : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TextPane(QWidget* parent = nullptr);

  // The whole text with "\n" line ends, every character as typed (no separator or space
  // substitutions).
  QString Text() const;
  // The selected text with "\n" line ends; empty without a selection.
  QString SelectedText() const;
  // Replaces the whole text as one undoable edit, keeping the caret at the same character index
  // where the new text is long enough.
  void ReplaceWholeText(const QString& text);

  // Positions in bytes of the Shift_JIS encoding of the text.
  std::size_t CaretByte() const;
  std::size_t SelectionStartByte() const;
  std::size_t SelectionByteLength() const;
  std::size_t TextByteLength() const;
  void MoveCaretToByte(std::size_t byte_offset);
  // Selects from `start` for `length` bytes, both taken to whole characters (a byte inside a
  // double-byte character selects that character).
  void SelectBytes(std::size_t start, std::size_t length);

  // Lines, counted from 1. Display lines are as wrapped on screen.
  int LogicalLineOfCaret() const;
  int DisplayLineOfCaret() const;
  int DisplayLineOfByte(std::size_t byte_offset) const;
  int LogicalLineOfByte(std::size_t byte_offset) const;
  // The caret's column in bytes from the start of its logical line, counted from 1.
  int ByteColumnOfCaret() const;
  // The character at the caret (a surrogate pair whole); empty at the end of the text.
  QString CharacterAtCaret() const;

  // Caret moves: to the start of logical line `line` (beyond the last line: the end of the
  // text) or of display line `line`; a line of 1 or less is the start of the text.
  void MoveCaretToLogicalLine(int line);
  void MoveCaretToDisplayLine(int line);
  void MoveCaretToStart();
  void MoveCaretToEnd();

  void SetWordWrap(bool on);
  bool WordWrap() const;
  // One repeating tab stop every `chars` average character widths; 0 means the usual 8.
  void SetTabStopChars(int chars);
  int TabStopChars() const { return tab_stop_chars_; }

  // Font and colours as the settings hold them: the font name as Shift_JIS bytes, colours as
  // 0x00BBGGRR. None of them changes the modified flag.
  void SetEditorFont(std::string_view name_sjis, int point_size);
  std::string EditorFontNameSjis() const;
  int EditorFontSize() const;
  void SetEditorQFont(const QFont& font);
  // Makes the shown font `steps` points larger (smaller when negative) for as long as the pane
  // lives; the font size above stays the one that was set.
  void Zoom(int steps);
  int ZoomSteps() const { return zoom_steps_; }
  void SetTextColour(int bgr);
  void SetBackgroundColour(int bgr);
  int TextColour() const;
  int BackgroundColour() const;

  // The maximum length in bytes. Loading a text of `loaded_bytes` raises it to loaded_bytes +
  // extra when that exceeds kInitialCapacity. The control itself never refuses typed or pasted
  // text on account of it.
  void ApplyLoadCapacity(std::size_t loaded_bytes, int extra);
  std::size_t Capacity() const { return capacity_; }

  bool IsModified() const;
  void SetModified(bool modified);

  // Keys that belong to the window's commands even where the editor has a binding of its own
  // (Ctrl+Z, Ctrl+C, ...): while the editor has the focus they reach the window's actions.
  void ReserveShortcut(const QKeySequence& sequence);
  // Only these, from now on.
  void SetReservedShortcuts(const QList<QKeySequence>& sequences);

  // Emits caretMoved(); commands that move the caret end with it.
  void NotifyCaretMoved();

 signals:
  // On every caret move, key release and mouse click in the text.
  void caretMoved();
  // A file from elsewhere (a file manager) was dropped on the text; it is not inserted.
  void fileDropped(const QString& path);
  // The idle layout has reached the end of the text: display lines are exact from now on.
  void displayLinesReady();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyZoom();
  int DisplayLineOfPosition(int position) const;
  void EnsureLaidOutUpTo(int block_number) const;
  void ScheduleLayout();
  void ScheduleLayoutFrom(int position);
  void LayOutSomeBlocks();

  int tab_stop_chars_ = 8;
  std::size_t capacity_ = kInitialCapacity;
  QList<QKeySequence> reserved_;
  QString font_name_;
  int font_size_ = 0;   // as set, in points
  int zoom_steps_ = 0;  // points added for the screen only
  QTimer* layout_timer_ = nullptr;
  int next_layout_block_ = 0;
};

}  // namespace common::view
