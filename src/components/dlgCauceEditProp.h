// The reach dialog: the name of a channel reach, the component it drains into, its length and mean
// velocity, direct or Muskingum routing with the constants K and x, and, read-only, its number,
// vertex count, stream order and the length measured on the drawing.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "components/componentdialog.h"

namespace tavo {

class Cauce;

// The length of reach r measured on the drawing, in drawing units: the segments summed and the sum
// rounded to a whole number at every segment (halves to even).
double LongitudDibujo(int r);

class dlgCauceEditProp : public ComponentDialog, public FormInstance<dlgCauceEditProp> {
  Q_OBJECT
 public:
  dlgCauceEditProp();

  // Shows reach selCauce (reach 1 when none is selected) and lists the reaches; with no reach at
  // all the dialog closes at once.
  void Form_Load();
  void Form_Unload() {}

  // Fills every label and box of the current reach and disables the editor.
  void CargaDatosCauce();
  // Shows the current reach: receiver list, labels, boxes, routing and drawn length.
  void MuestraCauce();
  // Writes the boxes into the current reach.
  void GuardaDatosCauce();
  // Shows the current reach's drawn length in metres, or "Sin Escalar" for an unscaled drawing.
  void LongitudDibujoCauce();

  // ---- event handlers ----
  void lstCauces_Click();
  void lstTributaCauce_Click();
  void OKButton_Click() override;
  void CancelButton_Click() override;
  void txtNombreCauce_Click();
  // The name checks, then the rename; false when the name is refused.
  bool txtNombreCauce_LostFocus();

  QGroupBox* Frame1;
  QListWidget* lstCauces;
  QLabel* lblNroCauce;
  QLabel* lblNombreCauce;
  QLabel* lblCantVer;
  QGroupBox* frmPropiedades;
  ValidatedBox* txtNombreCauce;
  QLabel* lblOrdenCauce;
  QListWidget* lstTributaCauce;
  ValidatedBox* txtLongCauce;
  QGroupBox* Frame2;
  QLabel* Label12;
  QLabel* lbl_LongCauceDibujo;
  ValidatedBox* txtVelMediaCauce;
  QGroupBox* Frame3;
  QRadioButton* optDirecta;
  QRadioButton* optMusk;
  ValidatedBox* txtCauce_k_Musk;
  QLabel* Label13;
  ValidatedBox* txtCauce_n_Musk;
  QLabel* Label7;

 protected:
  ObjectRef SelectedRecord() const override;
  QString NombreActual() const override;
  bool NombreOcupado(const QString& nombre) const override;
  void Renombra(const QString& nombre) override;
  QStringList KindNames() const override;
  void Descarga() override { unloadLater(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Cauce& Actual() const;
  // The labels, boxes and routing of the current reach.
  void MuestraCampos();

  bool mostrando_ = false;  // the show is selecting the stored receiver
  int filaReceptor_ = -1;   // the receiver entry selected before the pick being handled
};

}  // namespace tavo
