// The ruby commands: preparation, non-ruby marking, dictionary application and naming of the
// ruby file, each a step from one working file to the next.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/messenger.h"
#include "common/notation/non_ruby_areas.h"
#include "common/encoding/text_conversion.h"
#include "common/encoding/text_source.h"
#include "common/platform/working_files.h"
#include "engine/commands/dictionary_use.h"
#include "engine/filters/filter_options.h"
#include "engine/filters/first_ruby.h"

namespace engine::context {
class ContextSource;
}

namespace engine {

struct RubyCommandContext {
  common::WorkDir work;
  std::filesystem::path document_path;  // the ruby file is named after it
  std::filesystem::path main_dictionary;
  std::filesystem::path user_dictionary;
  common::NonRubyAreas areas;
  // The encoding and line ends the all-ruby file is written in; the passes' own (Shift_JIS,
  // CR LF) unless a front end hands the file to the user as it is.
  common::UserEncoding ruby_file_form{};
  bool ruby_window_open = false;
  // The ruby window shows its groups emphasised when it opens (RBINTENSEFLAG): the progress
  // line says so once the ruby text is made, and that Esc stops the colouring.
  bool ruby_emphasis = false;
  // The line number at which a notation fault at this byte offset is reported (the editor's
  // display line of the caret it moves there; the logical line elsewhere).
  std::function<int(std::size_t fault_offset)> fault_line;
  // The filters' tables: grade ruby reads the first two, kanji-test level ruby the last.
  std::filesystem::path grade_dictionary{};  // dic/HaitouNen.dic
  int grade_kanji_count = 1026;              // H_KANJISUU: the file does not store it
  std::filesystem::path jukujikun_list{};    // dic/小学熟字訓.txt
  std::filesystem::path level_dictionary{};  // dic/kanken_Q.dic
  // Reading in context: the analyser and what it needs, kept from run to run. Without it the
  // main dictionary reads every word that no user dictionary holds.
  std::shared_ptr<context::ContextSource> context_reading{};
  // Where the jobs remember what they wrote to each ruby file beside a document, so that one
  // nobody has edited since is replaced without becoming the backup. Empty: nothing is kept.
  std::filesystem::path written_record{};
  // Where a word keeps its ruby, applied to the dictionaries' result before any filter.
  FirstRubyScope first_ruby = FirstRubyScope::kEvery;
  // Whether a group offering alternative readings keeps them all or its first alone, decided
  // with the first-occurrence filter.
  Alternatives alternatives = Alternatives::kKept;
};

enum class [[nodiscard]] RubyCommandStatus : int {
  kOk = 1,
  kRefused = -1,         // a guard refused the command; its message was shown
  kNotationFault = -2,   // the checker's fault was reported
  kMarkingFailed = -3,   // non-ruby marking failed; no message was shown
  kAborted = -4,         // the abort report naming the step was shown
  kNamingFailed = -5,    // naming failed after its message
  kNotPrepared = -6,     // the text could not be saved to the first working file; message shown
};

struct RubyCommandResult {
  RubyCommandStatus status = RubyCommandStatus::kOk;
  std::filesystem::path ruby_file;  // set once naming has run, also when it failed
  // What the ruby window reads when it opens: true only after line-and-field ruby with a
  // field mode, whose ruby file the YMI output then treats as fields.
  bool field_flag = false;
  // How the words that no user dictionary holds were read.
  ReadingMode reading = ReadingMode::kDictionary;
};

// The all-ruby command on `text` (LF or CR LF line ends): writes the document's name + ".srb",
// in context.ruby_file_form.
RubyCommandResult RunAllRuby(const common::TextSource& text, DictionaryUse use,
                             const RubyCommandContext& context, common::Messenger& messenger);

// The all-ruby command's steps up to the clean-up, for a text that is wanted with its ruby in
// memory rather than as a ruby file: the result is read back and its working file removed, and
// no ruby file is named, so an open ruby window is no reason to refuse. nullopt after the
// failing step's message (kNotPrepared's when the result cannot be read back).
std::optional<std::string> GiveRuby(const common::TextSource& text, DictionaryUse use,
                                    const RubyCommandContext& context,
                                    common::Messenger& messenger);

// The filter commands. Each checks its options as its dialog does first: a refusal is shown with
// the dialog's message and title, nothing is written, and the status is kRefused. After the
// filter has run, a failed naming (kNamingFailed, its message shown) still leaves ruby_file
// set: the ruby window opens on that name and reports the missing file itself.

// Grade ruby: the main dictionary alone, then the grade filter; writes the document's name +
// ".hrb".
RubyCommandResult RunGradeRuby(const common::TextSource& text, const GradeRubyOptions& options,
                               const RubyCommandContext& context, common::Messenger& messenger);

// Kanji-test level ruby: the user dictionary, then the main dictionary, then the level filter;
// writes the document's name + ".krb".
RubyCommandResult RunLevelRuby(const common::TextSource& text, const LevelRubyOptions& options,
                               const RubyCommandContext& context, common::Messenger& messenger);

// Line-and-field ruby: only the chosen lines and fields reach the dictionaries, applied as
// `use` says; writes the document's name + ".lrb".
RubyCommandResult RunLineFieldRuby(const common::TextSource& text, const LineFieldOptions& options,
                                   DictionaryUse use, const RubyCommandContext& context,
                                   common::Messenger& messenger);

}  // namespace engine
