#include "components/dlgUEH2.h"

#include <QEvent>
#include <algorithm>

#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "project/estado.h"

namespace tavo {

namespace {
QString U(const char* text) {
  return QString::fromUtf8(text);
}

// A formula's caption with its exponent raised beside it, both in the caption's own size. A caption
// whose text is wider than its room takes the room it needs, and the exponent follows its end.
void Formula(QWidget* frame, const char* texto, int ancho, const char* exponente, int anchoExponente) {
  QLabel* base = MakeLabel(frame, QString(), U(texto), 240, 390, ancho, 255);
  base->resize(std::max(base->width(), base->sizeHint().width()), base->height());
  QLabel* alto = MakeLabel(frame, QString(), U(exponente), 240 + ancho, 270, anchoExponente, 255);
  alto->move(base->x() + base->width(), alto->y());
}
}  // namespace

dlgUEH2::dlgUEH2()
    : ComponentDialog("dlgUEH2", U("Propiedades de UHE (Unidad Hidrológica Elemental)"), 9480, 8400,
                      QStringLiteral("u-")) {
  Frame1 = MakeFrame(this, QStringLiteral("Frame1"),
                     U("Identificación de la Unidad de Estudios Hidrológicos"), 120, 60, 9240, 1440);
  Etiqueta(Frame1, "Label1", U("UEH:"), 240, 345, 600);
  lstUEHs = Lista(Frame1, "lstUEHs", 840, 300, 2880, 1005);
  Etiqueta(Frame1, "Label2", U("Nro. UEH:"), 4080, 345, 1320);
  lblNroUEH = Valor(Frame1, "lblNroUEH", QStringLiteral("0"), 5400, 300, 1200);
  Etiqueta(Frame1, "Label3", U("Nombre UEH:"), 4080, 765, 1320);
  lblNombreUEH = Valor(Frame1, "lblNombreUEH", QString(), 5400, 720, 2400);

  Frame2 = MakeFrame(this, QStringLiteral("Frame2"), U("Area de aportes y método de cálculo / propagación"),
                     120, 1560, 9240, 2400);
  Etiqueta(Frame2, "Label4", U("Modificar Nombre UEH:"), 240, 375, 2160);
  txtNombreUEH =
      CajaNombre(Frame2, "txtNombreUEH", 2400, 330, 2400, [this] { return txtNombreUEH_LostFocus(); });
  Etiqueta(Frame2, "Label5", U("Area [has]:"), 5040, 375, 1920);
  txtArea = CajaNumero(Frame2, "txtArea", 6960, 330, 1440, kRangoArea);
  Etiqueta(Frame2, "Label6", U("Drena a:"), 240, 795, 2160);
  lstCauceAA = Lista(Frame2, "lstCauceAA", 2400, 750, 2400, 1050);
  Etiqueta(Frame2, "Label7", U("Propagación/Método:"), 5040, 795, 1920);
  lstMetodo = Lista(Frame2, "lstMetodo", 6960, 750, 2040, 495);
  Etiqueta(Frame2, "Label8", U("Referencias:"), 240, 1965, 2160);
  txtReferencia = CajaTexto(Frame2, "txtReferencia", 2400, 1920, 6600);

  Frame3 = MakeFrame(this, QStringLiteral("Frame3"), U("Parámetros de propagación"), 120, 4020, 9240, 1200);
  Etiqueta(Frame3, "Label9", U("Drena al Cauce:"), 240, 345, 2160);
  lblDrenaCauceAA = Valor(Frame3, "lblDrenaCauceAA", QStringLiteral("---"), 2400, 300, 2400);
  Etiqueta(Frame3, "Label10", U("Propagación/Método:"), 5040, 345, 1920);
  lblMetodo = Valor(Frame3, "lblMetodo", QStringLiteral("---"), 6960, 300, 2040);
  Etiqueta(Frame3, "Label11", U("Longitud Máxima al Cauce [m]: "), 240, 765, 3000);
  txtLongMax = CajaNumero(Frame3, "txtLongMax", 3240, 720, 1320, kRangoLongitudMax);
  Etiqueta(Frame3, "Label12", U("Velocidad Media  \"gota\" en ladera:"), 4800, 765, 3240);
  txtVelMedia = CajaNumero(Frame3, "txtVelMedia", 8040, 720, 960, kRangoVelMedia);

  Frame4 = MakeFrame(this, QStringLiteral("Frame4"), U("Infiltración: Parámetros de Kostiakov"), 120, 5280,
                     5400, 1560);
  Formula(Frame4, "I [mm] = a * t[min]^", 1620, "b", 240);
  Etiqueta(Frame4, "Label13", U("a ="), 240, 1035, 360);
  txtKostiakov_a = CajaNumero(Frame4, "txtKostiakov_a", 600, 990, 1080, kRangoKostiakovA);
  Etiqueta(Frame4, "Label14", U("b="), 1920, 1035, 300);
  txtKostiakov_b = CajaNumero(Frame4, "txtKostiakov_b", 2220, 990, 1080, kRangoKostiakovB);
  Etiqueta(Frame4, "Label15", U("T inicial [min]"), 3720, 675, 1440);
  txtKostiakov_i = CajaNumero(Frame4, "txtKostiakov_i", 3720, 990, 1200, kRangoKostiakovI);

  Frame5 = MakeFrame(this, QStringLiteral("Frame5"), U("Intercepción - Almacenamiento superficial "), 5640,
                     5280, 3720, 1560);
  Etiqueta(Frame5, "Label16", U("Retensión Superficial Z [mm]:"), 240, 675, 3240);
  txtRetension_Z = CajaNumero(Frame5, "txtRetension_Z", 240, 990, 1200, kRangoRetensionZ);

  Frame6 = MakeFrame(this, QStringLiteral("Frame6"), U("Abatimiento o Recesión: Parámetros de Singh y Stall"),
                     120, 6900, 5400, 1380);
  Formula(Frame6, "Q [m3/s] = Qi [m3/s]* e ", 1980, "- t/k", 600);
  Etiqueta(Frame6, "Label17", U("Qinicial ="), 240, 945, 840);
  txtQ0Recesion = CajaNumero(Frame6, "txtQ0Recesion", 1080, 900, 1200, kRangoQ0Recesion);
  Etiqueta(Frame6, "Label18", U("k [hs]="), 2640, 945, 720);
  txtKRecesion = CajaNumero(Frame6, "txtKRecesion", 3360, 900, 1200, kRangoKRecesion);

  Botones(6720, 7800);

  lstUEHs->setToolTip(U("Puede seleccionar desde este campo una UEH para su edición"));
  txtNombreUEH->setToolTip(U("Puede modificar el nombre de la UEH desde este campo"));
  lstCauceAA->setToolTip(
      U("Puede modificar con la selección, el cauce o componente hacia el que drena la UEH"));
  txtReferencia->setToolTip(U("Nota o comentarios sobre la UEH que considere necesario incorporar"));
  txtArea->setToolTip(U("Ingrese la superficie de a`porte pluvial en Hectáreas"));
  txtLongMax->setToolTip(U(
      "Refiere a la longitud máxima [metros] de recorrido en ladera hasta el primer cauce de primer orden o "
      "componente sobre el que desagua la UEH"));
  txtVelMedia->setToolTip(
      U("Refiere a la Velocidad media en [m/s] de la \"gota\" en el recorrido en ladera hasta el primer "
        "cauce de "
        "primer orden o componente sobre el que desagua la UEH"));
  txtRetension_Z->setToolTip(
      U("Tasa de retensiones superficiales, incluye intercepción y almacenamiento superficial, expresao en "
        "[mm]"));
  txtKostiakov_a->setToolTip(
      U("Coeficiente \"a\" de la expresión de Kostiakov para á estimación de la lámina total infiltrada, "
        "expresada en [mm] para \"tiempos\" en [minutos]"));
  txtKostiakov_b->setToolTip(
      U("Coeficiente, 0< b<0.5  ; de la expresión de Kostiakov para á estimación de la lámina total "
        "infiltrada, "
        "expresada en [mm] para \"tiempos\" en [minutos]"));
  txtKostiakov_i->setToolTip(U(
      "Humedad inicial de la cuenca expresada como tiemo  medio [minutos] al inicio de  I=a*t^b ; Ti=0 para "
      "suelos secos"));
  txtQ0Recesion->setToolTip(U("Caudal inicial al comenzar la tormenta en m3/s"));
  txtKRecesion->setToolTip(
      U("Constante k expresada en horas: tiempo en que el caudal Q desciende al 36.7 % de su valor inicial"));

  QWidget* orden[] = {OKButton,       CancelButton,  lstUEHs,        txtNombreUEH,
                      lstCauceAA,     txtArea,       lstMetodo,      txtLongMax,
                      txtVelMedia,    txtReferencia, txtRetension_Z, txtKostiakov_a,
                      txtKostiakov_b, txtKRecesion,  txtQ0Recesion,  txtKostiakov_i};
  for (size_t k = 1; k < std::size(orden); ++k) setTabOrder(orden[k - 1], orden[k]);

  connect(lstUEHs, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstUEHs_Click(); });
  });
  connect(lstCauceAA, &QListWidget::currentRowChanged, this, [this](int fila) {
    if (fila >= 0) RunGuarded([this] { lstCauceAA_Click(); });
  });
  connect(lstMetodo, &QListWidget::currentRowChanged, this,
          [this] { lblMetodo->setText(TextoLista(lstMetodo)); });
  NamesShownIn(lstUEHs, lblNombreUEH);
  Termina();
}

