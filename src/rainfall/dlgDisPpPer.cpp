#include "rainfall/dlgDisPpPer.h"

#include <QSignalBlocker>
#include <cfloat>
#include <cmath>

#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "rainfall/distribuciones.h"
#include "rainfall/dlgPp.h"
#include "rainfall/numeros.h"

namespace tavo {

namespace {

const QString kFormatoGrilla =
    QStringLiteral("^Período  |> T acumulado[%]  |>P parcial[%]  |>P acumulada[%]  ");
const QString kMensajeCuenta = QStringLiteral("Ingrese un valor numérico entero entre 0 y 999 ");
const QString kMensajeCierre = QStringLiteral(
    "Error de Cierre, la suma de Precipitaciones parciales debe ser 100%. Verifique los datos ingresados");
constexpr int kMaxPeriodos = 999;
constexpr int kColTiempo = 1;     // time at the end of the period [% of D]
constexpr int kColParcial = 2;    // share of the period [% of P], the column whose typing is stored
constexpr int kColAcumulada = 3;  // running sum of the shares [% of P]
constexpr double kCierreMin = 99.99;
constexpr double kCierreMax = 100.01;
constexpr int kItemMinPorDefecto = 0;     // "5"
constexpr int kItemMaxPorDefecto = 13;    // the second "1440"
constexpr Integer kDurMinBorrada = 5;     // [min]
constexpr Integer kDurMaxBorrada = 1440;  // [min]

const char* const kDuracionesMin[] = {"5",   "10",  "15",  "20",  "30",  "60",  "120",
                                      "180", "240", "300", "360", "540", "720", "1440"};
const char* const kDuracionesMax[] = {"10",  "15",  "20",  "30",  "60",  "120",  "180",
                                      "240", "300", "360", "540", "720", "1440", "1440"};

// A cell's text is a share when it is a decimal number written with "." that a Single holds.
bool EsPorcentaje(const QString& texto) {
  double valor = 0;
  return NumeroDeTexto(texto, valor) && std::fabs(valor) <= FLT_MAX;
}

// The time at the end of period j of n, in percent of the duration, cut to two decimals.
QString TiempoAcumulado(int j, int n) {
  return PlainNumberText(Int(100.0 * j / n * 100.0) / 100.0);
}

// Fills a list with its items; it shows none of them yet.
template <std::size_t N>
void LlenaLista(QComboBox* lista, const char* const (&items)[N]) {
  const QSignalBlocker bloqueo(lista);
  lista->clear();
  for (const char* item : items) lista->addItem(QString::fromLatin1(item));
  lista->setCurrentIndex(-1);
}

}  // namespace

dlgDisPpPer::dlgDisPpPer() : QDialog(nullptr) {
  setObjectName(QStringLiteral("dlgDisPpPer"));
  setWindowTitle(QStringLiteral("Distribución temporal de la Precipitación: Tabla P-t Personalizada"));
  setFixedSize(Px(12360), Px(6000));
  buildControls();

  GridTyping::Options typing;
  typing.isNumber = EsPorcentaje;
  typing_ = std::make_unique<GridTyping>(MSFlexGridDisPerso, EdicionPendiente, FilaTecleo, ColTecleo,
                                         std::move(typing));
  connectHandlers();
}

void dlgDisPpPer::buildControls() {
  Frame1 = MakeFrame(this, QStringLiteral("Frame1"),
                     QStringLiteral("Distribución Temporal de Lluvia (Personalizada)"), 120, 120, 5400, 1560);
  Label2 = MakeLabel(Frame1, QStringLiteral("Label2"), QStringLiteral("Tabla de distribución Personal Nro.:"),
                     240, 390, 3480, 285);
  cmbNroTablaDisPpPer = new QComboBox(Frame1);
  cmbNroTablaDisPpPer->setObjectName(QStringLiteral("cmbNroTablaDisPpPer"));
  PlaceTwips(cmbNroTablaDisPpPer, 3840, 360, 1080, 315);
  Label1 = MakeLabel(Frame1, QStringLiteral("Label1"), QStringLiteral("Observaciones / Notas:"), 240, 810,
                     4920, 285);
  txtNotas = new QLineEdit(Frame1);
  txtNotas->setObjectName(QStringLiteral("txtNotas"));
  PlaceTwips(txtNotas, 240, 1110, 4920, 315);

  Frame3 = MakeFrame(this, QStringLiteral("Frame3"), QStringLiteral("Nro. Períodos"), 120, 1800, 5400, 1020);
  Label4 = MakeLabel(Frame3, QStringLiteral("Label4"),
                     QStringLiteral("Ingrese el Número de Perídos de Intensidad Constante de Pp:"), 240, 300,
                     3840, 570);
  Label4->setWordWrap(true);
  txtNroPer = new ValidatedBox(Frame3);
  txtNroPer->setObjectName(QStringLiteral("txtNroPer"));
  PlaceTwips(txtNroPer, 4200, 420, 960, 315);
  TakesNumbers(txtNroPer);

  Frame4 =
      MakeFrame(this, QStringLiteral("Frame4"), QStringLiteral("Perído de Validez"), 120, 2940, 5400, 1740);
  Label3 = MakeLabel(Frame4, QStringLiteral("Label3"),
                     QStringLiteral("Duraciones de tormenta [min] para las que vale la tabla:"), 240, 300,
                     4920, 480);
  Label3->setWordWrap(true);
  Label5 =
      MakeLabel(Frame4, QStringLiteral("Label5"), QStringLiteral("Duración Mínima:"), 240, 840, 1800, 285);
  cmbDurMin = new QComboBox(Frame4);
  cmbDurMin->setObjectName(QStringLiteral("cmbDurMin"));
  PlaceTwips(cmbDurMin, 2160, 810, 1200, 315);
  Label6 =
      MakeLabel(Frame4, QStringLiteral("Label6"), QStringLiteral("Duración Máxima:"), 240, 1260, 1800, 285);
  cmbDurMax = new ValidatedList(Frame4);
  cmbDurMax->setObjectName(QStringLiteral("cmbDurMax"));
  PlaceTwips(cmbDurMax, 2160, 1230, 1200, 315);

  Frame2 = MakeFrame(this, QStringLiteral("Frame2"),
                     QStringLiteral("Ppción. parcial  P[%], en período t [%], (Duración D=100%)"), 5640, 120,
                     6600, 5715);
  MSFlexGridDisPerso = new FlexGrid(Frame2);
  MSFlexGridDisPerso->setObjectName(QStringLiteral("MSFlexGridDisPerso"));
  PlaceTwips(MSFlexGridDisPerso, 120, 300, 6360, 5295);
  MSFlexGridDisPerso->setCols(4);
  MSFlexGridDisPerso->setFixedCols(2);
  MSFlexGridDisPerso->setToolTip(
      QStringLiteral("Se ingresan dstribuciones temporales tipo de la tormenta en porcientos de t y de Pp "));

  cmdAplicar = MakeButton(this, QStringLiteral("cmdAplicar"), QStringLiteral("&Aplicar"), 120, 4920, 2580);
  cmdBorraTablaDisPer = MakeButton(this, QStringLiteral("cmdBorraTablaDisPer"),
                                   QStringLiteral("Borrar Tabla"), 2820, 4920, 2700);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("Ce&rrar"), 120, 5460, 2580);
  CancelButton =
      MakeButton(this, QStringLiteral("CancelButton"), QStringLiteral("&Cancelar"), 2820, 5460, 2700);
  for (QPushButton* button : {cmdAplicar, cmdBorraTablaDisPer, OKButton, CancelButton})
    button->setAutoDefault(false);
}

