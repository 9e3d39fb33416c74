#include "components/dlgCauceEditProp.h"

#include <QEvent>
#include <cmath>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "project/configuracion.h"
#include "project/estado.h"

namespace tavo {

namespace {
QString U(const char* text) {
  return QString::fromUtf8(text);
}

const char* const kAyudaLongitud =
    "Si el diagrama es representativo y la escala adoptada correcta, puede adoptar esta Longitud en el campo "
    "de "
    "la izquierda";
}  // namespace

double LongitudDibujo(int r) {
  // In double precision throughout, so that no drawing is too large for the sum.
  double suma = 0;
  for (int j = 2; j <= numVerticesCauce(r); ++j) {
    const double dx = static_cast<double>(XVertice(r, j)) - XVertice(r, j - 1);
    const double dy = static_cast<double>(YVertice(r, j)) - YVertice(r, j - 1);
    suma = RoundHalfEven(suma + std::sqrt(dx * dx + dy * dy));
  }
  return suma;
}

dlgCauceEditProp::dlgCauceEditProp()
    : ComponentDialog("dlgCauceEditProp", U("Propiedades de un tramo de Cauce"), 8520, 8160,
                      QStringLiteral("c-")) {
  Frame1 = MakeFrame(this, QStringLiteral("Frame1"), U("Cauce de Edición"), 120, 60, 8280, 1500);
  Etiqueta(Frame1, "Label11", U("Selección de Cauce:"), 240, 345, 1920);
  lstCauces = Lista(Frame1, "lstCauces", 2160, 300, 2280, 1080);
  Etiqueta(Frame1, "Label2", U("Nro. de Cauce :"), 4680, 345, 2160);
  lblNroCauce = Valor(Frame1, "lblNroCauce", QString(), 6840, 300, 1320);
  Etiqueta(Frame1, "Label4", U("Nombre Cauce :"), 4680, 720, 2160);
  lblNombreCauce = Valor(Frame1, "lblNombreCauce", QString(), 6840, 675, 1320);
  Etiqueta(Frame1, "Label6", U("Cantidad de Vértices :"), 4680, 1095, 2160);
  lblCantVer = Valor(Frame1, "lblCantVer", QString(), 6840, 1050, 1320);

  frmPropiedades = MakeFrame(this, QStringLiteral("frmPropiedades"), U("Propiedades"), 120, 1620, 8280, 5880);
  Etiqueta(frmPropiedades, "Label1", U("Nombre del Cauce"), 240, 375, 1800);
  txtNombreCauce = CajaNombre(frmPropiedades, "txtNombreCauce", 2280, 330, 2040,
                              [this] { return txtNombreCauce_LostFocus(); });
  Etiqueta(frmPropiedades, "Label10", U("Orden del Cauce :"), 4680, 375, 2160);
  lblOrdenCauce = Valor(frmPropiedades, "lblOrdenCauce", QString(), 6840, 330, 1320);
  Etiqueta(frmPropiedades, "Label3", U("Tributa al Cauce/Laguna/Represa :"), 240, 795, 3000);
  lstTributaCauce = Lista(frmPropiedades, "lstTributaCauce", 240, 1080, 4080, 1080);
  Etiqueta(frmPropiedades, "Label5", U("Longitud [m]"), 240, 2385, 1920);
  txtLongCauce = CajaNumero(frmPropiedades, "txtLongCauce", 2280, 2340, 1320, kRangoLongCauce);
  Etiqueta(frmPropiedades, "Label15", U("Velocidad Media [m/s]"), 240, 2805, 2040);
  txtVelMediaCauce = CajaNumero(frmPropiedades, "txtVelMediaCauce", 2280, 2760, 1320, kRangoVelMediaCauce);
  Frame2 = MakeFrame(frmPropiedades, QStringLiteral("Frame2"), U("Longitud de Referencia:"), 4680, 795, 3360,
                     1365);
  Label12 = Etiqueta(Frame2, "Label12", U("Obtenida del diagrama y Escala de dibujo"), 120, 300, 3120, 480);
  Label12->setWordWrap(true);
  Label12->setToolTip(U(kAyudaLongitud));
  lbl_LongCauceDibujo = Valor(Frame2, "lbl_LongCauceDibujo", U("Sin Escalar"), 120, 870, 1800);
  lbl_LongCauceDibujo->setToolTip(U(kAyudaLongitud) + U(". Sugerido: Precalcular con CAD"));

  Frame3 = MakeFrame(frmPropiedades, QStringLiteral("Frame3"), U("Propagación en el tramo"), 240, 3240, 7800,
                     2460);
  optDirecta = MakeOption(Frame3, QStringLiteral("optDirecta"), U("Directa"), false, 240, 330, 1800);
  optMusk = MakeOption(Frame3, QStringLiteral("optMusk"), U("por Muskingum"), false, 2280, 330, 2400);
  Etiqueta(Frame3, "Label14", U("Cte. K de Muskingum [min]:"), 240, 765, 2640);
  txtCauce_k_Musk = CajaNumero(Frame3, "txtCauce_k_Musk", 2880, 720, 1200, kRangoCauce_k_Musk);
  Label13 = Etiqueta(Frame3, "Label13", U("Cte.  x  de Muskingum:"), 4320, 765, 2040);
  // A value out of x's range is replaced by 0; a text that is no number stays as typed.
  txtCauce_n_Musk = CajaNumero(Frame3, "txtCauce_n_Musk", 6360, 720, 1200, kRangoCauce_n_Musk, [this] {
    double valor = -1;
    try {
      valor = Val(txtCauce_n_Musk->text());
    } catch (const VbError&) {
    }
    if (valor < 0 || valor > kRangoCauce_n_Musk.maximo) txtCauce_n_Musk->setText(QStringLiteral("0"));
  });
  for (QWidget* w : {static_cast<QWidget*>(Label13), static_cast<QWidget*>(txtCauce_n_Musk)})
    w->setToolTip(U("Coeficiente 'x' de Muskingum. 0<=x>0,5 "));
  Label7 = Etiqueta(
      Frame3, "Label7",
      U("Nota: Los coeficientes 'K' y 'x' de Muskingum pueden estimarse por el método simplificado de Cunge "
        "(1969):  K=L/Ck, es el tiempo de viaje de la onda en el tramo [min] .  x = [ 1-Q/(B*Ck*Sº*L) ] / 2. "
        "Donde, Ck es la celeridad, Q el caudal, B el ancho superficial, Sº la pendiente de fondo y L "
        "Longitud "
        "del tramo. En embalses 'x' es cercano a '0'. En cauces naturales se acerca a 0,2 - 0,3"),
      240, 1140, 7320, 1200);
  Label7->setWordWrap(true);
  Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Botones(5760, 7620);

  connect(lstCauces, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstCauces_Click(); });
  });
  connect(lstTributaCauce, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstTributaCauce_Click(); });
  });
  NamesShownIn(lstCauces, lblNombreCauce, lstTributaCauce);
  Termina();
}

