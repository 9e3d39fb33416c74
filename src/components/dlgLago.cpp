#include "components/dlgLago.h"

#include <QEvent>

#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "project/estado.h"
#include "reservoirs/dlgTablaReservorio.h"
#include "reservoirs/tablas.h"

namespace tavo {

namespace {
QString U(const char* text) {
  return QString::fromUtf8(text);
}
}  // namespace

dlgLago::dlgLago()
    : ComponentDialog("dlgLago", U("Propiedades de LAG (Depresiones , Mallines, Lagos y Lagunas)"), 8520,
                      6300, QStringLiteral("l-")) {
  Frame1 = MakeFrame(this, QStringLiteral("Frame1"),
                     U("Identificación de la depresión, mallín, laguna, lago"), 120, 60, 8280, 1440);
  Etiqueta(Frame1, "Label12", U("Laguna:"), 240, 345, 840);
  lstLAGOs = Lista(Frame1, "lstLAGOs", 1080, 300, 2640, 1005);
  Etiqueta(Frame1, "Label1", U("Nro. Laguna:"), 4080, 345, 1560);
  lblNroLAGO = Valor(Frame1, "lblNroLAGO", QStringLiteral("0"), 5640, 300, 1200);
  Etiqueta(Frame1, "Label2", U("Nombre Laguna:"), 4080, 765, 1560);
  lblNombreLAGO = Valor(Frame1, "lblNombreLAGO", QString(), 5640, 720, 2400);

  Frame2 = MakeFrame(this, QStringLiteral("Frame2"), U("Area de aportes y método de cálculo / propagación"),
                     120, 1560, 8280, 3360);
  Etiqueta(Frame2, "Label10", U("Modificar Nombre Lag.:"), 240, 375, 2040);
  txtNombreLAGO =
      CajaNombre(Frame2, "txtNombreLAGO", 2280, 330, 2160, [this] { return txtNombreLAGO_LostFocus(); });
  Etiqueta(Frame2, "Label3", U("Referencia:"), 240, 795, 2040);
  txtReferencia = CajaTexto(Frame2, "txtReferencia", 2280, 750, 5760);
  Etiqueta(Frame2, "Label8", U("Drena al Cauce:"), 240, 1215, 2040);
  lstCauceAA = Lista(Frame2, "lstCauceAA", 2280, 1170, 2160, 1050);
  lblDrenaCauceAA = Valor(Frame2, "lblDrenaCauceAA", QString(), 2280, 2280, 2160);
  Etiqueta(Frame2, "Label4", U("Propagación/Método:"), 4680, 1215, 1800);
  lstMetodo = Lista(Frame2, "lstMetodo", 6480, 1170, 1560, 780);
  lblMetodo = Valor(Frame2, "lblMetodo", QString(), 6480, 2040, 1560);
  lblLagoCofk = Etiqueta(Frame2, "lblLagoCofk", U("k[min]="), 4680, 2805, 1680);
  txtLago_k = CajaNumero(Frame2, "txtLago_k", 6480, 2760, 1200, 99999,
                         U("Ingrese un valor numérico entre 0 y 99999 (0 y 99999)"), 0);
  Etiqueta(Frame2, "Label5", U("Altura Inicial Embalse [m]"), 240, 2805, 2400);
  txtHInicialEmb =
      CajaHInicial(Frame2, "txtHInicialEmb", 2640, 2760, 1200, NFilasHSVQLago, HTablaHSVQLago, selLago);

  cmdParametros =
      MakeButton(this, QStringLiteral("cmdParametros"), U("Cargar Parámetros Físicos"), 120, 5040, 2640);
  lblParametros = Valor(this, "lblParametros", QStringLiteral("---"), 2880, 5077, 2400);

  Botones(5760, 5700);

  lstLAGOs->setToolTip(U("Puede seleccionar desde este campo una laguna para su edición"));
  txtNombreLAGO->setToolTip(U("Puede modificar el nombre de la laguna desde este campo"));
  lstCauceAA->setToolTip(U("Seleccione el Cauce al que drena"));

  QWidget* orden[] = {OKButton,   CancelButton, lstLAGOs,  txtNombreLAGO,  txtReferencia,
                      lstCauceAA, lstMetodo,    txtLago_k, txtHInicialEmb, cmdParametros};
  for (size_t k = 1; k < std::size(orden); ++k) setTabOrder(orden[k - 1], orden[k]);

  connect(lstLAGOs, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstLAGOs_Click(); });
  });
  connect(lstCauceAA, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstCauceAA_Click(); });
  });
  connect(lstMetodo, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstMetodo_Click(); });
  });
  ConnectGuarded(cmdParametros, &QPushButton::clicked, this, &dlgLago::cmdParametros_Click);
  NamesShownIn(lstLAGOs, lblNombreLAGO);
  Termina();
}

