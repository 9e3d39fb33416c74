#include "results/dlgChart3.h"

#include <QCloseEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "engine/informe.h"
#include "engine/resultados.h"
#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "reservoirs/funciones.h"
#include "results/graficos.h"
#include "results/resultadosserie.h"

namespace tavo {

namespace {

const QString kTitulo = QStringLiteral("Serie de Tormentas Sintéticas: Gráficos Qp-D-R  -  E-D-R  -  CE-D-R");
const QString kCaudal = QStringLiteral("Caudal Máximo [m3/s]");
constexpr int kAlto = 252;
constexpr int kAltoLista = 330;

// The position of `valor` in `lista`, from 1; 0 when it is not there.
int Posicion(const std::vector<Integer>& lista, Integer valor) {
  const auto it = std::find(lista.begin(), lista.end(), valor);
  return it == lista.end() ? 0 : static_cast<int>(it - lista.begin()) + 1;
}

}  // namespace

dlgChart3::dlgChart3() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("dlgChart3"));
  setWindowTitle(QStringLiteral("Serie de Tormentas Sintéticas: Resumen de Qpico, Escorrentía y Coef.Esc."));
  QFont letra(QStringLiteral("Arial"));
  letra.setPointSize(8);
  setFont(letra);
  resize(Px(8295), Px(6810));
  setMinimumHeight(Px(3000));
  ColocaVentana(this, 3795, 2310);

  MSChartQDR = new Chart(this);
  MSChartQDR->setObjectName(QStringLiteral("MSChartQDR"));
  MSChartQDR->setAxisTitle(ChartAxis::X, QStringLiteral("t [minutos]"));
  MSChartQDR->setAxisTitle(ChartAxis::Y, QStringLiteral("Precipitación [mm]"));
  lblTitulo = MakeLabel(this, QStringLiteral("lblTitulo"), QStringLiteral("titulos"), 120, 120, 8052, kAlto);
  QFont negrita = lblTitulo->font();
  negrita.setBold(true);
  lblTitulo->setFont(negrita);
  lblNota = MakeLabel(this, QStringLiteral("lblNota"), QString(), 120, 0, 8052, kAlto);
  lblNotaPelcan = MakeLabel(this, QStringLiteral("lblNotaPelcan"), QString(), 120, 0, 8052, kAlto);
  lstPQEC = new QComboBox(this);
  lstPQEC->setObjectName(QStringLiteral("lstPQEC"));
  PlaceTwips(lstPQEC, 120, 0, 1680, kAltoLista);
  lstCompos = new QComboBox(this);
  lstCompos->setObjectName(QStringLiteral("lstCompos"));
  PlaceTwips(lstCompos, 1920, 0, 1812, kAltoLista);
  barra_ = std::make_unique<ChartToolbar>(this, MSChartQDR, ChartToolbar::Lefts{3840, 5040, 6240, 7200},
                                          [this] { DibujaGraficoQDR(); });
  cmdXmas = barra_->cmdXmas;
  cmdXmenos = barra_->cmdXmenos;
  cmdImprimir = barra_->cmdImprimir;
  OKButton = barra_->OKButton;
  Form_Resize();

  ConnectGuarded(lstCompos, &QComboBox::currentIndexChanged, this, &dlgChart3::lstCompos_Click);
  ConnectGuarded(lstPQEC, &QComboBox::currentIndexChanged, this, &dlgChart3::lstPQEC_Click);
  ConnectGuarded(cmdImprimir, &QPushButton::clicked, this, &dlgChart3::cmdImprimir_Click);
  ConnectGuarded(OKButton, &QPushButton::clicked, this, &dlgChart3::OKButton_Click);
}

