// The check start dialog.
#include "rubywindow/view/check_start_dialog.h"

#include "ui_check_start_dialog.h"

namespace rubywindow::view {

CheckStartDialog::CheckStartDialog(const CheckStart& initial, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CheckStartDialog>()) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  ui_->fromCaret->setChecked(initial.from_caret);
  ui_->fromStart->setChecked(!initial.from_caret);
  ui_->reportSeparators->setChecked(initial.report_separators);
}

CheckStartDialog::~CheckStartDialog() = default;

CheckStart CheckStartDialog::Choice() const {
  return {ui_->fromCaret->isChecked(), ui_->reportSeparators->isChecked()};
}

std::optional<CheckStart> CheckStartDialog::Ask(const CheckStart& initial, QWidget* parent) {
  CheckStartDialog dialog(initial, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

}  // namespace rubywindow::view
