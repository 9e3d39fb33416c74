// The hooks through which the lower layers reach the windows above them.
#pragma once

namespace tavo {

// Installs every hook: the program does it as it starts, before any window or run.
void InstallWindowHooks();

}  // namespace tavo
