// Start-up of the program and the working-directory file PelcanDir.pcn, which carries the working
// directory and the last project from one run of the program to the next.
#pragma once

#include "platform/vb.h"

namespace tavo {

inline Single InicioSplash = 0;  // clock reading when the splash was shown

// The program's start procedure: splash, working directory, main window, last project.
void InicioAplicacion();
// Reads PelcanDir.pcn into DirActual and NombreProyecto, falling back to the default working
// folder when anything is wrong, and writes it back.
void LeeArchivoDirectorio();
// Writes DirActual and NombreProyecto into PelcanDir.pcn.
void GuardaArchivoDirectorio();

// How long the splash stays up, in seconds (1.5; tests shorten it).
void SetSplashSeconds(double seconds);

}  // namespace tavo