void dlgChart3::Form_Load() {
  if (NroTormentasSerie == 0) return;
  if (nComponentes < 1) {
    unloadLater();
    return;
  }
  MSChartQDR->setColumnCount(2);
  MSChartQDR->setChartType(ChartType::Line2d);
  MSChartQDR->setSeriesType(1, SeriesType::Line2d);
  Form_Resize();
  MSChartQDR->setLegendVisible(true);
  MSChartQDR->setAxisTitle(ChartAxis::Y, kCaudal);
  MSChartQDR->setAxisTitle(ChartAxis::X, QStringLiteral("Duración Tormenta D[minutos]"));
  lblNota->setText(TextoProyecto + QStringLiteral("  ") + ArchivoConfiguracion());
  lblNotaPelcan->setText(QStringLiteral("TAVO: Simulación lluvia-caudal"));

  if (CompoSel < 1) CompoSel = 1;
  ListaTodos();
  {
    const QSignalBlocker quiet(lstPQEC);
    lstPQEC->clear();
    lstPQEC->addItems(
        {QStringLiteral("Caudal Máximo"), QStringLiteral("Escorrentía"), QStringLiteral("Coef.Escorr.")});
    lstPQEC->setCurrentIndex(0);
  }
  Inicializa();
  DibujaGraficoQDR();
}

void dlgChart3::ListaTodos() {
  const QSignalBlocker quiet(lstCompos);
  lstCompos->clear();
  for (int i = 1; i <= nComponentes; ++i) lstCompos->addItem(NombresComponentes(i));
  if (CompoSel < 1) CompoSel = 1;
  if (CompoSel > nComponentes) CompoSel = nComponentes;
  lstCompos->setCurrentIndex(CompoSel - 1);
}

void dlgChart3::Form_Resize() {
  const int H = AltoVentanaGrafico(this);
  MSChartQDR->setGeometry(0, Px(400), width(), Px(H - 2000));
  for (QWidget* w :
       std::initializer_list<QWidget*>{lstPQEC, lstCompos, cmdXmas, cmdXmenos, cmdImprimir, OKButton})
    w->move(w->x(), Px(H - 804));
  lblNotaPelcan->move(lblNotaPelcan->x(), Px(H - 1200));
  lblNota->move(lblNota->x(), Px(H - 1600));
}

void dlgChart3::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RunGuarded([this] { Form_Resize(); });
}

void dlgChart3::closeEvent(QCloseEvent* event) {
  event->accept();
  RunGuarded([] { unloadLater(); });
}

void dlgChart3::Inicializa() {
  if (CompoSel < 1 || CompoSel > nComponentes) CompoSel = 1;
  Duraciones.clear();
  Recurrencias.clear();
  if (NroTormentasSerie < 2) return;
  ForEachRetainedStorm([this] {
    if (Posicion(Duraciones, DurSerie(kTormenta)) == 0) Duraciones.push_back(DurSerie(kTormenta));
    if (Posicion(Recurrencias, RecSerie(kTormenta)) == 0) Recurrencias.push_back(RecSerie(kTormenta));
  });
  MSChartQDR->setColumnCount(static_cast<int>(Recurrencias.size()) + 1);
}

