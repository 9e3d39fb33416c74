#include "components/dlgRepresas.h"

#include <QEvent>
#include <QSignalBlocker>

#include "platform/controls.h"
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

constexpr int kFilaRango = 330;  // height of an outflow range's row, twips

// True when a box's text reads as a number other than 0.
bool LeeNoCero(const QLineEdit* caja) {
  try {
    return Val(caja->text()) != 0;
  } catch (const VbError&) {
    return true;  // too large for a number, so not 0
  }
}
}  // namespace

dlgRepresas::dlgRepresas()
    : ComponentDialog("dlgRepresas", U("Propiedades de Represas"), 10920, 9660, QStringLiteral("r-")) {
  Frame1 = MakeFrame(this, QStringLiteral("Frame1"), U("Identificación de la Represa"), 120, 60, 10680, 1320);
  Etiqueta(Frame1, "Label1", U("Represa:"), 240, 345, 960);
  lstRepresas = Lista(Frame1, "lstRepresas", 1200, 300, 2880, 900);
  Etiqueta(Frame1, "Label2", U("Nro. Represa:"), 4440, 345, 1560);
  lblNroRepresa = Valor(Frame1, "lblNroRepresa", QStringLiteral("0"), 6000, 300, 1200);
  Etiqueta(Frame1, "Label3", U("Nombre Represa:"), 4440, 765, 1560);
  lblNombreRepresa = Valor(Frame1, "lblNombreRepresa", QString(), 6000, 720, 2400);

  Frame2 = MakeFrame(this, QStringLiteral("Frame2"),
                     U("Modificación de Nombre - Cauce de descarga - Método de Cálculo HAS"), 120, 1440,
                     10680, 2400);
  Etiqueta(Frame2, "Label4", U("Modificar Nombre:"), 240, 375, 1680);
  txtNombreRepresa = CajaNombre(Frame2, "txtNombreRepresa", 1920, 330, 2160,
                                [this] { return txtNombreRepresa_LostFocus(); });
  Etiqueta(Frame2, "Label5", U("Drena al Cauce:"), 240, 795, 1680);
  lstCauceAA = Lista(Frame2, "lstCauceAA", 1920, 750, 2160, 1050);
  lstCauceAA->setToolTip(U("Seleccione el Cauce al que drena"));
  lblDrenaCauceAA = Valor(Frame2, "lblDrenaCauceAA", QString(), 1920, 1890, 2160);
  Etiqueta(Frame2, "Label6", U("Propagación:"), 4440, 375, 1200);
  lstMetodo = Lista(Frame2, "lstMetodo", 5640, 330, 1800, 780);
  lstMetodo->setToolTip(
      U("Seleccione el método de propagación de la crecida dentro del embalse (Directo=Tránsito de onda en "
        "Piscina Nivelada)"));
  lblMetodo = Valor(Frame2, "lblMetodo", QString(), 5640, 1170, 1800);
  lblRepresaCofk = Etiqueta(Frame2, "lblRepresaCofk", U("k[min]="), 7680, 375, 1560);
  txtRepresa_k = CajaNumero(Frame2, "txtRepresa_k", 9360, 330, 1080, 99999,
                            U("Ingrese un valor numérico entre 0 y 99999 (0 y 99999)"), 0);
  lblRepresaCofn = Etiqueta(Frame2, "lblRepresaCofn", U("x="), 7680, 795, 1560);
  txtRepresa_n = Caja(Frame2, "txtRepresa_n", 9360, 750, 1080);
  txtRepresa_n->setEnabled(false);

  Frame3 = MakeFrame(this, QStringLiteral("Frame3"), U("Altura Inicial Embalse"), 120, 3960, 3240, 780);
  txtHInicialEmb =
      CajaHInicial(Frame3, "txtHInicialEmb", 240, 330, 1440, NFilasHSVRepresa, HTablaHSVRepresa, selRepresa);
  Frame4 = MakeFrame(this, QStringLiteral("Frame4"), U("Tabla Altura (H) - Area (A) - Almacenamiento (S)"),
                     3480, 3960, 4800, 780);
  cmdHSV = MakeButton(Frame4, QStringLiteral("cmdHSV"), U("Editar Tabla HAS"), 240, 300, 2160);

  Frame5 = MakeFrame(this, QStringLiteral("Frame5"),
                     U("        Descargas:           Q=f(H),   para  H  min <= H <= H Máx"), 120, 4860, 10680,
                     4140);
  Frame6 = MakeFrame(Frame5, QStringLiteral("Frame6"), U("Selección:"), 240, 300, 4800, 660);
  optTablaQ = MakeOption(Frame6, QStringLiteral("optTablaQ"), U("Tabla"), false, 240, 285, 960);
  cmdTablaQ = MakeButton(Frame6, QStringLiteral("cmdTablaQ"), U("Edit"), 1320, 225, 960, 345);
  optFunciones = MakeOption(Frame6, QStringLiteral("optFunciones"), U("Funciones"), false, 2520, 285, 1440);
  const int columnas[] = {3600, 4980, 6360, 7740, 9120};
  const char* const titulos[] = {"a", "b", "c", "H min", "H Máx"};
  for (int j = 0; j < 5; ++j) {
    QLabel* titulo = MakeLabel(Frame5, QString(), U(titulos[j]), columnas[j], 1065, 1260, 255);
    titulo->setAlignment(Qt::AlignCenter);
    if (j == 3) titulo->setToolTip(U("Ingresar altura (H) mínima de la función"));
  }
  for (int k = 1; k <= 8; ++k) {
    const int top = 1380 + (k - 1) * kFilaRango;
    const QString formula =
        k <= 4 ? U("Función %1: Q =  a * H^b").arg(k) : U("Función %1: Q =  a + b*H + c*H^2").arg(k);
    chkFQ[k] = MakeCheck(Frame5, ArrayName("chkFQ", k), formula, false, 240, top + 30, 3300);
    auto caja = [&](const char* name, int columna) {
      const QByteArray nombre = ArrayName(name, k).toLatin1();
      return Caja(Frame5, nombre.constData(), columnas[columna], top, 1260);
    };
    txtFQa[k] = caja("txtFQa", 0);
    txtFQb[k] = caja("txtFQb", 1);
    if (k >= 5) txtFQc[k] = caja("txtFQc", 2);
    txtFQHmin[k] = caja("txtFQHmin", 3);
    txtFQHMax[k] = caja("txtFQHMax", 4);
  }

  Botones(8160, 9120);

  lstRepresas->setToolTip(U("Puede seleccionar desde este campo una represa para su edición"));
  txtNombreRepresa->setToolTip(U("Puede modificar el nombre de la represa desde este campo"));

  connect(lstRepresas, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstRepresas_Click(); });
  });
  connect(lstCauceAA, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstCauceAA_Click(); });
  });
  connect(lstMetodo, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstMetodo_Click(); });
  });
  OnSelected(optTablaQ, this, [this] { optTablaQ_Click(); });
  OnSelected(optFunciones, this, [this] { optFunciones_Click(); });
  for (int k = 1; k <= 8; ++k) OnSignal(chkFQ[k], &QCheckBox::toggled, this, [this, k] { chkFQ_Click(k); });
  ConnectGuarded(cmdHSV, &QPushButton::clicked, this, &dlgRepresas::cmdHSV_Click);
  ConnectGuarded(cmdTablaQ, &QPushButton::clicked, this, &dlgRepresas::cmdTablaQ_Click);
  NamesShownIn(lstRepresas, lblNombreRepresa);
  Termina();
}

