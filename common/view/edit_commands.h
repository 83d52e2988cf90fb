// The editing, search, conversion and jump commands that every editing window offers alike,
// with their actions, dialogs and enable rules.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <map>
#include <string_view>

#include "common/messenger.h"
#include "common/view/search_memory.h"

class QAction;
class QWidget;

namespace common::view {

struct SchemeKeys;

class FindDialog;
class ReplaceDialog;
class TextPane;

enum class EditAction {
  kUndo,
  kRedo,
  kCut,
  kCopy,
  kPaste,
  kDelete,
  kSelectAll,
  kFind,
  kFindDown,
  kFindUp,
  kReplace,
  kTakeSearch,
  kTakeReplacement,
  kClearStrings,
  kCommaToTab,
  kTabToComma,
  kGoToStart,
  kGoToEnd,
  kJumpToLine,
};

class EditCommands : public QObject {
  Q_OBJECT

 public:
  // None of the four is owned; all must outlive the commands. `window` parents the dialogs.
  EditCommands(TextPane* pane, SearchMemory& memory, common::Messenger& messenger, QWidget* window);
  ~EditCommands() override;

  // Owned by the commands; the window puts them in its menus, toolbar and pop-up menu.
  QAction* Action(EditAction action) const;
  // The enable rules: paste only with text on the clipboard; cut, copy, delete and the two
  // take-string commands only with a selection. Called when the Edit menu opens, and kept up to
  // date as the selection and the clipboard change, so a shortcut never waits for the menu.
  void UpdateEnabled();

  // The dialogs, once shown (nullptr before).
  FindDialog* FindDialogIfShown() const;
  ReplaceDialog* ReplaceDialogIfShown() const;

 public slots:
  void Undo();
  void Redo();
  void Cut();
  void Copy();
  void Paste();
  void Delete();
  void SelectAll();
  void ShowFindDialog();
  void SearchDown();  // the remembered string again; the find dialog when there is none
  void SearchUp();
  void ShowReplaceDialog();
  void TakeSearchString();
  void TakeReplacementString();
  void ClearStrings();
  void CommaToTab();
  void TabToComma();
  void GoToStart();
  void GoToEnd();
  void ShowJumpDialog();  // modal

 public:
  // The steps behind the dialogs, for windows and tests. Each returns whether it found `search`;
  // a failed search has shown its message.
  bool ForwardSearch(const QString& search, int step);
  bool BackwardSearch(const QString& search);
  bool FindNext(const QString& search, bool down);  // the find dialog's find-next
  bool ReplaceFindNext(const QString& search);      // the replace dialog's find-next
  bool Replace(const QString& search, const QString& replacement);
  // Returns the number of replacements.
  int ReplaceAll(const QString& search, const QString& replacement);
  void JumpToLine(int line, int kind);

 private:
  void CreateActions();
  void NameToolButtons();
  QAction* Add(EditAction id, const QString& caption, const SchemeKeys& keys,
               void (EditCommands::*slot)());
  void Select(int start, int length);
  void ReportNotFound(std::string_view pattern, const QString& search);
  void StoreReplaceStrings(const QString& search, const QString& replacement);
  void SelectAfterReplacement(int inserted_end, const QString& search);

  TextPane* pane_;
  SearchMemory& memory_;
  common::Messenger& messenger_;
  QWidget* window_;
  std::map<EditAction, QAction*> actions_;
  QPointer<FindDialog> find_dialog_;
  QPointer<ReplaceDialog> replace_dialog_;
};

}  // namespace common::view
