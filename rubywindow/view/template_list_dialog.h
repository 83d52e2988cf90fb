// The template list editor shared by the YMI and NNN dialogs: the stored templates as the lines
// of one text, with the caret's place and a red warning on lines the list will not take.
#pragma once

#include <QDialog>
#include <optional>

#include "common/messenger.h"
#include "rubywindow/template_list.h"

class QLabel;
class QPlainTextEdit;

namespace rubywindow::view {

class TemplateListDialog : public QDialog {
  Q_OBJECT

 public:
  TemplateListDialog(const TemplateList& list, common::Messenger& messenger,
                     QWidget* parent = nullptr);

  // The list the user decided on; nullopt when the editor was left by "中 止".
  static std::optional<TemplateList> Edit(const TemplateList& list, common::Messenger& messenger,
                                          QWidget* parent);

  const TemplateList& List() const { return list_; }
  QPlainTextEdit* Editor() const { return editor_; }
  QLabel* PositionLabel() const { return position_; }

 public slots:
  void accept() override;

 private:
  void KeepWithinLimit();
  void ShowPosition();

  QPlainTextEdit* editor_;
  QLabel* position_;
  common::Messenger& messenger_;
  TemplateList list_;
  bool warned_ = false;  // the caret is on a line that is not taken; beep once on arrival
};

}  // namespace rubywindow::view

class QComboBox;

namespace rubywindow::view {

// The Shift_JIS bytes of text typed into a dialog; nullopt after naming the first character
// Shift_JIS cannot hold, so that nothing is dropped unseen.
std::optional<std::string> SjisOrTell(const QString& text, common::Messenger& messenger);

// A dialog's template box: its items are the stored list (an empty entry an empty item).
void FillTemplateCombo(QComboBox& combo, const TemplateList& list, std::string_view current);
TemplateList TemplateItemsOf(const QComboBox& combo);
// Runs the list editor over the box's items; on "決 定" the box holds the new list and shows its
// first item. False when the editor was cancelled.
bool EditTemplateCombo(QComboBox& combo, common::Messenger& messenger, QWidget* parent);

}  // namespace rubywindow::view
