// The modeless replace dialog of an editing window.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class ReplaceDialog;
}

namespace common::view {

class ReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ReplaceDialog(QWidget* parent);
  ~ReplaceDialog() override;

  QString FindText() const;
  void SetFindText(const QString& text);
  QString ReplacementText() const;
  void SetReplacementText(const QString& text);

 public slots:
  void FindNextClicked();
  void ReplaceClicked();
  void ReplaceAllClicked();

 signals:
  void findNext(const QString& search);
  void replace(const QString& search, const QString& replacement);
  void replaceAll(const QString& search, const QString& replacement);

 private:
  void UpdateButtons();

  std::unique_ptr<Ui::ReplaceDialog> ui_;
};

}  // namespace common::view