Represa& dlgRepresas::Actual() const {
  return *vRepresas[selRepresa];
}

ObjectRef dlgRepresas::SelectedRecord() const {
  return SelectedIn(colRepresas, vRepresas, selRepresa);
}

QString dlgRepresas::NombreActual() const {
  return Actual().NombreRepresa;
}

bool dlgRepresas::NombreOcupado(const QString& nombre) const {
  for (int i = 1; i <= static_cast<int>(colRepresas.size()); ++i) {
    if (i != selRepresa && vRepresas[i]->NombreRepresa == nombre) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------------
// Opening and showing a dam

void dlgRepresas::Form_Load() {
  // A selection outside the network shows the first dam, as none does.
  if (selRepresa <= 0 || selRepresa > static_cast<int>(colRepresas.size())) selRepresa = 1;
  lstRepresas->clear();
  for (const auto& r : colRepresas) lstRepresas->addItem(r->NombreRepresa);
  if (colRepresas.empty()) {
    selRepresa = 0;
    CancelButton_Click();
    return;
  }
  LlenandoListas = true;
  FijaFila(lstRepresas, FilaDe(lstRepresas, Actual().NombreRepresa));
  LlenandoListas = false;
  MuestraRepresa();
}

void dlgRepresas::MuestraRepresa() {
  if (selRepresa <= 0) return;
  NoteShown();
  LeeTablaHSVRepresa();
  Represa& r = Actual();
  lblNroRepresa->setText(QString::number(selRepresa));
  lblNombreRepresa->setText(r.NombreRepresa);
  txtNombreRepresa->setText(TextoLista(lstRepresas));

  // A dam drains into a reach only.
  lstCauceAA->clear();
  for (const auto& c : colCauces) lstCauceAA->addItem(c->NombreCauce);
  lstCauceAA->addItem(kNinguno);
  lstCauceAA->addItem(QStringLiteral("0"));
  mostrando_ = true;
  filaReceptor_ = FilaDe(lstCauceAA, r.Cauce_aa);
  FijaFila(lstCauceAA, filaReceptor_);
  mostrando_ = false;
  lblDrenaCauceAA->setText(TextoLista(lstCauceAA));

  MuestraMetodo(lstMetodo, r.Metodo);
  txtRepresa_n->setText(TextoCampo(r.Represa_n_Musk));

  DeshabilitaFuncionesQ();
  CargaFuncionesQ();
  {
    // Shown as stored: none of the clicks' actions run.
    const QSignalBlocker a(optTablaQ);
    const QSignalBlocker b(optFunciones);
    SetOptionValue(r.optTabla ? optTablaQ : optFunciones, true);
    for (int k = 1; k <= 8; ++k) {
      const QSignalBlocker c(chkFQ[k]);
      chkFQ[k]->setChecked(r.chkFQ(k) == 1);
    }
  }
  if (r.optTabla) {
    DeshabilitaFuncionesQ();
  } else {
    HabilitaFuncionesQ();
  }
}

void dlgRepresas::CargaFuncionesQ() {
  if (!ShownIsSelected()) return;
  Represa& r = Actual();
  for (int k = 1; k <= 8; ++k) {
    txtFQa[k]->setText(TextoCampo(r.FQa(k)));
    txtFQb[k]->setText(TextoCampo(r.FQb(k)));
    txtFQHmin[k]->setText(TextoCampo(r.FQmin(k)));
    if (k >= 5) txtFQc[k]->setText(TextoCampo(r.FQc(k)));
    txtFQHMax[k]->setText(TextoCampo(r.FQMax(k)));
  }
  txtHInicialEmb->setText(TextoCampo(r.HInicialEmb));
}

// ---------------------------------------------------------------------------------------------------
// The outflow source and its ranges

void dlgRepresas::HabilitaFila(int k, bool habilitada) {
  for (QLineEdit* caja : {txtFQa[k], txtFQb[k], txtFQHmin[k], txtFQHMax[k]}) caja->setEnabled(habilitada);
}

void dlgRepresas::Fuente(bool tabla) {
  const QSignalBlocker a(optTablaQ);
  const QSignalBlocker b(optFunciones);
  SetOptionValue(tabla ? optFunciones : optTablaQ, false);
  SetOptionValue(tabla ? optTablaQ : optFunciones, true);
  cmdTablaQ->setEnabled(tabla);
}

void dlgRepresas::DeshabilitaFuncionesQ() {
  for (int k = 1; k <= 8; ++k) {
    chkFQ[k]->setEnabled(false);
    HabilitaFila(k, false);
  }
  for (int k = 5; k <= 8; ++k) txtFQc[k]->setEnabled(false);
  Fuente(true);
}

void dlgRepresas::HabilitaFuncionesQ() {
  for (int k = 1; k <= 8; ++k) {
    chkFQ[k]->setEnabled(true);
    HabilitaFila(k, chkFQ[k]->isChecked());
  }
  // A c box opens only with its a and b as they read now, before the boxes are filled again.
  for (int k = 5; k <= 8; ++k)
    txtFQc[k]->setEnabled(chkFQ[k]->isChecked() && LeeNoCero(txtFQa[k]) && LeeNoCero(txtFQb[k]));
  CargaFuncionesQ();
  Fuente(false);
}

void dlgRepresas::optTablaQ_Click() {
  DeshabilitaFuncionesQ();
}

void dlgRepresas::optFunciones_Click() {
  HabilitaFuncionesQ();
}

void dlgRepresas::chkFQ_Click(int Index) {
  const bool marcada = chkFQ[Index]->isChecked();
  HabilitaFila(Index, marcada);
  if (Index >= 5) txtFQc[Index]->setEnabled(marcada);
  if (!marcada) return;
  Fuente(false);
}

// ---------------------------------------------------------------------------------------------------
// Lists, table windows and the commit

void dlgRepresas::lstRepresas_Click() {
  GuardaDatosRepresa();
  const QString elegida = TextoLista(lstRepresas);
  for (const auto& r : colRepresas) {
    if (r->NombreRepresa == elegida) selRepresa = r->numRepresa;
  }
  MuestraRepresa();
}

void dlgRepresas::lstCauceAA_Click() {
  if (!ShownIsSelected()) return;
  Represa& r = Actual();
  const QString receptor = TextoLista(lstCauceAA);
  // The previous pick comes back before anything is written.
  if (!mostrando_ && RefusaBucle(lstCauceAA, filaReceptor_, r.NombreRepresa)) return;
  filaReceptor_ = lstCauceAA->currentRow();
  lblDrenaCauceAA->setText(receptor);
  // Written at once: a reach gives the link point its head.
  for (const auto& c : colCauces) {
    if (c->NombreCauce == receptor) {
      const Integer n = c->numCauce;
      r.XCauce = XVertice(n, numVerticesCauce(n));
      r.YCauce = YVertice(n, numVerticesCauce(n));
      r.Cauce_aa = receptor;
    }
  }
  if (receptor == kNinguno || receptor == QLatin1String("0")) {
    r.XCauce = 0;
    r.YCauce = 0;
    r.Cauce_aa = receptor == kNinguno ? QString() : receptor;
  }
}

void dlgRepresas::lstMetodo_Click() {
  const QString metodo = TextoLista(lstMetodo);
  lblMetodo->setText(metodo);
  const bool muskingum = metodo == kMuskingum;
  txtRepresa_k->setVisible(muskingum);
  txtRepresa_k->setEnabled(muskingum);
  txtRepresa_n->setVisible(muskingum);
  txtRepresa_n->setEnabled(false);
  lblRepresaCofk->setText(muskingum ? U("k[min]=") : metodo);
  lblRepresaCofn->setText(muskingum ? U("x=") : QString());
  // Values typed and not committed give way to the stored ones.
  if (!ShownIsSelected()) return;
  const Represa& r = Actual();
  txtRepresa_k->setText(TextoCampo(r.Represa_k_Musk));
  if (muskingum) txtRepresa_n->setText(TextoCampo(r.Represa_n_Musk));
}

void dlgRepresas::cmdHSV_Click() {
  // The table windows open on the selected dam, which must be the one shown.
  if (!ShownIsSelected()) return;
  dlgTablaSHV& tabla = dlgTablaSHV::instance();
  ShowModeless(&tabla, false);
  if (dlgTablaSHV::isLoaded()) tabla.activateWindow();
}

void dlgRepresas::cmdTablaQ_Click() {
  if (!ShownIsSelected()) return;
  dlgTablaFQ& tabla = dlgTablaFQ::instance();
  ShowModeless(&tabla, false);
  if (dlgTablaFQ::isLoaded()) tabla.activateWindow();
}

void dlgRepresas::GuardaDatosRepresa() {
  if (LlenandoListas || !ShownIsSelected()) return;
  Represa& r = Actual();
  // Every box is read before anything is written: a text too large for a number stops the commit
  // with the record as it was.
  const Single k = LeeCampo(txtRepresa_k);
  const Single x = LeeCampo(txtRepresa_n);
  std::array<Single, 9> a{}, b{}, c{}, hmin{}, hmax{};
  for (int j = 1; j <= 8; ++j) {
    a[j] = LeeCampo(txtFQa[j]);
    b[j] = LeeCampo(txtFQb[j]);
    if (j >= 5) c[j] = LeeCampo(txtFQc[j]);
    hmin[j] = LeeCampo(txtFQHmin[j]);
    hmax[j] = LeeCampo(txtFQHMax[j]);
  }
  const Single h0 = LeeCampo(txtHInicialEmb);

  GuardaNombre();
  const QString receptor = TextoLista(lstCauceAA);
  for (const auto& cauce : colCauces) {
    if (cauce->NombreCauce == receptor) {
      const Integer n = cauce->numCauce;
      r.XCauce = XVertice(n, numVerticesCauce(n));
      r.YCauce = YVertice(n, numVerticesCauce(n));
      r.Cauce_aa = receptor;
    }
  }
  r.Metodo = TextoLista(lstMetodo);
  r.Represa_k_Musk = k;
  r.Represa_n_Musk = x;
  r.optTabla = optTablaQ->isChecked();
  for (int j = 1; j <= 8; ++j) r.chkFQ(j) = CheckValue(chkFQ[j]);
  for (int j = 1; j <= 8; ++j) {
    r.FQa(j) = a[j];
    r.FQb(j) = b[j];
    if (j >= 5) r.FQc(j) = c[j];
    r.FQmin(j) = hmin[j];
    r.FQMax(j) = hmax[j];
  }
  r.HInicialEmb = h0;
}

// ---------------------------------------------------------------------------------------------------
// Closing and the name box

void dlgRepresas::OKButton_Click() {
  GuardaDatosRepresa();
  selCauce = 0;
  selRepresa = 0;
  Cierra();
}

void dlgRepresas::CancelButton_Click() {
  selUEH = 0;
  selRepresa = 0;
  selCauce = 0;
  Cierra();
}

void dlgRepresas::txtNombreRepresa_Click() {
  // A duplicate is caught when the box is left.
  ClickNombre(false);
}

bool dlgRepresas::txtNombreRepresa_LostFocus() {
  if (!SaleNombre()) return false;
  // A network read again under the dialog is shown afresh.
  if (!ShownIsSelected()) Form_Load();
  return true;
}

void dlgRepresas::Renombra(const QString& nombre) {
  Represa& r = Actual();
  RenombraReceptor(r.NombreRepresa, nombre, true);
  r.NombreRepresa = nombre;
}

QStringList dlgRepresas::KindNames() const {
  QStringList nombres;
  for (const auto& r : colRepresas) nombres << r->NombreRepresa;
  return nombres;
}

bool dlgRepresas::eventFilter(QObject* watched, QEvent* event) {
  if (ComponentDialog::eventFilter(watched, event)) return true;
  if (event->type() == QEvent::MouseButtonRelease && watched == txtNombreRepresa)
    RunGuarded([this] { txtNombreRepresa_Click(); });
  return false;
}

}  // namespace tavo
