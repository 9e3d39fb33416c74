// The hydrograph window: the outflow of one component of the last single-storm run, with the rain
// on a unit, the inflow of a reach, or the level and the inflow of a dam or a lake. Its two sliders
// change the storm's depth or duration and run the storm again at once on the network in memory.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <memory>

#include "platform/chart.h"
#include "platform/forms.h"
#include "platform/slider.h"
#include "platform/vb.h"
#include "results/graficos.h"

namespace tavo {

class dlgChart2 : public QWidget, public FormInstance<dlgChart2> {
  Q_OBJECT
 public:
  dlgChart2();
  void Form_Load();
  void Form_Resize();
  void Form_Unload() {}

  // Picks the component of the list's current entry and draws it.
  void lstCompos_Click();
  // Takes the run's steps, storm and output step count, then draws; closes without output steps.
  void ActualizaHidrograma();
  // Builds the chart's data and texts for `pasos` output steps of `minutos` minutes.
  void DibujaHidrograma(Integer pasos, Integer minutos);
  void cmdHsMin_Click();
  void cmdXmas_Click();
  void cmdXmenos_Click();
  // Run the storm again with the duration or the depth of the slider.
  void sldDur_Click();
  void sldPp_Click();
  void cmdImprimir_Click();
  void OKButton_Click();

  // The opening's contents (list, chart, sliders) from the results in memory. An open window is
  // brought up to date this way after a run, keeping the component it shows (`keepComponent`).
  void Carga(bool keepComponent);

  Chart* MSChartH;
  QLabel* lblTitulo;
  QLabel* lblNota;
  QPushButton* cmdXmas;
  QPushButton* cmdXmenos;
  QPushButton* cmdHsMin;
  QComboBox* lstCompos;
  QLabel* lblPp;
  Slider* sldPp;
  QLabel* lblDur;
  Slider* sldDur;
  QPushButton* cmdImprimir;
  QPushButton* OKButton;

  // ---- the window's own values: they outlast its closing ----
  static inline Boolean EnMinutos = false;  // the time axis in minutes (else hours)
  static inline Integer nPasos = 0;         // chart rows, the run's output steps at the last refresh
  static inline Integer paso = 0;           // output step [min] at the last refresh
  static inline Single Pp = 0;              // storm depth P [mm] at the last refresh
  static inline Integer Dur = 0;            // storm duration D [min] at the last refresh
  static inline Integer RelacionPasos = 0;  // output steps in one rain step, at the last drawing
  static inline QString ShownComponent;     // name of the component the window shows
  static void ResetState();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<ChartToolbar> barra_;  // cmdXmas, cmdXmenos, cmdImprimir and OKButton
  // Runs the storm again after a slider changed it.
  void Rerun(bool duration);
  // CompoSel back to the component the window shows, when the list still holds it.
  void RestoreComponent();
  // Places the title line and the chart, `height` twips high from 400 twips down.
  void PlaceChart(int height);
  void SliderGroupVisible(bool visible);
  void DrawWithStoredSteps();
};

// Shows the hydrograph window without blocking; an open one comes to the front.
void MuestraHidrograma();
// At the end of a single-storm run: an open window shows the new run; a closed one opens.
void HidrogramaTrasCorrida();

}  // namespace tavo
