// The non-ruby area dialog ("非るび領域を設定する"): the strings that open and close the
// stretches of text no ruby pass touches.
#pragma once

#include <memory>

#include <QDialog>

#include "common/messenger.h"
#include "common/notation/non_ruby_areas.h"
#include "common/settings/settings.h"

namespace Ui {
class NonRubyAreaDialog;
}

namespace app {

class NonRubyAreaDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens with the areas stored in `settings` and both delete boxes off. Choosing a mode stores
  // it at once, even when the dialog is then cancelled; the strings are stored on "決 定".
  NonRubyAreaDialog(common::Settings& settings, common::Messenger& messenger,
                    QWidget* parent = nullptr);
  ~NonRubyAreaDialog() override;

  // The confirmed areas, with the delete boxes' state; meaningful once accepted.
  const common::NonRubyAreas& Areas() const { return areas_; }

 public slots:
  void accept() override;

 private:
  void ModeChosen(bool enabled);

  std::unique_ptr<Ui::NonRubyAreaDialog> ui_;
  common::Settings& settings_;
  common::Messenger& messenger_;
  common::NonRubyAreas areas_;
};

}  // namespace app
