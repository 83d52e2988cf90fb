// Changing the ruby groups of a ruby text in place: the kana of every reading, keeping only the
// base or the reading of every group, and the repair of selected groups.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/text_pieces.h"
#include "rubywindow/kana_table.h"

namespace rubywindow {

// Texts are Shift_JIS. A group runs from '{' to the first '}' after it on its line, its base
// ending at the first '/'. A group without '/' is left as it is, and so is the rest of a line
// after a '{' that no '}' closes.

// `text` with each group handed to `rewrite`, which appends what stands in its place to `out`.
using GroupRewrite =
    std::function<void(std::string& out, std::string_view base, std::string_view reading)>;
std::string RewriteGroups(std::string_view text, const GroupRewrite& rewrite);
// The same a piece at a time.
common::PieceStep RewriteGroupsStep(GroupRewrite rewrite);

// Every reading (after its '/', up to its '}') turned the given way.
std::string ConvertAllReadings(std::string_view text, KanaDirection direction);
// The way the readings of `text` are turned when no way is chosen: to katakana when any
// reading holds hiragana, else to hiragana, so the command always changes something it can.
KanaDirection DirectionOfAllReadings(std::string_view text);

enum class GroupPart : int { kBase = 0, kReading = 1 };
// Every group replaced by its base or by its reading ('|' separators kept).
std::string KeepPartOfAllGroups(std::string_view text, GroupPart part);

// The two above a piece at a time, for a text of any size.
common::PieceStep ConvertAllReadingsStep(KanaDirection direction);
common::PieceStep KeepPartOfAllGroupsStep(GroupPart part);

enum class RepairKind : int {
  kKeepBase = 1,
  kKeepReading = 2,
  kToKatakana = 3,
  kToHiragana = 4,  // also what a kind outside 1–4 does to selected groups
};

// The replacement for a selection that begins with '{' and ends with '}'. With `align_kana`
// a kana change covers the kana between the groups too; without it, each whole group (base
// and reading) changes and the text between them stays.
std::string ConvertSelection(std::string_view selection, int kind, bool align_kana);

enum class SelectionCheck {
  kGroups,           // can be repaired
  kNothingSelected,  // ask whether to repair every group of the document
  kNotAtGroup,       // does not begin with '{'
  kNotClosed,        // does not end with '}'
  kNoSlash,          // holds no '/'
};
SelectionCheck CheckRepairSelection(std::string_view selection);
// The refusal, or for kNothingSelected the Yes/No question; nullopt for kGroups.
std::optional<common::Message> RepairSelectionMessage(SelectionCheck check);

struct RepairRequest {
  int kind = 0;
  int scope = 1;  // 1 the selection, 2 every occurrence of it in the document
  bool align_kana = false;
  bool all_groups = false;  // every group of the document rather than the selection
};

// The document after the repair. `selection` lies at `selection_start` in `document`.
std::string ApplyRepair(std::string_view document, std::size_t selection_start,
                        std::string_view selection, const RepairRequest& request);

// Every occurrence of `selected` (on character boundaries) replaced by `replacement`.
std::string ReplaceAllOccurrences(std::string_view text, std::string_view selected,
                                  std::string_view replacement);
// The same a piece at a time.
common::PieceStep ReplaceAllOccurrencesStep(std::string selected, std::string replacement);

}  // namespace rubywindow
