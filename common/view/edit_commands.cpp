// The shared editing, search, conversion and jump commands of an editing window.
#include "common/view/edit_commands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTextCursor>
#include <QWidget>

#include "common/message_format.h"
#include "common/view/find_dialog.h"
#include "common/view/key_scheme.h"
#include "common/view/line_jump_dialog.h"
#include "common/view/messages.h"
#include "common/view/replace_dialog.h"
#include "common/view/sjis_codec.h"
#include "common/view/text_pane.h"
#include "common/view/text_search.h"

namespace common::view {
namespace {

// Where the find dialog appears, from the text area's top-left corner.
constexpr QPoint kFindDialogOffset(150, 150);

constexpr QChar kComma = u',';
constexpr QChar kTab = u'\t';

std::string Utf8Of(const QString& text) { return text.toStdString(); }

}  // namespace

EditCommands::EditCommands(TextPane* pane, SearchMemory& memory, common::Messenger& messenger,
                           QWidget* window)
    : QObject(window), pane_(pane), memory_(memory), messenger_(messenger), window_(window) {
  CreateActions();
  NameToolButtons();
  connect(pane_, &QPlainTextEdit::selectionChanged, this, &EditCommands::UpdateEnabled);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          &EditCommands::UpdateEnabled);
  UpdateEnabled();
}

EditCommands::~EditCommands() = default;

// The program's keys first, then the desktop's. Where the desktop gives a key to the window
// (Ctrl+Z, Ctrl+Q, Ctrl+W) the command that held it keeps only its menu entry. Ctrl+C copies
// and Ctrl+S saves under either set, so taking the search string has its menu entry and
// toolbar button only.
void EditCommands::CreateActions() {
  using K = QKeySequence;
  const K ctrl_insert(Qt::CTRL | Qt::Key_Insert);
  const K shift_insert(Qt::SHIFT | Qt::Key_Insert);
  const K shift_delete(Qt::SHIFT | Qt::Key_Delete);
  auto same = [](K key) { return SchemeKeys{{key}, {key}}; };
  Add(EditAction::kUndo, tr("元に戻す(&U)"), {{K(Qt::CTRL | Qt::Key_U)}, {K(Qt::CTRL | Qt::Key_Z)}},
      &EditCommands::Undo);
  Add(EditAction::kRedo, tr("やり直し(&Y)"), same(K(Qt::CTRL | Qt::Key_Y)), &EditCommands::Redo);
  Add(EditAction::kCut, tr("切り取り(&T)"),
      {{shift_delete}, {K(Qt::CTRL | Qt::Key_X), shift_delete}}, &EditCommands::Cut);
  Add(EditAction::kCopy, tr("コピー(&C)"),
      {{K(Qt::CTRL | Qt::Key_C), ctrl_insert}, {K(Qt::CTRL | Qt::Key_C), ctrl_insert}},
      &EditCommands::Copy);
  Add(EditAction::kPaste, tr("貼り付け(&P)"),
      {{shift_insert}, {K(Qt::CTRL | Qt::Key_V), shift_insert}}, &EditCommands::Paste);
  Add(EditAction::kDelete, tr("削除(&D)       Del"), {}, &EditCommands::Delete);
  Add(EditAction::kSelectAll, tr("すべて選択(&A)"), same(K(Qt::CTRL | Qt::Key_A)),
      &EditCommands::SelectAll);
  Add(EditAction::kFind, tr("検索Dialog(&F)..."), same(K(Qt::CTRL | Qt::Key_F)),
      &EditCommands::ShowFindDialog);
  Add(EditAction::kFindDown, tr("下方検索↓（&W)"), {{K(Qt::CTRL | Qt::Key_W)}, {}},
      &EditCommands::SearchDown);
  Add(EditAction::kFindUp, tr("上方検索↑(&Q)"), {{K(Qt::CTRL | Qt::Key_Q)}, {}},
      &EditCommands::SearchUp);
  Add(EditAction::kReplace, tr("置換(&E)..."), same(K(Qt::CTRL | Qt::Key_E)),
      &EditCommands::ShowReplaceDialog);
  Add(EditAction::kTakeSearch, tr("検索文字列取得(&S)"), {},
      &EditCommands::TakeSearchString);
  Add(EditAction::kTakeReplacement, tr("置換文字列取得(&R)"), same(K(Qt::CTRL | Qt::Key_R)),
      &EditCommands::TakeReplacementString);
  Add(EditAction::kClearStrings, tr("取得文字列CLR"), same(K(Qt::CTRL | Qt::ALT | Qt::Key_D)),
      &EditCommands::ClearStrings);
  Add(EditAction::kCommaToTab, tr("コンマ -> タブ"), same(K(Qt::CTRL | Qt::ALT | Qt::Key_T)),
      &EditCommands::CommaToTab);
  Add(EditAction::kTabToComma, tr("タブ -> コンマ"), same(K(Qt::CTRL | Qt::ALT | Qt::Key_K)),
      &EditCommands::TabToComma);
  Add(EditAction::kGoToStart, tr("文頭Jump(&H)"), same(K(Qt::CTRL | Qt::Key_H)),
      &EditCommands::GoToStart);
  Add(EditAction::kGoToEnd, tr("文末Jump(&Z)"), {{K(Qt::CTRL | Qt::Key_Z)}, {}},
      &EditCommands::GoToEnd);
  Add(EditAction::kJumpToLine, tr("指定行Jump(&L)"), same(K(Qt::CTRL | Qt::Key_L)),
      &EditCommands::ShowJumpDialog);
}

