// The edit-capacity dialog.
#include "app/edit_capacity_dialog.h"

#include "ui_edit_capacity_dialog.h"

namespace app {

namespace {

constexpr int kBytesPerKilo = 1000;

}  // namespace

EditCapacityDialog::EditCapacityDialog(QWidget* parent, int extra_bytes)
    : QDialog(parent), ui_(std::make_unique<Ui::EditCapacityDialog>()) {
  ui_->setupUi(this);
  ui_->kiloBytes->setValue(extra_bytes / kBytesPerKilo);
}

EditCapacityDialog::~EditCapacityDialog() = default;

int EditCapacityDialog::ExtraBytes() const { return ui_->kiloBytes->value() * kBytesPerKilo; }

void EditCapacityDialog::SetKiloBytes(int kilo_bytes) { ui_->kiloBytes->setValue(kilo_bytes); }

std::optional<int> AskEditCapacity(QWidget* parent, int extra_bytes) {
  EditCapacityDialog dialog(parent, extra_bytes);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ExtraBytes();
}

}  // namespace app
