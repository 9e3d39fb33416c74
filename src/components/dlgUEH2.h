// The unit dialog: the name and note of a hydrological unit, its area, the component it drains into,
// its method, its overland travel length and velocity, its surface retention, the Kostiakov
// infiltration constants and the recession constant with the initial discharge.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "components/componentdialog.h"

namespace tavo {

class UEH;

class dlgUEH2 : public ComponentDialog, public FormInstance<dlgUEH2> {
  Q_OBJECT
 public:
  dlgUEH2();

  // Lists the units and shows unit selUEH (unit 1 when none is selected); with no unit at all the
  // dialog closes at once.
  void Form_Load();
  void Form_Unload() {}

  // Shows the current unit: labels, receiver list, method list and every field.
  void MuestraUEH();
  // Writes every field of the dialog into the current unit.
  void GuardaDatosUEH();

  // ---- event handlers ----
  void lstUEHs_Click();
  void lstCauceAA_Click();
  void OKButton_Click() override;
  void CancelButton_Click() override;
  void txtNombreUEH_Click();
  // The name checks, then the rename; false when the name is refused.
  bool txtNombreUEH_LostFocus();
  void txtReferencia_Click();

  QGroupBox* Frame1;  // identification
  QListWidget* lstUEHs;
  QLabel* lblNroUEH;
  QLabel* lblNombreUEH;
  QGroupBox* Frame2;  // area, receiver and method
  ValidatedBox* txtNombreUEH;
  ValidatedBox* txtArea;
  QListWidget* lstCauceAA;
  QListWidget* lstMetodo;
  QLineEdit* txtReferencia;
  QGroupBox* Frame3;  // overland travel
  QLabel* lblDrenaCauceAA;
  QLabel* lblMetodo;
  ValidatedBox* txtLongMax;
  ValidatedBox* txtVelMedia;
  QGroupBox* Frame4;  // infiltration
  ValidatedBox* txtKostiakov_a;
  ValidatedBox* txtKostiakov_b;
  ValidatedBox* txtKostiakov_i;
  QGroupBox* Frame5;  // retention
  ValidatedBox* txtRetension_Z;
  QGroupBox* Frame6;  // recession
  ValidatedBox* txtQ0Recesion;
  ValidatedBox* txtKRecesion;

 protected:
  ObjectRef SelectedRecord() const override;
  QString NombreActual() const override;
  bool NombreOcupado(const QString& nombre) const override;
  void Renombra(const QString& nombre) override;
  QStringList KindNames() const override;
  void Descarga() override { unloadLater(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  UEH& Actual() const;
};

}  // namespace tavo