void dlgDisPpPer::connectHandlers() {
  connect(cmbNroTablaDisPpPer, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) RunGuarded([this] { cmbNroTablaDisPpPer_Click(); });
  });
  connect(cmbDurMin, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) RunGuarded([this] { cmbDurMin_Click(); });
  });
  connect(cmbDurMax, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) RunGuarded([this] { cmbDurMax_Click(); });
  });
  txtNroPer->setValidation([this] { return txtNroPer_Validate(); });
  cmbDurMax->setValidation([this] { return cmbDurMax_Validate(); });
  OnSignal(txtNotas, &QLineEdit::textChanged, this, [this] { txtNotas_Change(); });
  FlexGrid* grilla = MSFlexGridDisPerso;
  connect(grilla, &FlexGrid::KeyDown, this,
          [this](int key, int) { RunGuarded([&] { MSFlexGridDisPerso_KeyDown(key); }); });
  connect(grilla, &FlexGrid::KeyPress, this,
          [this](int key) { RunGuarded([&] { MSFlexGridDisPerso_KeyPress(key); }); });
  connect(grilla, &FlexGrid::LeaveCell, this,
          [this] { RunGuarded([this] { MSFlexGridDisPerso_LeaveCell(); }); });
  // Apply and Close first check the box or list being edited, as leaving it would.
  OnSignal(cmdAplicar, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) cmdAplicar_Click();
  });
  OnSignal(OKButton, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) OKButton_Click();
  });
  ConnectGuarded(cmdBorraTablaDisPer, &QPushButton::clicked, this, &dlgDisPpPer::cmdBorraTablaDisPer_Click);
  ConnectGuarded(CancelButton, &QPushButton::clicked, this, &dlgDisPpPer::CancelButton_Click);
}

