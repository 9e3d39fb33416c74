#include "results/dlgChart2.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QSignalBlocker>
#include <algorithm>

#include "engine/frmPp.h"
#include "engine/hietograma.h"
#include "engine/informe.h"
#include "engine/proceso.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "results/graficos.h"

namespace tavo {

namespace {

const QString kCaudal = QStringLiteral("Caudal [m3/s]");
const QString kNota = QStringLiteral("TAVO: Modelo hidrológico de simulación lluvia-caudal");

// Heights of the controls and the chart's room in the window (twips).
constexpr int kAlto = 252;
constexpr int kAltoLista = 330;
constexpr int kBajoGrafico = 2350;           // chart height is the window's height less this
constexpr int kBajoGraficoImpresion = 1250;  // the same while printing

}  // namespace

dlgChart2::dlgChart2() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("dlgChart2"));
  setWindowTitle(QStringLiteral("Hidrograma"));
  QFont letra(QStringLiteral("Arial"));
  letra.setPointSize(8);
  setFont(letra);
  resize(Px(8295), Px(6810));
  setMinimumHeight(Px(3000));
  ColocaVentana(this, 3795, 2310);

  MSChartH = new Chart(this);
  MSChartH->setObjectName(QStringLiteral("MSChartH"));
  lblTitulo = MakeLabel(this, QStringLiteral("lblTitulo"), QString(), 4032, 120, 4000, kAlto);
  QFont negrita = lblTitulo->font();
  negrita.setBold(true);
  lblTitulo->setFont(negrita);
  lblTitulo->setWordWrap(true);
  lblNota = MakeLabel(this, QStringLiteral("lblNota"), QString(), 0, 0, 8292, kAlto);
  lblNota->setContentsMargins(Px(120), 0, 0, 0);
  barra_ = std::make_unique<ChartToolbar>(this, MSChartH, ChartToolbar::Lefts{120, 1320, 6240, 7200},
                                          [this] { DrawWithStoredSteps(); });
  cmdXmas = barra_->cmdXmas;
  cmdXmenos = barra_->cmdXmenos;
  cmdImprimir = barra_->cmdImprimir;
  OKButton = barra_->OKButton;
  cmdHsMin = MakeButton(this, QStringLiteral("cmdHsMin"), QStringLiteral("Ver t [Horas] / Ver t [Minutos]"),
                        3360, 0, 2292, kAltoLista);
  lstCompos = new QComboBox(this);
  lstCompos->setObjectName(QStringLiteral("lstCompos"));
  PlaceTwips(lstCompos, 6360, 0, 1812, kAltoLista);

  const QString ayudaPp = QStringLiteral("Variador de Pp[mm]");
  const QString ayudaDur = QStringLiteral("Variador de Duración de Tormenta [min]");
  lblPp = MakeLabel(this, QStringLiteral("lblPp"), QStringLiteral("Pp"), 120, 0, 372, kAlto);
  lblPp->setToolTip(ayudaPp);
  sldPp = new Slider(Qt::Horizontal, this);
  sldPp->setObjectName(QStringLiteral("sldPp"));
  sldPp->setToolTip(ayudaPp);
  sldPp->setRange(0, 999);
  PlaceTwips(sldPp, 480, 0, 5292, kAltoLista);
  lblDur = MakeLabel(this, QStringLiteral("lblDur"), QStringLiteral("D "), 120, 0, 252, kAlto);
  lblDur->setToolTip(ayudaDur);
  sldDur = new Slider(Qt::Horizontal, this);
  sldDur->setObjectName(QStringLiteral("sldDur"));
  sldDur->setToolTip(ayudaDur);
  sldDur->setRange(5, 2880);
  PlaceTwips(sldDur, 480, 0, 3732, kAltoLista);
  for (Slider* slider : {sldPp, sldDur}) {
    slider->setSingleStep(1);
    slider->setPageStep(5);
  }
  // The keyboard goes through the controls row by row.
  QWidget* const orden[] = {cmdXmas, cmdXmenos, cmdHsMin, lstCompos, sldPp, sldDur, cmdImprimir, OKButton};
  for (size_t i = 1; i < std::size(orden); ++i) QWidget::setTabOrder(orden[i - 1], orden[i]);
  Form_Resize();

  ConnectGuarded(lstCompos, &QComboBox::currentIndexChanged, this, &dlgChart2::lstCompos_Click);
  ConnectGuarded(cmdHsMin, &QPushButton::clicked, this, &dlgChart2::cmdHsMin_Click);
  ConnectGuarded(sldPp, &Slider::clicked, this, &dlgChart2::sldPp_Click);
  ConnectGuarded(sldDur, &Slider::clicked, this, &dlgChart2::sldDur_Click);
  ConnectGuarded(cmdImprimir, &QPushButton::clicked, this, &dlgChart2::cmdImprimir_Click);
  ConnectGuarded(OKButton, &QPushButton::clicked, this, &dlgChart2::OKButton_Click);
}

