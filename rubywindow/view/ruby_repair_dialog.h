// The ruby repair dialog (◇ルビの修正) and the ruby emphasis settings dialog
// (■強調表示するるびの設定■): each edits a plain record the core takes as it is.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <optional>

#include "common/settings/settings.h"
#include "rubywindow/ruby_repair.h"

class QCheckBox;
class QSpinBox;

namespace rubywindow::view {

class RubyRepairDialog : public QDialog {
  Q_OBJECT

 public:
  // `request.all_groups` fixes the scope to the whole document and is shown, not chosen.
  RubyRepairDialog(const RepairRequest& request, QWidget* parent = nullptr);

  // The request "実 行" accepted; nullopt after "中 止" or the close box.
  static std::optional<RepairRequest> Ask(const RepairRequest& request, QWidget* parent);
  RepairRequest Request() const;

 private:
  QButtonGroup kinds_;
  QButtonGroup scopes_;
  QButtonGroup which_;
  QCheckBox* align_kana_ = nullptr;
  bool all_groups_ = false;
};

class EmphasisSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // "決　定" stores both choices in `settings`; "Cansel" leaves them.
  EmphasisSettingsDialog(common::Settings& settings, QWidget* parent = nullptr);

 public slots:
  void accept() override;

 private:
  common::Settings& settings_;
  QCheckBox* on_ = nullptr;
  QSpinBox* limit_ = nullptr;
};

}  // namespace rubywindow::view