void dlgChart3::DibujaGraficoQDR() {
  try {
    if (Duraciones.empty()) return;
    const int filas = static_cast<int>(Duraciones.size());
    const int lineas = static_cast<int>(Recurrencias.size());
    ChartTable datos;
    datos.redim(1, filas, 1, lineas + 1);
    MSChartQDR->setTickStyle(ChartAxis::X, TickStyle::Outside);
    for (int i = 1; i <= filas; ++i) datos(i, 1) = NumberText(Duraciones[static_cast<size_t>(i - 1)]);

    const Integer c = CompoSel;
    const int cantidad = lstPQEC->currentIndex();
    const bool unidad = c <= nUEHs;
    ForEachRetainedStorm([&] {
      const Integer k = kTormenta;
      const int fila = Posicion(Duraciones, DurSerie(k));
      const int linea = Posicion(Recurrencias, RecSerie(k));
      Variant valor;
      QString eje;
      if (cantidad == 0) {
        if (const auto q = PicoSerie(c, k)) valor = Redondea(*q, 2);
        eje = kCaudal;
      } else if (cantidad == 1 && unidad) {
        if (const auto e = EscorrentiaSerie(c, k)) valor = *e;
        eje = QStringLiteral("Escorrentía [m3]");
      } else if (cantidad == 2 && unidad) {
        if (const auto ce = CoefEscSerie(c, k)) valor = Redondea(*ce, 2);
        eje = QStringLiteral("Coeficiente Escorrentía [%]");
      }
      if (valor.isEmpty()) return;
      datos(fila, linea + 1) = valor;
      MSChartQDR->setAxisTitle(ChartAxis::Y, eje);
    });

    MSChartQDR->setSeriesType(1, SeriesType::Line2d);
    for (int j = 1; j <= lineas; ++j)
      MSChartQDR->setSeriesLegend(j, NumberText(Recurrencias[static_cast<size_t>(j - 1)]));
    MSChartQDR->setData(std::move(datos));

    // The chart names the component it shows: none when the quantity is a unit's and it is no unit.
    QString componente;
    if (cantidad == 0 || unidad) {
      bool final = false;
      for (int i = 1; i <= nComponentesFinales; ++i)
        final = final || NombresComponentes(c) == ComponentesFinales(i);
      componente = (final ? QStringLiteral("Componente Final: ") : QStringLiteral("Componente: ")) +
                   NumberText(c) + QStringLiteral(", ") + NombresComponentes(c);
    }
    MSChartQDR->setTitle(componente);
    lblTitulo->setText(kTitulo);
    lblNota->setText(TextoProyecto + QStringLiteral("  ") + ArchivoConfiguracion());
    lblNotaPelcan->setText(QStringLiteral("TAVO: Modelo hidrológico de simulación lluvia-caudal"));
  } catch (const VbError& e) {
    if (e.number > 0 && e.number != kErrFileNotFound) {
      MsgBox(ErrorNroText(e));
    }
  }
}

void dlgChart3::lstCompos_Click() {
  if (nComponentes < 1) {
    unloadLater();
    return;
  }
  SeleccionaComponente(lstCompos);
  MSChartQDR->setChartType(ChartType::Line2d);
  Inicializa();
  DibujaGraficoQDR();
}

void dlgChart3::lstPQEC_Click() {
  if (lstPQEC->currentIndex() > 0) {
    const QSignalBlocker quiet(lstCompos);
    lstCompos->clear();
    for (int i = 1; i <= nUEHs; ++i) lstCompos->addItem(NombresComponentes(i));
    // The unit shown stays when it was one; else the nearest unit.
    if (nUEHs > 0) {
      CompoSel = static_cast<Integer>(std::clamp<int>(CompoSel, 1, nUEHs));
      lstCompos->setCurrentIndex(CompoSel - 1);
    }
  } else {
    ListaTodos();
  }
  Inicializa();
  DibujaGraficoQDR();
}

void dlgChart3::cmdXmas_Click() {
  barra_->cmdXmas_Click();
}

void dlgChart3::cmdXmenos_Click() {
  barra_->cmdXmenos_Click();
}

void dlgChart3::cmdImprimir_Click() {
  barra_->Print(
      QStringLiteral("GraficoQDR"), {lstCompos}, [] {},
      [this] {
        Inicializa();
        DibujaGraficoQDR();
      },
      [this] {
        lstCompos->show();
        Form_Resize();
      });
}

void dlgChart3::OKButton_Click() {
  unloadLater();
}

void MuestraGraficoQDR() {
  dlgChart3& form = dlgChart3::instance();
  // The window may have closed itself while opening.
  if (dlgChart3::isLoaded()) ShowModeless(&form, false);
}

void dlgChart3::Actualiza() {
  const QString mostrado = lstCompos->currentText();
  for (int i = nComponentes; i >= 1; --i) {
    if (NombresComponentes(i) == mostrado) CompoSel = static_cast<Integer>(i);
  }
  lstPQEC_Click();
}

void GraficoQDRTrasSerie() {
  if (dlgChart3::isLoaded()) {
    // A window that opened without results starts again from its loading.
    if (dlgChart3::object().lstPQEC->count() == 0 || nComponentes < 1) {
      dlgChart3::unload();
    } else {
      dlgChart3::object().Actualiza();
    }
  }
  MuestraGraficoQDR();
}

}  // namespace tavo
