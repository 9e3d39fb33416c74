// The working-directory file PelcanDir.pcn, beside the program: it carries the working directory and
// the last project from one run of the program to the next.
#pragma once

namespace tavo {

// Reads PelcanDir.pcn into DirActual and NombreProyecto, falling back to the default working
// folder when anything is wrong, and writes it back.
void LeeArchivoDirectorio();
// Writes DirActual and NombreProyecto into PelcanDir.pcn.
void GuardaArchivoDirectorio();

}  // namespace tavo
