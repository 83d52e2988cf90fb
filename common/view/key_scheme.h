// The two sets of keys of the text windows: the program's own (Ctrl+U undoes, Ctrl+Z goes to the
// end, Ctrl+W and Ctrl+Q search again) and the desktop's usual ones (Ctrl+Z undoes, Ctrl+W
// closes, Ctrl+Q quits). Under both Ctrl+C copies and Ctrl+S saves.
// Every action keeps its keys of both sets, so that a window can change from one to the other
// while it is open.
#pragma once

#include <QKeySequence>
#include <QList>

class QAction;

namespace common {
struct Settings;
}

namespace common::view {

enum class KeyScheme { kProgram, kDesktop };

KeyScheme KeySchemeOf(const Settings& settings);

struct SchemeKeys {
  QList<QKeySequence> program;
  QList<QKeySequence> desktop;
};

// Keeps `keys` on the action and gives it those of `scheme`.
void SetSchemeKeys(QAction* action, const SchemeKeys& keys, KeyScheme scheme);
// Gives every action that keeps keys of both sets those of `scheme`; the others keep theirs.
void ApplyKeyScheme(const QList<QAction*>& actions, KeyScheme scheme);

}  // namespace common::view
