// The modeless find dialog of an editing window.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class FindDialog;
}

namespace common::view {

class FindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindDialog(QWidget* parent);
  ~FindDialog() override;

  QString Text() const;
  void SetText(const QString& text);
  bool Down() const;
  void SetDown(bool down);

 public slots:
  // The find-next button.
  void FindNextClicked();

 signals:
  void findNext(const QString& search, bool down);

 private:
  std::unique_ptr<Ui::FindDialog> ui_;
};

}  // namespace common::view
