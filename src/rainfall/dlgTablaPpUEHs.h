// The per-unit depth table: one storm depth for every hydrological unit of the project as last saved,
// with a duration and a return period common to all. Apply stores the depths (PpUEH) and the duration
// of the storm given unit by unit, and puts the duration and the first positive depth into the storm
// definition dialog's boxes.
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

class dlgTablaPpUEHs : public QDialog, public FormInstance<dlgTablaPpUEHs> {
  Q_OBJECT
 public:
  dlgTablaPpUEHs();
  void Form_Load();
  void Form_Unload() {}

  // ---- the window's procedures and handlers ----
  // Checks the depths; when all are numbers from 0 to 999, stores them and the duration.
  void AplicaTablaPpUEHs();
  bool txtDPpUEHs_Validate();
  bool txtRPpUEHs_Validate();
  void MSFlexGridPpUEHs_KeyDown(int KeyCode);
  void MSFlexGridPpUEHs_KeyPress(int KeyAscii);
  void cmdBorraTablaHQ_Click();
  void cmdAplicar_Click();
  void OKButton_Click();
  void CancelButton_Click();

  // ---- controls ----
  FlexGrid* MSFlexGridPpUEHs;
  QGroupBox* Frame2;
  QLabel* Label4;
  ValidatedBox* txtDPpUEHs;
  QLabel* Label5;
  ValidatedBox* txtRPpUEHs;
  QPushButton* cmdAplicar;
  QPushButton* cmdBorraTablaHQ;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  // ---- the window's fields ----
  Integer NroUEHsTabla = 0;  // grid rows: the units of the project when the window was loaded
  Boolean HayError = false;  // Apply found a depth that is not a number
  Integer FilaError = 0;     // the depth cell at which it found it
  Integer ColError = 0;
  // The duration and return period of the boxes, and the typing into the grid: they last as long as
  // the program, across closings of the window.
  static inline Integer DPpUEHs = 0;
  static inline Integer RPpUEHs = 0;
  static inline Boolean HayTecleo = false;
  static inline Integer FilaTecleo = 0;
  static inline Integer ColTecleo = 0;

  // The window's state that outlives it, as at start-up.
  static void ResetState();

 public slots:
  // Escape and the window's close button: Cancel.
  void reject() override;

 private:
  // The check of the D and R boxes: cut to 5 characters, a whole number from 0 to `maximo`.
  bool ValidaEntero(ValidatedBox* caja, Integer& valor, int maximo, const QString& mensaje);
  std::unique_ptr<GridTyping> typing_;
};

}  // namespace tavo
