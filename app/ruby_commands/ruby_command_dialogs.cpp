// The modal dialogs behind the ruby commands.
#include "app/ruby_commands/ruby_command_dialogs.h"

#include <utility>

#include "app/ruby_commands/grade_dialog.h"
#include "app/ruby_commands/level_dialog.h"
#include "app/ruby_commands/line_field_dialog.h"
#include "app/ruby_commands/non_ruby_area_dialog.h"

namespace app {

ModalRubyCommandDialogs::ModalRubyCommandDialogs(QWidget* parent, common::Messenger& messenger,
                                                 std::function<void()> open_help)
    : parent_(parent), messenger_(messenger), open_help_(std::move(open_help)) {}

std::optional<engine::GradeRubyOptions> ModalRubyCommandDialogs::AskGradeRuby(
    common::Settings& settings) {
  GradeDialog dialog(settings, messenger_, open_help_, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Options();
}

std::optional<engine::LevelRubyOptions> ModalRubyCommandDialogs::AskLevelRuby(
    common::Settings& settings) {
  LevelDialog dialog(settings, messenger_, open_help_, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Options();
}

std::optional<engine::LineFieldOptions> ModalRubyCommandDialogs::AskLineFieldRuby(
    common::Settings& settings, RubySessionChoices& session, const QString& caret_line_head) {
  LineFieldDialog dialog(settings, session, caret_line_head, messenger_, open_help_, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Options();
}

std::optional<common::NonRubyAreas> ModalRubyCommandDialogs::AskNonRubyAreas(
    common::Settings& settings) {
  NonRubyAreaDialog dialog(settings, messenger_, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Areas();
}

}  // namespace app
