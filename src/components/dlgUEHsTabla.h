// The parameter table: every component of the open project with its parameters in one read-only grid,
// first the reaches, then the units, the lakes and the dams (a dam on eight rows, one per outflow
// range). Opening it reloads the project from its files; "&Actualizar cambios" refills it from the
// records in memory. Two clicks mark a block of cells between them.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "platform/flexgrid.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class dlgUEHsTabla : public QWidget, public FormInstance<dlgUEHsTabla> {
  Q_OBJECT
 public:
  dlgUEHsTabla();
  void Form_Load();
  void Form_Unload() {}

  // The main window's command: shows the table, loading it when it is closed. An open network editor
  // closes first; when it stays open the table does not open.
  static void Muestra();

  // ---- the window's procedures and handlers ----
  // Fills the labels and the grid from the records in memory.
  void LlenaTablaUEHs();
  void Form_Activate();
  void cmdActualizar_Click();
  void OKButton_Click();
  void MSFlexGridTablaUEHs_MouseDown();
  void MSFlexGridTablaUEHs_MouseUp();

  // ---- controls ----
  QLabel* lblProyecto;
  QLabel* lblTitulo;
  QLabel* lblFileProyecto;
  FlexGrid* MSFlexGridTablaUEHs;
  QPushButton* cmdActualizar;
  QPushButton* OKButton;

  // ---- the window's fields ----
  Long FilaActual = 0;  // the row the fill writes
  // The two-click selection: a press waits for its release, the cell pressed, and the corner the
  // next release gives the marked block. They last as long as the program, across closings.
  static inline Boolean PulsacionPendiente = false;
  static inline Integer ColPulsada = 0;
  static inline Integer FilaPulsada = 0;
  static inline Integer ColAnterior = 0;
  static inline Integer FilaAnterior = 0;

  // The window's state that outlives it, as at start-up.
  static void ResetState();

 protected:
  // The close box closes as "&Cerrar" does.
  void closeEvent(QCloseEvent* event) override;

 private:
  // Moves the fill on by `filas` rows and makes the grid end at the new row.
  void AvanzaFila(int filas);
  // Makes a whole row of the grid bold, 7 points.
  void Resalta(int fila);
  void Celda(int col, const QString& texto);
};

}  // namespace tavo
