// The corrected words of a ruby file, and their way into the user dictionary's source.
#include "jobs/learn_job.h"

#include <algorithm>
#include <cstddef>
#include <map>

#include "common/platform/file_replace.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/notation/ruby_group.h"
#include "common/encoding/sjis.h"
#include "common/status.h"
#include "common/encoding/text_encoding.h"
#include "common/encoding/text_file.h"
#include "common/encoding/text_source.h"
#include "dictionary/build_command.h"
#include "dictionary/restore.h"
#include "dictionary/ruby_dictionary.h"
#include "dictionary/source_line.h"
#include "jobs/learn_copies.h"
#include "jobs/messages.h"

namespace jobs {

namespace fs = std::filesystem;

namespace {

// A group of a ruby text, placed in the text of its bases.
struct Piece {
  std::size_t start = 0;
  std::size_t end = 0;
  std::string_view base;
  std::string_view reading;
  bool operator==(const Piece& other) const {
    return start == other.start && end == other.end && reading == other.reading;
  }
};

// A ruby text as the text of its bases and its runs of groups with nothing between them.
struct Parsed {
  std::string bases;
  std::vector<std::vector<Piece>> runs;
};

// `text` must outlive the result (the pieces look into it).
Parsed Parse(std::string_view text) {
  Parsed parsed;
  std::vector<Piece> run;
  auto end_run = [&] {
    if (!run.empty()) parsed.runs.push_back(std::move(run));
    run.clear();
  };
  std::size_t i = 0;
  while (auto group = common::FindGroup(text, i, common::GroupLineRule::kEndsAtLine)) {
    if (group->open > i) {
      end_run();
      parsed.bases += text.substr(i, group->open - i);
    }
    std::size_t separator = common::SeparatorOf(text, *group);
    if (!group->closed || separator == std::string_view::npos) {
      end_run();
      parsed.bases += text.substr(group->open, group->end - group->open);
    } else {
      Piece piece;
      piece.base = text.substr(group->open + 1, separator - group->open - 1);
      piece.reading = text.substr(separator + 1, group->end - separator - 2);
      piece.start = parsed.bases.size();
      piece.end = piece.start + piece.base.size();
      parsed.bases += piece.base;
      run.push_back(piece);
    }
    i = group->end;
  }
  end_run();
  parsed.bases += text.substr(i);
  return parsed;
}

std::size_t CharacterCount(std::string_view sjis) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < sjis.size(); at += common::IsLeadByte(sjis[at]) ? 2 : 1) ++count;
  return count;
}

// The source line's reading of a run: one reading per kanji, separated by '*', when each group
// holds one character; else one group for the whole word ("*きょう").
std::string ReadingOfRun(const std::vector<Piece>& run) {
  bool one_each = true;
  for (const Piece& piece : run) one_each = one_each && CharacterCount(piece.base) == 1;
  std::string reading;
  if (!one_each) reading += '*';
  for (std::size_t i = 0; i < run.size(); ++i) {
    if (one_each && i > 0) reading += '*';
    reading += run[i].reading;
  }
  return reading;
}

struct SourceEntry {
  std::string reading;
  std::string line;
};

// The accepted words of a source, the first line of each word.
std::map<std::string, SourceEntry> EntriesOf(std::string_view source) {
  std::map<std::string, SourceEntry> entries;
  std::size_t start = 0;
  while (start < source.size()) {
    std::size_t end = source.find('\n', start);
    if (end == std::string_view::npos) end = source.size();
    std::string_view line = source.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    dictionary::SourceLineCheck check = dictionary::CheckSourceLine(line);
    std::size_t comma = line.find(',');
    if (check.kind == dictionary::SourceLineKind::kAccepted && comma != std::string_view::npos &&
        check.entry_end > comma) {
      std::string word(line.substr(0, comma));
      std::string reading(line.substr(comma + 1, check.entry_end - comma - 1));
      entries.try_emplace(word, SourceEntry{reading, std::string(line.substr(0, check.entry_end))});
    }
    start = end + 1;
  }
  return entries;
}

void TellCaution(common::Messenger& messenger, std::string text) {
  messenger.Tell({std::string(messages::kTitleCaution), std::move(text), common::Icon::kWarning});
}

}  // namespace

std::optional<std::vector<LearnedWord>> CorrectedWords(std::string_view fresh,
                                                       std::string_view corrected,
                                                       const WordReadings& known) {
  const std::string fresh_text = common::CrLfToLf(fresh);
  const std::string corrected_text = common::CrLfToLf(corrected);
  Parsed before = Parse(fresh_text);
  Parsed after = Parse(corrected_text);
  if (before.bases != after.bases) return std::nullopt;
  std::map<std::size_t, Piece> fresh_at;  // by start
  for (const auto& run : before.runs) {
    for (const Piece& piece : run) fresh_at.emplace(piece.start, piece);
  }
  std::vector<LearnedWord> words;
  for (const auto& run : after.runs) {
    // The fresh groups that tile the run's place exactly, as far as they do.
    std::vector<Piece> fresh_run;
    for (std::size_t at = run.front().start; at < run.back().end;) {
      auto found = fresh_at.find(at);
      if (found == fresh_at.end() || found->second.end > run.back().end) break;
      fresh_run.push_back(found->second);
      at = found->second.end;
    }
    if (fresh_run == run) continue;
    std::string bases;
    for (const Piece& piece : run) bases += piece.base;
    const std::string reading = ReadingOfRun(run);
    const std::string_view tail = std::string_view(after.bases).substr(run.back().end);
    for (std::string& form : WordForms(bases, tail, known)) {
      LearnedWord word{std::move(form), reading};
      if (dictionary::CheckSourceLine(word.SourceLine()).kind !=
          dictionary::SourceLineKind::kAccepted) {
        continue;  // no word a source can hold (letters, a reading without kana)
      }
      bool listed = std::ranges::any_of(words, [&](const LearnedWord& earlier) {
        return earlier.word == word.word && earlier.reading == word.reading;
      });
      if (!listed) words.push_back(std::move(word));
    }
  }
  return words;
}

