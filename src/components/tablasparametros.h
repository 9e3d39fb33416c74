// What the two parameter tables share: they show the project as saved, so opening one closes an open
// network editor first (with its network check and its save question) and reloads the project from its
// files; and they size themselves from the screen.
#pragma once

#include <QColor>
#include <QWidget>

namespace tavo {

class FlexGrid;

// The grey of the cells and windows that take no input.
inline const QColor kGrisClaro(227, 227, 227);

// Closes the network editor when it is open, as its own closing does. False when it stays open.
bool CierraEditorAbierto();
// Empties the project state and reloads the open project from its files: settings, network,
// reservoir tables and dam outflow settings.
void RecargaProyecto();
// Reads the screen size and gives a table window 0.97 of its width and 0.95 of its height.
void DimensionaVentanaTabla(QWidget* ventana);
// Widens every column of the grid that is narrower than one of its texts, in the text's own font, so
// that no name or number is cut. The texts of rows marked for merging, which run across the columns,
// do not count.
void AnchoSegunTextos(FlexGrid* grilla);

// Sets the state the two tables keep while the program runs to its state at start-up.
void ResetTablasParametrosState();

}  // namespace tavo
