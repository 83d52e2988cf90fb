// The line-jump dialog: a line number and the kind of lines it counts.
#include "common/view/line_jump_dialog.h"

#include <QLineEdit>

#include "ui_line_jump_dialog.h"

namespace common::view {

LineJumpDialog::LineJumpDialog(QWidget* parent, int line, int kind)
    : QDialog(parent), ui_(new Ui::LineJumpDialog) {
  ui_->setupUi(this);
  // A number is typed here: the input method would only get in the way.
  ui_->line->setAttribute(Qt::WA_InputMethodEnabled, false);
  SetLine(line);
  SetKind(kind);
  ui_->line->selectAll();
}

LineJumpDialog::~LineJumpDialog() = default;

int LineJumpDialog::Line() const { return ui_->line->value(); }

void LineJumpDialog::SetLine(int line) { ui_->line->setValue(line); }

int LineJumpDialog::Kind() const {
  return ui_->display->isChecked() ? kDisplayLines : kLogicalLines;
}

void LineJumpDialog::SetKind(int kind) {
  (kind == kDisplayLines ? ui_->display : ui_->logical)->setChecked(true);
}

}  // namespace common::view
