// The Q-D-R chart: for one component, the peak outflow, the direct runoff volume or the runoff
// coefficient of every retained storm of the last series, one line per recurrence against the
// storm's duration.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/chart.h"
#include "platform/forms.h"
#include "platform/vb.h"
#include "results/graficos.h"

namespace tavo {

class dlgChart3 : public QWidget, public FormInstance<dlgChart3> {
  Q_OBJECT
 public:
  dlgChart3();
  void Form_Load();
  void Form_Resize();
  void Form_Unload() {}

  // Lists the distinct durations and recurrences of the retained storms, in the order met.
  void Inicializa();
  // Charts the chosen quantity of component CompoSel.
  void DibujaGraficoQDR();
  void lstCompos_Click();
  void lstPQEC_Click();
  void cmdXmas_Click();
  void cmdXmenos_Click();
  void cmdImprimir_Click();
  void OKButton_Click();
  // After a series run: the lists and the chart from the new results, keeping the quantity and,
  // when the run still has it, the component shown.
  void Actualiza();

  Chart* MSChartQDR;
  QLabel* lblTitulo;
  QLabel* lblNota;
  QLabel* lblNotaPelcan;
  QComboBox* lstPQEC;
  QComboBox* lstCompos;
  QPushButton* cmdXmas;
  QPushButton* cmdXmenos;
  QPushButton* cmdImprimir;
  QPushButton* OKButton;

  // ---- the window's own values ----
  std::vector<Integer> Duraciones;    // the chart's categories [min]
  std::vector<Integer> Recurrencias;  // one line each [years]

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<ChartToolbar> barra_;  // cmdXmas, cmdXmenos, cmdImprimir and OKButton
  // Fills lstCompos with every component and selects CompoSel, brought within the list.
  void ListaTodos();
};

// Shows the chart without blocking; an open one comes to the front as it is.
void MuestraGraficoQDR();
// At the end of a series run: an open chart shows the new results; a closed one opens.
void GraficoQDRTrasSerie();

}  // namespace tavo
