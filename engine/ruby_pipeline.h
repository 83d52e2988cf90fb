// The ruby commands: preparation, non-ruby marking, dictionary application and naming of the
// ruby file, each a step from one working file to the next.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>

#include "common/messenger.h"
#include "common/non_ruby_areas.h"
#include "common/text_source.h"
#include "common/working_files.h"
#include "engine/dictionary_use.h"

namespace engine {

struct RubyCommandContext {
  common::WorkDir work;
  std::filesystem::path document_path;  // the ruby file is named after it
  std::filesystem::path main_dictionary;
  std::filesystem::path user_dictionary;
  common::NonRubyAreas areas;
  bool ruby_window_open = false;
  // The line number at which a notation fault at this byte offset is reported (the editor's
  // display line of the caret it moves there; the logical line elsewhere).
  std::function<int(std::size_t fault_offset)> fault_line;
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
};

// The all-ruby command on `text` (LF or CR LF line ends): writes the document's name + ".srb".
RubyCommandResult RunAllRuby(const common::TextSource& text, DictionaryUse use,
                             const RubyCommandContext& context, common::Messenger& messenger);

}  // namespace engine
