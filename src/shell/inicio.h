// Start-up of the program: the splash, the working directory, the main window and the last project.
#pragma once

#include "platform/vb.h"
#include "project/directorio.h"

namespace tavo {

inline Single InicioSplash = 0;  // clock reading when the splash was shown

// The program's start procedure: splash, working directory, main window, last project.
void InicioAplicacion();

// How long the splash stays up, in seconds (1.5; tests shorten it).
void SetSplashSeconds(double seconds);

}  // namespace tavo
