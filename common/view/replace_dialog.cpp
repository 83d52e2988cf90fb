// The replace dialog: its two texts and the find-next, replace and replace-all buttons.
#include "common/view/replace_dialog.h"

#include "ui_replace_dialog.h"

namespace common::view {

ReplaceDialog::ReplaceDialog(QWidget* parent) : QDialog(parent), ui_(new Ui::ReplaceDialog) {
  ui_->setupUi(this);
  connect(ui_->find_next, &QPushButton::clicked, this, &ReplaceDialog::FindNextClicked);
  connect(ui_->replace, &QPushButton::clicked, this, &ReplaceDialog::ReplaceClicked);
  connect(ui_->replace_all, &QPushButton::clicked, this, &ReplaceDialog::ReplaceAllClicked);
  connect(ui_->find, &QLineEdit::textChanged, this, &ReplaceDialog::UpdateButtons);
  UpdateButtons();
}

ReplaceDialog::~ReplaceDialog() = default;

QString ReplaceDialog::FindText() const { return ui_->find->text(); }

void ReplaceDialog::SetFindText(const QString& text) { ui_->find->setText(text); }

QString ReplaceDialog::ReplacementText() const { return ui_->replacement->text(); }

void ReplaceDialog::SetReplacementText(const QString& text) { ui_->replacement->setText(text); }

void ReplaceDialog::FindNextClicked() {
  if (!FindText().isEmpty()) emit findNext(FindText());
}

void ReplaceDialog::ReplaceClicked() {
  if (!FindText().isEmpty()) emit replace(FindText(), ReplacementText());
}

void ReplaceDialog::ReplaceAllClicked() {
  if (!FindText().isEmpty()) emit replaceAll(FindText(), ReplacementText());
}

// An empty search string would match everywhere and nowhere: the buttons wait for one.
void ReplaceDialog::UpdateButtons() {
  bool ready = !FindText().isEmpty();
  ui_->find_next->setEnabled(ready);
  ui_->replace->setEnabled(ready);
  ui_->replace_all->setEnabled(ready);
}

}  // namespace common::view
