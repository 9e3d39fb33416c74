// What the project's procedures ask of the windows above them, through hooks the main window installs
// (InstallWindowHooks).
#pragma once

#include <memory>
#include <vector>

#include "platform/hooks.h"
#include "platform/seqfile.h"

namespace tavo {

inline Hook<void()> ShowProjectHook;              // the main window shows the open project in its panel
inline Hook<bool()> ShowProjectIfMainWindowHook;  // the same when the main window exists; false without one
inline Hook<void()> EnableSaveAsHook;             // the main window enables "save as"
inline Hook<void()> RefillProjectPanelHook;       // the main window, when it exists, refills its panel
inline Hook<void()> EnableDamTestsHook;           // the main window enables the two dam-test commands
inline Hook<void()> RedrawNetworkHook;            // the network editor redraws the saved network
// The reservoir table files where a dam or lake was renamed since the load, rewritten under the new
// names and not yet closed (see TablasRenombradas): the network save closes them with its own files.
inline Hook<std::vector<std::unique_ptr<SeqFile>>()> RenamedTableFilesHook;

}  // namespace tavo
