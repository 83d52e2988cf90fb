// The line-and-field dialog of line-and-field ruby (指定行＆フィールドるび): the line-head
// mark, the field separator and the fields that get ruby.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QButtonGroup>
#include <QDialog>
#include <QString>

#include "app/ruby_commands/ruby_command_dialogs.h"
#include "common/messenger.h"
#include "common/settings/settings.h"
#include "engine/filters/filter_options.h"

namespace Ui {
class LineFieldDialog;
}

namespace app {

class LineFieldDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens with the choices stored in `settings` and `session`. Mode, field kind, field numbers
  // and separator are stored as soon as they change, even when the dialog is then cancelled;
  // the mark and its handling are stored on "実行(F5)". `caret_line_head` is the caret's line
  // of the main text window up to the caret, for the display of the caret's field.
  LineFieldDialog(common::Settings& settings, RubySessionChoices& session,
                  const QString& caret_line_head, common::Messenger& messenger,
                  std::function<void()> open_help, QWidget* parent = nullptr);
  ~LineFieldDialog() override;

  // The confirmed choices; meaningful once the dialog was accepted.
  const engine::LineFieldOptions& Options() const { return options_; }

 public slots:
  void accept() override;

 private:
  void Fill();
  void ConnectControls();
  void ModeChanged(int mode);
  void FieldKindChanged(int kind);
  void FieldNumbersChanged();
  void SeparatorEdited(const QString& typed);
  void CheckMark();
  void ShowSeparator();
  std::string SeparatorBytes() const;

  std::unique_ptr<Ui::LineFieldDialog> ui_;
  QButtonGroup modes_;
  QButtonGroup mark_handling_;
  QButtonGroup field_kinds_;
  common::Settings& settings_;
  RubySessionChoices& session_;
  std::string caret_line_head_;  // Shift_JIS
  common::Messenger& messenger_;
  engine::LineFieldOptions options_;
};

}  // namespace app
