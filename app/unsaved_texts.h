// At start: text that the last run never saved (it crashed, was killed, or the session ended
// under it) is offered back, once, before the file the program was started with.
#pragma once

#include <filesystem>
#include <optional>

#include "common/messenger.h"
#include "common/recovery.h"

namespace app {

class MainTextWindow;

// Asks whether the texts left in `store` go back into their windows; on Yes they do (unsaved,
// so that a save or the exit question still decides), on No they are discarded. Nothing is
// asked when nothing was left. True when the main text window took its text back.
bool OfferUnsavedTexts(MainTextWindow& window, const common::RecoveryStore& store,
                       common::Messenger& messenger);

// The start of a run: the texts left unsaved are offered first, then `file` (the command line's)
// is opened. Text taken back into the main window exists nowhere else, so the file is never
// loaded over it: it stays unopened, and the status line says so (by its name: the title shows
// the restored text's path). Declined texts are gone and the file opens as on any start.
void OpenAtStart(MainTextWindow& window, const common::RecoveryStore& store,
                 common::Messenger& messenger, const std::optional<std::filesystem::path>& file);

}  // namespace app
