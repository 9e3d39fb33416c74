#include "results/tablaserie.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "components/tablasparametros.h"
#include "engine/informe.h"
#include "engine/resultados.h"
#include "platform/activation.h"
#include "platform/app.h"
#include "platform/formlayout.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "results/graficos.h"
#include "results/resultadosserie.h"

namespace tavo {

namespace {

constexpr int kColumnas = 8;
constexpr int kAnchos[kColumnas] = {1400, 700, 800, 850, 900, 1000, 1000, 1000};
const QString kFormato = QStringLiteral("^Componente |^Nro.|^P[mm]|^D[min]|^R[años]|^Qp[m3/s]|^E[m3]|^C[%]");
constexpr int kAltoBoton = 375;
constexpr int kTitulos = 5;  // title rows under the header

template <class T>
QString Texto(const std::optional<T>& valor) {
  return valor ? PlainNumberText(*valor) : QString();
}

std::optional<Single> Redondeado(const std::optional<Single>& valor) {
  if (!valor) return {};
  return Redondea(*valor, 2);
}

}  // namespace

SeriesTable::SeriesTable(const QString& name, const QString& caption) : QWidget(nullptr, Qt::Window) {
  setObjectName(name);
  setWindowTitle(caption);
  MSFlexGridTablaSaleQDR = new FlexGrid(this);
  MSFlexGridTablaSaleQDR->setObjectName(QStringLiteral("MSFlexGridTablaSaleQDR"));
  MSFlexGridTablaSaleQDR->setCols(kColumnas);
  MSFlexGridTablaSaleQDR->setFixedCols(0);
  cmdAplicarCambios = MakeButton(this, QStringLiteral("cmdAplicarCambios"),
                                 QStringLiteral("&Actualizar cambios"), 120, 0, 2040, kAltoBoton);
  cmdImprimir =
      MakeButton(this, QStringLiteral("cmdImprimir"), QStringLiteral("Imprimir"), 2280, 0, 1215, kAltoBoton);
  OKButton =
      MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("&Cerrar"), 3600, 0, 1215, kAltoBoton);

  ConnectGuarded(cmdAplicarCambios, &QPushButton::clicked, this, &SeriesTable::cmdAplicarCambios_Click);
  ConnectGuarded(cmdImprimir, &QPushButton::clicked, this, &SeriesTable::cmdImprimir_Click);
  ConnectGuarded(OKButton, &QPushButton::clicked, this, &SeriesTable::OKButton_Click);
  auto* activacion = new ActivationWatch(this);
  connect(activacion, &ActivationWatch::activated, this, [this] { RunGuarded([this] { Form_Activate(); }); });
}

void SeriesTable::Dimensiona() {
  LeeDimensionesPantalla();
  resize(Px(static_cast<int>(0.7 * AnchoPantalla)), Px(static_cast<int>(0.9 * AltoPantalla)));
  ColocaVentana(this, 0, 0);
  Form_Resize();
}

void SeriesTable::Form_Resize() {
  const int alto = Twips(height());
  const int altoGrilla = static_cast<int>(0.85 * alto);
  PlaceTwips(MSFlexGridTablaSaleQDR, 120, static_cast<int>(0.01 * AnchoPantalla),
             static_cast<int>(0.65 * AnchoPantalla), altoGrilla);
  MSFlexGridTablaSaleQDR->setScrollBars(3);
  std::vector<QWidget*> linea = {cmdAplicarCambios, OKButton, cmdImprimir};
  linea.insert(linea.end(), bajoGrilla_.begin(), bajoGrilla_.end());
  for (QWidget* w : linea) w->move(w->x(), Px(altoGrilla + 300));
}

void SeriesTable::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RunGuarded([this] { Form_Resize(); });
}

void SeriesTable::closeEvent(QCloseEvent* event) {
  event->ignore();
  RunGuarded([this] { OKButton_Click(); });
}

void SeriesTable::cmdImprimir_Click() {
  std::vector<QWidget*> ocultos = {OKButton, cmdImprimir, cmdAplicarCambios};
  ocultos.insert(ocultos.end(), bajoGrilla_.begin(), bajoGrilla_.end());
  for (QWidget* w : ocultos) w->hide();
  MSFlexGridTablaSaleQDR->setScrollBars(0);
  // Whatever happens while printing, the window gets its controls and scroll bars back.
  struct Vuelta {
    SeriesTable* form;
    std::vector<QWidget*> ocultos;
    ~Vuelta() {
      for (QWidget* w : ocultos) w->show();
      form->MSFlexGridTablaSaleQDR->setScrollBars(3);
    }
  } vuelta{this, ocultos};
  ImprimeVentana(this, QStringLiteral("TablaQDR"));
}

void SeriesTable::AvanzaFila() {
  ++FilaActual;
  MSFlexGridTablaSaleQDR->setRows(FilaActual + 1);
  MSFlexGridTablaSaleQDR->setRow(FilaActual);
}