void dlgDisPpPer::ResetState() {
  NroTablaDisPer = 0;
  NroPer = 0;
  OmitirControlMin = false;
  OmitirControlMax = false;
  EdicionPendiente = false;
  FilaTecleo = 0;
  ColTecleo = 0;
  DisPerAcum.redim(0, 0);
}

void dlgDisPpPer::reject() {
  RunGuarded([this] { CancelButton_Click(); });
}

void dlgDisPpPer::LeeTablaDisTemPer() {
  tavo::LeeTablaDisTemPer();
}

// ---------------------------------------------------------------------------------------------------
// Opening and choosing a table

void dlgDisPpPer::Form_Load() {
  {
    // Filling the list chooses no table yet.
    const QSignalBlocker bloqueo(cmbNroTablaDisPpPer);
    for (const char* item : {"1", "2", "3"}) cmbNroTablaDisPpPer->addItem(QString::fromLatin1(item));
    cmbNroTablaDisPpPer->setCurrentIndex(-1);
  }
  LeeTablaDisTemPer();
  // A text typed into the grid of an earlier opening went with that grid.
  EdicionPendiente = false;
  // The table of the user distribution chosen in the storm dialog; with that dialog closed or none
  // chosen, the table shown last (table 1 the first time).
  if (dlgPp::isLoaded()) {
    const auto& opciones = dlgPp::instance().optDistriPp;
    for (int i = 7; i >= 5; --i) {
      if (opciones[i]->isChecked()) NroTablaDisPer = static_cast<Integer>(i - 4);
    }
  }
  if (NroTablaDisPer < 1 || NroTablaDisPer > 3) NroTablaDisPer = 1;
  const int t = NroTablaDisPer;
  {
    const QSignalBlocker bloqueo(cmbNroTablaDisPpPer);
    cmbNroTablaDisPpPer->setCurrentIndex(t - 1);
  }
  txtNotas->setText(NotasDisPer[t]);
  NroPer = NroFilasTablaPp[t];
  txtNroPer->setText(PlainNumberText(NroPer));
  MSFlexGridDisPerso->setCols(4);
  MSFlexGridDisPerso->setRows(NroPer + 1);
  MSFlexGridDisPerso->setFormatString(kFormatoGrilla);
  LlenaLista(cmbDurMin, kDuracionesMin);
  LlenaLista(cmbDurMax, kDuracionesMax);

  // A limit the lists do not offer becomes their first item, stored as the table's limit.
  OmitirControlMin = true;
  if (!SeleccionaDuracion(cmbDurMin, DurMinDisPer[t])) cmbDurMin->setCurrentIndex(0);
  if (!SeleccionaDuracion(cmbDurMax, DurMaxDisPer[t])) cmbDurMax->setCurrentIndex(0);
  LlenaGrillaDisTemPer();
  MuestraValidezEnPp(true);
  OmitirControlMin = false;
}

void dlgDisPpPer::MuestraValidezEnPp(bool mostrar) {
  if (!dlgPp::isLoaded()) return;
  dlgPp& pp = dlgPp::instance();
  const int t = NroTablaDisPer;
  if (t < 1 || t > 3 || (!mostrar && !pp.optDistriPp[t + 4]->isChecked())) return;
  pp.lblDurMin->setText(PlainNumberText(DurMinDisPer[t]));
  pp.lblDurMax->setText(PlainNumberText(DurMaxDisPer[t]));
  if (mostrar) {
    for (QLabel* label : {pp.lblValidez, pp.lblDurMin, pp.lblDurMax}) label->show();
  }
}

bool dlgDisPpPer::SeleccionaDuracion(QComboBox* lista, Integer valor) {
  for (int i = lista->count() - 1; i >= 0; --i) {
    if (Val(lista->itemText(i)) == valor) {
      lista->setCurrentIndex(i);
      return true;
    }
  }
  return false;
}

