// The NNN settings dialog (ユーザー指定によるルビ書式変換): the user's template for every ruby
// group, its preview on {花/はな}, the font that "****7" and "****8" stand for.
#pragma once

#include <QDialog>
#include <functional>

#include "common/messenger.h"
#include "common/settings/settings.h"
#include "rubywindow/nnn_writer.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace common::view {
class Choosers;
}

namespace rubywindow::view {

// What the dialog keeps from one use to the next while the program runs.
struct NnnChoices {
  NnnOptions options;  // the font of "****7" and "****8"
  bool show_result = true;
  bool warn_markers = false;
};

class NnnFormatDialog : public QDialog {
  Q_OBJECT

 public:
  // The stored templates and the current one are in `settings`; whenever the dialog closes its
  // list is stored back there, and on "実行(Ｆ８)" the current template too.
  NnnFormatDialog(common::Settings& settings, NnnChoices& choices, common::Messenger& messenger,
                  common::view::Choosers& choosers, QWidget* parent = nullptr,
                  std::function<void()> open_help = {});

  // Meaningful once accepted.
  const NnnOptions& Options() const { return choices_.options; }
  bool ShowResult() const { return choices_.show_result; }

  QComboBox* TemplateBox() const { return template_box_; }
  QLabel* Preview() const { return preview_; }

 public slots:
  void accept() override;
  void done(int result) override;
  void EditList();
  void ChooseFont();

 private:
  void CreateControls(std::function<void()> open_help);
  void ShowPreview();
  void ShowFont();

  common::Settings& settings_;
  NnnChoices& choices_;
  common::Messenger& messenger_;
  common::view::Choosers& choosers_;
  QComboBox* template_box_ = nullptr;
  QLabel* preview_ = nullptr;
  QLabel* font_name_ = nullptr;
  QLabel* font_size_ = nullptr;
  QCheckBox* show_result_ = nullptr;
  QCheckBox* warn_markers_ = nullptr;
};

}  // namespace rubywindow::view
