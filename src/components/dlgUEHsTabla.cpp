#include "components/dlgUEHsTabla.h"

#include <QCloseEvent>

#include "components/tablasparametros.h"
#include "platform/activation.h"
#include "platform/formlayout.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "reservoirs/funciones.h"
#include "reservoirs/tablas.h"

namespace tavo {

namespace {

constexpr int kColumnas = 14;
constexpr int kAnchos[kColumnas] = {946, 430, 1290, 1290, 1290, 688, 860, 860, 688, 700, 700, 700, 602, 602};
const QString kFormato =
    QStringLiteral("^Componente|^Nro.|^       Nombre   |^     Afluente de|^    Método    ");

// A value of the reservoir tables or the dam outflow settings as the last reload left them; a lake or
// dam added since has no place there and shows nothing.
template <class Valor>
QString Instantanea(Valor valor) {
  try {
    return PlainNumberText(valor());
  } catch (const VbError&) {
    return QString();
  }
}

}  // namespace

dlgUEHsTabla::dlgUEHsTabla() {
  setObjectName(QStringLiteral("dlgUEHsTabla"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Tabla de datos de Entradas: Parámetros Físicos de las UHEs"));
  QPalette fondo = palette();
  fondo.setColor(QPalette::Window, Qt::white);
  setPalette(fondo);
  setAutoFillBackground(true);

  lblProyecto = MakeLabel(this, QStringLiteral("lblProyecto"), QString(), 120, 120, 1212, 255);
  lblTitulo = MakeLabel(this, QStringLiteral("lblTitulo"), QString(), 1440, 120, 5856, 255);
  lblFileProyecto = MakeLabel(this, QStringLiteral("lblFileProyecto"), QString(), 7320, 120, 2880, 255);

  MSFlexGridTablaUEHs = new FlexGrid(this);
  MSFlexGridTablaUEHs->setObjectName(QStringLiteral("MSFlexGridTablaUEHs"));
  MSFlexGridTablaUEHs->setCols(kColumnas);
  MSFlexGridTablaUEHs->setFixedCols(0);
  MSFlexGridTablaUEHs->setBackColor(Qt::white);
  MSFlexGridTablaUEHs->setBackColorFixed(Qt::white);
  MSFlexGridTablaUEHs->setBackColorBkg(Qt::white);

  cmdActualizar = MakeButton(this, QStringLiteral("cmdActualizar"), QStringLiteral("&Actualizar cambios"),
                             6000, 0, 2040, 372);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("&Cerrar"), 8400, 0, 1215, 375);

  ConnectGuarded(cmdActualizar, &QPushButton::clicked, this, &dlgUEHsTabla::cmdActualizar_Click);
  ConnectGuarded(OKButton, &QPushButton::clicked, this, &dlgUEHsTabla::OKButton_Click);
  connect(MSFlexGridTablaUEHs, &FlexGrid::MouseDown, this,
          [this] { RunGuarded([this] { MSFlexGridTablaUEHs_MouseDown(); }); });
  connect(MSFlexGridTablaUEHs, &FlexGrid::MouseUp, this,
          [this] { RunGuarded([this] { MSFlexGridTablaUEHs_MouseUp(); }); });
  auto* activacion = new ActivationWatch(this);
  connect(activacion, &ActivationWatch::activated, this, [this] { RunGuarded([this] { Form_Activate(); }); });
}

void dlgUEHsTabla::ResetState() {
  PulsacionPendiente = false;
  ColPulsada = FilaPulsada = ColAnterior = FilaAnterior = 0;
}

void dlgUEHsTabla::Muestra() {
  if (!isLoaded() && !CierraEditorAbierto()) return;
  ShowModeless(&instance(), false);
}

void dlgUEHsTabla::closeEvent(QCloseEvent* event) {
  event->ignore();
  RunGuarded([this] { OKButton_Click(); });
}

// ---------------------------------------------------------------------------------------------------
// Opening and filling

void dlgUEHsTabla::Form_Load() {
  DimensionaVentanaTabla(this);
  const int botones = Px(static_cast<int>(0.85 * AltoPantalla));
  cmdActualizar->move(cmdActualizar->x(), botones);
  OKButton->move(OKButton->x(), botones);
  PlaceTwips(MSFlexGridTablaUEHs, 120, static_cast<int>(0.05 * AnchoPantalla),
             static_cast<int>(0.96 * AnchoPantalla), static_cast<int>(0.75 * AltoPantalla));
  RecargaProyecto();
  LlenaTablaUEHs();
}

void dlgUEHsTabla::Form_Activate() {
  if (lblProyecto->text() != NombreProyecto) LlenaTablaUEHs();
}

void dlgUEHsTabla::cmdActualizar_Click() {
  LlenaTablaUEHs();
}

void dlgUEHsTabla::OKButton_Click() {
  unloadLater();
}

void dlgUEHsTabla::AvanzaFila(int filas) {
  FilaActual += filas;
  MSFlexGridTablaUEHs->setRows(FilaActual + 1);
}

void dlgUEHsTabla::Resalta(int fila) {
  FlexGrid* g = MSFlexGridTablaUEHs;
  g->setRow(fila);
  g->setCol(0);
  g->setRowSel(fila);
  g->setColSel(kColumnas - 1);
  g->setCellFontBold(true);
  g->setCellFontSize(7);
}

void dlgUEHsTabla::Celda(int col, const QString& texto) {
  MSFlexGridTablaUEHs->setTextMatrix(FilaActual, col, texto);
}

void dlgUEHsTabla::LlenaTablaUEHs() {
  FlexGrid* g = MSFlexGridTablaUEHs;
  lblProyecto->setText(NombreProyecto);
  lblTitulo->setText(FormInstance<frmConfigura>::instance().TextProyecto->text());
  lblFileProyecto->setText(NombreProyecto + QStringLiteral("_Conf.pcn"));

  // Nothing of an earlier fill stays: the grid starts again from its heading row and one empty row.
  g->setRows(1);
  g->setRows(2);
  g->setFormatString(kFormato);
  for (int c = 0; c < kColumnas; ++c) {
    g->setColWidth(c, kAnchos[c]);
    g->setColAlignment(c, flexAlignCenterCenter);
  }
  Resalta(0);
  FilaActual = 0;

  if (!colCauces.empty()) {
    AvanzaFila(1);
    Resalta(FilaActual);
    int c = 5;
    for (const char* titulo :
         {"Vértices", "Ind.Vért.", "Vel.Media", "Longitud", "Orden", "k Musk.", "x Musk."})
      Celda(c++, QString::fromUtf8(titulo));
    for (const auto& cauce : colCauces) {
      AvanzaFila(1);
      Celda(0, QStringLiteral("Cauce"));
      Celda(1, PlainNumberText(cauce->numCauce));
      Celda(2, cauce->NombreCauce);
      Celda(3, cauce->Cauce_aa);
      Celda(4, cauce->optDirMusk ? QStringLiteral("Directo") : QStringLiteral("Muskingum"));
      Celda(5, PlainNumberText(cauce->numVertices));
      Celda(6, PlainNumberText(cauce->IndiceParInicial));
      Celda(7, PlainNumberText(cauce->VelMediaCauce));
      Celda(8, PlainNumberText(cauce->LongCauce));
      Celda(9, PlainNumberText(cauce->OrdenCauce));
      Celda(10, PlainNumberText(cauce->Cauce_k_Musk));
      Celda(11, PlainNumberText(cauce->Cauce_n_Musk));
    }
  }
  // Equal kind names in column 0 show as one cell.
  g->setMergeCells(flexMergeFree);
  g->setMergeCol(0, true);

  if (!colUEHs.empty()) {
    AvanzaFila(2);
    Resalta(FilaActual);
    int c = 5;
    for (const char* titulo : {"Area", "Long. Máx", "Vel.Media", "Infil.'a'", "Infil.'b'", "Humd", "Q ini",
                               "'K' Rec.", "Retens.Z"})
      Celda(c++, QString::fromUtf8(titulo));
    for (const auto& u : colUEHs) {
      AvanzaFila(1);
      Celda(0, QStringLiteral("UEH"));
      Celda(1, PlainNumberText(u->numUEH));
      Celda(2, u->NombreUEH);
      Celda(3, u->Cauce_aa);
      Celda(4, u->Metodo.toString());
      Celda(5, PlainNumberText(u->Area));
      Celda(6, PlainNumberText(u->LongitudMax));
      Celda(7, PlainNumberText(u->VelMedia));
      Celda(8, PlainNumberText(u->KostiakovA));
      Celda(9, PlainNumberText(u->KostiakovB));
      Celda(10, PlainNumberText(u->KostiakovI));
      Celda(11, PlainNumberText(u->Q0Recesion));
      Celda(12, PlainNumberText(u->KRecesion));
      Celda(13, PlainNumberText(u->RetensionZ));
    }
  }

  if (!colLagos.empty()) {
    // The lakes' heading row keeps the grid's normal font.
    AvanzaFila(2);
    Celda(5, QStringLiteral("k Musk."));
    Celda(11, QStringLiteral("Hmin"));
    Celda(12, QStringLiteral("HMáx"));
    Celda(13, QStringLiteral("HInicio"));
    for (const auto& l : colLagos) {
      AvanzaFila(1);
      const int n = l->numLAGO;
      Celda(0, QStringLiteral("Lag./Mallin"));
      Celda(1, PlainNumberText(l->numLAGO));
      Celda(2, l->NombreLAGO);
      Celda(3, l->Cauce_aa);
      Celda(4, l->Metodo.toString());
      Celda(5, PlainNumberText(l->Lago_k_Musk));
      Celda(11, Instantanea([n] { return HTablaHSVQLago(n, 1); }));
      Celda(12, Instantanea([n] { return HTablaHSVQLago(n, NFilasHSVQLago(n)); }));
      Celda(13, PlainNumberText(l->HInicialEmb));
    }
  }

  if (!colRepresas.empty()) {
    AvanzaFila(2);
    Resalta(FilaActual);
    int c = 5;
    for (const char* titulo : {"k Musk.", "Opc.Tabla", "Función", "a", "b", "c", "Hmin", "HMáx", "HInicio"})
      Celda(c++, QString::fromUtf8(titulo));
    for (const auto& r : colRepresas) {
      const int n = r->numRepresa;
      for (int k = 1; k <= 8; ++k) {
        AvanzaFila(1);
        Celda(0, QStringLiteral("Represa"));
        if (k == 1) {
          Celda(1, PlainNumberText(r->numRepresa));
          Celda(2, r->NombreRepresa);
          Celda(3, r->Cauce_aa);
          Celda(4, r->Metodo.toString());
          Celda(5, PlainNumberText(r->Represa_k_Musk));
          Celda(6, r->optTabla ? QStringLiteral("Sí") : QStringLiteral("No"));
          Celda(13, PlainNumberText(r->HInicialEmb));
        }
        Celda(7, Instantanea([n, k] { return ChkFQRepresa(n, k); }));
        Celda(8, Instantanea([n, k] { return CoefFQRepresa(n, k, 1); }));
        Celda(9, Instantanea([n, k] { return CoefFQRepresa(n, k, 2); }));
        if (k >= 5) Celda(10, Instantanea([n, k] { return CoefFQRepresa(n, k, 3); }));
        Celda(11, Instantanea([n, k] { return CoefFQRepresa(n, k, 4); }));
        Celda(12, Instantanea([n, k] { return CoefFQRepresa(n, k, 5); }));
      }
    }
  }

  AnchoSegunTextos(g);
  g->setRow(1);
  g->setCol(1);
}

// ---------------------------------------------------------------------------------------------------
// The two-click selection: each release marks the block from the cell just clicked to the one clicked
// before it.

void dlgUEHsTabla::MSFlexGridTablaUEHs_MouseDown() {
  FlexGrid* g = MSFlexGridTablaUEHs;
  if (!PulsacionPendiente) {
    ColPulsada = static_cast<Integer>(g->Col());
    FilaPulsada = static_cast<Integer>(g->Row());
    PulsacionPendiente = true;
  } else {
    ColAnterior = static_cast<Integer>(g->Col());
    FilaAnterior = static_cast<Integer>(g->Row());
  }
}

void dlgUEHsTabla::MSFlexGridTablaUEHs_MouseUp() {
  if (!PulsacionPendiente) return;
  FlexGrid* g = MSFlexGridTablaUEHs;
  // A corner left by a longer table before a refill stays inside the grid.
  g->setRowSel(std::clamp<int>(FilaAnterior, 0, g->Rows() - 1));
  g->setColSel(std::clamp<int>(ColAnterior, 0, g->Cols() - 1));
  PulsacionPendiente = false;
  ColAnterior = ColPulsada;
  FilaAnterior = FilaPulsada;
}

}  // namespace tavo
