// The project commands of the Archivo menu: new, open, reopen the last project and save under another
// name. A project is the family of files <name>_*.pcn in the working directory; its settings file
// <name>_Conf.pcn is what makes it exist. No command writes over a project that exists.
#pragma once

#include <QString>
#include <array>

namespace tavo {

// The suffixes of a project's own files, the settings file first.
inline constexpr std::array<const char*, 6> kArchivosProyecto = {"_Conf.pcn", "_UEHs.pcn", "_VerCau.pcn",
                                                                 "_RHAS.pcn", "_RHQ.pcn",  "_LHASQ.pcn"};

// True when a name typed for a new project or a copy is acceptable: digits, the letters A to Z and
// a to z, and the at sign, nothing else.
bool ValidProjectName(const QString& name);

// New project: asks for a name and makes it the open project, with its settings file written from
// the settings form. An existing project of that name is left as it is. True when a project was made.
bool NewProject();

// Open project: the user chooses a settings file; its folder becomes the working directory and its
// name the open project, whose settings are read.
void AbrirProyecto();

// Reopens the project recorded last in the working-directory file.
void ReopenLastProject();

// Copies the open project with all its files under a new name and opens the copy. A copy that fails
// half way is removed again and the project stays open under its old name.
void SaveProjectAs();

}  // namespace tavo
