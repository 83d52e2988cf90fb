// Unsaved text kept aside while it is edited, so that a crash, a kill or a lost session costs
// at most the last seconds of typing. One file per window kind ("main", "ruby") in a folder of
// the user's own; a window that saves, discards or closes its text takes its file away, so a
// file found at start is text that the last run never put anywhere.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/encoding/text_encoding.h"

namespace common {

// The windows whose unsaved text is kept: the text being prepared, and the ruby being corrected.
inline constexpr std::string_view kMainTextCopy = "main";
inline constexpr std::string_view kRubyTextCopy = "ruby";

struct RecoveredText {
  std::string window;              // the kind of window that held the text
  std::filesystem::path document;  // the file the text belongs to, as the window named it
  TextEncoding encoding = TextEncoding::kShiftJis;  // what a save of the document writes
  std::string text;                                 // UTF-8: every character the window held
};

// The file's content, and back; nullopt for anything that is not such a file (or a damaged one).
std::string SerializeRecovered(const RecoveredText& recovered);
std::optional<RecoveredText> ParseRecovered(std::string_view bytes);

class RecoveryStore {
 public:
  explicit RecoveryStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // $XDG_STATE_HOME/mirukaze/recovery, or ~/.local/state/mirukaze/recovery: kept across a
  // restart of the machine, unlike the runtime folder. Empty when neither can be named.
  static std::filesystem::path UserFolder();

  const std::filesystem::path& Folder() const { return folder_; }
  // Replaces the window's file in one step (never half a file); false when it cannot be written.
  [[nodiscard]] bool Keep(const RecoveredText& recovered) const;
  void Discard(std::string_view window) const;
  // Every text left in the folder, in the order of the window kinds' names.
  std::vector<RecoveredText> Left() const;

 private:
  std::filesystem::path FileOf(std::string_view window) const;

  std::filesystem::path folder_;
};

}  // namespace common
