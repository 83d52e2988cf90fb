// Brace escape on the editor's text, through its Shift_JIS form.
#include "app/ruby_commands/brace_escape_command.h"

#include <string>

#include "app/dialogs/sjis_entry.h"
#include "common/view/sjis_codec.h"
#include "engine/markings/brace_escape.h"

namespace app {

std::optional<QString> EscapeBracesOf(const QString& text, const std::filesystem::path& document,
                                      common::Messenger& messenger) {
  std::optional<std::string> bytes = EncodeTextOrTell(text, document, messenger);
  if (!bytes) return std::nullopt;
  return common::view::DecodeSjis(engine::EscapeBraces(*bytes));
}

}  // namespace app
