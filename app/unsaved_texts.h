// At start: text that the last run never saved (it crashed, was killed, or the session ended
// under it) is offered back, once, before the file the program was started with.
#pragma once

#include <filesystem>
#include <optional>

#include "common/messenger.h"
#include "common/documents/recovery.h"

namespace app {

class MainTextWindow;

// Asks whether the texts left in `store` go back into their windows; on Yes they do (unsaved,
// so that a save or the exit question still decides), on No they are discarded. Nothing is
// asked when nothing was left. True when the main text window took its text back.
bool OfferUnsavedTexts(MainTextWindow& window, const common::RecoveryStore& store,
                       common::Messenger& messenger);

// The start of a run: the texts left unsaved are offered first, then the file to open (the
// command line's) is opened. Text taken back into the main window exists nowhere else, so the
// file is never loaded over it: it stays unopened, and the status line says so (by its name: the
// title shows the restored text's path). Declined texts are gone and the file opens as on any
// start. A second start of the program that hands over its file while the question is open
// (app/instance_handover) asks for the same thing later: its file takes the command line's place.
class RunStart {
 public:
  RunStart(MainTextWindow& window, const common::RecoveryStore& store, common::Messenger& messenger)
      : window_(window), store_(store), messenger_(messenger) {}

  void Run(const std::optional<std::filesystem::path>& file);
  // A second start, during Run or after it (then the window takes the file as it always does).
  void HandOver(const std::optional<std::filesystem::path>& file);

 private:
  MainTextWindow& window_;
  const common::RecoveryStore& store_;
  common::Messenger& messenger_;
  bool running_ = false;
  std::optional<std::filesystem::path> file_;  // what to open once the question is answered
};

}  // namespace app