// Short names for the toolbar buttons, which have no pictures of their own; the menus keep the
// full captions. Every editing window shows the same buttons.
void EditCommands::NameToolButtons() {
  const std::pair<EditAction, QString> short_names[] = {{EditAction::kCut, tr("切取")},
                                                        {EditAction::kCopy, tr("複写")},
                                                        {EditAction::kPaste, tr("貼付")},
                                                        {EditAction::kFind, tr("検索")},
                                                        {EditAction::kReplace, tr("置換")},
                                                        {EditAction::kTakeSearch, tr("検取")},
                                                        {EditAction::kTakeReplacement, tr("置取")},
                                                        {EditAction::kGoToStart, tr("文頭")},
                                                        {EditAction::kGoToEnd, tr("文末")},
                                                        {EditAction::kJumpToLine, tr("行へ")}};
  for (const auto& [id, name] : short_names) Action(id)->setIconText(name);
}

// The action works through its keys wherever the window has the focus, and the editor leaves
// its own binding of such a key (Ctrl+Z, Ctrl+A, ...) to it. The actions start with the
// program's keys; a window that offers the desktop's changes them.
QAction* EditCommands::Add(EditAction id, const QString& caption, const SchemeKeys& keys,
                           void (EditCommands::*slot)()) {
  auto* action = new QAction(caption, this);
  SetSchemeKeys(action, keys, KeyScheme::kProgram);
  connect(action, &QAction::triggered, this, slot);
  window_->addAction(action);
  for (const QKeySequence& key : action->shortcuts()) pane_->ReserveShortcut(key);
  actions_[id] = action;
  return action;
}

QAction* EditCommands::Action(EditAction action) const { return actions_.at(action); }

FindDialog* EditCommands::FindDialogIfShown() const { return find_dialog_; }

ReplaceDialog* EditCommands::ReplaceDialogIfShown() const { return replace_dialog_; }

void EditCommands::UpdateEnabled() {
  Action(EditAction::kPaste)->setEnabled(ClipboardHoldsText());
  bool selected = pane_->textCursor().hasSelection();
  for (EditAction id : {EditAction::kCut, EditAction::kCopy, EditAction::kDelete,
                        EditAction::kTakeSearch, EditAction::kTakeReplacement}) {
    Action(id)->setEnabled(selected);
  }
}

void EditCommands::Undo() {
  if (pane_->document()->isUndoAvailable()) pane_->undo();
  pane_->NotifyCaretMoved();
}

void EditCommands::Redo() {
  if (pane_->document()->isRedoAvailable()) pane_->redo();
  pane_->NotifyCaretMoved();
}

void EditCommands::Cut() { pane_->cut(); }

void EditCommands::Copy() { pane_->copy(); }

