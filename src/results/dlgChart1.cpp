#include "results/dlgChart1.h"

#include <QCloseEvent>

#include "engine/hietograma.h"
#include "platform/formlayout.h"
#include "rainfall/tormenta.h"
#include "results/graficos.h"

namespace tavo {

dlgChart1::dlgChart1() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("dlgChart1"));
  setWindowTitle(QStringLiteral("Hietograma"));
  QFont letra(QStringLiteral("Arial"));
  letra.setPointSize(8);
  setFont(letra);
  resize(Px(8292), Px(6024));
  ColocaVentana(this, 3852, 2508);

  MSChartPp = new Chart(this);
  MSChartPp->setObjectName(QStringLiteral("MSChartPp"));
  // The rain of each period is a bar.
  MSChartPp->setChartType(ChartType::Bar2d);
  MSChartPp->setLegendVisible(false);
  MSChartPp->setAxisTitle(ChartAxis::Y, QStringLiteral("Precipitación [mm]"));
  MSChartPp->setTickStyle(ChartAxis::X, TickStyle::None);
  cmdHsMin = MakeButton(this, QStringLiteral("cmdHsMin"), QStringLiteral("Ver t [Horas] / Ver t [Minutos]"),
                        120, 0, 2532);
  cmdImprimir = MakeButton(this, QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir"), 5400, 0, 1092);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("&Cerrar"), 6840, 0, 972);
  Form_Resize();

  ConnectGuarded(cmdHsMin, &QPushButton::clicked, this, &dlgChart1::cmdHsMin_Click);
  ConnectGuarded(cmdImprimir, &QPushButton::clicked, this, &dlgChart1::cmdImprimir_Click);
  ConnectGuarded(OKButton, &QPushButton::clicked, this, &dlgChart1::OKButton_Click);
}

void dlgChart1::ResetState() {
  EnMinutos = false;
  nPasos = 0;
  paso = 0;
  titulo.clear();
  Pp = 0;
  Dur = 0;
}

void dlgChart1::Form_Load() {
  Form_Resize();
  // Every opening shows minutes.
  EnMinutos = true;
  DibujaHietograma(nPasos, paso);
  if (FormaPp == 2) unloadLater();
}

void dlgChart1::Form_Resize() {
  const QSize outer = TamanoExteriorTwips(this);
  const int H = outer.height();
  PlaceTwips(MSChartPp, 120, 120, static_cast<int>(0.95 * outer.width()), static_cast<int>(0.8 * H));
  for (QWidget* w : {cmdImprimir, OKButton, cmdHsMin}) w->move(w->x(), Px(H - 1000));
}

void dlgChart1::AlGraficoPp(Integer pasos, Integer minutos, const QString& texto, Single P, Integer D) {
  nPasos = pasos;
  paso = minutos;
  titulo = texto;
  Pp = P;
  Dur = D;
  DibujaHietograma(nPasos, paso);
}

void dlgChart1::DibujaHietograma(Integer pasos, Integer minutos) {
  try {
    if (pasos == 0) return;
    ChartTable datos;
    datos.redim(1, pasos, 1, 2);
    for (Integer k = 1; k <= pasos; ++k) datos(k, 1) = EtiquetaTiempo(minutos, k, EnMinutos);
    MSChartPp->setAxisTitle(ChartAxis::X, EnMinutos ? QStringLiteral("minutos") : QStringLiteral("horas"));
    for (Integer k = 1; k <= pasos; ++k) datos(k, 2) = PpPeriodo(k);
    MSChartPp->setData(std::move(datos));
    MSChartPp->setTitle(QStringLiteral("  ") + titulo + QStringLiteral("  "));
    MSChartPp->setFootnote(QStringLiteral(" Pp= ") + NumberText(Pp) + QStringLiteral("mm;  D= ") +
                           NumberText(Dur) + QStringLiteral(" min ;   paso = ") + NumberText(minutos) +
                           QStringLiteral(" min"));
  } catch (const VbError&) {
    // A drawing that fails ends quietly; the chart keeps what it had.
  }
}

void dlgChart1::cmdHsMin_Click() {
  EnMinutos = !EnMinutos;
  DibujaHietograma(nPasos, paso);
}

void dlgChart1::cmdImprimir_Click() {
  for (QWidget* w : {cmdImprimir, OKButton, cmdHsMin}) w->hide();
  struct Back {
    dlgChart1* form;
    ~Back() {
      for (QWidget* w : {form->cmdImprimir, form->OKButton, form->cmdHsMin}) w->show();
    }
  } back{this};
  ImprimeVentana(this, QStringLiteral("Hietograma"));
}

void dlgChart1::OKButton_Click() {
  unloadLater();
}

void dlgChart1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RunGuarded([this] { Form_Resize(); });
}

void dlgChart1::closeEvent(QCloseEvent* event) {
  event->accept();
  RunGuarded([] { unloadLater(); });
}

void MuestraHietograma(Integer pasos, Integer minutos, const QString& texto, Single P, Integer D) {
  dlgChart1& form = dlgChart1::instance();
  // In series mode the window closed itself while opening.
  if (!dlgChart1::isLoaded()) return;
  form.AlGraficoPp(pasos, minutos, texto, P, D);
  ShowModeless(&form, false);
}

}  // namespace tavo
