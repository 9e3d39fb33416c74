#include "rainfall/dlgTablaPpUEHs.h"

#include <vector>

#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "project/estado.h"
#include "project/redfiles.h"
#include "rainfall/dlgPp.h"
#include "rainfall/numeros.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

const QString kFormatoGrilla = QStringLiteral("^Nro. UEH|>Nombre UEH      |> P[mm]         ");
constexpr int kColP = 2;       // the depth column
constexpr int kMaxD = 2880;    // [min]
constexpr int kMaxR = 10000;   // [years]
constexpr double kMaxP = 999;  // [mm], as the storm dialog's depth box
constexpr int kLargoCaja = 5;  // characters the D and R boxes keep

// The value of a box's text; false when it is not a number.
bool ValorDeCaja(const QString& texto, double& valor) {
  if (NumeroDeTexto(texto, valor)) return true;
  try {
    valor = Val(texto);
  } catch (const VbError&) {
    valor = 0;
  }
  return false;
}

}  // namespace

dlgTablaPpUEHs::dlgTablaPpUEHs() : QDialog(nullptr) {
  setObjectName(QStringLiteral("dlgTablaPpUEHs"));
  setWindowTitle(QStringLiteral("Distribución areal de la Precipitación: Tabla P-D-R por UEHs"));
  setFixedSize(Px(7800), Px(6300));

  MSFlexGridPpUEHs = new FlexGrid(this);
  MSFlexGridPpUEHs->setObjectName(QStringLiteral("MSFlexGridPpUEHs"));
  PlaceTwips(MSFlexGridPpUEHs, 120, 120, 7560, 4080);
  MSFlexGridPpUEHs->setCols(3);
  MSFlexGridPpUEHs->setFixedCols(2);

  Frame2 = MakeFrame(this, QStringLiteral("Frame2"),
                     QStringLiteral("Datos de Precipitación P[mm], Duración D[min] y Recurrencia R[años] "),
                     120, 4320, 7560, 960);
  Label4 =
      MakeLabel(Frame2, QStringLiteral("Label4"), QStringLiteral("Duración [min]:"), 240, 450, 1560, 285);
  txtDPpUEHs = new ValidatedBox(Frame2);
  txtDPpUEHs->setObjectName(QStringLiteral("txtDPpUEHs"));
  PlaceTwips(txtDPpUEHs, 1860, 420, 1200, 315);
  Label5 = MakeLabel(Frame2, QStringLiteral("Label5"), QStringLiteral("Recurrencia [años]:"), 3720, 450, 1860,
                     285);
  txtRPpUEHs = new ValidatedBox(Frame2);
  txtRPpUEHs->setObjectName(QStringLiteral("txtRPpUEHs"));
  PlaceTwips(txtRPpUEHs, 5640, 420, 1200, 315);
  TakesNumbers(txtDPpUEHs);
  TakesNumbers(txtRPpUEHs);

  cmdAplicar = MakeButton(this, QStringLiteral("cmdAplicar"), QStringLiteral("&Aplicar"), 120, 5520, 1740);
  cmdBorraTablaHQ =
      MakeButton(this, QStringLiteral("cmdBorraTablaHQ"), QStringLiteral("Borrar Tabla"), 2040, 5520, 1740);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("Ce&rrar"), 3960, 5520, 1740);
  CancelButton =
      MakeButton(this, QStringLiteral("CancelButton"), QStringLiteral("&Cancelar"), 5880, 5520, 1740);
  for (QPushButton* button : {cmdAplicar, cmdBorraTablaHQ, OKButton, CancelButton})
    button->setAutoDefault(false);

  GridTyping::Options typing;
  typing.columns = [](int col) { return col == kColP; };
  typing.lastRow = [this] { return static_cast<int>(NroUEHsTabla); };
  typing_ =
      std::make_unique<GridTyping>(MSFlexGridPpUEHs, HayTecleo, FilaTecleo, ColTecleo, std::move(typing));

  txtDPpUEHs->setValidation([this] { return txtDPpUEHs_Validate(); });
  txtRPpUEHs->setValidation([this] { return txtRPpUEHs_Validate(); });
  connect(MSFlexGridPpUEHs, &FlexGrid::KeyDown, this,
          [this](int key, int) { RunGuarded([&] { MSFlexGridPpUEHs_KeyDown(key); }); });
  connect(MSFlexGridPpUEHs, &FlexGrid::KeyPress, this,
          [this](int key) { RunGuarded([&] { MSFlexGridPpUEHs_KeyPress(key); }); });
  // Apply and Close first check the box being edited, as leaving it would.
  OnSignal(cmdAplicar, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) cmdAplicar_Click();
  });
  OnSignal(OKButton, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) OKButton_Click();
  });
  ConnectGuarded(cmdBorraTablaHQ, &QPushButton::clicked, this, &dlgTablaPpUEHs::cmdBorraTablaHQ_Click);
  ConnectGuarded(CancelButton, &QPushButton::clicked, this, &dlgTablaPpUEHs::CancelButton_Click);
}