void EditCommands::Paste() {
  if (ClipboardHoldsText()) pane_->paste();
}

void EditCommands::Delete() {
  QTextCursor cursor = pane_->textCursor();
  cursor.removeSelectedText();
  pane_->setTextCursor(cursor);
}

void EditCommands::SelectAll() { pane_->selectAll(); }

void EditCommands::ShowFindDialog() {
  if (find_dialog_ == nullptr) {
    find_dialog_ = new FindDialog(window_);
    find_dialog_->SetDown(memory_.down);
    connect(find_dialog_, &FindDialog::findNext, this, &EditCommands::FindNext);
  }
  QString selected = pane_->SelectedText();
  if (!selected.isEmpty()) {
    find_dialog_->SetText(selected);
  } else if (!memory_.search.isEmpty()) {
    find_dialog_->SetText(memory_.search);
  }
  memory_.search = find_dialog_->Text();
  find_dialog_->move(pane_->mapToGlobal(kFindDialogOffset));
  find_dialog_->show();
  find_dialog_->raise();
  find_dialog_->activateWindow();
}

void EditCommands::SearchDown() {
  if (memory_.search.isEmpty()) {
    ShowFindDialog();
    return;
  }
  ForwardSearch(memory_.search, SearchStepOf(memory_.search));
}

void EditCommands::SearchUp() {
  if (memory_.search.isEmpty()) {
    ShowFindDialog();
    return;
  }
  BackwardSearch(memory_.search);
}

void EditCommands::ShowReplaceDialog() {
  if (replace_dialog_ == nullptr) {
    replace_dialog_ = new ReplaceDialog(window_);
    connect(replace_dialog_, &ReplaceDialog::findNext, this, &EditCommands::ReplaceFindNext);
    connect(replace_dialog_, &ReplaceDialog::replace, this, &EditCommands::Replace);
    connect(replace_dialog_, &ReplaceDialog::replaceAll, this, &EditCommands::ReplaceAll);
  }
  QString selected = pane_->SelectedText();
  if (!selected.isEmpty()) {
    replace_dialog_->SetFindText(selected);
  } else if (!memory_.search.isEmpty()) {
    replace_dialog_->SetFindText(memory_.search);
  }
  if (!memory_.replacement.isEmpty()) replace_dialog_->SetReplacementText(memory_.replacement);
  replace_dialog_->show();
  replace_dialog_->raise();
  replace_dialog_->activateWindow();
}

void EditCommands::TakeSearchString() {
  if (pane_->textCursor().hasSelection()) memory_.search = pane_->SelectedText();
}

void EditCommands::TakeReplacementString() {
  if (pane_->textCursor().hasSelection()) memory_.replacement = pane_->SelectedText();
}

void EditCommands::ClearStrings() {
  memory_.search.clear();
  memory_.replacement.clear();
  if (find_dialog_ != nullptr) find_dialog_->SetText({});
  if (replace_dialog_ != nullptr) {
    replace_dialog_->SetFindText({});
    replace_dialog_->SetReplacementText({});
  }
}

// Both conversions work on single characters that never stand inside a double-byte one. A
// text without the character is left alone, so it is not marked as edited.
void EditCommands::CommaToTab() {
  memory_.search = QString(kComma);
  memory_.replacement = QString(kTab);
  QString text = pane_->Text();
  if (text.contains(kComma)) pane_->ReplaceWholeText(text.replace(kComma, kTab));
  pane_->NotifyCaretMoved();
}

void EditCommands::TabToComma() {
  memory_.search = QString(kComma);
  memory_.replacement = QString(kTab);
  QString text = pane_->Text();
  if (text.contains(kTab)) pane_->ReplaceWholeText(text.replace(kTab, kComma));
  pane_->NotifyCaretMoved();
}

void EditCommands::GoToStart() { pane_->MoveCaretToStart(); }

void EditCommands::GoToEnd() { pane_->MoveCaretToEnd(); }

void EditCommands::ShowJumpDialog() {
  LineJumpDialog dialog(window_, memory_.last_line, memory_.line_kind);
  if (dialog.exec() != QDialog::Accepted) return;
  memory_.last_line = dialog.Line();
  memory_.line_kind = dialog.Kind();
  JumpToLine(memory_.last_line, memory_.line_kind);
}

