// The empirical formulas calculator: from the area, main channel length, height difference and slope
// that the user types, eighteen peak flows and three concentration times, recomputed each time a box
// is left or Enter is pressed in it. It uses nothing of the project and keeps nothing once it is closed.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "formulas/formulas.h"
#include "platform/forms.h"

namespace tavo {

class dlgEmpiricas : public QWidget, public FormInstance<dlgEmpiricas> {
  Q_OBJECT
 public:
  dlgEmpiricas();
  void Form_Load();
  void Form_Unload() {}

  // Shows the area's text in lblSup, recomputes the eighteen peak flows when the area reads above 0,
  // then the concentration times.
  void CalculaCaudalesPico();
  // Shows the area's text in lblSup and recomputes the three concentration times; a slope reading 0
  // or less is written back as "0".
  void CalculaTiemposConcentracion();

  // ---- event handlers: a box left, or Enter pressed in it ----
  // The area: above 10000 becomes "10000", a text reading 0 becomes "1"; then both recomputes.
  void txtSup_LostFocus();
  void txtLcauceP_LostFocus();
  void txtcauceH_LostFocus();
  // The slope: below 0 becomes "0", above 100 becomes "100"; then the concentration times.
  void txtPendiCP_LostFocus();
  void btnCerrar_Click();

  QGroupBox* Frame1;  // the area
  QLabel* Label1;
  ValidatedBox* txtSup;
  QGroupBox* Frame2;  // the peak flows
  QLabel* Label2;
  std::array<QLabel*, kPeakFlowRows> lblQp;  // the name labels of the peak-flow rows
  QLabel* txtQCreager;
  QLabel* txtQpSanti100;
  QLabel* txtQpSanti500;
  QLabel* txtQpSanti1000;
  QLabel* txtQpMyerC30;
  QLabel* txtQpMyerC100;
  QLabel* txtQpScimeni;
  QLabel* txtQpPagliaro;
  QLabel* txtQpGauguillet;
  QLabel* txtQpFanning;
  QLabel* txtQpDickens;
  QLabel* txtQpQuijano;
  QLabel* txtQpZapata;
  QLabel* txtQpKuicklingO;
  QLabel* txtQpKuicklingE;
  QLabel* txtQpRyves;
  QLabel* txtQpValentini;
  QLabel* txtQpGutmann;
  QGroupBox* Frame3;  // the channel data
  QLabel* Label3;
  ValidatedBox* txtLcauceP;
  QLabel* Label4;
  ValidatedBox* txtcauceH;
  QLabel* Label5;
  ValidatedBox* txtPendiCP;
  QLabel* Label6;
  QLabel* lblSup;
  QGroupBox* Frame4;                                  // the concentration times
  std::array<QLabel*, kConcentrationTimeRows> lblTc;  // the name labels of the concentration-time rows
  QLabel* lblTcCalifornia;
  QLabel* lblTcVentura;
  QLabel* lblTcSCSUS;
  QPushButton* btnCerrar;

  // The result labels of the peak-flow rows, in row order.
  std::array<QLabel*, kPeakFlowRows> ResultadosQp() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace tavo