void dlgChart2::ResetState() {
  EnMinutos = false;
  nPasos = 0;
  paso = 0;
  Pp = 0;
  Dur = 0;
  RelacionPasos = 0;
  ShownComponent.clear();
}

void dlgChart2::Form_Load() {
  Carga(false);
}

void dlgChart2::Carga(bool keepComponent) {
  if (nPasosSalida == 0) return;
  if (nComponentes < 1 || FormaPp == 2) {
    unloadLater();
    return;
  }
  Form_Resize();
  MSChartH->setAxisTitle(ChartAxis::Y, kCaudal);
  MSChartH->setAxisTitle(ChartAxis::Y2, QStringLiteral("Precipitación [mm]"));
  lblNota->setText(kNota);
  lblPp->setText(QStringLiteral("Pp"));
  lblDur->setText(QStringLiteral("D "));
  MSChartH->setAxisLabelFontSize(ChartAxis::X, 10);
  MSChartH->setAxisLabelFontSize(ChartAxis::Y, 8);
  MSChartH->setAxisLabelFontSize(ChartAxis::Y2, 8);
  MSChartH->setLegendVisible(true);

  // The list is made anew only when the run's components are not those it lists.
  bool listados = lstCompos->count() == nComponentes;
  for (int i = 1; listados && i <= nComponentes; ++i)
    listados = lstCompos->itemText(i - 1) == NombresComponentes(i);
  if (!listados) {
    const QSignalBlocker quiet(lstCompos);
    lstCompos->clear();
    for (int i = 1; i <= nComponentes; ++i) lstCompos->addItem(NombresComponentes(i));
  }
  if (keepComponent) RestoreComponent();
  if (CompoSel == 0 || CompoSel > nComponentes) CompoSel = 1;
  {
    const QSignalBlocker quiet(lstCompos);
    lstCompos->setCurrentIndex(CompoSel - 1);
  }
  lstCompos_Click();

  // A storm beyond a slider's range only puts the slider at its end.
  sldPp->setValue(static_cast<int>(std::clamp(Round(PpTormenta), 0.0, 999.0)));
  sldDur->setValue(std::clamp<int>(DurTormenta, 5, 2880));
}

void dlgChart2::Form_Resize() {
  const int H = AltoVentanaGrafico(this);
  PlaceChart(H - kBajoGrafico);
  lblNota->move(0, Px(H - 1910));
  for (QWidget* w : std::initializer_list<QWidget*>{cmdHsMin, lstCompos, cmdXmas, cmdXmenos})
    w->move(w->x(), Px(H - 1524));
  for (QWidget* w : std::initializer_list<QWidget*>{sldPp, lblPp}) w->move(w->x(), Px(H - 1164));
  for (QWidget* w : std::initializer_list<QWidget*>{sldDur, lblDur, cmdImprimir, OKButton})
    w->move(w->x(), Px(H - 804));
}

void dlgChart2::PlaceChart(int height) {
  // The title line keeps its designed left when it fits; a longer one starts further left, and one
  // longer than the window takes two lines, the chart starting under it.
  const int texto = QFontMetrics(lblTitulo->font()).horizontalAdvance(lblTitulo->text()) + 4;
  const int margen = Px(120);
  const int left = std::max(std::min(Px(4032), width() - margen - texto), margen);
  const int ancho = std::max(width() - left - margen, 1);
  lblTitulo->setGeometry(left, margen, ancho, std::max(lblTitulo->heightForWidth(ancho), Px(kAlto)));
  const int top = std::max(Px(400), lblTitulo->geometry().bottom() + 4);
  MSChartH->setGeometry(0, top, width(), std::max(Px(400 + height) - top, 0));
}

void dlgChart2::lstCompos_Click() {
  if (nComponentes < 1) {
    unloadLater();
    return;
  }
  SeleccionaComponente(lstCompos);
  ShownComponent = NombresComponentes(CompoSel);

  const QString tipo = ShownComponent.left(2);
  MSChartH->setChartType(ChartType::Combination2d);
  if (tipo == QLatin1String("c-") || tipo == QLatin1String("r-") || tipo == QLatin1String("l-"))
    MSChartH->setChartType(ChartType::Line2d);
  if (tipo == QLatin1String("u-"))
    MSChartH->setAxisTitle(ChartAxis::Y2, QStringLiteral("Precipitación [mm]"));
  if (tipo == QLatin1String("c-")) MSChartH->setAxisTitle(ChartAxis::Y2, kCaudal);
  if (tipo == QLatin1String("r-") || tipo == QLatin1String("l-"))
    MSChartH->setAxisTitle(ChartAxis::Y2, QStringLiteral("H Embalse [m]"));
  ActualizaHidrograma();
}

