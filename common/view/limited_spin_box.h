// A number field whose spin control keeps the value within its range: a number typed beyond the
// range is taken as the nearest end of it when the field is left or the dialog decided, rather
// than refused keystroke by keystroke.
#pragma once

#include <QSpinBox>

namespace common::view {

class LimitedSpinBox : public QSpinBox {
  Q_OBJECT

 public:
  LimitedSpinBox(int minimum, int maximum, int value, QWidget* parent = nullptr);

 protected:
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
};

}  // namespace common::view
