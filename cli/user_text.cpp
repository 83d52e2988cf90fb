// Reading the user's text into Shift_JIS and giving the files written for it back in its form.
#include "cli/user_text.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <vector>

#include "cli/command_support.h"
#include "cli/messages.h"
#include "common/file_replace.h"
#include "common/file_system.h"
#include "common/message_format.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

// Working files: standard input as it came, and a UTF-8 text taken to Shift_JIS.
constexpr std::string_view kStandardInputCopy = "stdin.raw";
constexpr std::string_view kShiftJisCopy = "text.sjis";
// The stand-in document of standard input, which the files written for it are named after.
constexpr std::string_view kStandardInputDocument = "stdin.txt";

constexpr std::size_t kInputPiece = std::size_t{1} << 20;

// Standard input copied to `copy` a piece at a time; false when it cannot be read or written.
bool CopyStandardInput(const fs::path& copy, std::ostream& err_hint) {
  if (::isatty(STDIN_FILENO)) {
    err_hint << common::FormatMessage(messages::kReadingTerminal, {messages::kProgramName});
    err_hint.flush();
  }
  std::FILE* out = std::fopen(copy.c_str(), "wb");
  if (out == nullptr) return false;
  std::vector<char> buffer(kInputPiece);
  bool written = true;
  while (written && std::cin) {
    std::cin.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    auto count = static_cast<std::size_t>(std::cin.gcount());
    written = std::fwrite(buffer.data(), 1, count, out) == count;
  }
  // A working copy: nothing is lost if a crash takes it, so it is not waited onto the disk.
  bool closed = std::fclose(out) == 0;
  return written && closed && !std::cin.bad();
}

// The encoding --encoding names, a UTF-8 byte-order mark settling it for UTF-8 either way;
// nullopt when it is left to the text, which the conversion then decides on its way.
std::optional<common::TextEncoding> ChosenEncoding(const CommandEnv& env,
                                                   const common::TextSource& original) {
  const std::string* given = env.args.Last(kEncodingOption);
  std::optional<EncodingChoice> choice =
      given ? EncodingChoiceOf(*given) : std::optional(EncodingChoice::kAuto);
  if (choice == EncodingChoice::kShiftJis) return common::TextEncoding::kShiftJis;
  char head[common::kUtf8Bom.size()];
  std::size_t read = original.Read(0, head, sizeof head);
  if (std::string_view(head, read) == common::kUtf8Bom) return common::TextEncoding::kUtf8WithBom;
  if (choice == EncodingChoice::kUtf8) return common::TextEncoding::kUtf8;
  return std::nullopt;
}

enum class CopyOutcome { kConverted, kFailed, kShiftJis };

// `text`'s Shift_JIS copy in the working folder, with the line ends found on the way; kFailed
// after the message. On trial (the encoding left to the text) a text that is not UTF-8 with
// some non-ASCII, which is how the desktop tells them, is Shift_JIS instead, and no copy is
// kept.
CopyOutcome ConvertToCopy(const CommandEnv& env, const common::FileTextSource& original,
                          UserText& text, bool on_trial) {
  fs::path copy = env.work.File(kShiftJisCopy);
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
    TellFailure(env.messenger, messages::kCannotWriteFile, {PathText(copy)});
    return CopyOutcome::kFailed;
  }
  common::ToShiftJisResult result = common::ConvertToShiftJis(
      original, text.form.encoding,
      [out](std::string_view piece) {
        return std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
      },
      on_trial);
  bool closed = std::fclose(out) == 0;
  using Outcome = common::ToShiftJisResult::Outcome;
  if (result.outcome == Outcome::kNotUtf8 || (on_trial && result.ok() && !result.non_ascii)) {
    common::RemoveFile(copy);
    return CopyOutcome::kShiftJis;
  }
  if (result.outcome == Outcome::kUnencodable) {
    common::RemoveFile(copy);
    TellFailure(env.messenger, messages::kUnencodable,
                {text.ShownName(), std::int64_t{result.bad.line}, std::int64_t{result.bad.column},
                 result.bad.character});
    return CopyOutcome::kFailed;
  }
  if (result.outcome == Outcome::kReadFailed) {
    TellFailure(env.messenger, messages::kCannotReadFile, {text.ShownName()});
    return CopyOutcome::kFailed;
  }
  if (!result.ok() || !closed) {
    TellFailure(env.messenger, messages::kCannotWriteFile, {PathText(copy)});
    return CopyOutcome::kFailed;
  }
  text.form.lf_line_ends = result.lf_line_ends;
  text.sjis = common::FileTextSource::Open(copy);
  if (text.sjis) return CopyOutcome::kConverted;
  TellFailure(env.messenger, messages::kCannotReadFile, {PathText(copy)});
  return CopyOutcome::kFailed;
}

