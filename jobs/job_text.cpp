// Reading the user's text into Shift_JIS, and the form of the files written for it.
#include "jobs/job_text.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "common/file_system.h"
#include "common/message_format.h"
#include "jobs/messages.h"

namespace jobs {

namespace fs = std::filesystem;

// The steps of opening a text, which fill in what a JobText keeps to itself.
class TextOpening {
 public:
  static void Own(JobText& text, const fs::path& copy) { text.copy_ = copy; }
};

namespace {

// The working file of a text taken to Shift_JIS.
constexpr std::string_view kShiftJisCopy = "text.sjis";

// The encoding the choice names, a UTF-8 byte-order mark settling it for UTF-8 either way;
// nullopt when it is left to the text, which the conversion then decides on its way.
std::optional<common::TextEncoding> ChosenEncoding(EncodingChoice choice,
                                                   const common::TextSource& original) {
  if (choice == EncodingChoice::kShiftJis) return common::TextEncoding::kShiftJis;
  char head[common::kUtf8Bom.size()];
  std::size_t read = original.Read(0, head, sizeof head);
  if (std::string_view(head, read) == common::kUtf8Bom) return common::TextEncoding::kUtf8WithBom;
  if (choice == EncodingChoice::kUtf8) return common::TextEncoding::kUtf8;
  return std::nullopt;
}

enum class CopyOutcome { kConverted, kFailed, kShiftJis };

// `original`'s Shift_JIS copy in the working folder, with the line ends found on the way; kFailed
// after the message. On trial (the encoding left to the text) a text that is not UTF-8 with
// some non-ASCII is Shift_JIS instead, and no copy is kept.
CopyOutcome ConvertToCopy(const common::WorkDir& work, const common::TextSource& original,
                          JobText& text, bool on_trial, common::Messenger& messenger) {
  fs::path copy = work.File(kShiftJisCopy);
  std::FILE* out = std::fopen(copy.c_str(), "wb");
  if (out == nullptr) {
    // A Shift_JIS text needs no copy: the trial is made without one.
    if (on_trial) {
      common::ToShiftJisResult trial = common::ConvertToShiftJis(
          original, common::TextEncoding::kUtf8, [](std::string_view) { return true; }, true);
      if (trial.outcome == common::ToShiftJisResult::Outcome::kNotUtf8 ||
          (trial.ok() && !trial.non_ascii)) {
        return CopyOutcome::kShiftJis;
      }
    }
    TellCannotWrite(messenger, copy, errno);
    return CopyOutcome::kFailed;
  }
  common::ToShiftJisResult result = common::ConvertToShiftJis(
      original, text.form.encoding,
      [out](std::string_view piece) {
        return std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
      },
      on_trial);
  bool closed = std::fclose(out) == 0;
  int error = errno;
  using Outcome = common::ToShiftJisResult::Outcome;
  if (result.outcome == Outcome::kNotUtf8 || (on_trial && result.ok() && !result.non_ascii)) {
    common::RemoveFile(copy);
    return CopyOutcome::kShiftJis;
  }
  if (result.outcome == Outcome::kUnencodable) {
    common::RemoveFile(copy);
    TellUnencodable(messenger, text.ShownName(), result.bad);
    return CopyOutcome::kFailed;
  }
  if (result.outcome == Outcome::kReadFailed) {
    TellFailure(messenger, messages::kCannotReadFile, {text.ShownName()});
    return CopyOutcome::kFailed;
  }
  if (!result.ok() || !closed) {
    TellCannotWrite(messenger, copy, error);
    return CopyOutcome::kFailed;
  }
  text.sjis = common::FileTextSource::Open(copy);
  TextOpening::Own(text, copy);
  if (text.sjis) return CopyOutcome::kConverted;
  TellFailure(messenger, messages::kCannotReadFile, {copy.string()});
  return CopyOutcome::kFailed;
}

// Whether a text that the guess found not to be UTF-8 is UTF-8 all the same but for a few
// broken bytes; if so it is refused, after `message` names them.
bool RefusedAsBrokenUtf8(std::string_view message, const common::TextSource& original,
                         std::string_view shown_name, common::Messenger& messenger) {
  if (message.empty()) return false;
  std::optional<common::BrokenUtf8> broken = common::FindBrokenUtf8(original);
  if (!broken || !broken->mostly_utf8) return false;
  TellFailure(messenger, message,
              {shown_name, static_cast<std::int64_t>(broken->line),
               static_cast<std::int64_t>(broken->offset + 1), common::HexBytes(broken->bytes)});
  return true;
}

// The line ends of the files written for a text are those of its first line: LF when its first
// line feed has no CR before it, else CR LF (also for a text without a line feed). A text whose
// lines end in both ways takes its first line's for all, as the passes end every line alike.
// Shift_JIS and UTF-8 alike, whose CR and LF are never part of another character. False after
// the message that the text could not be read.
bool FindLineEnds(JobText& text, common::Messenger& messenger) {
  text.form.lf_line_ends = FirstLineEndsInLf(*text.sjis);
  if (text.sjis->Failed()) {
    if (text.from_stream) {
      TellFailure(messenger, messages::kCannotReadInput, {});
    } else {
      TellFailure(messenger, messages::kCannotReadFile, {text.ShownName()});
    }
    return false;
  }
  return true;
}

}  // namespace

JobText::JobText(JobText&& other) noexcept
    : file(std::move(other.file)),
      form(other.form),
      from_stream(other.from_stream),
      sjis(std::move(other.sjis)),
      copy_(std::exchange(other.copy_, {})) {}

JobText::~JobText() {
  sjis.reset();
  if (!copy_.empty()) common::RemoveFile(copy_);
}

std::string JobText::ShownName() const {
  return from_stream ? std::string(messages::kStandardInputName) : file.string();
}

std::string JobText::ForUser(std::string_view written) const {
  std::string text;
  common::StringTextSource source(written);
  // A string is read without fail and the sink never refuses.
  (void)common::ConvertFromShiftJis(source, form, [&text](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}

std::optional<JobText> OpenGivenText(const GivenText& given, const common::WorkDir& work,
                                     common::Messenger& messenger) {
  JobText text;
  text.file = given.file;
  text.from_stream = given.from_stream;
  std::unique_ptr<common::FileTextSource> original = common::FileTextSource::Open(given.bytes);
  if (!original) {
    if (text.from_stream) {
      TellFailure(messenger, given.cannot_read, {text.ShownName()});
    } else {
      TellCannotRead(messenger, given.cannot_read, given.file);
    }
    return std::nullopt;
  }
  std::optional<common::TextEncoding> chosen = ChosenEncoding(given.encoding, *original);
  if (chosen != common::TextEncoding::kShiftJis) {
    text.form.encoding = chosen.value_or(common::TextEncoding::kUtf8);
    switch (ConvertToCopy(work, *original, text, /*on_trial=*/!chosen, messenger)) {
      case CopyOutcome::kConverted:
        if (!FindLineEnds(text, messenger)) return std::nullopt;
        return text;
      case CopyOutcome::kFailed:
        return std::nullopt;
      case CopyOutcome::kShiftJis:
        if (!chosen &&
            RefusedAsBrokenUtf8(given.broken_utf8, *original, text.ShownName(), messenger)) {
          return std::nullopt;
        }
        break;
    }
  }
  text.form = {};
  text.sjis = std::move(original);
  if (!FindLineEnds(text, messenger)) return std::nullopt;
  return text;
}

std::optional<JobText> OpenEditedText(std::string_view utf8, const fs::path& document,
                                      common::TextEncoding encoding, const common::WorkDir& work,
                                      common::Messenger& messenger) {
  JobText text;
  text.file = document;
  text.form.encoding = common::TextEncoding::kUtf8;
  common::StringTextSource source(utf8);
  if (ConvertToCopy(work, source, text, /*on_trial=*/false, messenger) !=
      CopyOutcome::kConverted) {
    return std::nullopt;
  }
  text.form = FormOfDocument(document, encoding);
  return text;
}

std::optional<std::string> EditedTextInShiftJis(std::string_view utf8, const fs::path& document,
                                                common::Messenger& messenger) {
  common::UnencodableCharacter bad;
  std::optional<std::string> sjis = common::ToShiftJis(utf8, common::TextEncoding::kUtf8, &bad);
  if (!sjis) TellUnencodable(messenger, document.string(), bad);
  return sjis;
}

void TellUnencodable(common::Messenger& messenger, std::string_view shown_name,
                     const common::UnencodableCharacter& bad) {
  TellFailure(messenger, messages::kUnencodable,
              {shown_name, std::int64_t{bad.line}, std::int64_t{bad.column}, bad.character});
}

bool FirstLineEndsInLf(const common::TextSource& text) {
  // The bytes themselves are looked at: no trail byte of either encoding is a CR or an LF.
  char piece[4096];
  char before = '\0';
  for (std::size_t offset = 0; offset < text.Size();) {
    std::size_t read = text.Read(offset, piece, sizeof piece);
    if (read == 0) return false;
    std::string_view bytes(piece, read);
    if (std::size_t line_feed = bytes.find('\n'); line_feed != std::string_view::npos) {
      return (line_feed == 0 ? before : bytes[line_feed - 1]) != '\r';
    }
    before = bytes.back();
    offset += read;
  }
  return false;
}

common::UserEncoding FormOfDocument(const fs::path& document, common::TextEncoding encoding) {
  common::UserEncoding form{.encoding = encoding};
  if (std::unique_ptr<common::FileTextSource> on_disk = common::FileTextSource::Open(document)) {
    form.lf_line_ends = FirstLineEndsInLf(*on_disk);
  }
  return form;
}

std::optional<std::string> WholeText(const JobText& text, common::Messenger& messenger) {
  std::string bytes(text.sjis->Size(), '\0');
  if (text.sjis->Read(0, bytes.data(), bytes.size()) == bytes.size() && !text.sjis->Failed()) {
    return bytes;
  }
  TellFailure(messenger, messages::kCannotReadFile, {text.ShownName()});
  return std::nullopt;
}

void TellFailure(common::Messenger& messenger, std::string_view pattern,
                 std::initializer_list<common::MessageArg> args) {
  messenger.Tell(common::Message{std::string(messages::kTitleCaution),
                                 common::FormatMessage(pattern, args), common::Icon::kWarning});
}

void TellCannotWrite(common::Messenger& messenger, const fs::path& path, int error) {
  TellFailure(messenger, messages::kCannotWriteFile,
              {path.string(), common::WriteFailureCause(path, error)});
}

void TellCannotRead(common::Messenger& messenger, std::string_view pattern, const fs::path& path) {
  bool special = common::IsSpecialFile(path);
  TellFailure(messenger, special ? messages::kNotRegularFile : pattern, {path.string()});
}

}  // namespace jobs
