// The tab-width and standard-size dialogs.
#include "common/view/display_dialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "common/view/dialog_buttons.h"
#include "common/view/limited_spin_box.h"

namespace common::view {
namespace {

constexpr int kSizeStep = 5;  // pixels per click of the spin controls
constexpr int kMinStandardHeight = 300;
constexpr int kMaxStandardHeight = 2000;
constexpr int kMinStandardWidth = 400;
constexpr int kMaxStandardWidth = 4000;

LimitedSpinBox* SizeField(const char* name, int minimum, int maximum, int value, QWidget* parent) {
  auto* box = new LimitedSpinBox(minimum, maximum, value, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setSingleStep(kSizeStep);
  return box;
}

// "高さ 480  幅 640" as one row of the comparison.
void AddSizeRow(QGridLayout& grid, int row, const QString& name, QSize size, QWidget* parent) {
  grid.addWidget(new QLabel(name, parent), row, 0);
  grid.addWidget(new QLabel(QDialog::tr("高さ"), parent), row, 1);
  grid.addWidget(new QLabel(QString::number(size.height()), parent), row, 2);
  grid.addWidget(new QLabel(QDialog::tr("幅"), parent), row, 3);
  grid.addWidget(new QLabel(QString::number(size.width()), parent), row, 4);
}

}  // namespace

TabWidthDialog::TabWidthDialog(int tab_width, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("タブ幅（0～64）"));
  width_ = new LimitedSpinBox(0, kMaxTabWidth, tab_width, this);
  width_->setObjectName(QStringLiteral("tabWidth"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(width_);
  layout->addLayout(DecideCancelButtons(*this));
  KeepTitleInSight(*this);
}

int TabWidthDialog::TabWidth() const { return width_->value(); }

StandardSizeDialog::StandardSizeDialog(QSize standard, QSize window, QSize monitor, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("□画面の大きさの既定値を設定□"));
  auto* input = new QGroupBox(tr("◆画面の既定値(ﾋﾟｸｾﾙ)を入力"), this);
  auto* fields = new QGridLayout(input);
  height_ =
      SizeField("standardHeight", kMinStandardHeight, kMaxStandardHeight, standard.height(), input);
  width_ =
      SizeField("standardWidth", kMinStandardWidth, kMaxStandardWidth, standard.width(), input);
  fields->addWidget(new QLabel(tr("高さ"), input), 0, 0);
  fields->addWidget(height_, 0, 1);
  fields->addWidget(new QLabel(tr("幅"), input), 1, 0);
  fields->addWidget(width_, 1, 1);

  auto* current = new QGroupBox(tr("[現在の表示値(ピクセル)]"), this);
  auto* sizes = new QGridLayout(current);
  AddSizeRow(*sizes, 0, tr("ウインドウ"), window, current);
  AddSizeRow(*sizes, 1, tr("モニター"), monitor, current);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(input);
  layout->addWidget(current);
  layout->addLayout(DecideCancelButtons(*this));
  KeepTitleInSight(*this);
}

QSize StandardSizeDialog::StandardSize() const { return {width_->value(), height_->value()}; }

}  // namespace common::view
