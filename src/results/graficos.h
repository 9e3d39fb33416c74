// What the chart windows share: the time labels of their category axis, their place on the screen,
// their outer size and the printing of their image.
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

#include "platform/vb.h"

namespace tavo {

// The label of row k of a chart of steps of `paso` minutes: the time at the end of step k, in
// minutes, or in hours cut (not rounded) to hundredths, as number text (" .16", " 1.14").
QString EtiquetaTiempo(Integer paso, Integer k, Boolean enMinutos);

// Places a window with its client area at (left, top) twips from the screen's top left corner,
// moved back inside the screen when it would reach past it.
void ColocaVentana(QWidget* window, int left, int top);

// The window's outer size in twips, its frame included.
QSize TamanoExteriorTwips(const QWidget* window);

// Prints the window's image; with no printer the image goes to `<name>.pdf` in the working directory.
void ImprimeVentana(QWidget* window, const QString& name);

// The values the chart windows keep for themselves back to those of a program just started.
void ResetGraficosState();

}  // namespace tavo
