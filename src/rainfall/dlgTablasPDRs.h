// The window of the depth-duration-recurrence storm tables: one of the four tables at a time, its
// storms in a grid, its storm count and its notes. Table 0, the regional table delivered with the
// program, is shown read-only; tables 1 to 3 are edited, checked and saved by Apply, which also makes
// the table shown the storm series. The tables' reader and writer are the window's public procedures;
// other parts of the program call them through the window's object, without loading or showing it.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "platform/flexgrid.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class dlgTablasPDRs : public QDialog, public FormInstance<dlgTablasPDRs> {
  Q_OBJECT
 public:
  dlgTablasPDRs();
  void Form_Load();
  void Form_Unload() {}

  // Reads the tables file and loads table NroTablaPDR as the storm series.
  void LeeTablaPDRs();
  // Writes the four tables to the tables file.
  void GuardaTablasPDRs();

  // ---- the window's procedures and handlers ----
  // Fills the grid, the count box and the notes from the table shown.
  void LlenaGrillaPDRs();
  // Checks the table shown; for tables 1 to 3 that pass, stores and saves them; makes the table the
  // storm series and its first storm the storm of the storm definition.
  void AplicaTablasPDRs();
  void cmbNroTablaPDRs_Click();
  bool txtNroPDRs_Validate();
  void txtNotas_Change();
  void MSFlexGridTablaPDRs_KeyDown(int KeyCode);
  void MSFlexGridTablaPDRs_KeyPress(int KeyAscii);
  void cmdBorraTablaDisPer_Click();
  void cmdAplicar_Click();
  void OKButton_Click();
  void CancelButton_Click();

  // ---- controls ----
  QGroupBox* Frame1;
  QLabel* Label2;
  QComboBox* cmbNroTablaPDRs;
  QLabel* Label3;
  ValidatedBox* txtNroPDRs;
  QLabel* Label6;
  QLabel* Label4;
  QLabel* Label5;
  QGroupBox* Frame2;
  FlexGrid* MSFlexGridTablaPDRs;
  QGroupBox* Frame3;
  QLabel* Label1;
  QLineEdit* txtNotas;
  QLabel* lblNotas;
  QPushButton* cmdAplicar;
  QPushButton* cmdBorraTablaDisPer;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  // ---- the window's fields ----
  Integer NroTablaMostrada = 0;  // the table shown, 0 to 3
  Integer NroPDRs = 0;           // storm count of the table shown, as in the count box
  Boolean HayError = false;      // Apply found an error
  Integer FilaError = 1;         // the cell at which Apply found it
  Integer ColError = 1;
  // Typing into the grid: a character was typed, and the cell of the last one. They last as long as
  // the program, across closings of the window.
  static inline Boolean HayTecleo = false;
  static inline Integer FilaTecleo = 0;
  static inline Integer ColTecleo = 0;

  // The window's state that outlives it, as at start-up.
  static void ResetState();

 public slots:
  // Escape and the window's close button: Cancel.
  void reject() override;

 private:
  void connectHandlers();
  std::unique_ptr<GridTyping> typing_;
};

}  // namespace tavo