UEH& dlgUEH2::Actual() const {
  return *vUEHs[selUEH];
}

ObjectRef dlgUEH2::SelectedRecord() const {
  return SelectedIn(colUEHs, vUEHs, selUEH);
}

QString dlgUEH2::NombreActual() const {
  return Actual().NombreUEH;
}

bool dlgUEH2::NombreOcupado(const QString& nombre) const {
  for (int i = 1; i <= static_cast<int>(colUEHs.size()); ++i) {
    if (i != selUEH && vUEHs[i]->NombreUEH == nombre) return true;
  }
  return false;
}

void dlgUEH2::Form_Load() {
  // A selection outside the network shows the first unit, as none does.
  if (selUEH <= 0 || selUEH > static_cast<int>(colUEHs.size())) selUEH = 1;
  lstUEHs->clear();
  for (const auto& u : colUEHs) lstUEHs->addItem(u->NombreUEH);
  if (colUEHs.empty()) selUEH = 0;
  if (selUEH != 0) {
    LlenandoListas = true;
    FijaFila(lstUEHs, FilaDe(lstUEHs, Actual().NombreUEH));
    LlenandoListas = false;
  }
  MuestraUEH();
  if (selUEH == 0) CancelButton_Click();
}

void dlgUEH2::MuestraUEH() {
  if (selUEH == 0) return;
  NoteShown();
  UEH& u = Actual();
  lblNroUEH->setText(QString::number(selUEH));
  lblNombreUEH->setText(u.NombreUEH);
  txtNombreUEH->setText(TextoLista(lstUEHs));

  lstCauceAA->clear();
  for (const auto& c : colCauces) lstCauceAA->addItem(c->NombreCauce);
  for (const auto& r : colRepresas) lstCauceAA->addItem(r->NombreRepresa);
  for (const auto& l : colLagos) lstCauceAA->addItem(l->NombreLAGO);
  lstCauceAA->addItem(kNinguno);
  lstCauceAA->addItem(QStringLiteral("0"));
  FijaFila(lstCauceAA, FilaDe(lstCauceAA, u.Cauce_aa));
  lblDrenaCauceAA->setText(TextoLista(lstCauceAA));

  txtReferencia->setText(u.Referencia);
  lstMetodo->clear();
  lstMetodo->addItem(QStringLiteral("Directo"));
  FijaFila(lstMetodo, FilaDe(lstMetodo, u.Metodo.toString()));
  lblMetodo->setText(TextoLista(lstMetodo));

  txtArea->setText(TextoCampo(u.Area));
  txtLongMax->setText(TextoCampo(u.LongitudMax));
  txtVelMedia->setText(TextoCampo(u.VelMedia));
  txtKostiakov_a->setText(TextoCampo(u.KostiakovA));
  txtKostiakov_i->setText(TextoCampo(u.KostiakovI));
  txtKostiakov_b->setText(TextoCampo(u.KostiakovB));
  txtKRecesion->setText(TextoCampo(u.KRecesion));
  txtQ0Recesion->setText(TextoCampo(u.Q0Recesion));
  txtRetension_Z->setText(TextoCampo(u.RetensionZ));
}

