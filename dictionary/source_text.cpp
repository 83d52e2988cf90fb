#include "dictionary/source_text.h"

#include <cstdint>
#include <optional>

#include "common/message_format.h"
#include "common/encoding/text_encoding.h"
#include "common/encoding/text_file.h"
#include "dictionary/messages.h"

namespace dictionary {

SourceText ReadSourceText(const std::filesystem::path& path, common::Messenger& messenger) {
  common::FileBytes text = common::ReadTextFile(path);
  if (!text.ok) return {SourceTextStatus::kUnreadable, {}};
  common::TextEncoding encoding = common::DetectEncoding(text.bytes);
  if (encoding == common::TextEncoding::kShiftJis) {
    return {SourceTextStatus::kOk, std::move(text.bytes)};
  }
  common::UnencodableCharacter bad;
  std::optional<std::string> sjis = common::ToShiftJis(text.bytes, encoding, &bad);
  if (!sjis) {
    messenger.Tell({std::string(messages::kTitleCautionDouble),
                    common::FormatMessage(messages::kSourceUnencodable,
                                          {path.string(), std::int64_t{bad.line},
                                           std::int64_t{bad.column}, bad.character}),
                    common::Icon::kWarning});
    return {SourceTextStatus::kUnencodable, {}};
  }
  return {SourceTextStatus::kOk, *std::move(sjis)};
}

}  // namespace dictionary