void dlgDisPpPer::LlenaGrillaDisTemPer() {
  const int t = NroTablaDisPer;
  SeleccionaDuracion(cmbDurMin, DurMinDisPer[t]);
  SeleccionaDuracion(cmbDurMax, DurMaxDisPer[t]);

  FlexGrid* grilla = MSFlexGridDisPerso;
  grilla->setRows(NroPer + 1);
  grilla->setFormatString(kFormatoGrilla);
  DimensionaDisPer();
  for (int j = 1; j <= NroPer; ++j) {
    grilla->setTextMatrix(j, 0, PlainNumberText(static_cast<Integer>(j)));
    grilla->setTextMatrix(j, kColTiempo, TiempoAcumulado(j, NroPer));
    grilla->setTextMatrix(j, kColParcial, PlainNumberText(DisPer(t, j)));
  }
  EscribeAcumulados();

  txtNotas->setText(NotasDisPer[t]);
}

void dlgDisPpPer::cmbNroTablaDisPpPer_Click() {
  // A share typed and not yet taken goes into the table it was typed for.
  MSFlexGridDisPerso_LeaveCell();
  OmitirControlMax = true;
  OmitirControlMin = true;
  const Integer t = CInt(Val(cmbNroTablaDisPpPer->currentText()));
  NroTablaDisPer = t;
  NroPer = NroFilasTablaPp[t];
  // The table shown is the storm dialog's distribution.
  if (dlgPp::isLoaded()) dlgPp::instance().optDistriPp[t + 4]->setChecked(true);
  txtNroPer->setText(PlainNumberText(NroPer));
  LlenaGrillaDisTemPer();
  OmitirControlMax = false;
  OmitirControlMin = false;
}

// ---------------------------------------------------------------------------------------------------
// The period count, the validity range and the notes

bool dlgDisPpPer::txtNroPer_Validate() {
  double valor = 0;
  Integer n = 0;
  if (!NumeroDeTexto(txtNroPer->text(), valor) || !EnteroDeValor(valor, n) || n < 0 || n > kMaxPeriodos) {
    MsgBox(kMensajeCuenta, vbOKOnly);
    return false;
  }
  // A share typed and not yet taken goes into the period it was typed for before the rows change.
  if (n != NroPer) MSFlexGridDisPerso_LeaveCell();
  NroPer = n;
  txtNroPer->setText(PlainNumberText(n));
  DimensionaGrilla();
  NroFilasTablaPp[NroTablaDisPer] = n;
  DimensionaDisPer();
  return true;
}

void dlgDisPpPer::DimensionaGrilla() {
  FlexGrid* grilla = MSFlexGridDisPerso;
  grilla->setRows(NroPer + 1);
  for (int j = 1; j <= NroPer; ++j) {
    grilla->setTextMatrix(j, 0, PlainNumberText(static_cast<Integer>(j)));
    grilla->setTextMatrix(j, kColTiempo, TiempoAcumulado(j, NroPer));
  }
  PintaAcumulados();
}

void dlgDisPpPer::PintaAcumulados() {
  FlexGrid* grilla = MSFlexGridDisPerso;
  if (NroPer < 1) return;
  // The cells are marked to be painted and the current cell put back: none of it is leaving a cell.
  const QSignalBlocker bloqueo(grilla);
  const int fila = grilla->Row();
  const int col = grilla->Col();
  grilla->setRow(1);
  grilla->setCol(kColAcumulada);
  grilla->setRowSel(NroPer);
  grilla->setColSel(kColAcumulada);
  grilla->setCellBackColor(ButtonFaceColor());
  grilla->setRow(fila);
  grilla->setCol(col);
}

void dlgDisPpPer::cmbDurMin_Click() {
  const Integer minimo = CInt(Val(cmbDurMin->currentText()));
  if (!OmitirControlMin && minimo > Val(cmbDurMax->currentText()))
    MsgBox(QStringLiteral("El Límite inferior elegido es mayor al límite superior seleccionado."),
           vbOKOnly | vbExclamation);
  DurMinDisPer[NroTablaDisPer] = minimo;
  MuestraValidezEnPp(false);
}

void dlgDisPpPer::cmbDurMax_Click() {
  DurMaxDisPer[NroTablaDisPer] = CInt(Val(cmbDurMax->currentText()));
  MuestraValidezEnPp(false);
}

