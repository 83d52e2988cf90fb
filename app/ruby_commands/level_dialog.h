// The level dialog of kanji-test level ruby (漢検級るび): which levels keep their ruby.
#pragma once

#include <functional>
#include <memory>

#include <QButtonGroup>
#include <QDialog>

#include "common/messenger.h"
#include "common/settings/settings.h"
#include "engine/filters/filter_options.h"

namespace Ui {
class LevelDialog;
}

namespace app {

class LevelDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens with the choices stored in `settings`. "実行" stores the range kind and both boxes
  // before it checks them, so they stay chosen even when the range is refused; the flags are
  // stored once the choice is accepted.
  LevelDialog(common::Settings& settings, common::Messenger& messenger,
              std::function<void()> open_help, QWidget* parent = nullptr);
  ~LevelDialog() override;

  // The confirmed choices; meaningful once the dialog was accepted.
  const engine::LevelRubyOptions& Options() const { return options_; }

 public slots:
  void accept() override;

 private:
  engine::LevelRubyOptions Chosen() const;
  void ShowRangeKind(int kind);

  std::unique_ptr<Ui::LevelDialog> ui_;
  QButtonGroup range_kinds_;
  common::Settings& settings_;
  common::Messenger& messenger_;
  engine::LevelRubyOptions options_;
};

}  // namespace app
