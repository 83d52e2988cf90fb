// The dialog that sets the extra room of the edit areas, in thousands of bytes.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class EditCapacityDialog;
}

namespace app {

class EditCapacityDialog : public QDialog {
  Q_OBJECT

 public:
  EditCapacityDialog(QWidget* parent, int extra_bytes);
  ~EditCapacityDialog() override;

  // The bytes the field stands for: the field's value times 1000.
  int ExtraBytes() const;
  void SetKiloBytes(int kilo_bytes);

 private:
  std::unique_ptr<Ui::EditCapacityDialog> ui_;
};

// Shows the dialog over `parent`; the new extra room in bytes, or nullopt when cancelled.
std::optional<int> AskEditCapacity(QWidget* parent, int extra_bytes);

}  // namespace app