void dlgChart2::ActualizaHidrograma() {
  if (CompoSel < 1 || CompoSel > nComponentes) CompoSel = 1;
  if (FormaPp > 1) SliderGroupVisible(false);
  if (nPasosSalida > 0) {
    Pp = PpTormenta;
    Dur = DurTormenta;
    paso = PasoQ;
    nPasos = nPasosSalida;
    DibujaHidrograma(nPasos, paso);
  } else {
    unloadLater();
  }
}

void dlgChart2::DibujaHidrograma(Integer pasos, Integer minutos) {
  try {
    if (pasos == 0) return;
    const Integer c = CompoSel;
    const QString nombre = NombresComponentes(c);
    const QString tipo = nombre.left(2);
    const bool embalse = tipo == QLatin1String("r-") || tipo == QLatin1String("l-");
    ChartTable datos;
    datos.redim(1, pasos, 1, embalse ? 4 : 3);
    MSChartH->setTickStyle(ChartAxis::X, TickStyle::None);
    MSChartH->setAxisTitle(ChartAxis::X, EnMinutos ? QStringLiteral("minutos") : QStringLiteral("horas"));
    for (Integer k = 1; k <= pasos; ++k) datos(k, 1) = EtiquetaTiempo(minutos, k, EnMinutos);
    for (Integer k = 1; k <= pasos; ++k) datos(k, 2) = Redondea(QSaleCompo(c, k), 3);

    // A dam or a lake: the number of the first record of its kind with the component's name.
    Integer n = 0;
    bool hallado = false;
    for (const auto& represa : colRepresas) {
      if (hallado || tipo != QLatin1String("r-") || represa->NombreRepresa != nombre) continue;
      n = represa->numRepresa;
      hallado = true;
    }
    for (const auto& lago : colLagos) {
      if (hallado || tipo != QLatin1String("l-") || lago->NombreLAGO != nombre) continue;
      n = lago->numLAGO;
      hallado = true;
    }
    if (embalse && !hallado) Raise(kErrSubscript);

    const double cociente = Div(PasoPp, PasoQ);
    RelacionPasos = CheckInteger(static_cast<long long>(Int(cociente)));
    if (cociente != RelacionPasos) {
      MsgBox(QStringLiteral(
                 "El paso de lluvia debe ser múltiplo entero del paso de salida. Corrija la entrada de "
                 "precipitación."),
             vbExclamation, QStringLiteral("Advertencia !"));
      return;
    }
    const Integer r = RelacionPasos;
    const Integer finLluvia = CheckInteger(static_cast<long long>(DurTormenta) + PasoPp);
    for (Integer k = 1; k <= pasos; ++k) {
      if (tipo == QLatin1String("u-")) {
        if (CheckInteger(static_cast<long long>(k) * PasoQ) < finLluvia) {
          // The rain of the rain step that holds output step k, spread over its r output steps.
          const int m = static_cast<int>(Int(Div(r + k - 1, r)));
          datos(k, 3) = DivS(PpUEHPaso(c, m), r);
        } else {
          datos(k, 3) = Single{0};
        }
      } else if (tipo == QLatin1String("c-")) {
        datos(k, 3) = QEntraCompo(c, k);
      } else if (tipo == QLatin1String("r-")) {
        datos(k, 3) = HEmbalseRepresa(n, k);
        datos(k, 4) = QEntraCompo(c, k);
      } else if (tipo == QLatin1String("l-")) {
        datos(k, 3) = HEmbalseLago(n, k);
        datos(k, 4) = QEntraCompo(c, k);
      }
    }
    MSChartH->setSeriesSecondaryAxis(2, tipo != QLatin1String("c-"));

    bool final = false;
    for (int i = 1; i <= nComponentesFinales; ++i) final = final || nombre == ComponentesFinales(i);
    QString titulo = final ? QStringLiteral("Componente Final: ") : QStringLiteral("Componente: ");

    MSChartH->setSeriesType(1, SeriesType::Line2d);
    MSChartH->setData(std::move(datos));
    MSChartH->setSeriesLegend(1, QStringLiteral("Qsale"));
    if (tipo == QLatin1String("u-")) {
      MSChartH->setSeriesLegend(2, QStringLiteral("Pp"));
    } else if (tipo == QLatin1String("c-")) {
      MSChartH->setSeriesLegend(2, QStringLiteral("Qentra"));
    } else if (embalse) {
      MSChartH->setSeriesLegend(2, QStringLiteral("HEmbalse"));
      MSChartH->setSeriesLegend(3, QStringLiteral("Qentra"));
    }

    titulo += NumberText(c) + QStringLiteral(", ") + nombre + QStringLiteral("   Pp= ") + NumberText(Pp) +
              QStringLiteral("mm;  D= ") + NumberText(Dur);
    if (RecTormenta == 0) {
      titulo += QStringLiteral(" min ;   paso = ") + NumberText(paso) + QStringLiteral(" min");
    } else {
      titulo += QStringLiteral(" min ;   Recurrencia = ") + NumberText(RecTormenta) +
                QStringLiteral(" años   paso = ") + NumberText(paso) + QStringLiteral(" min");
    }
    lblTitulo->setText(titulo);
    Form_Resize();
    lblNota->setText(kNota);
  } catch (const VbError& e) {
    if (e.number > 0 && e.number != kErrFileNotFound) {
      MsgBox(ErrorNroText(e));
    }
  }
}

