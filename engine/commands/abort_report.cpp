// The steps an abort report names, as the user knows them.
#include "engine/commands/abort_report.h"

#include <array>
#include <string>

#include "common/message_format.h"
#include "engine/messages.h"

namespace engine {
namespace {

// What each step does, in the words of the message, in the order of AbortStep.
constexpr std::array<std::string_view, 8> kStepNames = {
    "辞書によるるび振り",   "ユーザー辞書によるるび振り", "辞書によるるび振り",
    "るびファイルの書き出し", "配当学年の割り当て",         "学年によるるびの選別",
    "行・欄るびの印付け",   "レベルによるるびの選別",
};

}  // namespace

std::string_view StepName(AbortStep step) { return kStepNames.at(static_cast<std::size_t>(step)); }

void ShowAbortReport(AbortStep step, common::Progress& progress, common::Messenger& messenger) {
  progress.Clear();
  messenger.Tell({std::string(messages::kTitleCaution),
                  common::FormatMessage(messages::kAborted, {StepName(step)}),
                  common::Icon::kWarning});
}

}  // namespace engine
