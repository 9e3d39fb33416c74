// What the project's procedures ask of the windows above them, through hooks the main window installs
// (InstallWindowHooks).
#pragma once

#include <QString>
#include <QStringList>
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
// ---- the settings form ----
inline Hook<bool()> SettingsFormLoadedHook;    // whether the settings form is loaded
inline Hook<void()> ReadSettingsWithFormHook;  // the settings form, created when missing, reads the file
// The settings form, created when missing, initialises itself (for a new project, writes its file).
inline Hook<void()> InitialiseSettingsFormHook;
// The settings form, when it exists, shows the name of the project's settings file.
inline Hook<void(const QString&)> ShowSettingsFileNameHook;
// The settings form, created when missing, shows the settings file name and writes its fields into it,
// adding its confirmation to the list; false when the file could not be written (after saying so).
inline Hook<bool(const QString&, QStringList*)> WriteSettingsFileHook;
// The reservoir table files where a dam or lake was renamed since the load, rewritten under the new
// names and not yet closed (see TablasRenombradas): the network save closes them with its own files.
inline Hook<std::vector<std::unique_ptr<SeqFile>>()> RenamedTableFilesHook;

}  // namespace tavo
