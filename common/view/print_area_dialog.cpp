// The margin dialog's fields and buttons.
#include "common/view/print_area_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "common/view/dialog_buttons.h"
#include "common/view/limited_spin_box.h"

namespace common::view {
namespace {

int WholeMillimetres(double margin) {
  return static_cast<int>(std::lround(std::clamp(margin, 0.0, double{kMaxPrintMargin})));
}

}  // namespace

PrintAreaDialog::PrintAreaDialog(const common::PrintMargins& margins,
                                 std::function<void()> open_help, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("印刷領域設定"));
  auto* group = new QGroupBox(tr("用紙上の印刷余白（単位mm）"), this);
  auto* grid = new QGridLayout(group);
  auto field = [&](const char* name, const QString& label, double margin, int row) {
    auto* box = new LimitedSpinBox(0, kMaxPrintMargin, WholeMillimetres(margin), group);
    box->setObjectName(QString::fromLatin1(name));
    grid->addWidget(new QLabel(label, group), row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("(mm)"), group), row, 2);
    return box;
  };
  left_ = field("leftMargin", tr("・左端"), margins.left, 0);
  top_ = field("topMargin", tr("・上端"), margins.top, 1);
  right_ = field("rightMargin", tr("・右端"), margins.right, 2);
  bottom_ = field("bottomMargin", tr("・下端"), margins.bottom, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(DecideCancelButtons(*this, std::move(open_help)));
}

common::PrintMargins PrintAreaDialog::Margins() const {
  return {.left = double(left_->value()),
          .top = double(top_->value()),
          .right = double(right_->value()),
          .bottom = double(bottom_->value())};
}

}  // namespace common::view
