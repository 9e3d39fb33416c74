#include "rainfall/dlgTablasPDRs.h"

#include <QApplication>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "rainfall/dlgPp.h"
#include "rainfall/numeros.h"
#include "rainfall/tablaspdr.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

const QString kFormatoGrilla = QStringLiteral("^Nro.  |> Pp [mm]  |>D [min]  |>R [años]  ");
const QString kMensajeCuenta = QStringLiteral("Ingrese un valor numérico entero entre 0 y 999 ");
// The warning of a table that fails its checks, with the durations and return periods a table takes.
QString MensajeInconsistentes() {
  QStringList duraciones;
  for (const Integer d : kDuraciones) duraciones << QString::number(d);
  const QString ultima = duraciones.takeLast();
  QStringList recurrencias;
  for (const Integer r : kRecurrencias) recurrencias << QString::number(r);
  return QStringLiteral(
             "Hay datos inconsistentes. Las filas de tormentas PDR deben ser crecientes en P, D y R. "
             "Las Duraciones: ") +
         duraciones.join(QStringLiteral(", ")) + QStringLiteral(" ó ") + ultima +
         QStringLiteral("). Las Recurrrencias: ") + recurrencias.join(QStringLiteral(", ")) +
         QStringLiteral("). Verifique");
}
constexpr int kMaxTormentas = 999;  // storms of a table
constexpr double kMaxPp = 9999;     // [mm]

template <std::size_t N>
bool EnLista(const std::array<Integer, N>& lista, double valor) {
  return std::find(lista.begin(), lista.end(), valor) != lista.end();
}

}  // namespace

dlgTablasPDRs::dlgTablasPDRs() : QDialog(nullptr) {
  setObjectName(QStringLiteral("dlgTablasPDRs"));
  setWindowTitle(QStringLiteral("Tablas de Precipitación [mm] - Duración [min] - Recurrencia [años]"));
  setFixedSize(Px(10920), Px(7920));

  Frame1 = MakeFrame(this, QStringLiteral("Frame1"),
                     QStringLiteral("Tablas PDR (Especiales o  Personalizadas)"), 120, 120, 5880, 1740);
  Label2 = MakeLabel(Frame1, QStringLiteral("Label2"), QStringLiteral("Tabla   Nro.:"), 240, 390, 1440, 285);
  cmbNroTablaPDRs = new QComboBox(Frame1);
  cmbNroTablaPDRs->setObjectName(QStringLiteral("cmbNroTablaPDRs"));
  PlaceTwips(cmbNroTablaPDRs, 3240, 360, 960, 315);
  cmbNroTablaPDRs->setToolTip(
      QStringLiteral("0: Tabla regional por defecto.  1, 2 ó 3: Tablas personales para cargar o corregir"));
  Label3 = MakeLabel(Frame1, QStringLiteral("Label3"), QStringLiteral("Número de tormentas Pp-D-R:"), 240,
                     810, 2760, 285);
  txtNroPDRs = new ValidatedBox(Frame1);
  txtNroPDRs->setObjectName(QStringLiteral("txtNroPDRs"));
  PlaceTwips(txtNroPDRs, 3240, 780, 960, 315);
  TakesNumbers(txtNroPDRs);
  Label6 = MakeLabel(
      Frame1, QStringLiteral("Label6"),
      QStringLiteral("La opción 0 contiene la tabla por defecto de la región. Se pueden armar hasta "
                     "3 tablas personalizadas."),
      240, 1200, 5520, 450);
  Label6->setWordWrap(true);
  Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Label4 = MakeLabel(this, QStringLiteral("Label4"),
                     QStringLiteral("Las Tablas Pp-D-R o tablas de Precipitación, Duración, Recurrencia, "
                                    "caractérizan una región en estudio."),
                     6120, 180, 4680, 720);
  Label5 = MakeLabel(
      this, QStringLiteral("Label5"),
      QStringLiteral(
          "Permiten ingresar como entradas un conjunto de tormentas sintéticas, de duración y recurrencia "
          "crecientes. El modelo efectúa corridas integradas para estimar los hidrogramas de cada "
          "tormenta. Produce como resultados tablas resúmenes y gráficos de Caudales máximos y "
          "Escorrentías en  función de la Duración D y de la Recurrencia R. (Gráficos Qp-D-R  y  E-D-R)"),
      6120, 960, 4680, 2040);
  for (QLabel* label : {Label4, Label5}) {
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }

  Frame2 = MakeFrame(this, QStringLiteral("Frame2"),
                     QStringLiteral("Precipitación  P[mm], Duración D[min], Recurrencia R[años]"), 120, 1980,
                     5880, 5820);
  MSFlexGridTablaPDRs = new FlexGrid(Frame2);
  MSFlexGridTablaPDRs->setObjectName(QStringLiteral("MSFlexGridTablaPDRs"));
  PlaceTwips(MSFlexGridTablaPDRs, 120, 300, 5640, 5400);
  MSFlexGridTablaPDRs->setToolTip(QStringLiteral(
      "Cargue los datos siguiendo en forma ordenada y creciente segun el ejemplo de la Tabla '0'"));

  Frame3 = MakeFrame(this, QStringLiteral("Frame3"), QStringLiteral("Notas:"), 6120, 3120, 4680, 2520);
  Label1 = MakeLabel(Frame3, QStringLiteral("Label1"), QStringLiteral("Observaciones / Notas:"), 120, 300,
                     4440, 285);
  txtNotas = new QLineEdit(Frame3);
  txtNotas->setObjectName(QStringLiteral("txtNotas"));
  PlaceTwips(txtNotas, 120, 630, 4440, 315);
  lblNotas = MakeLabel(Frame3, QStringLiteral("lblNotas"), QString(), 120, 630, 4440, 1740);
  lblNotas->setWordWrap(true);
  lblNotas->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblNotas->hide();

  cmdAplicar = MakeButton(this, QStringLiteral("cmdAplicar"), QStringLiteral("&Aplicar"), 6120, 6000, 2220);
  cmdBorraTablaDisPer = MakeButton(this, QStringLiteral("cmdBorraTablaDisPer"),
                                   QStringLiteral("Borrar Tabla"), 8580, 6000, 2220);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("Ce&rrar"), 6120, 6600, 2220);
  CancelButton =
      MakeButton(this, QStringLiteral("CancelButton"), QStringLiteral("&Cancelar"), 8580, 6600, 2220);
  for (QPushButton* button : {cmdAplicar, cmdBorraTablaDisPer, OKButton, CancelButton})
    button->setAutoDefault(false);

  GridTyping::Options typing;
  typing.locked = [this] { return NroTablaMostrada == 0; };
  typing.lastRow = [this] { return static_cast<int>(NroPDRs); };
  typing_ =
      std::make_unique<GridTyping>(MSFlexGridTablaPDRs, HayTecleo, FilaTecleo, ColTecleo, std::move(typing));
  connectHandlers();
}

