// At start: text that the last run never saved (it crashed, was killed, or the session ended
// under it) is offered back, once.
#pragma once

#include "common/messenger.h"
#include "common/recovery.h"

namespace app {

class MainTextWindow;

// Asks whether the texts left in `store` go back into their windows; on Yes they do (unsaved,
// so that a save or the exit question still decides), on No they are discarded. Nothing is
// asked when nothing was left.
void OfferUnsavedTexts(MainTextWindow& window, const common::RecoveryStore& store,
                       common::Messenger& messenger);

}  // namespace app