LearnPlan PlanLearning(const std::vector<LearnedWord>& words, std::string_view source) {
  std::map<std::string, SourceEntry> entries = EntriesOf(source);
  LearnPlan plan;
  for (const LearnedWord& word : words) {
    auto held = entries.find(word.word);
    if (held == entries.end()) {
      plan.added.push_back(word);
      entries.emplace(word.word, SourceEntry{word.reading, word.SourceLine()});
    } else if (held->second.reading == word.reading) {
      plan.known.push_back(word);
    } else {
      plan.conflicts.push_back(word);
      plan.held.push_back(held->second.line);
    }
  }
  return plan;
}

std::optional<std::string> DictionarySource(const fs::path& dictionary,
                                            common::Messenger& messenger) {
  fs::path source = dictionary::RestoredSourcePath(dictionary);
  std::error_code error;
  if (fs::exists(source, error)) {
    common::FileBytes bytes = common::ReadBinaryFile(source);
    std::optional<std::string> sjis;
    if (bytes.ok) {
      sjis = common::ToShiftJis(bytes.bytes, common::DetectEncoding(bytes.bytes), nullptr);
    }
    if (!sjis) {
      TellCaution(messenger, common::FormatMessage(messages::kCannotReadFile, {source.string()}));
    }
    return sjis;
  }
  if (!fs::exists(dictionary, error)) return std::string();
  // The words of the dictionary, as its restored source would hold them.
  dictionary::RubyDictionary loaded;
  if (!loaded.Open(dictionary, messenger)) return std::nullopt;
  std::string lines;
  for (int length = 1; length <= dictionary::kMaxWordLength; ++length) {
    if (!loaded.LoadLength(length, messenger)) return std::nullopt;
    lines += dictionary::RestoredLines(loaded);
  }
  return lines;
}

LearnStatus ApplyLearning(const LearnPlan& plan, const fs::path& dictionary,
                          const common::ProgramDir& program, const common::WorkDir& work,
                          common::Messenger& messenger) {
  if (plan.added.empty()) return LearnStatus::kNothingToAdd;
  if (MakeOwnCopies(dictionary, messenger) == OwnCopyStatus::kFailed) {
    return LearnStatus::kSourceNotWritten;
  }
  fs::path source = dictionary::RestoredSourcePath(dictionary);
  std::error_code error;
  if (!fs::exists(source, error) && fs::exists(dictionary, error) &&
      dictionary::RestoreSource(dictionary, messenger) != dictionary::RestoreStatus::kOk) {
    return LearnStatus::kSourceUnreadable;
  }
  std::string bytes;
  if (fs::exists(source, error)) {
    common::FileBytes read = common::ReadBinaryFile(source);
    if (!read.ok) {
      TellCaution(messenger, common::FormatMessage(messages::kCannotReadFile, {source.string()}));
      return LearnStatus::kSourceUnreadable;
    }
    bytes = std::move(read.bytes);
  }
  common::TextEncoding encoding = common::DetectEncoding(bytes);
  const std::string line_end = bytes.empty() || !common::HasLfLineEnds(bytes) ? "\r\n" : "\n";
  std::string lines;
  if (!bytes.empty() && bytes.back() != '\n') lines += line_end;
  for (const LearnedWord& word : plan.added) lines += word.SourceLine() + line_end;
  std::string updated = bytes + common::FromShiftJis(lines, encoding);
  fs::path backup = source;
  backup.replace_extension(".~pre");
  if ((!bytes.empty() && common::ReplaceFile(backup, bytes) != common::ReplaceStatus::kOk) ||
      common::ReplaceFile(source, updated) != common::ReplaceStatus::kOk) {
    TellCaution(messenger,
                common::FormatMessage(messages::kCannotWriteFile, {source.string(), ""}));
    return LearnStatus::kSourceNotWritten;
  }
  std::optional<std::string> sjis = common::ToShiftJis(updated, encoding, nullptr);
  if (!sjis) return LearnStatus::kBuildFailed;
  common::StringTextSource text(*sjis);
  dictionary::DictionaryBuildResult built = dictionary::RunDictionaryBuild(
      text, common::WithoutExtension(dictionary), program, work, messenger, source);
  return common::IsOk(built.status) ? LearnStatus::kOk : LearnStatus::kBuildFailed;
}

}  // namespace jobs
