// The editor of the three user temporal distributions (storm distributions 5 to 7): for the table
// chosen, its number of periods, the share of the storm depth falling in each period (typed into a
// grid that shows the time and the running sum at the end of each period), the storm durations it is
// meant for and a note. It edits the store in place and writes the file on Apply, on Close (which
// applies first) and on Clear table; Apply saves only a table whose shares add up to 100 %.
//
// The loading procedure of the distributions is public: other parts of the program call it through
// the window's object, without loading or showing the window.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "platform/arrays.h"
#include "platform/flexgrid.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class dlgDisPpPer : public QDialog, public FormInstance<dlgDisPpPer> {
  Q_OBJECT
 public:
  dlgDisPpPer();
  void Form_Load();
  void Form_Unload() {}

  // Reads distriPp_dpt.pcn into the three user distributions.
  void LeeTablaDisTemPer();

  // ---- the window's procedures ----
  // Shows table NroTablaDisPer: its limits in the duration lists, its periods in the grid, its note.
  void LlenaGrillaDisTemPer();
  // Checks the table shown and, when its shares are numbers adding up to 100 %, saves the three tables.
  void AplicaTablaDisTemPer();
  // Recomputes the running sums of the table shown and writes them into the grid.
  void AcumulaGrillaDisTemPer();

  // ---- handlers ----
  void cmbNroTablaDisPpPer_Click();
  bool txtNroPer_Validate();
  void cmbDurMin_Click();
  void cmbDurMax_Click();
  bool cmbDurMax_Validate();
  void txtNotas_Change();
  void MSFlexGridDisPerso_KeyDown(int KeyCode);
  void MSFlexGridDisPerso_KeyPress(int KeyAscii);
  void MSFlexGridDisPerso_LeaveCell();
  void cmdBorraTablaDisPer_Click();
  void cmdAplicar_Click();
  void OKButton_Click();
  void CancelButton_Click();

  // ---- controls ----
  QGroupBox* Frame1;
  QLabel* Label2;
  QComboBox* cmbNroTablaDisPpPer;
  QLabel* Label1;
  QLineEdit* txtNotas;
  QGroupBox* Frame3;
  QLabel* Label4;
  ValidatedBox* txtNroPer;
  QGroupBox* Frame4;
  QLabel* Label3;
  QLabel* Label5;
  QComboBox* cmbDurMin;
  QLabel* Label6;
  ValidatedList* cmbDurMax;
  QGroupBox* Frame2;
  FlexGrid* MSFlexGridDisPerso;
  QPushButton* cmdAplicar;
  QPushButton* cmdBorraTablaDisPer;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  // ---- the editor's state: it lasts as long as the program, across closings of the window ----
  static inline Integer NroTablaDisPer = 0;        // the table shown, 1 to 3; 0 until one is chosen
  static inline Integer NroPer = 0;                // period count N of the table shown
  static inline Boolean OmitirControlMin = false;  // choosing a minimum warns of nothing
  static inline Boolean OmitirControlMax = false;  // leaving the maximum list warns of nothing
  // Typing into the grid: a typed text not yet taken into the store, and the cell of the last
  // character typed.
  static inline Boolean EdicionPendiente = false;
  static inline Integer FilaTecleo = 0;
  static inline Integer ColTecleo = 0;
  static inline Array1<Single> DisPerAcum{0, 0};  // running sums of the shares shown, periods 1..N

  // The editor's state as at start-up.
  static void ResetState();

 public slots:
  // Escape and the window's close button: Cancel.
  void reject() override;

 private:
  void buildControls();
  void connectHandlers();
  // Sets the grid to NroPer periods: numbers, times and painted running-sum cells; the shares and
  // sums of the rows that stay keep their texts.
  void DimensionaGrilla();
  // Sums the shares of the table shown in single precision into DisPerAcum and writes the sums into
  // the grid's running-sum column.
  void EscribeAcumulados();
  // Paints the running-sum cells of the periods without moving the current cell.
  void PintaAcumulados();
  // Selects the item of a duration list whose value is `valor` (the later of two equal items); false
  // when the list has none.
  static bool SeleccionaDuracion(QComboBox* lista, Integer valor);
  // Writes the validity range of the table shown into the storm dialog's labels, when that dialog
  // has this table's distribution chosen; `mostrar` shows the labels too.
  void MuestraValidezEnPp(bool mostrar);
  std::unique_ptr<GridTyping> typing_;
};

}  // namespace tavo
