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
Variant Valor(const std::optional<T>& valor) {
  return valor ? Variant(*valor) : Variant();
}

// Equal values, the empty text being no value.
bool Iguales(const Variant& a, const Variant& b) {
  auto vacio = [](const Variant& v) {
    return v.isEmpty() || (v.type() == Variant::Type::String && v.get_if<QString>()->isEmpty());
  };
  return (vacio(a) && vacio(b)) || a == b;
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
  if (nComponentes > 0 && Muestra()) {
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
    filas_.clear();
    return;
  }
  // Each title row shows its text once across the grid; no other cells merge.
  g->setMergeCells(flexMergeRestrictRows);
  g->setCol(0);
  for (int t = 0; t < kTitulos; ++t) {
    AvanzaFila();
    g->setMergeRow(FilaActual, true);
    for (int c = 0; c < kColumnas; ++c) {
      g->setTextMatrix(FilaActual, c, titulos_[static_cast<size_t>(t)]);
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
    const Fila& fila = filas_[static_cast<size_t>(r - 1)];
    if (fila.tipo == Fila::Vacia) continue;
    for (int c = 0; c < kColumnas; ++c) g->setValueMatrix(r, c, Celda(fila, c));
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

  AnchoSegunTextos(g);
  // The cell and the part of the grid the user had before the fill stay current and in view.
  g->setRow(std::clamp(filaUsuario, 1, g->Rows() - 1));
  g->setCol(colUsuario);
  g->verticalScrollBar()->setValue(desplazamiento);
}

bool SeriesTable::Muestra() const {
  const FlexGrid* g = MSFlexGridTablaSaleQDR;
  if (g->Rows() != static_cast<int>(filas_.size()) + 1 || g->Cols() != kColumnas ||
      g->FormatString() != kFormato)
    return false;
  for (int r = 1; r < g->Rows(); ++r) {
    const Fila& fila = filas_[static_cast<size_t>(r - 1)];
    for (int c = 0; c < kColumnas; ++c) {
      if (!Iguales(g->ValueMatrix(r, c), Celda(fila, c))) return false;
    }
  }
  return true;
}

void SeriesTable::Reune(const std::function<void()>& bloques) {
  titulos_ = {ArchivoConfiguracion(), TextoProyecto,
              QStringLiteral("Ubicación: ") + TextoUbicacion + QStringLiteral(" - Cuenca: ") + TextoCuenca,
              QStringLiteral("SubCuenca: ") + TextoSubCuenca,
              QStringLiteral("Operador: ") + TextoOperador + QStringLiteral(" - ") +
                  Now().date().toString(QStringLiteral("dd/MM/yyyy"))};
  for (int t = 0; t < kTitulos; ++t) filas_.push_back({Fila::Titulo, static_cast<Integer>(t), 0});
  bloques();
  primerTotal_ = static_cast<int>(filas_.size()) + 1;
  ForEachRetainedStorm([&] { filas_.push_back({Fila::Total, 0, kTormenta}); });
  filas_.emplace_back();  // the grid ends with one empty row
}

void SeriesTable::Bloque(Integer c) {
  ForEachRetainedStorm([&] { filas_.push_back({Fila::Componente, c, kTormenta}); });
  filas_.emplace_back();  // the block's empty row
}

Variant SeriesTable::Celda(const Fila& fila, int col) const {
  const Integer c = fila.c;
  const Integer k = fila.k;
  switch (fila.tipo) {
    case Fila::Titulo:
      return titulos_[static_cast<size_t>(c)];
    case Fila::Vacia:
      return Variant();
    case Fila::Componente:
      switch (col) {
        case 0:
          return NombresComponentes(c);
        case 1:
          return c;
        case 5:
          return Valor(Redondeado(PicoSerie(c, k)));
        case 6:
          return c <= nUEHs ? Valor(EscorrentiaSerie(c, k)) : Variant();
        case 7:
          return c <= nUEHs ? Valor(Redondeado(CoefEscSerie(c, k))) : Variant();
        default:
          break;
      }
      break;
    case Fila::Total:
      switch (col) {
        case 0:
          return QStringLiteral("Escorrentía total ");
        case 6:
          return Valor(EscorrentiaTotalSerie(k));
        case 7:
          return Valor(Redondeado(CoefEscTotalSerie(k)));
        case 1:
        case 5:
          return Variant();
        default:
          break;
      }
      break;
  }
  switch (col) {
    case 2:
      return PpSerie(k);
    case 3:
      return DurSerie(k);
    default:
      return RecSerie(k);
  }
}

}  // namespace tavo
