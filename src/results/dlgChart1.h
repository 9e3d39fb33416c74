// The hyetograph window: the rain of the current storm period by period, as the hyetograph builder
// left it, drawn by the commands that show the window through AlGraficoPp.
#pragma once

#include <QPushButton>
#include <QWidget>

#include "platform/chart.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class dlgChart1 : public QWidget, public FormInstance<dlgChart1> {
  Q_OBJECT
 public:
  dlgChart1();
  void Form_Load();
  void Form_Resize();
  void Form_Unload() {}

  // Keeps the periods, their length, the title, P and D, and draws the hyetograph.
  void AlGraficoPp(Integer pasos, Integer minutos, const QString& texto, Single P, Integer D);
  // Draws `pasos` periods of `minutos` minutes from the hyetograph in memory.
  void DibujaHietograma(Integer pasos, Integer minutos);
  void cmdHsMin_Click();
  void cmdImprimir_Click();
  void OKButton_Click();

  Chart* MSChartPp;
  QPushButton* cmdHsMin;
  QPushButton* cmdImprimir;
  QPushButton* OKButton;

  // ---- the window's own values: they outlast its closing ----
  static inline Boolean EnMinutos = false;  // the time axis in minutes (else hours)
  static inline Integer nPasos = 0;         // periods charted
  static inline Integer paso = 0;           // period length [min]
  static inline QString titulo;             // chart title
  static inline Single Pp = 0;              // storm depth P [mm] of the footnote
  static inline Integer Dur = 0;            // storm duration D [min] of the footnote
  static void ResetState();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};

// Shows the hyetograph window without blocking and draws into it; nothing shows in series mode.
void MuestraHietograma(Integer pasos, Integer minutos, const QString& texto, Single P, Integer D);

}  // namespace tavo
