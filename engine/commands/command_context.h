// What a ruby command takes from the settings and the program folder, built one way for every
// front end; each then adds what only it knows (the document, the open windows, where a fault
// is shown).
#pragma once

#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/platform/working_files.h"
#include "engine/commands/ruby_pipeline.h"

namespace engine {

// The dictionaries of the program folder, the user dictionary the registry has selected, the
// non-ruby areas of the settings (start and end strings kept) and the grade dictionary's kanji
// count. The document path is empty, no ruby window is open and faults show at their logical
// line.
RubyCommandContext RubyCommandContextOf(const common::Settings& settings,
                                        const common::ProgramDir& program, common::WorkDir work);

}  // namespace engine