Cauce& dlgCauceEditProp::Actual() const {
  return *vCauces[selCauce];
}

ObjectRef dlgCauceEditProp::SelectedRecord() const {
  return SelectedIn(colCauces, vCauces, selCauce);
}

QString dlgCauceEditProp::NombreActual() const {
  return Actual().NombreCauce;
}

bool dlgCauceEditProp::NombreOcupado(const QString& nombre) const {
  for (int i = 1; i <= static_cast<int>(colCauces.size()); ++i) {
    if (i != selCauce && vCauces[i]->NombreCauce == nombre) return true;
  }
  return false;
}

void dlgCauceEditProp::Form_Load() {
  CargaDatosCauce();
  lstCauces->clear();
  for (const auto& c : colCauces) lstCauces->addItem(c->NombreCauce);
  if (colCauces.empty()) selCauce = 0;
  if (selCauce != 0) {
    LlenandoListas = true;
    FijaFila(lstCauces, FilaDe(lstCauces, Actual().NombreCauce));
    LlenandoListas = false;
  }
  MuestraCauce();
  if (selCauce == 0) CancelButton_Click();
}

void dlgCauceEditProp::CargaDatosCauce() {
  // A selection outside the network shows the first reach, as none does.
  if (selCauce <= 0 || selCauce > static_cast<int>(colCauces.size())) selCauce = 1;
  if (!colCauces.empty()) MuestraCampos();
  DisableEditor();
}

void dlgCauceEditProp::MuestraCauce() {
  if (selCauce == 0) return;
  NoteShown();
  const Cauce& c = Actual();
  lstTributaCauce->clear();
  for (const auto& t : colCauces) lstTributaCauce->addItem(t->NombreCauce);
  for (const auto& r : colRepresas) lstTributaCauce->addItem(r->NombreRepresa);
  for (const auto& l : colLagos) lstTributaCauce->addItem(l->NombreLAGO);
  lstTributaCauce->addItem(kNinguno);
  lstTributaCauce->addItem(QStringLiteral("0"));
  mostrando_ = true;
  filaReceptor_ = FilaDe(lstTributaCauce, c.Cauce_aa);
  FijaFila(lstTributaCauce, filaReceptor_);
  mostrando_ = false;
  MuestraCampos();
  LongitudDibujoCauce();
}

