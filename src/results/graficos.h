// What the result windows share: the time labels of the charts' category axis and the density of its
// labels, the buttons under a chart, the choice in a component list, their place on the screen, their
// outer size and the printing of their image.
#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

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

// The buttons under a result chart, one row of them: fewer ("+DivideEjeX") or more ("-DivideEjeX")
// labels on the category axis, printing ("&Imprimir") and closing ("&Cerrar"). The window gives their
// lefts in twips and the drawing the label buttons redraw with.
class ChartToolbar {
 public:
  struct Lefts {
    int xMas;
    int xMenos;
    int imprimir;
    int cerrar;
  };
  ChartToolbar(QWidget* window, Chart* chart, Lefts lefts, std::function<void()> redraw);

  QPushButton* cmdXmas;
  QPushButton* cmdXmenos;
  QPushButton* cmdImprimir;
  QPushButton* OKButton;

  void cmdXmas_Click();
  void cmdXmenos_Click();
  // Prints the window's image into `name`: the print and close buttons and `hidden` are hidden while
  // it prints, `printLayout` places the rest first and `afterPrint` runs once it is printed; whatever
  // happens, `restore` gives the window back its controls and layout.
  void Print(const QString& name, const std::vector<QWidget*>& hidden,
             const std::function<void()>& printLayout, const std::function<void()>& afterPrint,
             const std::function<void()>& restore);

 private:
  QWidget* window_;
  Chart* chart_;
  std::function<void()> redraw_;
};

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

}  // namespace tavo