void dlgTablasPDRs::connectHandlers() {
  connect(cmbNroTablaPDRs, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) RunGuarded([this] { cmbNroTablaPDRs_Click(); });
  });
  txtNroPDRs->setValidation([this] { return txtNroPDRs_Validate(); });
  OnSignal(txtNotas, &QLineEdit::textChanged, this, [this] { txtNotas_Change(); });
  connect(MSFlexGridTablaPDRs, &FlexGrid::KeyDown, this,
          [this](int key, int) { RunGuarded([&] { MSFlexGridTablaPDRs_KeyDown(key); }); });
  connect(MSFlexGridTablaPDRs, &FlexGrid::KeyPress, this,
          [this](int key) { RunGuarded([&] { MSFlexGridTablaPDRs_KeyPress(key); }); });
  // Apply and Close first check the box being edited, as leaving it would.
  OnSignal(cmdAplicar, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) cmdAplicar_Click();
  });
  OnSignal(OKButton, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) OKButton_Click();
  });
  ConnectGuarded(cmdBorraTablaDisPer, &QPushButton::clicked, this, &dlgTablasPDRs::cmdBorraTablaDisPer_Click);
  ConnectGuarded(CancelButton, &QPushButton::clicked, this, &dlgTablasPDRs::CancelButton_Click);
}

void dlgTablasPDRs::ResetState() {
  HayTecleo = false;
  FilaTecleo = 0;
  ColTecleo = 0;
}

void dlgTablasPDRs::reject() {
  RunGuarded([this] { CancelButton_Click(); });
}

void dlgTablasPDRs::LeeTablaPDRs() {
  tavo::LeeTablaPDRs();
}

void dlgTablasPDRs::GuardaTablasPDRs() {
  tavo::GuardaTablasPDRs();
}

// ---------------------------------------------------------------------------------------------------
// Loading and choosing a table

void dlgTablasPDRs::Form_Load() {
  {
    // Filling the list chooses no table yet.
    const QSignalBlocker bloqueo(cmbNroTablaPDRs);
    for (const char* item : {"0", "1", "2", "3"}) cmbNroTablaPDRs->addItem(QString::fromLatin1(item));
    cmbNroTablaPDRs->setCurrentIndex(-1);
  }
  LeeTablaPDRs();
  // The table the storm definition dialog has chosen; with that dialog closed, the stored one.
  int k = NroTablaPDR;
  if (dlgPp::isLoaded()) {
    const auto& opciones = dlgPp::instance().optTablaPDR;
    for (int i = 3; i >= 0; --i) {
      if (opciones[i]->isChecked()) k = i;
    }
  }
  cmbNroTablaPDRs->setCurrentIndex(std::clamp(k, 0, 3));
  const int t = NroTablaMostrada;
  txtNotas->setText(NotasTablaPDR[t]);
  NroPDRs = NroFilasTablaPDR[t];
  txtNroPDRs->setText(PlainNumberText(NroPDRs));
  MSFlexGridTablaPDRs->setCols(4);
  MSFlexGridTablaPDRs->setFormatString(kFormatoGrilla);
  LlenaGrillaPDRs();
}

