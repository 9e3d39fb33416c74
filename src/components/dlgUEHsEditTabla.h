// The editable parameter tables: the units (upper grid) and the reaches (lower grid) of the open
// project, one row per component. White cells take typed numbers, each key checked against the
// parameter's range at once; grey cells are read-only. "&Aceptar" asks for confirmation and, on Yes,
// writes every editable cell into its record and saves the network. Opening the window reloads the
// project from its files, and so does its activation when the grids no longer show the network in
// memory (another project opened, components added, removed or renamed elsewhere).
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <memory>

#include "platform/flexgrid.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class dlgUEHsEditTabla : public QWidget, public FormInstance<dlgUEHsEditTabla> {
  Q_OBJECT
 public:
  dlgUEHsEditTabla();
  ~dlgUEHsEditTabla() override;
  void Form_Load();
  void Form_Unload() {}

  // The main window's command: shows the tables, loading them when they are closed. An open network
  // editor closes first; when it stays open the tables do not open.
  static void Muestra();

  // ---- the window's procedures and handlers ----
  // Fills both grids and the labels from the records in memory; every fill starts from empty grids.
  void LlenaTablasEdicion();
  // Sizes the window and places its controls from the screen size.
  void DimensionaTablasEdicion();
  void Form_Activate();
  void MSFlexGridEditUEHs_KeyDown(int KeyCode);
  void MSFlexGridEditCauces_KeyDown(int KeyCode);
  void MSFlexGridEditUEHs_KeyPress(int KeyAscii);
  void MSFlexGridEditCauces_KeyPress(int KeyAscii);
  void OKButton_Click();
  void cmdCancel_Click();

  // ---- controls ----
  FlexGrid* MSFlexGridEditUEHs;
  FlexGrid* MSFlexGridEditCauces;
  QLabel* lblProyecto;
  QLabel* lblFileProyecto;
  QPushButton* cmdCancel;
  QPushButton* OKButton;

  // ---- the window's fields ----
  Integer NFilasCauces = 1;  // rows of the reach grid after the last fill, its heading row included
  Integer NFilasUEHs = 1;    // rows of the unit grid after the last fill
  // Typing, in both grids: the next key replaces the text of a cell other than the one that took the
  // last key. They last as long as the program, across closings.
  static inline Boolean ReemplazarTexto = false;
  static inline Integer UltimaCol = 0;
  static inline Integer UltimaFila = 0;

  // The window's state that outlives it, as at start-up.
  static void ResetState();

 protected:
  // The close box closes as "&Cancelar" does.
  void closeEvent(QCloseEvent* event) override;

 private:
  // True while the grids show the network in memory: the same project, not reset since the fill, with
  // the same units and reaches under the same numbers and names.
  bool RejillasAlDia() const;
  // The opening: an open editor closed, the project reloaded from its files, the grids filled. Nothing
  // is reloaded while the editor stays open.
  void Abre();

  std::unique_ptr<GridTyping> tecleoUEHs_;
  std::unique_ptr<GridTyping> tecleoCauces_;
  Long reinicioLlenado_ = -1;  // ProjectResets when the grids were filled
  bool abriendo_ = false;      // the opening runs: activations wait for it
};

}  // namespace tavo
