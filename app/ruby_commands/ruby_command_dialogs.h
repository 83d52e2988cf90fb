// The dialogs of the ruby commands behind one interface, so that the commands can be run (and
// tested) without a modal dialog on the screen.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QString>

#include "common/messenger.h"
#include "common/notation/non_ruby_areas.h"
#include "common/settings/settings.h"
#include "engine/filters/filter_options.h"

class QWidget;

namespace app {

// Choices that live only while the program runs: off or empty after start-up, never saved.
struct RubySessionChoices {
  bool delete_area_start = false;  // non-ruby areas: leave the start string out
  bool delete_area_end = false;    // non-ruby areas: leave the end string out
  bool delete_mark = false;        // line-and-field ruby: "削除する"
  QString separator_typed;         // line-and-field ruby: the field separator as typed ("\t")
};

// Each function shows its dialog over the settings record and returns the confirmed choices, or
// nullopt when the dialog was left any other way. A dialog changes the record as its controls
// do: some choices take effect as soon as they are made, even when the dialog is then
// cancelled, and the rest on confirmation.
class RubyCommandDialogs {
 public:
  virtual ~RubyCommandDialogs() = default;
  virtual std::optional<engine::GradeRubyOptions> AskGradeRuby(common::Settings& settings) = 0;
  virtual std::optional<engine::LevelRubyOptions> AskLevelRuby(common::Settings& settings) = 0;
  // `caret_line_head` is the caret's line of the main text window up to the caret; the dialog
  // shows the number of the field the caret stands in.
  virtual std::optional<engine::LineFieldOptions> AskLineFieldRuby(
      common::Settings& settings, RubySessionChoices& session, const QString& caret_line_head) = 0;
  // The non-ruby areas; the delete options of the result are the check boxes' state.
  virtual std::optional<common::NonRubyAreas> AskNonRubyAreas(common::Settings& settings) = 0;
};

// The real dialogs, modal over `parent`. Refusals go through `messenger`; `open_help` serves
// the help buttons, which are hidden when it is empty.
class ModalRubyCommandDialogs final : public RubyCommandDialogs {
 public:
  ModalRubyCommandDialogs(QWidget* parent, common::Messenger& messenger,
                          std::function<void()> open_help);
  std::optional<engine::GradeRubyOptions> AskGradeRuby(common::Settings& settings) override;
  std::optional<engine::LevelRubyOptions> AskLevelRuby(common::Settings& settings) override;
  std::optional<engine::LineFieldOptions> AskLineFieldRuby(common::Settings& settings,
                                                           RubySessionChoices& session,
                                                           const QString& caret_line_head) override;
  std::optional<common::NonRubyAreas> AskNonRubyAreas(common::Settings& settings) override;

 private:
  QWidget* parent_;
  common::Messenger& messenger_;
  std::function<void()> open_help_;
};

}  // namespace app
