// The five ruby commands of the main text window: each takes the window's text, asks its dialog,
// runs the ruby job (jobs/ruby_job.h) and hands the ruby file it wrote to the ruby window.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/ruby_commands/ruby_command_dialogs.h"
#include "app/ruby_commands/ruby_command_host.h"
#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/window_services.h"
#include "engine/commands/ruby_pipeline.h"
#include "jobs/job_text.h"
#include "jobs/ruby_job.h"

class QWidget;

namespace app {

// The window's services: the working files go to its work folder, and the dialogs' help
// buttons open the guide through open_help (they are hidden while it is empty).
struct RubyCommandServices : common::view::WindowServices {};

class RubyCommands : public QObject {
  Q_OBJECT

 public:
  RubyCommands(RubyCommandHost& host, const RubyCommandServices& services, QWidget* dialog_parent);
  ~RubyCommands() override;

  // For tests: the dialogs are reached through this interface (the real one shows the modal
  // dialogs).
  void SetDialogs(std::unique_ptr<RubyCommandDialogs> dialogs);

  // The field separator last entered in the line-and-field dialog (Shift_JIS, one byte, "\t"
  // already a tab), or empty before the first entry; the ruby window's YMI output starts from it.
  std::string FieldSeparator() const;

 public slots:
  void AllRubiClick();            // F5
  void HaitouRubiClick();         // F7
  void KankenSpeedButtonClick();  // F8
  void GyouSpeedButtonClick();    // F6
  void RbWButtonClick();          // F3, empty ruby window
  void PassRubiAreaClick();       // the non-ruby area dialog

  // `text` as it is read by its ruby: given ruby in memory as F5 gives it, with the
  // dictionaries in use, and every group replaced by its reading. nullopt after the failing
  // step's message.
  std::optional<QString> ReadingsOf(const QString& text);

  // The field separator last typed for line-and-field ruby, which YMI output takes over.
  const QString& LineFieldSeparator() const { return session_.separator_typed; }

 private:
  std::optional<jobs::JobText> PrepareText(bool check_notation);
  std::optional<engine::DictionaryUse> ChosenDictionaryUse();
  engine::RubyCommandContext ContextOf();
  int ShowFaultAt(std::size_t fault_offset);
  void Run(jobs::RubyKind kind, const jobs::RubyChoices& choices, const jobs::JobText& text);
  void TakeSelectionAsMark();

  RubyCommandHost& host_;
  RubyCommandServices services_;
  std::unique_ptr<RubyCommandDialogs> dialogs_;
  RubySessionChoices session_;
};

}  // namespace app
