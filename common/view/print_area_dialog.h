// The margin dialog: the four print margins of every window, in whole millimetres.
#pragma once

#include <QDialog>
#include <functional>

#include "common/settings/print_area.h"

namespace common::view {

class LimitedSpinBox;

class PrintAreaDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows `margins` as whole numbers. Without `open_help` the dialog has no help button.
  PrintAreaDialog(const common::PrintMargins& margins, std::function<void()> open_help,
                  QWidget* parent = nullptr);

  common::PrintMargins Margins() const;

 private:
  LimitedSpinBox* left_;
  LimitedSpinBox* top_;
  LimitedSpinBox* right_;
  LimitedSpinBox* bottom_;
};

}  // namespace common::view
