// Numbers beyond the range are limited to it.
#include "common/view/limited_spin_box.h"

#include <algorithm>
#include <optional>

namespace common::view {

LimitedSpinBox::LimitedSpinBox(int minimum, int maximum, int value, QWidget* parent)
    : QSpinBox(parent) {
  setRange(minimum, maximum);
  setValue(value);
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

namespace {

std::optional<long long> NumberIn(const QString& input) {
  bool number = false;
  long long value = input.trimmed().toLongLong(&number);
  if (!number) return std::nullopt;
  return value;
}

}  // namespace

// QSpinBox refuses a keystroke that makes the number too large; here the whole number stays in
// the field as unfinished, and fixup limits it when the field is left.
QValidator::State LimitedSpinBox::validate(QString& input, int& pos) const {
  QValidator::State state = QSpinBox::validate(input, pos);
  if (state != QValidator::Invalid) return state;
  return NumberIn(input) ? QValidator::Intermediate : QValidator::Invalid;
}

void LimitedSpinBox::fixup(QString& input) const {
  if (std::optional<long long> number = NumberIn(input)) {
    input = QString::number(std::clamp<long long>(*number, minimum(), maximum()));
    return;
  }
  QSpinBox::fixup(input);
}

}  // namespace common::view
