// The table windows of lakes and dams: the height-area-storage-outflow table of a lake
// (dlgTablaSHVQ), and the height-area-storage table (dlgTablaSHV) and height-discharge table
// (dlgTablaFQ) of a dam. Each edits, in a grid, the table of the element its owner dialog shows, and
// keeps the owner disabled while it is open. Apply checks the grid, stores it into the tables in memory
// and writes the whole family of tables to its file. The three windows are one window told by three
// descriptions of their element, tables and texts.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "platform/flexgrid.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

struct TablaReservorio;

// What a table window keeps from its start to the program's end, across its closings.
struct EstadoTablaReservorio {
  Integer NroFilas = 0;       // rows of the table being edited; the grid has one more
  Boolean HayTecleo = false;  // a character was typed: the next one typed elsewhere replaces the text
  Integer FilaTecleo = 0;     // the cell of the last character
  Integer ColTecleo = 0;
  Boolean HayError = false;  // the last apply found an error
  Integer FilaError = 1;     // the cell of the last error it found
  Integer ColError = 1;
};

class dlgTablaReservorio : public QDialog {
  Q_OBJECT
 public:
  // Disables the owner dialog, reads the tables and shows the table of the owner's element in the
  // grid. With no element of the kind the window stays as built: an empty grid.
  void Form_Load();
  void Form_Unload() {}

  // Checks the grid; a table that passes goes into the tables in memory and the family's file. False
  // when a check failed (nothing is stored and the grid shows the cell of the last offence) or when
  // the file could not be written (the tables in memory stay as the file holds them).
  bool AplicaTabla();

  // ---- event handlers ----
  bool txtNroFilas_Validate();
  void Grilla_KeyDown(int KeyCode);
  void Grilla_KeyPress(int KeyAscii);
  void cmdBorraTablaHQ_Click();
  void cmdAplicar_Click();
  void OKButton_Click();
  void CancelButton_Click();

  QGroupBox* Frame1;  // the element
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  ValidatedBox* txtNroFilas;
  QGroupBox* Frame2;  // the grid
  QPushButton* cmdAplicar;
  QPushButton* cmdBorraTablaHQ;
  QPushButton* OKButton;
  QPushButton* CancelButton;

 public slots:
  // Escape and the window's close button: Cancel.
  void reject() override;

 signals:
  // The table in the grid went into the tables in memory and its file.
  void tableApplied();

 protected:
  dlgTablaReservorio(const TablaReservorio& tabla, EstadoTablaReservorio& estado);
  ~dlgTablaReservorio() override;
  // The window's own unloading (its instance's unloadLater).
  virtual void Descarga() = 0;

  QLabel* lblNro;  // the element's number and name, as the owner shows them
  QLabel* lblNombre;
  FlexGrid* grilla;

 private:
  // Numbers rows 1..NroFilas of the grid's first column.
  void NumeraFilas();
  // Gives the owner dialog back its input and the focus.
  void DevuelveDueno();

  const TablaReservorio& tabla_;
  EstadoTablaReservorio& estado_;
  std::unique_ptr<GridTyping> tecleo_;
};

// The lake's height-area-storage-outflow table.
class dlgTablaSHVQ : public dlgTablaReservorio, public FormInstance<dlgTablaSHVQ> {
  Q_OBJECT
 public:
  dlgTablaSHVQ();
  static inline EstadoTablaReservorio Estado;

  QLabel* const& lblNroLago = lblNro;
  QLabel* const& lblNombreLago = lblNombre;
  FlexGrid* const& MSFlexGridHSVQ = grilla;

 protected:
  void Descarga() override { unloadLater(); }
};

// The dam's height-area-storage table.
class dlgTablaSHV : public dlgTablaReservorio, public FormInstance<dlgTablaSHV> {
  Q_OBJECT
 public:
  dlgTablaSHV();
  static inline EstadoTablaReservorio Estado;

  QLabel* const& lblNroRepresa = lblNro;
  QLabel* const& lblNombreRepresa = lblNombre;
  FlexGrid* const& MSFlexGridFQ = grilla;

 protected:
  void Descarga() override { unloadLater(); }
};

// The dam's height-discharge table.
class dlgTablaFQ : public dlgTablaReservorio, public FormInstance<dlgTablaFQ> {
  Q_OBJECT
 public:
  dlgTablaFQ();
  static inline EstadoTablaReservorio Estado;

  QLabel* const& lblNroRepresa = lblNro;
  QLabel* const& lblNombreRepresa = lblNombre;
  FlexGrid* const& MSFlexGridFQ = grilla;

 protected:
  void Descarga() override { unloadLater(); }
};

// The table windows' state as at the program's start.
void ResetTablaReservorioState();

}  // namespace tavo