void SeriesTable::LlenaGrilla(const std::function<void()>& bloques) {
  FlexGrid* g = MSFlexGridTablaSaleQDR;
  // Where the user stood, to stay there when the fill is over.
  const int filaUsuario = g->Row();
  const int colUsuario = g->Col();
  const int desplazamiento = g->verticalScrollBar()->value();

  // Everything below the header is gathered first: the five titles, the blocks, the totals.
  filas_.clear();
  if (nComponentes > 0) Reune(bloques);
  const int ultima = static_cast<int>(filas_.size());
  // A grid that shows all this already stays as it is, with the user's place in it.
  if (nComponentes > 0 && filas_ == mostradas_ && g->Rows() == ultima + 1) {
    FilaActual = ultima;
    return;
  }

  FormatoTabla = kFormato;
  g->setFormatString(FormatoTabla);
  g->setRow(0);
  g->setCol(0);
  g->setRowSel(0);
  g->setColSel(kColumnas - 1);
  g->setCellFontBold(true);
  g->setCellFontSize(7);
  for (int c = 0; c < kColumnas; ++c) g->setColWidth(c, kAnchos[c]);

  FilaActual = 0;
  if (nComponentes == 0) {
    mostradas_.clear();
    return;
  }
  // Each title row shows its text once across the grid; no other cells merge.
  g->setMergeCells(flexMergeRestrictRows);
  g->setCol(0);
  for (int t = 0; t < kTitulos; ++t) {
    AvanzaFila();
    g->setMergeRow(FilaActual, true);
    for (int c = 0; c < kColumnas; ++c) {
      g->setTextMatrix(FilaActual, c, filas_[static_cast<size_t>(t)][static_cast<size_t>(c)]);
      g->setColAlignment(c, flexAlignLeftCenter);
    }
  }
  g->setRow(0);
  for (int c = 0; c < kColumnas; ++c) {
    g->setCol(c);
    g->setCellAlignment(flexAlignCenterCenter);
  }
  FilaActual = ultima;
  g->setRows(FilaActual + 1);
  for (int r = kTitulos + 1; r <= FilaActual; ++r) {
    const std::vector<QString>& fila = filas_[static_cast<size_t>(r - 1)];
    for (size_t c = 0; c < fila.size(); ++c) g->setTextMatrix(r, static_cast<int>(c), fila[c]);
  }
  // The component and total rows centred; the total rows' label as its column.
  g->setRow(kTitulos + 1);
  g->setCol(0);
  g->setRowSel(FilaActual);
  g->setColSel(kColumnas - 1);
  g->setCellAlignment(flexAlignCenterCenter);
  if (primerTotal_ < FilaActual) {
    g->setRow(primerTotal_);
    g->setRowSel(FilaActual - 1);
    g->setColSel(0);
    g->setCellAlignment(flexAlignLeftCenter);
  }
  mostradas_ = std::move(filas_);
  filas_.clear();

  AnchoSegunTextos(g);
  // The cell and the part of the grid the user had before the fill stay current and in view.
  g->setRow(std::clamp(filaUsuario, 1, g->Rows() - 1));
  g->setCol(colUsuario);
  g->verticalScrollBar()->setValue(desplazamiento);
}

void SeriesTable::Reune(const std::function<void()>& bloques) {
  for (const QString& titulo :
       {ArchivoConfiguracion(), TextoProyecto,
        QStringLiteral("Ubicación: ") + TextoUbicacion + QStringLiteral(" - Cuenca: ") + TextoCuenca,
        QStringLiteral("SubCuenca: ") + TextoSubCuenca,
        QStringLiteral("Operador: ") + TextoOperador + QStringLiteral(" - ") +
            Now().date().toString(QStringLiteral("dd/MM/yyyy"))})
    filas_.push_back(std::vector<QString>(kColumnas, titulo));
  bloques();
  primerTotal_ = static_cast<int>(filas_.size()) + 1;
  ForEachRetainedStorm([&] {
    const Integer k = kTormenta;
    filas_.push_back({QStringLiteral("Escorrentía total "), QString(), PlainNumberText(PpSerie(k)),
                      PlainNumberText(DurSerie(k)), PlainNumberText(RecSerie(k)), QString(),
                      Texto(EscorrentiaTotalSerie(k)), Texto(Redondeado(CoefEscTotalSerie(k)))});
  });
  filas_.emplace_back();  // the grid ends with one empty row
}

void SeriesTable::Bloque(Integer c) {
  ForEachRetainedStorm([&] {
    const Integer k = kTormenta;
    std::vector<QString> fila = {NombresComponentes(c),        PlainNumberText(c),
                                 PlainNumberText(PpSerie(k)),  PlainNumberText(DurSerie(k)),
                                 PlainNumberText(RecSerie(k)), Texto(Redondeado(PicoSerie(c, k)))};
    if (c <= nUEHs) {
      fila.push_back(Texto(EscorrentiaSerie(c, k)));
      fila.push_back(Texto(Redondeado(CoefEscSerie(c, k))));
    }
    filas_.push_back(std::move(fila));
  });
  filas_.emplace_back();  // the block's empty row
}

}  // namespace tavo