void dlgUEH2::GuardaDatosUEH() {
  if (LlenandoListas || !ShownIsSelected()) return;
  UEH& u = Actual();
  GuardaNombre();
  u.Referencia = txtReferencia->text();
  const QString receptor = TextoLista(lstCauceAA);
  for (int i = 1; i <= static_cast<int>(colCauces.size()); ++i) {
    if (vCauces[i]->NombreCauce == receptor) {
      u.XCauce = XVertice(i, numVerticesCauce(i));
      u.YCauce = YVertice(i, numVerticesCauce(i));
      u.Cauce_aa = receptor;
    }
  }
  if (u.Cauce_aa.isEmpty()) {
    u.XCauce = 0;
    u.YCauce = 0;
  }
  u.Metodo = TextoLista(lstMetodo);
  u.Area = LeeCampo(txtArea);
  u.LongitudMax = LeeCampo(txtLongMax);
  u.VelMedia = LeeCampo(txtVelMedia);
  u.RetensionZ = LeeCampo(txtRetension_Z);
  u.KostiakovA = LeeCampo(txtKostiakov_a);
  u.KostiakovB = LeeCampo(txtKostiakov_b);
  u.KostiakovI = LeeCampo(txtKostiakov_i);
  u.Q0Recesion = LeeCampo(txtQ0Recesion);
  u.KRecesion = LeeCampo(txtKRecesion);
}

