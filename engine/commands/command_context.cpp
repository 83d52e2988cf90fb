// The ruby command's context from the settings.
#include "engine/commands/command_context.h"

#include <utility>

#include "dictionary/registry.h"
#include "engine/context/context_source.h"

namespace engine {

RubyCommandContext RubyCommandContextOf(const common::Settings& settings,
                                        const common::ProgramDir& program, common::WorkDir work) {
  return {
      .work = std::move(work),
      .document_path = {},
      .main_dictionary = program.MainDictionary(),
      .user_dictionary = dictionary::UserDictionaryOf(settings, program),
      .areas = common::NonRubyAreasOf(settings),
      .ruby_window_open = false,
      .ruby_emphasis = settings.highlight_readings == 1,
      .fault_line = {},
      .grade_dictionary = program.GradeDictionary(),
      .grade_kanji_count = settings.h_kanjisuu,
      .jukujikun_list = program.SchoolJukujikunList(),
      .level_dictionary = program.LevelDictionary(),
      .context_reading = settings.yomi_mode == static_cast<int>(ReadingMode::kContext)
                             ? context::ProcessContextSource()
                             : nullptr,
      .written_record = program.WrittenRecordDir(),
      .first_ruby = FirstRubyScopeOf(settings),
  };
}

}  // namespace engine
