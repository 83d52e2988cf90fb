// The context reading stage of a ruby command: between the user dictionary's passes and the
// main dictionary's, every word of kanji that no group holds yet gets the reading the analyser
// gives it in its sentence. The main dictionary's passes then read only what it left.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/platform/working_files.h"
#include "engine/context/analyser.h"
#include "engine/context/conventions.h"
#include "engine/context/lexicon.h"

namespace engine::context {

// What a context run needs, loaded once and kept for the runs after it.
struct ContextResources {
  std::shared_ptr<Analyser> analyser;
  std::shared_ptr<const Lexicon> lexicon;
  const Conventions* conventions = &Conventions::BuiltIn();
};

enum class [[nodiscard]] ContextStatus : int {
  kOk = 1,
  kInputMissing = -1,  // the working file to read could not be opened
  kOutputFailed = -3,  // the working file to write could not be opened, written or closed
};

// Reads the working file `input` and writes `output` in `work`: groups, non-ruby areas, and in
// HTML mode the head and every tag, are copied as they are; a tag inside a word goes ahead of
// it, as the dictionary passes put it. Each sentence is read by `threads` taggers at once.
ContextStatus RunContextReading(const common::WorkDir& work, std::string_view input,
                                std::string_view output, bool html_mode,
                                const ContextResources& resources, unsigned threads = 0);

// The same on text in memory, for tests: the text with the groups the context reading adds.
std::string ReadInContext(std::string_view text, bool html_mode,
                          const ContextResources& resources, unsigned threads = 1);

}  // namespace engine::context
