// What the network editor asks of the main window, through a hook the main window installs
// (InstallWindowHooks).
#pragma once

#include "platform/hooks.h"

namespace tavo {

// The main window, when it exists, enables (true) or disables (false) its menus, toolbar and panel.
inline Hook<void(bool)> EnableMainWindowHook;

}  // namespace tavo