Lago& dlgLago::Actual() const {
  return *vLagos[selLago];
}

ObjectRef dlgLago::SelectedRecord() const {
  return SelectedIn(colLagos, vLagos, selLago);
}

QString dlgLago::NombreActual() const {
  return Actual().NombreLAGO;
}

bool dlgLago::NombreOcupado(const QString& nombre) const {
  for (int i = 1; i <= static_cast<int>(colLagos.size()); ++i) {
    if (i != selLago && vLagos[i]->NombreLAGO == nombre) return true;
  }
  return false;
}

void dlgLago::Form_Load() {
  // A selection outside the network shows the first lake, as none does.
  if (selLago <= 0 || selLago > static_cast<int>(colLagos.size())) selLago = 1;
  lstLAGOs->clear();
  for (const auto& l : colLagos) lstLAGOs->addItem(l->NombreLAGO);
  if (colLagos.empty()) selLago = 0;
  if (selLago != 0) {
    LlenandoListas = true;
    FijaFila(lstLAGOs, FilaDe(lstLAGOs, Actual().NombreLAGO));
    LlenandoListas = false;
  }
  MuestraLago();
  if (selLago == 0) CancelButton_Click();
}

void dlgLago::MuestraLago() {
  if (selLago == 0) return;
  NoteShown();
  Lago& l = Actual();
  lblNroLAGO->setText(QString::number(selLago));
  lblNombreLAGO->setText(l.NombreLAGO);
  txtNombreLAGO->setText(l.NombreLAGO);

  // A lake drains into a reach only.
  lstCauceAA->clear();
  for (const auto& c : colCauces) lstCauceAA->addItem(c->NombreCauce);
  lstCauceAA->addItem(kNinguno);
  lstCauceAA->addItem(QStringLiteral("0"));
  mostrando_ = true;
  filaReceptor_ = FilaDe(lstCauceAA, l.Cauce_aa);
  FijaFila(lstCauceAA, filaReceptor_);
  mostrando_ = false;
  lblDrenaCauceAA->setText(TextoLista(lstCauceAA));

  txtReferencia->setText(l.Referencia);

  // A lake made in the editor says "Directo", which is no method of a lake.
  MuestraMetodo(lstMetodo, l.Metodo);
  lblMetodo->setText(TextoLista(lstMetodo));

  txtHInicialEmb->setText(TextoCampo(l.HInicialEmb));
  txtLago_k->setText(TextoCampo(l.Lago_k_Musk));

  LeeTablaHSVQLago();
  MuestraEstadoTabla();
}

void dlgLago::MuestraEstadoTabla() {
  const bool conTabla =
      selLago >= NFilasHSVQLago.lower() && selLago <= NFilasHSVQLago.upper() && NFilasHSVQLago(selLago) >= 1;
  lblParametros->setText(conTabla ? QStringLiteral("Datos HSVQ en Tabla")
                                  : QStringLiteral("Sin datos en Tabla"));
}

void dlgLago::GuardaDatosLago() {
  if (LlenandoListas || !ShownIsSelected()) return;
  Lago& l = Actual();
  GuardaNombre();
  l.Referencia = txtReferencia->text();
  const QString receptor = TextoLista(lstCauceAA);
  for (const auto& c : colCauces) {
    if (c->NombreCauce == receptor) {
      const Integer n = c->numCauce;
      l.XCauce = XVertice(n, numVerticesCauce(n));
      l.YCauce = YVertice(n, numVerticesCauce(n));
      l.Cauce_aa = c->NombreCauce;
    }
  }
  if (l.Cauce_aa.isEmpty()) {
    l.XCauce = 0;
    l.YCauce = Single(0);
  }
  l.Metodo = TextoLista(lstMetodo);
  l.Lago_k_Musk = LeeCampo(txtLago_k);
  l.HInicialEmb = LeeCampo(txtHInicialEmb);
}

