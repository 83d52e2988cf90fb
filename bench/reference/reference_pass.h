// The matching pass as it was before the sweep: one length over the whole text, each pass
// reading all of the output of the one before. The sweep must give the same bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/ruby_dictionary.h"
#include "engine/sweep/word_filter.h"

namespace engine_testing::reference {

std::string RunReferencePass(int word_length, const dictionary::LengthSection& section,
                             bool html_mode, std::string_view text);

// The passes one after another over `text`, each on the whole result of the one before.
std::string RunReferencePasses(const std::vector<engine::PassWords>& passes, bool html_mode,
                               std::string_view text);

}  // namespace engine_testing::reference
