// What the run drivers ask of the windows above the engine, through hooks the main window installs
// (InstallWindowHooks).
#pragma once

#include "platform/hooks.h"

namespace tavo {

inline Hook<void()> ShowSeriesResultsHook;  // the series results window opens without modality

}  // namespace tavo