void dlgTablaPpUEHs::ResetState() {
  DPpUEHs = 0;
  RPpUEHs = 0;
  HayTecleo = false;
  FilaTecleo = 0;
  ColTecleo = 0;
}

void dlgTablaPpUEHs::reject() {
  RunGuarded([this] { CancelButton_Click(); });
}

void dlgTablaPpUEHs::Form_Load() {
  // The units as last saved, read without touching the network in memory, whose unsaved edits stay.
  const std::vector<std::shared_ptr<UEH>> unidades = LeeUEHsGuardadas();
  NroUEHsTabla = static_cast<Integer>(unidades.size());
  FlexGrid* grilla = MSFlexGridPpUEHs;
  grilla->setFormatString(kFormatoGrilla);
  if (NroUEHsTabla == 0) {
    MsgBox(QStringLiteral("No existen UEHs cargadas, no hay un proyecto asociado"), vbOKOnly | vbExclamation);
    grilla->setRows(1);
    txtDPpUEHs->setText(QStringLiteral("0"));
    txtRPpUEHs->setText(QStringLiteral("0"));
    return;
  }
  grilla->setRows(NroUEHsTabla + 1);
  for (int i = 1; i <= NroUEHsTabla; ++i) {
    grilla->setTextMatrix(i, 0, PlainNumberText(static_cast<Integer>(i)));
    grilla->setTextMatrix(i, 1, unidades[i - 1]->NombreUEH);
    grilla->setTextMatrix(i, kColP, PlainNumberText(PpUEH(i)));
  }
  txtDPpUEHs->setText(PlainNumberText(DPpUEHs));
  txtRPpUEHs->setText(PlainNumberText(RPpUEHs));
}

// ---------------------------------------------------------------------------------------------------
// The D and R boxes and the grid's keys

bool dlgTablaPpUEHs::ValidaEntero(ValidatedBox* caja, Integer& valor, int maximo, const QString& mensaje) {
  if (caja->text().size() > kLargoCaja) caja->setText(caja->text().left(kLargoCaja));
  double numero = 0;
  const bool esNumero = ValorDeCaja(caja->text(), numero);
  Integer d = 0;
  if (!EnteroDeValor(numero, d)) {
    // Too large for the field: the box shows 0 and the value stays as it was.
    caja->setText(QStringLiteral("0"));
    return true;
  }
  caja->setText(PlainNumberText(d));
  if (!esNumero || d < 0 || d > maximo) {
    // A refused value is not kept: the field holds the last one accepted.
    MsgBox(mensaje, vbOKOnly | vbExclamation);
    return false;
  }
  valor = d;
  return true;
}

bool dlgTablaPpUEHs::txtDPpUEHs_Validate() {
  return ValidaEntero(txtDPpUEHs, DPpUEHs, kMaxD,
                      QStringLiteral("Ingrese un valor numérico entero entre 0 y 2880 "));
}

