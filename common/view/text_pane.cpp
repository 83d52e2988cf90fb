// The edit control of the editing windows.
#include "common/view/text_pane.h"

#include <QClipboard>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>

#include "common/view/colour_value.h"
#include "common/view/font_fallback.h"
#include "common/view/sjis_codec.h"

namespace common::view {
namespace {

constexpr int kUsualTabChars = 8;  // what a tab width of 0 stands for
constexpr int kLayoutSliceMs = 10;
constexpr int kSmallestZoomedSize = 4;  // points  // idle time given to laying out blocks at one go

// QTextDocument separates blocks by U+2029; the rest of the program knows "\n".
QString WithLineFeeds(QString text) { return text.replace(QChar::ParagraphSeparator, u'\n'); }

// The index just past the character holding the last byte before `byte_end`.
int CharIndexAfterByte(const QString& text, std::size_t byte_end) {
  int index = CharIndexOfByte(text, byte_end);
  if (index < text.size() && SjisByteLength(QStringView(text).left(index)) < byte_end) {
    index += text[index].isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
  }
  return index;
}

}  // namespace

bool ClipboardHoldsText(bool selection) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (selection && !clipboard->supportsSelection()) return false;
  const QMimeData* data =
      clipboard->mimeData(selection ? QClipboard::Selection : QClipboard::Clipboard);
  return data != nullptr && data->hasText();
}

TextPane::TextPane(QWidget* parent) : QPlainTextEdit(parent), layout_timer_(new QTimer(this)) {
  layout_timer_->setInterval(0);
  connect(layout_timer_, &QTimer::timeout, this, &TextPane::LayOutSomeBlocks);
  connect(document(), &QTextDocument::contentsChange, this,
          [this](int position, int, int) { ScheduleLayoutFrom(position); });
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  SetTabStopChars(kUsualTabChars);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TextPane::caretMoved);
}

QString TextPane::Text() const { return WithLineFeeds(document()->toRawText()); }

QString TextPane::SelectedText() const { return WithLineFeeds(textCursor().selectedText()); }

void TextPane::ReplaceWholeText(const QString& text) {
  int caret = textCursor().position();
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
  cursor.endEditBlock();
  cursor.setPosition(std::min(caret, static_cast<int>(text.size())));
  setTextCursor(cursor);
}

std::size_t TextPane::CaretByte() const {
  return SjisByteLength(QStringView(Text()).left(textCursor().position()));
}

std::size_t TextPane::SelectionStartByte() const {
  return SjisByteLength(QStringView(Text()).left(textCursor().selectionStart()));
}

std::size_t TextPane::SelectionByteLength() const { return SjisByteLength(SelectedText()); }

std::size_t TextPane::TextByteLength() const { return SjisByteLength(Text()); }

void TextPane::MoveCaretToByte(std::size_t byte_offset) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(CharIndexOfByte(Text(), byte_offset));
  setTextCursor(cursor);
  NotifyCaretMoved();
}

void TextPane::SelectBytes(std::size_t start, std::size_t length) {
  QString text = Text();
  QTextCursor cursor = textCursor();
  cursor.setPosition(CharIndexOfByte(text, start));
  cursor.setPosition(CharIndexAfterByte(text, start + length), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  NotifyCaretMoved();
}

int TextPane::LogicalLineOfCaret() const { return textCursor().blockNumber() + 1; }

int TextPane::DisplayLineOfCaret() const { return DisplayLineOfPosition(textCursor().position()); }

int TextPane::DisplayLineOfByte(std::size_t byte_offset) const {
  return DisplayLineOfPosition(CharIndexOfByte(Text(), byte_offset));
}

int TextPane::LogicalLineOfByte(std::size_t byte_offset) const {
  return document()->findBlock(CharIndexOfByte(Text(), byte_offset)).blockNumber() + 1;
}

// Qt lays blocks out as they come into view and counts any other block as one line. Display
// lines are counted exactly by laying out every block before the one asked about; so that this
// costs nothing later, blocks are laid out in idle time after each load, edit or width change.
void TextPane::ScheduleLayout() {
  next_layout_block_ = 0;
  if (WordWrap()) {
    layout_timer_->start();
  } else {
    layout_timer_->stop();
  }
}

// An edit leaves the blocks before it as they were.
void TextPane::ScheduleLayoutFrom(int position) {
  int block = document()->findBlock(position).blockNumber();
  next_layout_block_ = layout_timer_->isActive() ? std::min(next_layout_block_, block) : block;
  if (WordWrap()) layout_timer_->start();
}

void TextPane::LayOutSomeBlocks() {
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout());
  QTextBlock block = document()->findBlockByNumber(next_layout_block_);
  QElapsedTimer slice;
  slice.start();
  for (; block.isValid() && !slice.hasExpired(kLayoutSliceMs); block = block.next()) {
    if (layout != nullptr) layout->ensureBlockLayout(block);
  }
  if (!block.isValid()) {
    layout_timer_->stop();
    emit displayLinesReady();
    return;
  }
  next_layout_block_ = block.blockNumber();
}

