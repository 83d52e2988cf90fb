// Both sets of keys of an action, kept on the action itself.
#include "common/view/key_scheme.h"

#include <QAction>
#include <QVariant>

#include "common/settings/settings.h"

namespace common::view {

namespace {

constexpr const char* kProgramKeys = "programKeys";
constexpr const char* kDesktopKeys = "desktopKeys";

}  // namespace

KeyScheme KeySchemeOf(const Settings& settings) {
  return settings.desktop_keys ? KeyScheme::kDesktop : KeyScheme::kProgram;
}

void SetSchemeKeys(QAction* action, const SchemeKeys& keys, KeyScheme scheme) {
  action->setProperty(kProgramKeys, QVariant::fromValue(keys.program));
  action->setProperty(kDesktopKeys, QVariant::fromValue(keys.desktop));
  action->setShortcuts(scheme == KeyScheme::kDesktop ? keys.desktop : keys.program);
}

void ApplyKeyScheme(const QList<QAction*>& actions, KeyScheme scheme) {
  const char* name = scheme == KeyScheme::kDesktop ? kDesktopKeys : kProgramKeys;
  for (QAction* action : actions) {
    QVariant keys = action->property(name);
    if (keys.isValid()) action->setShortcuts(keys.value<QList<QKeySequence>>());
  }
}

}  // namespace common::view
