// The YMI settings dialog (整形（ＹＭＩ）ファイル設定): which fields of which lines are formatted,
// by which template, with a preview of the template.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <functional>

#include "common/messenger.h"
#include "rubywindow/template_list.h"
#include "rubywindow/ymi_options.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace rubywindow::view {

class YmiSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens with `options`; `stored` is the stored template list, which the list editor changes
  // at once. The help button opens the guide through `open_help`; without it there is none.
  YmiSettingsDialog(const YmiOptions& options, TemplateList& stored, common::Messenger& messenger,
                    QWidget* parent = nullptr, std::function<void()> open_help = {});

  // The choices "実行(F5)" accepted, templates with their "^^t" as tabs.
  const YmiOptions& Options() const { return options_; }

  QComboBox* TemplateBox() const { return template_box_; }
  QLabel* Preview() const { return preview_; }

 public slots:
  void accept() override;
  void EditList();

 private:
  void CreateControls(std::function<void()> open_help);
  // リスト編集, 実行, 中止 and the help button, with their keys.
  QDialogButtonBox* CreateButtons(std::function<void()> open_help);
  void Fill();
  void ShowPreview();
  void RangeModeChanged(int mode);
  void SeparatorEdited(const QString& typed);
  void ShowSeparatorCode();
  void WarnIfMarkCannotGo();
  std::optional<YmiOptions> Collect();

  YmiOptions options_;
  TemplateList& stored_;
  common::Messenger& messenger_;
  QButtonGroup range_modes_;
  QButtonGroup part_modes_;
  QButtonGroup mark_handlings_;
  QSpinBox* first_field_ = nullptr;
  QSpinBox* last_field_ = nullptr;
  QComboBox* template_box_ = nullptr;
  QLabel* preview_ = nullptr;
  QCheckBox* warn_markers_ = nullptr;
  QCheckBox* to_hiragana_ = nullptr;
  QLineEdit* mark_ = nullptr;
  QLineEdit* separator_ = nullptr;
  QLabel* separator_code_ = nullptr;
};

}  // namespace rubywindow::view
