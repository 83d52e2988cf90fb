// Step names of the abort report.
#include "engine/abort_report.h"

#include <array>
#include <string>

#include "common/message_format.h"
#include "engine/messages.h"

namespace engine {
namespace {

constexpr std::array<std::string_view, 8> kStepNames = {
    "rb_x(0/2)", "rb_x(1)", "rb_x(2)", "filename_mk", "haitou_", "kimi_ck_", "geta_pl", "kanQChk_",
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