void dlgTablasPDRs::cmbNroTablaPDRs_Click() {
  const Integer t = CInt(Val(cmbNroTablaPDRs->currentText()));
  NroTablaMostrada = t;
  NroPDRs = NroFilasTablaPDR[t];
  // The table shown is the storm definition's table.
  if (dlgPp::isLoaded()) {
    dlgPp::instance().optTablaPDR[t]->setChecked(true);
  } else {
    NroTablaPDR = t;
  }
  txtNroPDRs->setText(PlainNumberText(NroPDRs));
  LlenaGrillaPDRs();
}

void dlgTablasPDRs::LlenaGrillaPDRs() {
  const int t = NroTablaMostrada;
  FlexGrid* grilla = MSFlexGridTablaPDRs;
  grilla->setRows(NroPDRs + 1);
  grilla->setFormatString(kFormatoGrilla);
  const bool personal = t != 0;
  const QColor fondo = personal ? WindowBackgroundColor() : ButtonFaceColor();
  txtNroPDRs->setEnabled(personal);
  txtNotas->setVisible(personal);
  lblNotas->setVisible(!personal);
  if (personal) {
    txtNotas->setToolTip(NotasTablaPDR[t]);
  } else {
    lblNotas->setText(NotasTablaPDR[t]);
    lblNotas->setToolTip(NotasTablaPDR[t]);
  }
  DimensionaTablasPDRs();
  for (int i = 1; i <= NroPDRs; ++i) {
    grilla->setTextMatrix(i, 0, PlainNumberText(static_cast<Integer>(i)));
    grilla->setTextMatrix(i, 1, PlainNumberText(PpTablaPDR(t, i)));
    grilla->setTextMatrix(i, 2, PlainNumberText(DurTablaPDR(t, i)));
    grilla->setTextMatrix(i, 3, PlainNumberText(RecTablaPDR(t, i)));
  }
  if (NroPDRs > 0) {
    grilla->setRow(1);
    grilla->setCol(1);
    grilla->setRowSel(NroPDRs);
    grilla->setColSel(3);
    grilla->setCellBackColor(fondo);
    grilla->setRow(1);
  }
  txtNotas->setText(NotasTablaPDR[t]);
}

// ---------------------------------------------------------------------------------------------------
// The count box, the notes and the grid's keys

bool dlgTablasPDRs::txtNroPDRs_Validate() {
  if (NroTablaMostrada == 0) return true;
  double valor = 0;
  Integer n = 0;
  if (!NumeroDeTexto(txtNroPDRs->text(), valor) || !EnteroDeValor(valor, n) || n < 0 || n > kMaxTormentas) {
    MsgBox(kMensajeCuenta, vbOKOnly);
    return false;
  }
  txtNroPDRs->setText(PlainNumberText(n));
  NroPDRs = n;
  MSFlexGridTablaPDRs->setRows(n + 1);
  NroFilasTablaPDR[NroTablaMostrada] = n;
  for (int i = 1; i <= n; ++i)
    MSFlexGridTablaPDRs->setTextMatrix(i, 0, PlainNumberText(static_cast<Integer>(i)));
  return true;
}

void dlgTablasPDRs::txtNotas_Change() {
  NotasTablaPDR[NroTablaMostrada] = txtNotas->text();
}

void dlgTablasPDRs::MSFlexGridTablaPDRs_KeyDown(int KeyCode) {
  typing_->keyDown(KeyCode);
}

void dlgTablasPDRs::MSFlexGridTablaPDRs_KeyPress(int KeyAscii) {
  typing_->keyPress(KeyAscii);
}

// ---------------------------------------------------------------------------------------------------
// Clear table, Apply, Close and Cancel

void dlgTablasPDRs::cmdBorraTablaDisPer_Click() {
  const int t = NroTablaMostrada;
  if (t == 0) return;
  NroPDRs = 0;
  txtNroPDRs->setText(QStringLiteral("0"));
  txtNotas->clear();
  NotasTablaPDR[t].clear();
  MSFlexGridTablaPDRs->setFocus();
  MSFlexGridTablaPDRs->setRows(1);
  NroFilasTablaPDR[t] = 0;
  GuardaTablasPDRs();
}