void dlgLago::lstLAGOs_Click() {
  GuardaDatosLago();
  const QString elegido = TextoLista(lstLAGOs);
  for (int i = 1; i <= static_cast<int>(colLagos.size()); ++i) {
    if (vLagos[i]->NombreLAGO == elegido) selLago = CheckInteger(i);
  }
  MuestraLago();
}

void dlgLago::lstCauceAA_Click() {
  if (!ShownIsSelected()) return;
  Lago& l = Actual();
  const QString receptor = TextoLista(lstCauceAA);
  // The previous pick comes back before anything is written.
  if (!mostrando_ && RefusaBucle(lstCauceAA, filaReceptor_, l.NombreLAGO)) return;
  filaReceptor_ = lstCauceAA->currentRow();
  // "Ninguno" and "0" are stored at once; a reach at the commit.
  if (receptor == kNinguno) {
    l.Cauce_aa.clear();
  } else if (receptor == QLatin1String("0")) {
    l.Cauce_aa = receptor;
    l.XCauce = 0;
    l.YCauce = Single(0);
  }
  lblDrenaCauceAA->setText(receptor);
}

void dlgLago::lstMetodo_Click() {
  const QString metodo = TextoLista(lstMetodo);
  lblMetodo->setText(metodo);
  const bool muskingum = metodo == kMuskingum;
  txtLago_k->setVisible(muskingum);
  txtLago_k->setEnabled(muskingum);
  lblLagoCofk->setText(muskingum ? U("k[min]=") : metodo);
  // A k typed and not committed gives way to the stored one.
  if (ShownIsSelected()) txtLago_k->setText(TextoCampo(Actual().Lago_k_Musk));
}

void dlgLago::cmdParametros_Click() {
  // The table window opens on the selected lake, which must be the one shown.
  if (!ShownIsSelected()) return;
  dlgTablaSHVQ& tabla = dlgTablaSHVQ::instance();
  // The label beside the button tells of the table as the window leaves it.
  connect(&tabla, &dlgTablaReservorio::tableApplied, this, &dlgLago::MuestraEstadoTabla,
          Qt::UniqueConnection);
  ShowModeless(&tabla, false);
  if (dlgTablaSHVQ::isLoaded()) tabla.activateWindow();
}

void dlgLago::OKButton_Click() {
  GuardaDatosLago();
  selUEH = 0;
  selCauce = 0;
  selLago = 0;
  Cierra();
}

void dlgLago::CancelButton_Click() {
  selUEH = 0;
  selCauce = 0;
  selRepresa = 0;
  selLago = 0;
  Cierra();
}

void dlgLago::txtNombreLAGO_Click() {
  ClickNombre();
}

bool dlgLago::txtNombreLAGO_LostFocus() {
  if (!SaleNombre()) return false;
  // A network read again under the dialog is shown afresh.
  if (!ShownIsSelected()) Form_Load();
  return true;
}

void dlgLago::Renombra(const QString& nombre) {
  Lago& l = Actual();
  RenombraReceptor(l.NombreLAGO, nombre, true);
  l.NombreLAGO = nombre;
}

QStringList dlgLago::KindNames() const {
  QStringList nombres;
  for (const auto& l : colLagos) nombres << l->NombreLAGO;
  return nombres;
}

void dlgLago::txtReferencia_Click() {
  const QString nota = ClickNota(txtReferencia);
  if (ShownIsSelected()) Actual().Referencia = nota;
}

bool dlgLago::eventFilter(QObject* watched, QEvent* event) {
  if (ComponentDialog::eventFilter(watched, event)) return true;
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == txtNombreLAGO) RunGuarded([this] { txtNombreLAGO_Click(); });
    if (watched == txtReferencia) RunGuarded([this] { txtReferencia_Click(); });
  }
  return false;
}

}  // namespace tavo