// Only a Shift_JIS text from standard input needs its line ends looked for: it is read as it
// came, and printed back with them.
bool FindLineEnds(const CommandEnv& env, UserText& text) {
  common::ToShiftJisResult scan = common::ConvertToShiftJis(
      *text.sjis, common::TextEncoding::kShiftJis, [](std::string_view) { return true; });
  if (!scan.ok()) TellFailure(env.messenger, messages::kCannotReadInput, {});
  text.form.lf_line_ends = scan.lf_line_ends;
  return scan.ok();
}

}  // namespace

std::optional<EncodingChoice> EncodingChoiceOf(std::string_view value) {
  if (value == "auto") return EncodingChoice::kAuto;
  if (value == "sjis" || value == "shift_jis") return EncodingChoice::kShiftJis;
  if (value == "utf-8" || value == "utf8") return EncodingChoice::kUtf8;
  return std::nullopt;
}

std::string UserText::ShownName() const {
  return from_standard_input ? std::string(messages::kStandardInputName) : PathText(file);
}

std::string UserText::ForUser(std::string_view written) const {
  std::string text;
  common::StringTextSource source(written);
  // A string is read without fail and the sink never refuses.
  (void)common::ConvertFromShiftJis(source, form, [&text](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}

std::optional<UserText> OpenUserText(const CommandEnv& env, const fs::path& file,
                                     std::string_view cannot_read) {
  UserText text;
  text.file = file;
  text.from_standard_input = file == kStandardStream;
  fs::path bytes_path = file;
  if (text.from_standard_input) {
    bytes_path = env.work.File(kStandardInputCopy);
    if (!CopyStandardInput(bytes_path, std::cerr)) {
      TellFailure(env.messenger, messages::kCannotReadInput, {});
      return std::nullopt;
    }
  }
  std::unique_ptr<common::FileTextSource> original = common::FileTextSource::Open(bytes_path);
  if (!original) {
    if (text.from_standard_input) {
      TellFailure(env.messenger, cannot_read, {text.ShownName()});
    } else {
      TellCannotRead(env.messenger, cannot_read, file);
    }
    return std::nullopt;
  }
  std::optional<common::TextEncoding> chosen = ChosenEncoding(env, *original);
  if (chosen != common::TextEncoding::kShiftJis) {
    text.form.encoding = chosen.value_or(common::TextEncoding::kUtf8);
    switch (ConvertToCopy(env, *original, text, /*on_trial=*/!chosen)) {
      case CopyOutcome::kConverted:
        return text;
      case CopyOutcome::kFailed:
        return std::nullopt;
      case CopyOutcome::kShiftJis:
        break;
    }
  }
  text.form = {};
  text.sjis = std::move(original);
  if (text.from_standard_input && !FindLineEnds(env, text)) return std::nullopt;
  return text;
}

std::optional<std::string> WholeText(const CommandEnv& env, const UserText& text) {
  std::string bytes(text.sjis->Size(), '\0');
  if (text.sjis->Read(0, bytes.data(), bytes.size()) == bytes.size() && !text.sjis->Failed()) {
    return bytes;
  }
  TellFailure(env.messenger, messages::kCannotReadFile, {text.ShownName()});
  return std::nullopt;
}

fs::path DocumentOf(const CommandEnv& env, const UserText& text) {
  if (text.from_standard_input) return env.work.File(kStandardInputDocument);
  if (text.IsPlainShiftJisFile() && !env.args.Has(kOutputOption)) return text.file;
  return env.work.File(text.file.filename().string());
}

namespace {

// Whether two files hold the same bytes, read a piece at a time.
bool SameContent(const fs::path& a, const fs::path& b) {
  std::unique_ptr<common::FileTextSource> left = common::FileTextSource::Open(a);
  std::unique_ptr<common::FileTextSource> right = common::FileTextSource::Open(b);
  if (!left || !right || left->Size() != right->Size()) return false;
  std::vector<char> left_piece(kInputPiece);
  std::vector<char> right_piece(kInputPiece);
  for (std::size_t offset = 0; offset < left->Size();) {
    std::size_t count = left->Read(offset, left_piece.data(), left_piece.size());
    if (count == 0 || right->Read(offset, right_piece.data(), count) != count ||
        !std::equal(left_piece.begin(), left_piece.begin() + static_cast<std::ptrdiff_t>(count),
                    right_piece.begin())) {
      return false;
    }
    offset += count;
  }
  return !left->Failed() && !right->Failed();
}

// `written`, already in the text's form, as the content of `replacement`: renamed there when it
// can be (waited onto the disk first, as a converted file is), else copied.
bool TakeAsIs(const fs::path& written, const common::FileReplacement& replacement) {
  std::FILE* file = common::OpenRegularFileStream(written);
  if (file == nullptr || !common::SyncAndClose(file)) return false;
  std::error_code error;
  if (replacement.WritePath() != replacement.Target() &&
      common::RenameFile(written, replacement.WritePath())) {
    return true;
  }
  // A device or a pipe takes the content, as does a temporary file on another file system.
  fs::copy_file(written, replacement.WritePath(), fs::copy_options::overwrite_existing, error);
  return !error;
}

// The file in the text's form takes its place beside the text; a previous one that says
// something else is first kept where `backup_name` says, when it says anywhere.
std::optional<fs::path> PutBeside(const CommandEnv& env, const UserText& text,
                                  const fs::path& written, const BackupName& backup_name,
                                  bool written_in_form) {
  fs::path target = text.file.parent_path() / written.filename();
  // Where no file stands yet, there is none to keep or to lose: the file simply moves there.
  if (written_in_form && common::MoveToFreeName(written, target)) return target;
  common::FileReplacement replacement(target);
  bool placed =
      replacement.Begin() == common::ReplaceStatus::kOk &&
      (written_in_form ? TakeAsIs(written, replacement)
                       : common::WriteForUserAt(written, text.form, replacement.WritePath()));
  common::RemoveFile(written);
  if (placed && backup_name && replacement.WritePath() != target && common::FileExists(target) &&
      !SameContent(target, replacement.WritePath())) {
    placed = common::MoveFile(target, backup_name(target));
  }
  if (!placed || !replacement.Commit()) {
    TellFailure(env.messenger, messages::kCannotWriteFile, {PathText(target)});
    return std::nullopt;
  }
  return target;
}

// The path of a file written, printed for the user.
std::optional<fs::path> Printed(const CommandEnv& env, const fs::path& file) {
  if (!WriteOutput(env.out, PathText(file) + "\n", env.messenger)) return std::nullopt;
  return file;
}

}  // namespace

std::optional<fs::path> DeliverWritten(const CommandEnv& env, const UserText& text,
                                       const fs::path& written, const BackupName& backup_name,
                                       bool written_in_form) {
  if (const std::string* output = env.args.Last(kOutputOption)) {
    fs::path target = *output;
    bool moved = text.form.IsProgramOwn() || written_in_form
                     ? common::MoveFile(written, target)
                     : common::WriteForUser(written, text.form, target);
    common::RemoveFile(written);
    if (!moved) {
      TellFailure(env.messenger, messages::kCannotWriteFile, {PathText(target)});
      return std::nullopt;
    }
    return Printed(env, target);
  }
  if (text.from_standard_input) {
    std::unique_ptr<common::FileTextSource> source = common::FileTextSource::Open(written);
    if (!source) {
      TellFailure(env.messenger, messages::kCannotReadFile, {PathText(written)});
      return std::nullopt;
    }
    common::UserEncoding form = written_in_form ? common::UserEncoding{} : text.form;
    bool printed = common::ConvertFromShiftJis(*source, form, [&env](std::string_view piece) {
      return WriteOutput(env.out, piece, env.messenger);
    });
    source.reset();
    common::RemoveFile(written);
    // A refused output has said so; anything else is the working file failing to be read.
    if (!printed && env.out) {
      TellFailure(env.messenger, messages::kCannotReadFile, {PathText(written)});
    }
    if (!printed) return std::nullopt;
    return fs::path();
  }
  if (text.IsPlainShiftJisFile()) return Printed(env, written);
  std::optional<fs::path> placed = PutBeside(env, text, written, backup_name, written_in_form);
  return placed ? Printed(env, *placed) : std::nullopt;
}

}  // namespace cli
