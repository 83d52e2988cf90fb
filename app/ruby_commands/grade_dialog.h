// The grade dialog of grade ruby (配当学年るび): which school grades keep their ruby.
#pragma once

#include <functional>
#include <memory>

#include <QButtonGroup>
#include <QDialog>

#include "common/messenger.h"
#include "common/settings/settings.h"
#include "engine/filters/filter_options.h"

namespace Ui {
class GradeDialog;
}

namespace app {

class GradeDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens with the choices stored in `settings`; confirming stores them there. A help button
  // calls `open_help`, and is hidden when it is empty.
  GradeDialog(common::Settings& settings, common::Messenger& messenger,
              std::function<void()> open_help, QWidget* parent = nullptr);
  ~GradeDialog() override;

  // The confirmed choices; meaningful once the dialog was accepted.
  const engine::GradeRubyOptions& Options() const { return options_; }

 public slots:
  // Closes as confirmed, or shows why not and stays open.
  void accept() override;

 private:
  engine::GradeRubyOptions Chosen() const;
  void ShowRangeKind(int kind);

  std::unique_ptr<Ui::GradeDialog> ui_;
  QButtonGroup range_kinds_;
  common::Settings& settings_;
  common::Messenger& messenger_;
  engine::GradeRubyOptions options_;
};

}  // namespace app
