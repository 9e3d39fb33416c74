// The lake dialog: the name and note of a lake or depression, the reach it drains into, its routing
// method with the Muskingum k, and its initial water level, bounded by the lake's
// height-area-storage-outflow table, which the dialog opens for editing.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "components/componentdialog.h"

namespace tavo {

class Lago;

class dlgLago : public ComponentDialog, public FormInstance<dlgLago> {
  Q_OBJECT
 public:
  dlgLago();

  // Lists the lakes and shows lake selLago (lake 1 when none is selected); with no lake at all the
  // dialog closes at once.
  void Form_Load();
  void Form_Unload() {}

  // Shows the current lake: labels, receiver and method lists, boxes and whether it has a table.
  void MuestraLago();
  // Tells in lblParametros whether the current lake's table in memory holds rows.
  void MuestraEstadoTabla();
  // Writes the boxes and lists into the current lake.
  void GuardaDatosLago();

  // ---- event handlers ----
  void lstLAGOs_Click();
  void lstCauceAA_Click();
  void lstMetodo_Click();
  void cmdParametros_Click();
  void OKButton_Click() override;
  void CancelButton_Click() override;
  void txtNombreLAGO_Click();
  // The name checks, then the rename; false when the name is refused.
  bool txtNombreLAGO_LostFocus();
  void txtReferencia_Click();

  QGroupBox* Frame1;  // identification
  QListWidget* lstLAGOs;
  QLabel* lblNroLAGO;
  QLabel* lblNombreLAGO;
  QGroupBox* Frame2;  // name, note, receiver, method and level
  ValidatedBox* txtNombreLAGO;
  QLineEdit* txtReferencia;
  QListWidget* lstCauceAA;
  QLabel* lblDrenaCauceAA;
  QListWidget* lstMetodo;
  QLabel* lblMetodo;
  QLabel* lblLagoCofk;
  ValidatedBox* txtLago_k;
  ValidatedBox* txtHInicialEmb;
  QPushButton* cmdParametros;
  QLabel* lblParametros;  // whether the lake's table holds rows

 protected:
  ObjectRef SelectedRecord() const override;
  QString NombreActual() const override;
  bool NombreOcupado(const QString& nombre) const override;
  void Renombra(const QString& nombre) override;
  QStringList KindNames() const override;
  void Descarga() override { unloadLater(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Lago& Actual() const;

  bool mostrando_ = false;  // the show is selecting the stored receiver
  int filaReceptor_ = -1;   // the receiver entry selected before the pick being handled
};

}  // namespace tavo
