// The dam dialog: the name of a dam, the reach it drains into, its routing method with the Muskingum
// K, its initial water level, bounded by its height-area-storage table, and whether its outflow comes
// from its height-discharge table or from its eight outflow ranges, with each range's coefficients and
// level limits. It opens the dam's two table windows.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "components/componentdialog.h"

namespace tavo {

class Represa;

class dlgRepresas : public ComponentDialog, public FormInstance<dlgRepresas> {
  Q_OBJECT
 public:
  dlgRepresas();

  // Lists the dams and shows dam selRepresa (dam 1 when none is selected); with no dam at all the
  // dialog closes at once.
  void Form_Load();
  void Form_Unload() {}

  // Shows the current dam in every control.
  void MuestraRepresa();
  // Writes every control into the current dam.
  void GuardaDatosRepresa();
  // Fills the range boxes and the initial level from the current dam.
  void CargaFuncionesQ();
  // The outflow from the ranges: their check boxes, and the boxes of the checked ones, take input.
  void HabilitaFuncionesQ();
  // The outflow from the height-discharge table: the ranges take no input.
  void DeshabilitaFuncionesQ();

  // ---- event handlers ----
  void lstRepresas_Click();
  void lstCauceAA_Click();
  void lstMetodo_Click();
  void optTablaQ_Click();
  void optFunciones_Click();
  void chkFQ_Click(int Index);
  void cmdHSV_Click();
  void cmdTablaQ_Click();
  void OKButton_Click() override;
  void CancelButton_Click() override;
  void txtNombreRepresa_Click();
  // The name checks, then the rename; false when the name is refused.
  bool txtNombreRepresa_LostFocus();

  QGroupBox* Frame1;  // identification
  QListWidget* lstRepresas;
  QLabel* lblNroRepresa;
  QLabel* lblNombreRepresa;
  QGroupBox* Frame2;  // name, receiver and method
  ValidatedBox* txtNombreRepresa;
  QListWidget* lstCauceAA;
  QLabel* lblDrenaCauceAA;
  QListWidget* lstMetodo;
  QLabel* lblMetodo;
  QLabel* lblRepresaCofn;
  ValidatedBox* txtRepresa_n;
  QLabel* lblRepresaCofk;
  ValidatedBox* txtRepresa_k;
  QGroupBox* Frame3;  // initial level
  ValidatedBox* txtHInicialEmb;
  QGroupBox* Frame4;  // storage table
  QPushButton* cmdHSV;
  QGroupBox* Frame5;  // outflow
  QGroupBox* Frame6;  // outflow source
  QRadioButton* optTablaQ;
  QPushButton* cmdTablaQ;
  QRadioButton* optFunciones;
  // The eight outflow ranges, by index 1 to 8; the c box only for ranges 5 to 8.
  std::array<QCheckBox*, 9> chkFQ{};
  std::array<ValidatedBox*, 9> txtFQa{};
  std::array<ValidatedBox*, 9> txtFQb{};
  std::array<ValidatedBox*, 9> txtFQc{};
  std::array<ValidatedBox*, 9> txtFQHmin{};
  std::array<ValidatedBox*, 9> txtFQHMax{};

 protected:
  ObjectRef SelectedRecord() const override;
  QString NombreActual() const override;
  bool NombreOcupado(const QString& nombre) const override;
  void Renombra(const QString& nombre) override;
  QStringList KindNames() const override;
  void Descarga() override { unloadLater(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Represa& Actual() const;
  // The boxes of range k that its check box opens.
  void HabilitaFila(int k, bool habilitada);
  // Marks the outflow source chosen, the table or the ranges, without the options' actions; the
  // table's button is enabled with the table only.
  void Fuente(bool tabla);

  bool mostrando_ = false;  // the show is selecting the stored receiver
  int filaReceptor_ = -1;   // the receiver entry selected before the pick being handled
};

}  // namespace tavo
