// The pictures of the main window's toolbar and of the program, drawn in code.
#pragma once

#include <QIcon>
#include <QString>

namespace tavo {

// The toolbar picture for a button key ("Nuevo", "Abrir", ... "VerTablaQDR2").
QIcon IconoBoton(const QString& key);
// The program's own picture: a hydrograph over a basin.
QIcon IconoPrograma();

}  // namespace tavo