void dlgTablasPDRs::AplicaTablasPDRs() {
  const int t = NroTablaMostrada;
  const int N = NroPDRs;
  FlexGrid* grilla = MSFlexGridTablaPDRs;
  std::vector<Single> P(N + 1, 0);
  std::vector<Integer> PEntero(N + 1, 0);
  std::vector<Integer> D(N + 1, 0);
  std::vector<Integer> R(N + 1, 0);

  if (t == 0) {
    // The regional table is not checked: its cells hold what its file holds.
    for (int i = 1; i <= N; ++i) {
      P[i] = CSng(Val(grilla->TextMatrix(i, 1)));
      D[i] = CInt(Val(grilla->TextMatrix(i, 2)));
      R[i] = CInt(Val(grilla->TextMatrix(i, 3)));
    }
  } else {
    HayError = false;
    FilaError = 1;
    ColError = 1;
    auto falla = [this](int i, int c) {
      HayError = true;
      FilaError = static_cast<Integer>(i);
      ColError = static_cast<Integer>(c);
    };
    double valor = 0;
    for (int i = 1; i <= N; ++i) {
      if (!NumeroDeTexto(grilla->TextMatrix(i, 1), valor) || valor < 0 || valor > kMaxPp) {
        falla(i, 1);
      } else {
        P[i] = CSng(valor);
        EnteroDeValor(valor, PEntero[i]);
      }
    }
    // A duration or a return period outside its list is an error that no cell is blamed for; a value
    // that does not fit a whole number of the table fails in its cell.
    for (int i = 1; i <= N; ++i) {
      if (!NumeroDeTexto(grilla->TextMatrix(i, 2), valor) || !EnteroDeValor(valor, D[i])) {
        falla(i, 2);
      } else if (!EnLista(kDuraciones, valor)) {
        HayError = true;
      }
    }
    for (int i = 1; i <= N; ++i) {
      if (!NumeroDeTexto(grilla->TextMatrix(i, 3), valor) || !EnteroDeValor(valor, R[i])) {
        falla(i, 3);
      } else if (!EnLista(kRecurrencias, valor)) {
        HayError = true;
      }
    }
    for (int i = 2; i <= N; ++i) {
      if (R[i] == R[i - 1] && (PEntero[i] < PEntero[i - 1] || D[i] < D[i - 1])) HayError = true;
    }
    if (HayError) {
      // A table that fails its checks stays as it was, in memory and on file, and so does the series.
      MsgBox(MensajeInconsistentes(), vbOKOnly | vbExclamation, QStringLiteral("Advertencia !!!"));
      grilla->setFocus();
      if (N > 0) {
        grilla->setRow(FilaError);
        grilla->setCol(ColError);
      }
      return;
    }
    DimensionaTablasPDRs();
    for (int i = 1; i <= N; ++i) {
      PpTablaPDR(t, i) = PEntero[i];
      DurTablaPDR(t, i) = D[i];
      RecTablaPDR(t, i) = R[i];
    }
    GuardaTablasPDRs();
    if (N > 0) {
      grilla->setRow(1);
      grilla->setCol(1);
    }
  }

  NroTormentasSerie = static_cast<Integer>(N);
  PpSerie.redim(0, N);
  DurSerie.redim(0, N);
  RecSerie.redim(0, N);
  for (int i = 1; i <= N; ++i) {
    PpSerie(i) = P[i];
    DurSerie(i) = D[i];
    RecSerie(i) = R[i];
  }
  if (NroTormentasSerie < 1) return;
  // The series' first storm becomes the storm of the storm definition, through its dialog's boxes
  // when it is open.
  if (dlgPp::isLoaded()) {
    dlgPp& pp = dlgPp::instance();
    pp.txtPp->setText(PlainNumberText(PpSerie(1)));
    pp.txtDur->setText(PlainNumberText(DurSerie(1)));
    pp.cmbRec->setEditText(PlainNumberText(RecSerie(1)));
    PpTormenta = CSng(Val(pp.txtPp->text()));
    DurTormenta = CInt(Val(pp.txtDur->text()));
    RecTormenta = CInt(Val(pp.cmbRec->currentText()));
  } else {
    PpTormenta = PpSerie(1);
    DurTormenta = DurSerie(1);
    RecTormenta = RecSerie(1);
  }
}

void dlgTablasPDRs::cmdAplicar_Click() {
  AplicaTablasPDRs();
}

void dlgTablasPDRs::OKButton_Click() {
  AplicaTablasPDRs();
  unloadLater();
}

void dlgTablasPDRs::CancelButton_Click() {
  CloseAllFiles();
  unloadLater();
}

}  // namespace tavo