bool dlgTablaPpUEHs::txtRPpUEHs_Validate() {
  return ValidaEntero(txtRPpUEHs, RPpUEHs, kMaxR,
                      QStringLiteral("Ingrese un valor numérico entero entre 0 y 10000 "));
}

void dlgTablaPpUEHs::MSFlexGridPpUEHs_KeyDown(int KeyCode) {
  typing_->keyDown(KeyCode);
}

void dlgTablaPpUEHs::MSFlexGridPpUEHs_KeyPress(int KeyAscii) {
  typing_->keyPress(KeyAscii);
}

// ---------------------------------------------------------------------------------------------------
// Clear table, Apply, Close and Cancel

void dlgTablaPpUEHs::cmdBorraTablaHQ_Click() {
  MSFlexGridPpUEHs->setRows(NroUEHsTabla + 1);
  for (int i = 1; i <= NroUEHsTabla; ++i) MSFlexGridPpUEHs->setTextMatrix(i, kColP, QString());
}

void dlgTablaPpUEHs::AplicaTablaPpUEHs() {
  if (DPpUEHs == 0) {
    MsgBox(QStringLiteral("Si la Duración de la Tormenta es '0' se anularan los datos de Pp cargados"),
           vbOKOnly | vbExclamation);
    txtDPpUEHs->setFocus();
  }
  if (RPpUEHs == 0)
    MsgBox(QStringLiteral("Si la Recurrencia 'R' de la Tormenta es '0' se interpreta como de Período de "
                          "Retorno desconocido"),
           vbOKOnly | vbExclamation);
  const int n = NroUEHsTabla;
  // Without units there is nothing to store.
  if (n == 0) return;

  FlexGrid* grilla = MSFlexGridPpUEHs;
  HayError = false;
  std::vector<double> profundidades(n + 1, 0);
  for (int i = 1; i <= n; ++i) {
    if (!NumeroDeTexto(grilla->TextMatrix(i, kColP), profundidades[i])) {
      HayError = true;
      FilaError = static_cast<Integer>(i);
      ColError = kColP;
    }
  }
  if (HayError) {
    grilla->setFocus();
    grilla->setRow(FilaError);
    grilla->setCol(ColError);
    return;
  }
  // A depth outside the storm dialog's range is refused with that box's message, on the first such
  // cell; nothing is stored.
  for (int i = 1; i <= n; ++i) {
    if (profundidades[i] >= 0 && profundidades[i] <= kMaxP) continue;
    MsgBox(QStringLiteral("Ingrese un valor numérico, entero o decimal, entre 0 y 999"),
           vbOKOnly | vbExclamation);
    grilla->setFocus();
    grilla->setRow(i);
    grilla->setCol(kColP);
    return;
  }
  for (int i = 1; i <= n; ++i) PpUEH(i) = static_cast<Single>(profundidades[i]);
  grilla->setRow(1);
  grilla->setCol(kColP);

  const bool conDialogo = dlgPp::isLoaded();
  if (conDialogo) {
    dlgPp& pp = dlgPp::instance();
    pp.txtDur->setText(txtDPpUEHs->text());
    pp.txtDur->setEnabled(false);
  }
  for (int i = 1; i <= n; ++i) {
    if (PpUEH(i) > 0) {
      PpTormenta = PpUEH(i);
      if (conDialogo) dlgPp::instance().txtPp->setText(PlainNumberText(PpTormenta));
      break;
    }
  }
  if (conDialogo) dlgPp::instance().txtPp->setEnabled(false);
  double duracion = 0;
  ValorDeCaja(txtDPpUEHs->text(), duracion);
  Integer d = DPpUEHs;
  EnteroDeValor(duracion, d);
  DurTormenta = d;
}

void dlgTablaPpUEHs::cmdAplicar_Click() {
  AplicaTablaPpUEHs();
}

void dlgTablaPpUEHs::OKButton_Click() {
  AplicaTablaPpUEHs();
  unloadLater();
}

void dlgTablaPpUEHs::CancelButton_Click() {
  unloadLater();
}

}  // namespace tavo