void TextPane::EnsureLaidOutUpTo(int block_number) const {
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout());
  if (layout == nullptr) return;
  for (QTextBlock block = document()->begin();
       block.isValid() && block.blockNumber() <= block_number; block = block.next()) {
    layout->ensureBlockLayout(block);
  }
}

int TextPane::DisplayLineOfPosition(int position) const {
  QTextBlock block = document()->findBlock(position);
  if (!WordWrap()) return block.blockNumber() + 1;
  EnsureLaidOutUpTo(block.blockNumber());
  QTextLine line = block.layout()->lineForTextPosition(position - block.position());
  return block.firstLineNumber() + (line.isValid() ? line.lineNumber() : 0) + 1;
}

int TextPane::ByteColumnOfCaret() const {
  QTextCursor cursor = textCursor();
  QString text = cursor.block().text();
  return static_cast<int>(SjisByteLength(QStringView(text).left(cursor.positionInBlock()))) + 1;
}

QString TextPane::CharacterAtCaret() const {
  int position = textCursor().position();
  if (position >= document()->characterCount() - 1) return {};
  QChar first = document()->characterAt(position);
  if (first == QChar::ParagraphSeparator) return QStringLiteral("\n");
  QChar second = document()->characterAt(position + 1);
  if (first.isHighSurrogate() && second.isLowSurrogate()) return QString(first) + second;
  return QString(first);
}

void TextPane::MoveCaretToLogicalLine(int line) {
  if (line <= 1) {
    MoveCaretToStart();
    return;
  }
  QTextBlock block = document()->findBlockByNumber(line - 1);
  if (!block.isValid()) {
    MoveCaretToEnd();
    return;
  }
  QTextCursor cursor = textCursor();
  cursor.setPosition(block.position());
  setTextCursor(cursor);
  NotifyCaretMoved();
}

void TextPane::MoveCaretToDisplayLine(int line) {
  if (!WordWrap() || line <= 1) {
    MoveCaretToLogicalLine(line);
    return;
  }
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout());
  int wanted = line - 1;  // lines counted from 0
  int first = 0;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (layout != nullptr) layout->ensureBlockLayout(block);
    int count = std::max(block.layout()->lineCount(), 1);
    if (wanted < first + count) {
      QTextCursor cursor = textCursor();
      int in_block =
          block.layout()->lineCount() > 0 ? block.layout()->lineAt(wanted - first).textStart() : 0;
      cursor.setPosition(block.position() + in_block);
      setTextCursor(cursor);
      NotifyCaretMoved();
      return;
    }
    first += count;
  }
  MoveCaretToEnd();
}

void TextPane::MoveCaretToStart() {
  moveCursor(QTextCursor::Start);
  NotifyCaretMoved();
}

void TextPane::MoveCaretToEnd() {
  moveCursor(QTextCursor::End);
  NotifyCaretMoved();
}

void TextPane::SetWordWrap(bool on) {
  setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  ScheduleLayout();
}

bool TextPane::WordWrap() const { return lineWrapMode() != QPlainTextEdit::NoWrap; }

void TextPane::SetTabStopChars(int chars) {
  tab_stop_chars_ = chars;
  int cells = chars > 0 ? chars : kUsualTabChars;
  setTabStopDistance(cells * QFontMetricsF(font()).averageCharWidth());
  ScheduleLayout();
}

void TextPane::SetEditorFont(std::string_view name_sjis, int point_size) {
  // The stored name stays, even when another installed font stands in for it.
  QFont font = EditorFont(DecodeSjis(name_sjis), point_size);
  SetEditorQFont(font);
  font_name_ = DecodeSjis(name_sjis);
}

std::string TextPane::EditorFontNameSjis() const { return EncodeSjisLossy(font_name_); }

int TextPane::EditorFontSize() const { return font_size_; }

void TextPane::SetEditorQFont(const QFont& font) {
  font_name_ = font.family();
  font_size_ = font.pointSize();
  setFont(font);
  ApplyZoom();
}

void TextPane::Zoom(int steps) {
  zoom_steps_ += steps;
  ApplyZoom();
}

