// The main text window's text as it is read aloud: as it stands, or by the readings of the ruby
// that the dictionaries of F5 give it.
#include <optional>

#include "app/main_text_window.h"
#include "app/ruby_commands/ruby_commands.h"

namespace app {

std::optional<QString> MainTextWindow::SpokenText(const QString& text) {
  if (context_.settings->read_ruby_readings == 0) return text;
  std::optional<QString> readings = ruby_commands_->ReadingsOf(text);
  ShowProgress({});
  return readings;
}

}  // namespace app