void dlgUEH2::lstUEHs_Click() {
  GuardaDatosUEH();
  const QString elegida = TextoLista(lstUEHs);
  for (int i = 1; i <= static_cast<int>(colUEHs.size()); ++i) {
    if (vUEHs[i]->NombreUEH == elegida) selUEH = CheckInteger(i);
  }
  MuestraUEH();
}

void dlgUEH2::lstCauceAA_Click() {
  if (!ShownIsSelected()) return;
  UEH& u = Actual();
  const QString receptor = TextoLista(lstCauceAA);
  if (receptor == kNinguno || receptor == QLatin1String("0")) {
    u.XCauce = 0;
    u.YCauce = 0;
  }
  u.Cauce_aa = receptor;
  // A dam or a lake gives the link point its symbol now; a reach gives its head at the commit.
  for (const auto& r : colRepresas) {
    if (r->NombreRepresa == u.Cauce_aa) {
      iRepresa = r->numRepresa;
      u.XCauce = r->IconoRepresaX;
      u.YCauce = r->IconoRepresaY;
    }
  }
  for (const auto& l : colLagos) {
    if (l->NombreLAGO == u.Cauce_aa) {
      iLago = l->numLAGO;
      u.XCauce = l->IconoLAGOx;
      u.YCauce = l->IconoLAGOy;
    }
  }
  lblDrenaCauceAA->setText(receptor);
}

void dlgUEH2::OKButton_Click() {
  GuardaDatosUEH();
  selCauce = 0;
  selUEH = 0;
  Cierra();
}

void dlgUEH2::CancelButton_Click() {
  selUEH = 0;
  selCauce = 0;
  Cierra();
}

void dlgUEH2::txtNombreUEH_Click() {
  ClickNombre();
}

bool dlgUEH2::txtNombreUEH_LostFocus() {
  if (!SaleNombre()) return false;
  // A network read again under the dialog is shown afresh.
  if (!ShownIsSelected()) Form_Load();
  return true;
}

void dlgUEH2::Renombra(const QString& nombre) {
  UEH& u = Actual();
  RenombraReceptor(u.NombreUEH, nombre, false);
  u.NombreUEH = nombre;
}

QStringList dlgUEH2::KindNames() const {
  QStringList nombres;
  for (const auto& u : colUEHs) nombres << u->NombreUEH;
  return nombres;
}

void dlgUEH2::txtReferencia_Click() {
  const QString nota = ClickNota(txtReferencia);
  if (ShownIsSelected()) Actual().Referencia = nota;
}

bool dlgUEH2::eventFilter(QObject* watched, QEvent* event) {
  if (ComponentDialog::eventFilter(watched, event)) return true;
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == txtNombreUEH) RunGuarded([this] { txtNombreUEH_Click(); });
    if (watched == txtReferencia) RunGuarded([this] { txtReferencia_Click(); });
  }
  return false;
}

}  // namespace tavo
