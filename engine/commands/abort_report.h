// The one message that ends a failed ruby command, naming the step that failed.
#pragma once

#include <string_view>

#include "common/messenger.h"

namespace engine {

// The steps an abort report can name; each has its name in the step table.
enum class AbortStep : int {
  kDictionariesFixed = 0,  // grade and level ruby: dictionary application
  kUserDictionary = 1,
  kDictionariesChosen = 2,  // all-ruby and line-and-field ruby: dictionary application
  kRubyFileNaming = 3,
  kGradeAllocation = 4,
  kGradeFilter = 5,
  kLineFieldMarking = 6,
  kLevelFilter = 7,
};

std::string_view StepName(AbortStep step);

// Clears the progress text and shows "<step>の途中で問題が発生しました。…", titled "ご注意!!".
void ShowAbortReport(AbortStep step, common::Progress& progress, common::Messenger& messenger);

}  // namespace engine
