// The browser display settings dialog: alignment class, font, colours, line height and the
// break marks of the HTML ruby page.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>

class QButtonGroup;

namespace Ui {
class RubyFormatDialog;
}

namespace common {
struct Settings;
namespace view {
class Choosers;
}
}  // namespace common

namespace rubywindow::view {

struct RubyWindowSession;

// Edits the settings record and the session it is handed, each value at its own moment: the
// font and the colours as soon as their dialogs are accepted, the alignment class and the line
// height whenever the dialog closes, the three check boxes only by "決 定".
class RubyFormatDialog : public QDialog {
  Q_OBJECT

 public:
  RubyFormatDialog(common::Settings& settings, RubyWindowSession& session,
                   common::view::Choosers& choosers, QWidget* parent = nullptr);
  ~RubyFormatDialog() override;

  void done(int result) override;

 private slots:
  void ChooseFont();
  void ChooseBackground();
  void ChooseRubyColour();
  void ChooseBaseColour();
  void ShowDetails(bool detailed);

 private:
  void CreateAlignmentButtons();
  // The colour the user picks starting from `bgr`, or nullopt when cancelled.
  std::optional<int> PickColour(int bgr);
  void ShowChoices();

  std::unique_ptr<Ui::RubyFormatDialog> ui_;
  QButtonGroup* alignments_;
  common::Settings& settings_;
  RubyWindowSession& session_;
  common::view::Choosers& choosers_;
};

}  // namespace rubywindow::view
