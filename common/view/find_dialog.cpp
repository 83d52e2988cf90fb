// The find dialog: its text and direction, and the find-next button.
#include "common/view/find_dialog.h"

#include "ui_find_dialog.h"

namespace common::view {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent), ui_(new Ui::FindDialog) {
  ui_->setupUi(this);
  connect(ui_->find_next, &QPushButton::clicked, this, &FindDialog::FindNextClicked);
  connect(ui_->text, &QLineEdit::textChanged, this,
          [this](const QString& text) { ui_->find_next->setEnabled(!text.isEmpty()); });
  ui_->find_next->setEnabled(false);
}

FindDialog::~FindDialog() = default;

QString FindDialog::Text() const { return ui_->text->text(); }

void FindDialog::SetText(const QString& text) { ui_->text->setText(text); }

bool FindDialog::Down() const { return ui_->down->isChecked(); }

void FindDialog::SetDown(bool down) { (down ? ui_->down : ui_->up)->setChecked(true); }

void FindDialog::FindNextClicked() {
  if (Text().isEmpty()) return;
  emit findNext(Text(), Down());
}

}  // namespace common::view
