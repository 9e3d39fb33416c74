// What the reservoir tables ask of the component dialogs above them, through hooks the main window
// installs (InstallWindowHooks).
#pragma once

#include <QString>
#include <QWidget>

#include "platform/hooks.h"

namespace tavo {

inline Hook<void(const QString&)>
    LakeTableCaptionHook;  // the lake dialog, when loaded, shows it in lblParametros
// The component dialog that owns a table window, when it is loaded: the lake dialog for the lake
// table, the dam dialog for the dam tables.
inline Hook<QWidget*()> LakeTablesOwnerHook;
inline Hook<QWidget*()> DamTablesOwnerHook;

}  // namespace tavo
