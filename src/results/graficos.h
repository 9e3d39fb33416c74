// What the result windows share: the time labels of the charts' category axis and the density of its
// labels, the choice in a component list, their place on the screen, their outer size and the
// printing of their image.
#pragma once

#include <QComboBox>
#include <QSize>
#include <QString>
#include <QWidget>

#include "platform/chart.h"
#include "platform/vb.h"

namespace tavo {

// The label of row k of a chart of steps of `paso` minutes: the time at the end of step k, in
// minutes, or in hours cut (not rounded) to hundredths, as number text (" .16", " 1.14").
QString EtiquetaTiempo(Integer paso, Integer k, Boolean enMinutos);

// "+DivideEjeX": a label every twice as many categories (within 16 bits), a tick at half of that,
// labels on the ticks.
CategoryScale MenosEtiquetas(CategoryScale escala);
// "-DivideEjeX": a label every half as many categories (at least every category), a tick at half of
// that, labels on the ticks.
CategoryScale MasEtiquetas(CategoryScale escala);

// The click of a component list: the first item with the list's text becomes the selected one, and
// CompoSel its position (1 first), kept within 1..nComponentes.
void SeleccionaComponente(QComboBox* lista);

// Places a window with its client area at (left, top) twips from the screen's top left corner,
// moved back inside the screen when it would reach past it.
void ColocaVentana(QWidget* window, int left, int top);

// The window's outer size in twips, its frame included.
QSize TamanoExteriorTwips(const QWidget* window);
// The window's outer height in twips as the charts lay themselves out: never below 3000.
int AltoVentanaGrafico(const QWidget* window);

// Prints the window's image; with no printer the image goes to `<name>.pdf` in the working directory.
void ImprimeVentana(QWidget* window, const QString& name);

// The values the chart windows keep for themselves back to those of a program just started.
void ResetGraficosState();

}  // namespace tavo
