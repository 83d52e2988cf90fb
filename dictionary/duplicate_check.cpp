// The duplicate check over a source's first fields.
#include "dictionary/duplicate_check.h"

#include <algorithm>

#include "common/encoding/cp932.h"
#include "common/message_format.h"
#include "common/encoding/sjis_reader.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

// None of these is ever a Shift_JIS trail byte, so the text may be cut at any of them without
// stepping character by character.
constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kFieldEnd = ',';

// The first field of a line (up to its first comma, else all of it) with every CR left out,
// and the offset of the byte that ends it within the line.
struct FirstField {
  std::string bytes;
  std::size_t end = 0;
};

FirstField FirstFieldOf(std::string_view line) {
  FirstField field;
  field.end = std::min(line.find(kFieldEnd), line.size());
  for (char byte : line.substr(0, field.end)) {
    if (byte != kCarriageReturn) field.bytes += byte;
  }
  return field;
}

int CharacterCount(std::string_view sjis) {
  int count = 0;
  for (common::SjisReader reader(sjis); !reader.AtEnd(); reader.Next()) ++count;
  return count;
}

}  // namespace

// Each line's field ends at its comma or line feed. The last line, which often has no line
// break, is ended by the end of the text, so a duplicate there is not missed.
std::optional<DuplicateField> FindDuplicateFirstField(std::string_view text) {
  std::string previous;
  int line_number = 1;
  for (std::size_t start = 0; start < text.size(); ++line_number) {
    std::size_t end = std::min(text.find(kLineFeed, start), text.size());
    FirstField field = FirstFieldOf(text.substr(start, end - start));
    if (!field.bytes.empty() && field.bytes == previous) {
      int characters = CharacterCount(field.bytes);
      return DuplicateField{start + field.end, line_number - 1, line_number, characters,
                            std::move(field.bytes)};
    }
    // An empty field becomes the previous one too: an empty line parts two equal fields.
    previous = std::move(field.bytes);
    start = end + 1;
  }
  return std::nullopt;
}

common::Message DuplicateFoundMessage(const DuplicateField& found) {
  std::string field_utf8 = common::Cp932ToUtf8Lossy(found.field);
  return {std::string(messages::kTitleDuplicateFound),
          common::FormatMessage(messages::kDuplicateFound,
                                {static_cast<std::int64_t>(found.byte_position),
                                 std::int64_t{found.previous_line}, std::int64_t{found.line},
                                 std::int64_t{found.characters}, std::string_view(field_utf8)}),
          common::Icon::kInformation};
}

common::Message NoDuplicateMessage() {
  return {std::string(messages::kTitleDuplicateCheckDone), std::string(messages::kNoDuplicate),
          common::Icon::kInformation};
}

}  // namespace dictionary
