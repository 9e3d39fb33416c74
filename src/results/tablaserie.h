// What the two windows of series result tables share: the grid of peak outflow, runoff volume and
// runoff coefficient per component and retained storm, with the project's title rows above and the
// basin's totals per storm below; its layout, its buttons and its printing. Every activation and
// "&Actualizar cambios" fill the grid again from the results in memory.
#pragma once

#include <QPushButton>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/flexgrid.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class SeriesTable : public QWidget {
  Q_OBJECT
 public:
  FlexGrid* MSFlexGridTablaSaleQDR;
  QPushButton* cmdAplicarCambios;
  QPushButton* cmdImprimir;
  QPushButton* OKButton;

  // ---- the window's own values ----
  QString FormatoTabla;  // the grid's header format string
  Long FilaActual = 0;   // the last row the fill wrote

  void Form_Resize();
  void cmdAplicarCambios_Click() { Llena(); }
  void cmdImprimir_Click();
  void Form_Activate() { Llena(); }
  // Fills the grid with the window's components.
  virtual void Llena() = 0;
  virtual void OKButton_Click() = 0;

 protected:
  SeriesTable(const QString& name, const QString& caption);
  // Reads the screen size and gives the window 0.7 of its width and 0.9 of its height.
  void Dimensiona();
  // Rebuilds the grid: the header, the five title rows, the component blocks that `bloques` gathers
  // (each through Bloque), then one row per retained storm with the basin's totals.
  void LlenaGrilla(const std::function<void()>& bloques);
  // The block of the component at position c: one row per retained storm, then an empty row.
  void Bloque(Integer c);
  // Controls that stand on the buttons' line and hide while the window prints.
  std::vector<QWidget*> bajoGrilla_;

  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // A row below the header as the fill gathers it: a title, a component's storm, a storm's totals or
  // an empty row. Its cells are read from the results when they are written.
  struct Fila {
    enum Tipo : std::uint8_t { Titulo, Componente, Total, Vacia };
    Tipo tipo = Vacia;
    Integer c = 0;  // the component's position; the title's number
    Integer k = 0;  // the storm
  };
  // Moves the fill to the next row, which becomes the grid's last row and its current row.
  void AvanzaFila();
  // Gathers the rows below the header into filas_: the titles, the blocks, the totals, the last
  // empty row.
  void Reune(const std::function<void()>& bloques);
  // The value of a gathered row's cell: a text, a number, or Empty for an empty cell.
  Variant Celda(const Fila& fila, int col) const;
  // The grid shows the gathered rows already.
  bool Muestra() const;
  int primerTotal_ = 0;               // the grid row of the first total, as gathered
  std::vector<Fila> filas_;           // the rows the fill gathers below the header
  std::array<QString, 5> titulos_{};  // the title rows' texts
};

// Shows a table without blocking; an open one comes to the front with the results in memory.
template <class Tabla>
void MuestraTablaSerie() {
  const bool abierta = Tabla::isLoaded();
  Tabla& tabla = Tabla::instance();
  ShowModeless(&tabla, false);
  if (abierta) tabla.Llena();
}

}  // namespace tavo
