// The text a job works on: a file or a stream in its own encoding, or the text of an editing
// window, taken to Shift_JIS for the passes; and the form (encoding, line ends) that every file
// written for it is given back in. Which form that is gets decided here, once, for every front
// end.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/message_format.h"
#include "common/messenger.h"
#include "common/encoding/text_conversion.h"
#include "common/encoding/text_encoding.h"
#include "common/encoding/text_source.h"
#include "common/platform/working_files.h"

namespace jobs {

// How the encoding of a text given is found: guessed (UTF-8 when the text is valid UTF-8
// holding non-ASCII, or starts with a byte-order mark; else Shift_JIS), or taken as said.
enum class EncodingChoice { kAuto, kShiftJis, kUtf8 };

class JobText {
 public:
  JobText() = default;
  JobText(JobText&& other) noexcept;
  JobText& operator=(JobText&& other) = delete;
  ~JobText();  // a Shift_JIS copy in the working folder goes with the text

  std::filesystem::path file;  // the document as named; files written for it take its name
  common::UserEncoding form;   // of the files written for it
  bool from_stream = false;    // standard input: what is written for it goes back to a stream
  // The text as the passes read it: the file itself when it is Shift_JIS, else a Shift_JIS copy
  // in the working folder.
  std::unique_ptr<common::FileTextSource> sjis;

  // A Shift_JIS file, whose bytes are read as they stand.
  bool IsPlainShiftJisFile() const {
    return !from_stream && form.encoding == common::TextEncoding::kShiftJis;
  }
  // The name of the text in a message.
  std::string ShownName() const;
  // What a pass made of the text (Shift_JIS, CR LF) in the text's encoding and line ends.
  std::string ForUser(std::string_view written) const;

 private:
  friend class TextOpening;
  std::filesystem::path copy_;  // the Shift_JIS copy this text owns, if any
};

// A text given as a file (or a stream copied to one).
struct GivenText {
  std::filesystem::path file;   // as the user named it
  std::filesystem::path bytes;  // where its bytes are: `file` itself, or a copy of the stream
  bool from_stream = false;
  EncodingChoice encoding = EncodingChoice::kAuto;
  // The message naming a file that cannot be read (a pipe, a device or a folder is named as
  // such).
  std::string_view cannot_read;
  // The message refusing a text left to the guess that is UTF-8 but for a few broken bytes
  // (common::FindBrokenUtf8), which read as Shift_JIS would give ruby on garbled text: it takes
  // the text's name, the line and the byte (from 1) where the first break stands, and its bytes
  // in hex. Empty: such a text is read as Shift_JIS.
  std::string_view broken_utf8;
};

// Opens the text for the passes; a large text is converted a piece at a time and never held
// whole. nullopt after the message: it cannot be read, a UTF-8 text holds a character
// Shift_JIS cannot hold (named with its line and column; nothing is written), or a text left to
// the guess is broken UTF-8 (see GivenText::broken_utf8).
std::optional<JobText> OpenGivenText(const GivenText& given, const common::WorkDir& work,
                                     common::Messenger& messenger);

// The text of an editing window (UTF-8, the window's line ends) whose document is kept in
// `encoding`: converted as a file of that document would be, refused in the same words, and
// given the form FormOfDocument decides.
std::optional<JobText> OpenEditedText(std::string_view utf8, const std::filesystem::path& document,
                                      common::TextEncoding encoding, const common::WorkDir& work,
                                      common::Messenger& messenger);

// A window's text (UTF-8) in Shift_JIS, for what reads it in memory (a check, read-aloud);
// nullopt after the message OpenEditedText gives.
std::optional<std::string> EditedTextInShiftJis(std::string_view utf8,
                                                const std::filesystem::path& document,
                                                common::Messenger& messenger);

// The one message that a text holds a character Shift_JIS cannot hold, naming the text, the
// character's line and column, and the character; nothing is written.
void TellUnencodable(common::Messenger& messenger, std::string_view shown_name,
                     const common::UnencodableCharacter& bad);

// Whether the first line of `text` (Shift_JIS or UTF-8) ends in LF alone: the files written for
// a text end every line as its first line ends, LF or CR LF (CR LF without a line feed). The
// one rule for every front end.
bool FirstLineEndsInLf(const common::TextSource& text);

// The form of the files written for a document kept in `encoding`: its encoding, and the line
// ends of its first line as it is on disk (CR LF when it is not there yet).
common::UserEncoding FormOfDocument(const std::filesystem::path& document,
                                    common::TextEncoding encoding);

// The whole text in Shift_JIS, for the jobs that transform it at once; nullopt after the
// message that it could not be read.
std::optional<std::string> WholeText(const JobText& text, common::Messenger& messenger);

// Shows one of the jobs' failure messages (jobs/messages.h), titled "ご注意!!".
void TellFailure(common::Messenger& messenger, std::string_view pattern,
                 std::initializer_list<common::MessageArg> args);

// Tells that `path` could not be written, and why: `error` is the errno of the failing call,
// taken before anything else could change it.
void TellCannotWrite(common::Messenger& messenger, const std::filesystem::path& path, int error);

// Tells that `path` could not be read: by `pattern` (which takes the path), or, for a pipe, a
// device or a folder, that it is no regular file.
void TellCannotRead(common::Messenger& messenger, std::string_view pattern,
                    const std::filesystem::path& path);

}  // namespace jobs
