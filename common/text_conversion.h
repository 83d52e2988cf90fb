// A user's text taken to Shift_JIS for the passes, and a file a pass wrote taken back to the
// text's encoding and line ends. Both go a piece at a time, so that a large text is never held
// whole: a character cut at the end of a piece is carried over to the next.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

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

// Takes a piece of converted text; false stops the conversion (the output failed).
using PieceSink = std::function<bool(std::string_view piece)>;

struct ToShiftJisResult {
  enum class Outcome { kOk, kReadFailed, kOutputFailed, kUnencodable };
  Outcome outcome = Outcome::kOk;
  UnencodableCharacter bad;   // with kUnencodable: the first character Shift_JIS cannot hold
  bool lf_line_ends = false;  // see HasLfLineEnds

  bool ok() const { return outcome == Outcome::kOk; }
};

// Gives `text`, in `encoding`, to `sink` in Shift_JIS (a UTF-8 byte-order mark dropped) and
// finds its line ends. A character Shift_JIS cannot hold stops it with its line and column;
// what `sink` was given by then is to be thrown away.
ToShiftJisResult ConvertToShiftJis(const TextSource& text, TextEncoding encoding,
                                   const PieceSink& sink);

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
