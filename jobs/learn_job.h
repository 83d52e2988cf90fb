// Teaching the user dictionary the readings corrected by hand in a ruby file: the corrected
// words found by comparing the file with a fresh run over its text, weighed against the words
// the dictionary's source already holds, appended to that source and built again.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/platform/working_files.h"
#include "jobs/learn_forms.h"

namespace jobs {

// A word and its reading as a dictionary source line holds them (Shift_JIS): 大学生,だい*がく*せい
// or 今日,*きょう.
struct LearnedWord {
  std::string word;
  std::string reading;
  std::string SourceLine() const { return word + "," + reading; }
};

// The words whose ruby in `corrected` differs from that of `fresh`, both ruby texts of one text
// (Shift_JIS, either line ends): each run of groups with nothing between them is one word, whole,
// so that a correction inside a longer run teaches the whole run. A run followed by okurigana
// is learnt in the forms WordForms gives with `known`, the main dictionary's words. A word
// corrected alike twice is listed once, in the order of the text. nullopt when the two are not
// ruby texts of one text.
std::optional<std::vector<LearnedWord>> CorrectedWords(std::string_view fresh,
                                                       std::string_view corrected,
                                                       const WordReadings& known = {});

struct LearnPlan {
  std::vector<LearnedWord> added;      // new to the source
  std::vector<LearnedWord> known;      // the source holds them with this reading
  std::vector<LearnedWord> conflicts;  // the source holds the word with another reading: kept
  std::vector<std::string> held;       // for each conflict, the line the source keeps
};

// Weighs `words` against the source (Shift_JIS, comments and blank lines allowed).
LearnPlan PlanLearning(const std::vector<LearnedWord>& words, std::string_view source);

enum class LearnStatus {
  kOk,
  kNothingToAdd,
  kSourceUnreadable,  // message shown
  kSourceNotWritten,  // message shown; the source is as it was
  kBuildFailed,       // the build's own message shown; the source holds the words
};

// Appends the plan's added words to the source of `dictionary` (its name with ".pre"; restored
// from the dictionary first when missing), in the source's encoding and line ends, after keeping
// the source as it was as ".~pre"; then builds the dictionary from it. A dictionary or source
// that is a link to a file the user may not write (the system's) is first replaced by a copy of
// the user's own (MakeOwnCopies).
LearnStatus ApplyLearning(const LearnPlan& plan, const std::filesystem::path& dictionary,
                          const common::ProgramDir& program, const common::WorkDir& work,
                          common::Messenger& messenger);

// The source of `dictionary` in Shift_JIS (restored from the dictionary when missing; empty when
// neither exists), or nullopt after a message.
std::optional<std::string> DictionarySource(const std::filesystem::path& dictionary,
                                            common::Messenger& messenger);

}  // namespace jobs
