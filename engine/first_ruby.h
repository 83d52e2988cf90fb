// Ruby on a word's first occurrence only: a word keeps its reading where it first occurs in the
// text, or in each paragraph, and its later occurrences are left as bare bases.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/settings.h"
#include "common/text_conversion.h"
#include "common/working_files.h"
#include "engine/byte_stream.h"

namespace engine {

// Where a word's ruby is kept once. The numbers are those of the setting RUBIRANGE/FIRSTRUBY.
enum class FirstRubyScope : int {
  kEvery = 0,      // every occurrence keeps its ruby
  kDocument = 1,   // the first occurrence in the text
  kParagraph = 2,  // the first occurrence in each paragraph (a line of the text)
};

// What becomes of a group that offers alternative readings ({人/ひと|にん}).
enum class Alternatives : int {
  kKept = 0,   // as written
  kFirst = 1,  // its first reading alone ({人/ひと}), before words are compared
};

// The scope of the setting; a number that names no scope keeps every occurrence's ruby.
FirstRubyScope FirstRubyScopeOf(const common::Settings& settings);
// "every", "document", "paragraph" (the command line's names); nullopt for another name.
std::optional<FirstRubyScope> FirstRubyScopeNamed(std::string_view name);

// Streams ruby text from `in` to `out`. A word is a run of groups with nothing between them
// ({漢/かん}{字/じ}); two words are the same when their bases and readings are. A group without a
// '/' or unclosed ends a run and is copied as it is. Returns the number of words stripped.
int KeepFirstRuby(ByteSource& in, ByteSink& out, FirstRubyScope scope,
                  Alternatives alternatives = Alternatives::kKept);

// The same on text held in memory.
std::string KeepFirstRubyOfText(std::string_view text, FirstRubyScope scope,
                                Alternatives alternatives = Alternatives::kKept);

// Rewrites the working file `name` of `work` (Shift_JIS, CR LF) in place, in `form`; with
// kEvery and the alternatives kept only the form is changed, where it differs. False when a file could not be read or
// written; the working file is then as it was or gone, and no message has been shown.
[[nodiscard]] bool RunFirstRubyFilter(const common::WorkDir& work, std::string_view name,
                                      FirstRubyScope scope, Alternatives alternatives,
                                      const common::UserEncoding& form);

}  // namespace engine
