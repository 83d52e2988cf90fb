// The start dialog of the explicit notation check: where the check starts and whether the
// multiple-reading separator '|' is reported.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class CheckStartDialog;
}

namespace rubywindow::view {

struct CheckStart {
  bool from_caret = false;  // off: from the start of the text
  bool report_separators = false;
};

class CheckStartDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CheckStartDialog(const CheckStart& initial, QWidget* parent = nullptr);
  ~CheckStartDialog() override;

  CheckStart Choice() const;

  // Shows the dialog modally; nullopt when the user chose "中 止" or pressed Esc.
  static std::optional<CheckStart> Ask(const CheckStart& initial, QWidget* parent);

 private:
  std::unique_ptr<Ui::CheckStartDialog> ui_;
};

}  // namespace rubywindow::view