bool dlgDisPpPer::cmbDurMax_Validate() {
  if (OmitirControlMax || Val(cmbDurMin->currentText()) <= Val(cmbDurMax->currentText())) return true;
  MsgBox(QStringLiteral("El Límite superior elegido es menor al límite inferior seleccionado."),
         vbOKOnly | vbExclamation);
  return false;
}

void dlgDisPpPer::txtNotas_Change() {
  NotasDisPer[NroTablaDisPer] = txtNotas->text();
}

// ---------------------------------------------------------------------------------------------------
// The grid

void dlgDisPpPer::MSFlexGridDisPerso_KeyDown(int KeyCode) {
  typing_->keyDown(KeyCode);
}

void dlgDisPpPer::MSFlexGridDisPerso_KeyPress(int KeyAscii) {
  typing_->keyPress(KeyAscii);
}

void dlgDisPpPer::MSFlexGridDisPerso_LeaveCell() {
  FlexGrid* grilla = MSFlexGridDisPerso;
  if (grilla->Col() != kColParcial || !EdicionPendiente) return;
  const int fila = grilla->Row();
  if (fila < 1 || fila > DisPer.upper2()) return;
  DisPer(NroTablaDisPer, fila) = CSng(Val(grilla->Text()));
  AcumulaGrillaDisTemPer();
}

void dlgDisPpPer::AcumulaGrillaDisTemPer() {
  EdicionPendiente = false;
  EscribeAcumulados();
}

void dlgDisPpPer::EscribeAcumulados() {
  DimensionaDisPer();
  const int t = NroTablaDisPer;
  DisPerAcum.redim(0, NroPer);
  Single suma = 0;
  for (int j = 1; j <= NroPer; ++j) {
    suma += DisPer(t, j);
    DisPerAcum(j) = suma;
  }
  for (int j = 1; j <= NroPer; ++j)
    MSFlexGridDisPerso->setTextMatrix(j, kColAcumulada, PlainNumberText(DisPerAcum(j)));
  PintaAcumulados();
}

// ---------------------------------------------------------------------------------------------------
// Clear table, Apply, Close and Cancel

void dlgDisPpPer::cmdBorraTablaDisPer_Click() {
  const int t = NroTablaDisPer;
  // A share still being typed goes with the table.
  EdicionPendiente = false;
  NroPer = 0;
  txtNroPer->setText(QStringLiteral("0"));
  txtNotas->clear();
  NotasDisPer[t].clear();
  DurMinDisPer[t] = kDurMinBorrada;
  DurMaxDisPer[t] = kDurMaxBorrada;
  cmbDurMin->setCurrentIndex(kItemMinPorDefecto);
  cmbDurMax->setCurrentIndex(kItemMaxPorDefecto);
  MuestraValidezEnPp(false);
  MSFlexGridDisPerso->setFocus();
  DimensionaGrilla();
  NroFilasTablaPp[t] = 0;
  GuardaTablaDisTemPer();
}

void dlgDisPpPer::AplicaTablaDisTemPer() {
  FlexGrid* grilla = MSFlexGridDisPerso;
  const int N = NroPer;
  MSFlexGridDisPerso_LeaveCell();

  bool rechazada = false;
  int fila = 1;
  for (int j = 1; j <= N; ++j) {
    if (!EsPorcentaje(grilla->TextMatrix(j, kColParcial))) {
      rechazada = true;
      fila = j;
    }
  }
  const double suma = N > 0 ? Val(grilla->TextMatrix(N, kColAcumulada)) : 0.0;
  if ((N > 0 && suma < kCierreMin) || suma > kCierreMax) {
    MsgBox(kMensajeCierre, vbOKOnly | vbExclamation);
    rechazada = true;
    fila = 1;
  }
  if (rechazada) {
    grilla->setFocus();
    if (N >= 1) {
      grilla->setRow(fila);
      grilla->setCol(kColParcial);
    }
    return;
  }
  GuardaTablaDisTemPer();
  if (N >= 1) {
    grilla->setRow(1);
    grilla->setCol(kColParcial);
  }
}

void dlgDisPpPer::cmdAplicar_Click() {
  AplicaTablaDisTemPer();
}

void dlgDisPpPer::OKButton_Click() {
  AplicaTablaDisTemPer();
  unloadLater();
}

void dlgDisPpPer::CancelButton_Click() {
  unloadLater();
}

}  // namespace tavo
