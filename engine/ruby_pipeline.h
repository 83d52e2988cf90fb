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

namespace engine {

// Which dictionaries a pass applies: 0 main only, 1 user only, 2 user then main.
enum class DictionaryUse : int { kMainOnly = 0, kUserOnly = 1, kUserThenMain = 2 };

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
};

struct RubyCommandResult {
  RubyCommandStatus status = RubyCommandStatus::kOk;
  std::filesystem::path ruby_file;  // set on success
};

// The all-ruby command on `text` (LF or CR LF line ends): writes the document's name + ".srb".
RubyCommandResult RunAllRuby(const common::TextSource& text, DictionaryUse use,
                             const RubyCommandContext& context, common::Messenger& messenger);

}  // namespace engine