void dlgCauceEditProp::MuestraCampos() {
  const Cauce& c = Actual();
  lblNroCauce->setText(QString::number(selCauce));
  lblNombreCauce->setText(c.NombreCauce);
  txtNombreCauce->setText(c.NombreCauce);
  lblCantVer->setText(QString::number(c.numVertices));
  lblOrdenCauce->setText(QString::number(c.OrdenCauce));
  txtLongCauce->setText(TextoCampo(c.LongCauce));
  txtVelMediaCauce->setText(TextoCampo(c.VelMediaCauce));
  txtCauce_k_Musk->setText(TextoCampo(c.Cauce_k_Musk));
  txtCauce_n_Musk->setText(TextoCampo(c.Cauce_n_Musk));
  SetOptionValue(c.optDirMusk ? optDirecta : optMusk, true);
}

void dlgCauceEditProp::LongitudDibujoCauce() {
  const double escala = Val(EscalaDibujo);
  if (escala > 0) {
    lbl_LongCauceDibujo->setText(QString::number(RoundHalfEven(escala * LongitudDibujo(selCauce)), 'f', 0));
  } else {
    lbl_LongCauceDibujo->setText(U("Sin Escalar"));
  }
}

void dlgCauceEditProp::GuardaDatosCauce() {
  if (LlenandoListas || !ShownIsSelected()) return;
  Cauce& c = Actual();
  GuardaNombre();
  const QString receptor = TextoLista(lstTributaCauce);
  for (const auto& t : colCauces) {
    if (t->NombreCauce == receptor) {
      const Integer n = t->numCauce;
      XVertice(selCauce, 1) = XVertice(n, numVerticesCauce(n));
      YVertice(selCauce, 1) = YVertice(n, numVerticesCauce(n));
      c.Cauce_aa = t->NombreCauce;
    }
  }
  c.Cauce_k_Musk = LeeCampo(txtCauce_k_Musk);
  c.Cauce_n_Musk = LeeCampo(txtCauce_n_Musk);
  c.LongCauce = LeeCampo(txtLongCauce);
  c.VelMediaCauce = LeeCampo(txtVelMediaCauce);
  c.optDirMusk = optDirecta->isChecked();
}

void dlgCauceEditProp::lstCauces_Click() {
  GuardaDatosCauce();
  const QString elegido = TextoLista(lstCauces);
  for (int i = 1; i <= static_cast<int>(colCauces.size()); ++i) {
    if (vCauces[i]->NombreCauce == elegido) selCauce = CheckInteger(i);
  }
  MuestraCauce();
}

void dlgCauceEditProp::lstTributaCauce_Click() {
  if (!ShownIsSelected()) return;
  Cauce& c = Actual();
  const QString receptor = TextoLista(lstTributaCauce);
  // The previous pick comes back before anything is written.
  if (!mostrando_ && RefusaBucle(lstTributaCauce, filaReceptor_, c.NombreCauce)) return;
  filaReceptor_ = lstTributaCauce->currentRow();
  c.Cauce_aa = receptor;
  if (receptor == kNinguno) {
    XVertice(selCauce, 1) = 0;
    YVertice(selCauce, 1) = 0;
  }
  for (const auto& r : colRepresas) {
    if (r->NombreRepresa == receptor) {
      iRepresa = r->numRepresa;
      XVertice(selCauce, 1) = r->IconoRepresaX;
      YVertice(selCauce, 1) = r->IconoRepresaY;
    }
  }
  for (const auto& l : colLagos) {
    if (l->NombreLAGO == receptor) {
      iLago = l->numLAGO;
      XVertice(selCauce, 1) = l->IconoLAGOx;
      YVertice(selCauce, 1) = l->IconoLAGOy;
    }
  }
}

void dlgCauceEditProp::OKButton_Click() {
  GuardaDatosCauce();
  selCauce = 0;
  selUEH = 0;
  Cierra();
}

void dlgCauceEditProp::CancelButton_Click() {
  selCauce = 0;
  selUEH = 0;
  Cierra();
}

void dlgCauceEditProp::txtNombreCauce_Click() {
  ClickNombre();
}

bool dlgCauceEditProp::txtNombreCauce_LostFocus() {
  if (!SaleNombre()) return false;
  // A network read again under the dialog is shown afresh.
  if (!ShownIsSelected()) Form_Load();
  return true;
}

void dlgCauceEditProp::Renombra(const QString& nombre) {
  Cauce& c = Actual();
  RenombraReceptor(c.NombreCauce, nombre, true);
  c.NombreCauce = nombre;
}

QStringList dlgCauceEditProp::KindNames() const {
  QStringList nombres;
  for (const auto& c : colCauces) nombres << c->NombreCauce;
  return nombres;
}

bool dlgCauceEditProp::eventFilter(QObject* watched, QEvent* event) {
  if (ComponentDialog::eventFilter(watched, event)) return true;
  if (event->type() == QEvent::MouseButtonRelease && watched == txtNombreCauce)
    RunGuarded([this] { txtNombreCauce_Click(); });
  return false;
}

}  // namespace tavo
