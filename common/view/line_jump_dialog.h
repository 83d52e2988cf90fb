// The modal dialog that asks for the line to jump to and how lines are counted.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class LineJumpDialog;
}

namespace common::view {

enum LineKind : int { kLogicalLines = 0, kDisplayLines = 1 };

class LineJumpDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens with `line` and `kind` (a LineKind) filled in.
  LineJumpDialog(QWidget* parent, int line, int kind);
  ~LineJumpDialog() override;

  int Line() const;
  void SetLine(int line);
  int Kind() const;
  void SetKind(int kind);

 private:
  std::unique_ptr<Ui::LineJumpDialog> ui_;
};

}  // namespace common::view