void dlgChart2::DrawWithStoredSteps() {
  DibujaHidrograma(nPasos, paso);
}

void dlgChart2::cmdHsMin_Click() {
  EnMinutos = !EnMinutos;
  DrawWithStoredSteps();
}

void dlgChart2::cmdXmas_Click() {
  barra_->cmdXmas_Click();
}

void dlgChart2::cmdXmenos_Click() {
  barra_->cmdXmenos_Click();
}

void dlgChart2::sldDur_Click() {
  Rerun(true);
}

void dlgChart2::sldPp_Click() {
  Rerun(false);
}

void dlgChart2::Rerun(bool duration) {
  SetBusyPointer(true);
  struct Pointer {
    ~Pointer() { SetBusyPointer(false); }
  } pointer;
  if (duration) {
    DurTormenta = static_cast<Integer>(sldDur->value());
  } else {
    // A storm of at least 1 mm.
    if (sldPp->value() < 1) sldPp->setValue(1);
    PpTormenta = static_cast<Single>(sldPp->value());
  }
  if (PizarraActiva) {
    SetReportText(QString());
    SetReportText(QStringLiteral("inicia"));
  }
  DistribucionTemporalPp();
  // A hyetograph that could not be built has said why; the chart keeps the last run.
  if ((PpTormenta == 0 && DurTormenta == 0) || HyetographRefused) return;
  if (!DuracionCalculable(DurTormenta)) return;
  Proceso_Simulacion(true);
  RestoreComponent();
  ActualizaHidrograma();
  if (duration && isLoaded()) {
    raise();
    activateWindow();
  }
}

void dlgChart2::RestoreComponent() {
  for (int i = 1; i <= nComponentes; ++i) {
    if (!ShownComponent.isEmpty() && NombresComponentes(i) == ShownComponent) {
      CompoSel = static_cast<Integer>(i);
      return;
    }
  }
}

void dlgChart2::SliderGroupVisible(bool visible) {
  for (QWidget* w : std::initializer_list<QWidget*>{sldPp, sldDur, lblDur, lblPp}) w->setVisible(visible);
}

void dlgChart2::cmdImprimir_Click() {
  // The printout holds the chart and its titles: no button, list or slider.
  SliderGroupVisible(false);
  barra_->Print(
      QStringLiteral("Hidrograma"), {cmdHsMin, cmdXmas, cmdXmenos, lstCompos},
      [this] {
        const int H = AltoVentanaGrafico(this);
        PlaceChart(H - kBajoGraficoImpresion);
        lblNota->move(0, Px(H - 830));
      },
      [this] {
        RestoreComponent();
        ActualizaHidrograma();
      },
      [this] {
        for (QWidget* w : std::initializer_list<QWidget*>{cmdHsMin, cmdXmas, cmdXmenos}) w->show();
        if (FormaPp <= 1) SliderGroupVisible(true);
        lstCompos->show();
        Form_Resize();
      });
}

void dlgChart2::OKButton_Click() {
  unloadLater();
}

void dlgChart2::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RunGuarded([this] { Form_Resize(); });
}

void dlgChart2::closeEvent(QCloseEvent* event) {
  event->accept();
  RunGuarded([] { unloadLater(); });
}

void MuestraHidrograma() {
  dlgChart2& form = dlgChart2::instance();
  // The window may have closed itself while opening.
  if (dlgChart2::isLoaded()) ShowModeless(&form, false);
}

void HidrogramaTrasCorrida() {
  if (!dlgChart2::isLoaded()) {
    MuestraHidrograma();
    return;
  }
  dlgChart2::instance().Carga(true);
  if (dlgChart2::isLoaded()) MuestraHidrograma();
}

}  // namespace tavo
