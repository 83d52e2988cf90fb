// Encoding with a refusal that names the first character Shift_JIS cannot hold.
#include "app/dialogs/sjis_entry.h"

#include "app/dialogs/messages.h"
#include "common/message_format.h"
#include "common/view/sjis_codec.h"
#include "jobs/job_text.h"

namespace app {

std::optional<std::string> EncodeTextOrTell(const QString& text,
                                            const std::filesystem::path& document,
                                            common::Messenger& messenger) {
  return jobs::EditedTextInShiftJis(text.toStdString(), document, messenger);
}

std::optional<std::string> EncodeEntryOrTell(const QString& entry, common::Messenger& messenger) {
  common::view::Unencodable bad;
  std::optional<std::string> bytes = common::view::EncodeSjis(entry, &bad);
  if (!bytes) {
    std::string character = common::view::DescribeCharacter(bad.character);
    messenger.Tell({std::string(messages::kTitleCaution),
                    common::FormatMessage(messages::kEntryNotSjis, {character}),
                    common::Icon::kWarning});
  }
  return bytes;
}

}  // namespace app