void TextPane::ApplyZoom() {
  QFont shown = font();
  shown.setPointSize(std::max(font_size_ + zoom_steps_, kSmallestZoomedSize));
  zoom_steps_ = shown.pointSize() - font_size_;  // no steps pile up below the smallest size
  setFont(shown);
  SetTabStopChars(tab_stop_chars_);
}

void TextPane::SetTextColour(int bgr) {
  QPalette colours = palette();
  colours.setColor(QPalette::Text, ColourOfBgr(bgr));
  setPalette(colours);
}

void TextPane::SetBackgroundColour(int bgr) {
  QPalette colours = palette();
  colours.setColor(QPalette::Base, ColourOfBgr(bgr));
  setPalette(colours);
}

int TextPane::TextColour() const { return BgrOfColour(palette().color(QPalette::Text)); }

int TextPane::BackgroundColour() const { return BgrOfColour(palette().color(QPalette::Base)); }

void TextPane::ApplyLoadCapacity(std::size_t loaded_bytes, int extra) {
  std::size_t raised = loaded_bytes + static_cast<std::size_t>(std::max(extra, 0));
  if (raised > kInitialCapacity) capacity_ = raised;
}

bool TextPane::IsModified() const { return document()->isModified(); }

void TextPane::SetModified(bool modified) { document()->setModified(modified); }

void TextPane::ReserveShortcut(const QKeySequence& sequence) {
  if (!sequence.isEmpty() && !reserved_.contains(sequence)) reserved_.append(sequence);
}

void TextPane::SetReservedShortcuts(const QList<QKeySequence>& sequences) {
  reserved_.clear();
  for (const QKeySequence& sequence : sequences) ReserveShortcut(sequence);
}

void TextPane::NotifyCaretMoved() { emit caretMoved(); }

bool TextPane::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (reserved_.contains(QKeySequence(key->keyCombination()))) {
      event->ignore();  // left unclaimed, the key goes to the window's shortcut
      return true;
    }
  }
  return QPlainTextEdit::event(event);
}

void TextPane::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    // Ctrl+Shift+Insert pastes the X selection, as Qt has it.
    bool selection = event->key() == Qt::Key_Insert &&
                     event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    if (!ClipboardHoldsText(selection)) {
      event->accept();  // nothing to paste: the key is spent here
      return;
    }
  }
  bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier) {
    // Qt would insert U+2028, a line break that Shift_JIS cannot hold; a line feed is meant.
    insertPlainText(QStringLiteral("\n"));
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TextPane::keyReleaseEvent(QKeyEvent* event) {
  QPlainTextEdit::keyReleaseEvent(event);
  emit caretMoved();
}

namespace {

// The first local file among dropped data; empty when it holds none.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

// A dropped file is opened by the window, never pasted as its name; dropped text is inserted.
void TextPane::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData()).isEmpty()) {
    QPlainTextEdit::dragEnterEvent(event);
    return;
  }
  event->acceptProposedAction();
}

void TextPane::dragMoveEvent(QDragMoveEvent* event) {
  if (DroppedFile(event->mimeData()).isEmpty()) {
    QPlainTextEdit::dragMoveEvent(event);
    return;
  }
  event->acceptProposedAction();
}

void TextPane::dropEvent(QDropEvent* event) {
  QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) {
    QPlainTextEdit::dropEvent(event);
    return;
  }
  event->acceptProposedAction();
  emit fileDropped(file);
}

// Ctrl+wheel zooms, one point a notch; Qt does it only for read-only text.
void TextPane::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() == Qt::ControlModifier) {
    int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) Zoom(notches);
    event->accept();
    return;
  }
  QPlainTextEdit::wheelEvent(event);
}

void TextPane::mouseReleaseEvent(QMouseEvent* event) {
  // A middle click pastes the X selection.
  if (event->button() == Qt::MiddleButton && !ClipboardHoldsText(true)) {
    event->accept();
    emit caretMoved();
    return;
  }
  QPlainTextEdit::mouseReleaseEvent(event);
  emit caretMoved();
}

// Only text is ever pasted or dropped, and only from data that holds it.
bool TextPane::canInsertFromMimeData(const QMimeData* source) const {
  return source != nullptr && source->hasText();
}

void TextPane::insertFromMimeData(const QMimeData* source) {
  if (canInsertFromMimeData(source)) QPlainTextEdit::insertFromMimeData(source);
}

void TextPane::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  ScheduleLayout();  // a new width lays every block out anew
}

}  // namespace common::view