void EditCommands::JumpToLine(int line, int kind) {
  if (kind == kDisplayLines) {
    pane_->MoveCaretToDisplayLine(line);
  } else {
    pane_->MoveCaretToLogicalLine(line);
  }
  pane_->ensureCursorVisible();
}

void EditCommands::Select(int start, int length) {
  QTextCursor cursor = pane_->textCursor();
  cursor.setPosition(start);
  cursor.setPosition(start + length, QTextCursor::KeepAnchor);
  pane_->setTextCursor(cursor);
  pane_->ensureCursorVisible();
  pane_->NotifyCaretMoved();
}

bool EditCommands::ForwardSearch(const QString& search, int step) {
  int found = FindForward(pane_->Text(), search, pane_->textCursor().selectionStart(), step);
  if (found == kNotFound) {
    ReportNotFound(kNotFoundAfter, search);
    return false;
  }
  Select(found, static_cast<int>(search.size()));
  return true;
}

bool EditCommands::BackwardSearch(const QString& search) {
  int found = FindBackward(pane_->Text(), search, pane_->textCursor().selectionStart());
  if (found == kNotFound) {
    ReportNotFound(kNotFoundBefore, search);
    return false;
  }
  Select(found, static_cast<int>(search.size()));
  return true;
}

void EditCommands::ReportNotFound(std::string_view pattern, const QString& search) {
  messenger_.Tell({std::string(kTitleNotice), FormatMessage(pattern, {Utf8Of(search)}),
                   common::Icon::kInformation});
  pane_->NotifyCaretMoved();
}

bool EditCommands::FindNext(const QString& search, bool down) {
  memory_.down = down;
  return down ? ForwardSearch(search, SearchStepOf(search)) : BackwardSearch(search);
}

bool EditCommands::ReplaceFindNext(const QString& search) {
  int step = pane_->textCursor().hasSelection() ? SearchStepOf(search) : 0;
  return ForwardSearch(search, step);
}

// The dialog's texts, escapes turned into their characters, become the remembered strings and
// are shown again in the dialog.
void EditCommands::StoreReplaceStrings(const QString& search, const QString& replacement) {
  memory_.search = ExpandSearchEscapes(search);
  memory_.replacement = ExpandReplacementEscapes(replacement);
  if (replace_dialog_ != nullptr) {
    replace_dialog_->SetFindText(memory_.search);
    replace_dialog_->SetReplacementText(memory_.replacement);
  }
}

// After a replacement the search string's length in bytes is selected from the end of the
// inserted text, so the next search starts behind it.
void EditCommands::SelectAfterReplacement(int inserted_end, const QString& search) {
  QString rest = pane_->Text().mid(inserted_end);
  int length = CharIndexOfByte(rest, SjisByteLength(search));
  Select(inserted_end, length);
}

bool EditCommands::Replace(const QString& search, const QString& replacement) {
  StoreReplaceStrings(search, replacement);
  if (!ForwardSearch(memory_.search, 0)) return false;
  QTextCursor cursor = pane_->textCursor();
  cursor.insertText(memory_.replacement);
  pane_->setTextCursor(cursor);
  SelectAfterReplacement(cursor.position(), memory_.search);
  return true;
}

int EditCommands::ReplaceAll(const QString& search, const QString& replacement) {
  StoreReplaceStrings(search, replacement);
  ReplaceAllResult result = ReplaceAllFrom(pane_->Text(), memory_.search, memory_.replacement,
                                           pane_->textCursor().selectionStart());
  if (result.count > 0) {
    // One edit, so one undo takes all replacements back.
    QTextCursor cursor = pane_->textCursor();
    cursor.setPosition(result.first);
    cursor.setPosition(result.end, QTextCursor::KeepAnchor);
    cursor.insertText(result.replaced);
    SelectAfterReplacement(cursor.position(), memory_.search);
  }
  // The search after the last replacement fails and says so; that ends the command.
  ReportNotFound(kNotFoundAfter, memory_.search);
  return result.count;
}

}  // namespace common::view
