// A user's text taken to Shift_JIS for the passes, and a file a pass wrote taken back to the
// text's encoding and line ends. Both go a piece at a time, so that a large text is never held
// whole: a character cut at the end of a piece is carried over to the next.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_encoding.h"
#include "common/text_source.h"

namespace common {

// What a file written for a text takes from it: its encoding and its line ends.
struct UserEncoding {
  TextEncoding encoding = TextEncoding::kShiftJis;
  bool lf_line_ends = false;

  // Whether a file as the passes write it (Shift_JIS, CR LF) is already in this form.
  bool IsProgramOwn() const { return encoding == TextEncoding::kShiftJis && !lf_line_ends; }
};

// The name an encoding goes by in a message or a status line: "Shift_JIS", "UTF-8" or
// "UTF-8 (BOM)".
std::string_view EncodingName(TextEncoding encoding);

// Where a text stops being well-formed UTF-8, and whether it reads as UTF-8 all the same: a
// UTF-8 text with a few broken bytes, rather than one in another encoding (Shift_JIS breaks
// UTF-8 at nearly every character, and what it does not break stays short).
struct BrokenUtf8 {
  bool mostly_utf8 = false;
  std::size_t offset = 0;  // of the first byte that is not UTF-8, counted from 0
  std::size_t line = 1;    // its line, counted from 1
  std::string bytes;       // that byte and the bytes past ASCII after it, at most four
};

// nullopt when `text` is well-formed UTF-8 or cannot be read. A text is read only until it has
// shown itself to be in another encoding, so a Shift_JIS text is looked at in its first lines.
std::optional<BrokenUtf8> FindBrokenUtf8(const TextSource& text);

// The bytes as "0xE3 0x81", for a message naming a break.
std::string HexBytes(std::string_view bytes);

// Takes a piece of converted text; false stops the conversion (the output failed).
using PieceSink = std::function<bool(std::string_view piece)>;

struct ToShiftJisResult {
  // kNotUtf8: on trial, the text is not well-formed UTF-8 (see ConvertToShiftJis).
  enum class Outcome { kOk, kReadFailed, kOutputFailed, kUnencodable, kNotUtf8 };
  Outcome outcome = Outcome::kOk;
  UnencodableCharacter bad;   // with kUnencodable: the first character Shift_JIS cannot hold
  bool lf_line_ends = false;  // see HasLfLineEnds
  bool non_ascii = false;     // of a UTF-8 text: it holds a byte past ASCII

  bool ok() const { return outcome == Outcome::kOk; }
};

// Gives `text`, in `encoding`, to `sink` in Shift_JIS (a UTF-8 byte-order mark dropped) and
// finds its line ends. A character Shift_JIS cannot hold stops it with its line and column;
// what `sink` was given by then is to be thrown away.
//
// `on_trial` makes the guess of DetectEncoding on the way, for a UTF-8 text without its mark,
// rather than in a reading of its own: a text that is not well-formed UTF-8 somewhere stops
// with kNotUtf8 (it is Shift_JIS), and a character Shift_JIS cannot hold counts only once the
// whole text is known to be UTF-8. A text that is all ASCII (non_ascii false) is Shift_JIS too.
ToShiftJisResult ConvertToShiftJis(const TextSource& text, TextEncoding encoding,
                                   const PieceSink& sink, bool on_trial = false);

// Shift_JIS as a pass writes it, taken to a user's encoding and line ends as it comes, in pieces
// cut anywhere: a double-byte character or a CR LF cut between two pieces is held back until
// the next one. The byte-order mark goes once, before the first byte written.
class ShiftJisToUser {
 public:
  explicit ShiftJisToUser(const UserEncoding& user);
  // Gives `sink` what `bytes` (after anything held back) make; `last` for the text's last
  // piece, which holds nothing back. False when `sink` fails.
  [[nodiscard]] bool Take(std::string_view bytes, bool last, const PieceSink& sink);

 private:
  UserEncoding user_;
  std::vector<char> held_;
  std::vector<char> converted_;
  std::size_t carried_ = 0;
  bool text_start_ = true;
};

// Gives `sjis`, Shift_JIS as a pass wrote it, to `sink` in `user`'s encoding (the mark put
// back once, at the start) and line ends. False when it cannot be read or `sink` fails.
[[nodiscard]] bool ConvertFromShiftJis(const TextSource& sjis, const UserEncoding& user,
                                       const PieceSink& sink);

// Writes the Shift_JIS file `written` in `user`'s form to `write_path`, created or truncated and
// waited onto the disk; false when either file fails.
[[nodiscard]] bool WriteForUserAt(const std::filesystem::path& written, const UserEncoding& user,
                                  const std::filesystem::path& write_path);

// The same through a FileReplacement of `target`, which may be `written` itself (the file is
// renamed over it only once complete). On false `target` is as it was.
[[nodiscard]] bool WriteForUser(const std::filesystem::path& written, const UserEncoding& user,
                                const std::filesystem::path& target);

}  // namespace common
