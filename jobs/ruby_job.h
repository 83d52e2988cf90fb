// Giving a text ruby, from start to end, for every front end: the kind's pass over the text in
// Shift_JIS, the ruby file in the text's form (encoding and line ends), and its place beside
// the document, where a previous ruby file that says something else in that form is kept as the
// backup and one that says the same is simply replaced.
#pragma once

#include <filesystem>

#include "common/messenger.h"
#include "engine/commands/dictionary_use.h"
#include "engine/filters/filter_options.h"
#include "engine/commands/ruby_pipeline.h"
#include "jobs/delivery.h"
#include "jobs/job_text.h"

namespace jobs {

enum class RubyKind {
  kAll,        // every word a dictionary knows (.srb)
  kGrade,      // kanji of the chosen school grades (.hrb; main dictionary only)
  kLevel,      // kanji of the chosen kanji-test levels (.krb; user dictionary, then main)
  kLineField,  // chosen lines and fields (.lrb)
};

// The choices of the kind's dialog, and the dictionaries asked for.
struct RubyChoices {
  engine::DictionaryUse use = engine::DictionaryUse::kMainOnly;
  engine::GradeRubyOptions grade{};
  engine::LevelRubyOptions level{};
  engine::LineFieldOptions line{};
};

// The dictionaries a kind applies: grade ruby the main dictionary alone, level ruby the user
// dictionary and then the main one, whatever was asked; the others what was asked.
engine::DictionaryUse DictionaryUseOf(RubyKind kind, engine::DictionaryUse asked);

struct RubyJobResult : JobResult {
  engine::RubyCommandStatus status = engine::RubyCommandStatus::kOk;
  // The ruby window reads the file as fields (line-and-field ruby with a field mode).
  bool field_flag = false;
  // Whether the analyser read the words in context or the main dictionary read them alone.
  engine::ReadingMode reading = engine::ReadingMode::kDictionary;
};

// Runs `kind` over `text`. `context` holds what the front end knows (dictionaries, non-ruby
// areas, whether a ruby window is open, where a fault shows); the document and the ruby file's
// form are the job's. Every failure has been told when it returns (kMarkingFailed too, which the
// pass leaves unsaid). After kNamingFailed `file` still names the ruby file that was meant.
RubyJobResult RunRubyJob(RubyKind kind, const RubyChoices& choices, const JobText& text,
                         engine::RubyCommandContext context, const Destination& destination,
                         common::Messenger& messenger);

}  // namespace jobs
