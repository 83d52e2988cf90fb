// The version box of the main text window, closed by its "了解" button or Esc.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class VersionDialog;
}

namespace app {

class VersionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit VersionDialog(QWidget* parent);
  ~VersionDialog() override;

 private:
  std::unique_ptr<Ui::VersionDialog> ui_;
};

}  // namespace app
