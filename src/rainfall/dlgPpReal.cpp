#include "rainfall/dlgPpReal.h"

#include <QApplication>
#include <QSignalBlocker>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "platform/activation.h"
#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "rainfall/dlgPp.h"
#include "rainfall/numeros.h"
#include "rainfall/tormenta.h"
#include "rainfall/tormentareal.h"
#include "results/dlgChart1.h"

namespace tavo {

namespace {

const QString kFormatoGrilla =
    QStringLiteral("^Nro.  |^                    t [hs:min]  |^  t [min] |^Pp Parcial |^Pp Acumulada ");
const QString kAdvertencia = QStringLiteral("Advertencia !");
const QString kMensajeCuenta = QStringLiteral("Ingrese un valor numérico entero entre 0 y 999 ");
const QString kMensajeDuracion = QStringLiteral(
    "La duración de la tormenta (Nro. de intervalos x paso) no puede superar los 32767 minutos. Verifique");
const QString kMensajeFecha = QStringLiteral("Ingrese una fecha formato dd/mm/aaaa, Ej: 01/04/2004 ");
const QString kMensajeHora = QStringLiteral("Ingrese una hora formato <hh:nn>, Ej:  <01:20>   ");
const QString kMensajeFinal = QStringLiteral("El tiempo final ingresado es menor al inicial, Verifique");
const QString kTituloNueva = QStringLiteral("Asignar un nombre de archivo para la tormenta a ingresar");
const QString kCaracteresProhibidos = QStringLiteral("\\/:*?\"<>|");
const QColor kFondoTabla(230, 254, 255);
const QColor kGris(227, 227, 227);
constexpr int kColPp = 3;    // the depths, the one column the user types into
constexpr int kColAcum = 4;  // their running sums

// A depth the table can hold: a decimal number that fits a Single.
bool EsProfundidad(const QString& texto) {
  double valor = 0;
  return NumeroDeTexto(texto, valor) && std::fabs(valor) <= FLT_MAX;
}

}  // namespace

dlgPpReal::dlgPpReal() : QDialog(nullptr) {
  setObjectName(QStringLiteral("dlgPpReal"));
  setWindowTitle(QStringLiteral("Edición de Tormentas Reales (Pp-t)"));
  setFixedSize(Px(12300), Px(7500));
  buildControls();

  GridTyping::Options typing;
  typing.columns = [](int col) { return col == kColPp; };
  typing.locked = [this] { return ArchivoProtegido; };
  typing.isNumber = EsProfundidad;
  typing.lastRow = [] { return static_cast<int>(NumPer); };
  typing_ = std::make_unique<GridTyping>(MSFlexGridTablaPpReal, TeclaPendiente, FilaTecla, ColTecla,
                                         std::move(typing));
  connectHandlers();
}

void dlgPpReal::buildControls() {
  Frame1 = MakeFrame(this, QStringLiteral("Frame1"), QStringLiteral("Seleccione la tormenta:"), 120, 60, 4680,
                     2820);
  FilePpReal = new FileList(Frame1);
  FilePpReal->setObjectName(QStringLiteral("FilePpReal"));
  FilePpReal->setPattern(kPatronTormentaReal);
  FilePpReal->setToolTip(QStringLiteral("Pulse en el cuadro de lista para seleccionar otra tormenta "));
  PlaceTwips(FilePpReal, 120, 300, 4440, 1920);
  cmdNuevaPpReal = MakeButton(Frame1, QStringLiteral("cmdNuevaPpReal"),
                              QStringLiteral("Agregar una  tormenta nueva"), 120, 2310, 4440);

  Label2 = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("Tormenta:"), 240, 3030, 960, 285);
  lblMiFilePpReal = MakeElidedLabel(this, QStringLiteral("lblMiFilePpReal"), 1260, 3030, 3540, 285);
  Label5 = MakeLabel(this, QStringLiteral("Label5"), QStringLiteral("Notas:"), 240, 3420, 960, 285);
  txtNotas = new QLineEdit(this);
  txtNotas->setObjectName(QStringLiteral("txtNotas"));
  PlaceTwips(txtNotas, 1260, 3390, 3540, 315);

  Frame3 = MakeFrame(this, QStringLiteral("Frame3"), QStringLiteral("Tiempos"), 120, 3840, 4680, 2880);
  Label10 = MakeLabel(Frame3, QStringLiteral("Label10"), QStringLiteral("Nro. de intervalos:"), 120, 360,
                      1800, 285);
  txtNroPpReal = new ValidatedBox(Frame3);
  txtNroPpReal->setObjectName(QStringLiteral("txtNroPpReal"));
  PlaceTwips(txtNroPpReal, 1980, 330, 1020, 315);
  TakesNumbers(txtNroPpReal);
  Label3 = MakeLabel(Frame3, QStringLiteral("Label3"), QStringLiteral("Paso t [min]:"), 120, 780, 1800, 285);
  cmbPasot = new QComboBox(Frame3);
  cmbPasot->setObjectName(QStringLiteral("cmbPasot"));
  cmbPasot->setToolTip(QStringLiteral("Elija un paso de tiempo adecuado [minutos]"));
  PlaceTwips(cmbPasot, 1980, 750, 1020, 315);

  Label4 = MakeLabel(Frame3, QStringLiteral("Label4"), QStringLiteral("FECHA"), 960, 1200, 900, 285);
  Label12 = MakeLabel(Frame3, QStringLiteral("Label12"), QStringLiteral("Año"), 1980, 1200, 540, 285);
  Label12->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label6 = MakeLabel(Frame3, QStringLiteral("Label6"), QStringLiteral("HORA"), 2700, 1200, 900, 285);
  Label1 = MakeLabel(Frame3, QStringLiteral("Label1"), QStringLiteral("Inicial:"), 120, 1560, 800, 285);
  Label7 = MakeLabel(Frame3, QStringLiteral("Label7"), QStringLiteral("Final:"), 120, 1980, 800, 285);
  auto caja = [this](const char* name, int left, int top, int width, const QString& ayuda) {
    auto* box = new ValidatedBox(Frame3);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(ayuda);
    PlaceTwips(box, left, top, width, 315);
    return box;
  };
  txtDateI =
      caja("txtDateI", 960, 1530, 1560,
           QStringLiteral("Formato dd/mm/aaaa  - Ingrese 0 ó nulo para \"01/01/1001\", se interpretará "
                          "sin fecha válida"));
  txtTimeI = caja("txtTimeI", 2700, 1530, 900, QStringLiteral("Formato hh:mm"));
  txtDateF = caja("txtDateF", 960, 1950, 1560, QStringLiteral("Formato dd/mm/aaaa  "));
  txtTimeF = caja("txtTimeF", 2700, 1950, 900, QStringLiteral("Formato hh:mm"));
  Label8 = MakeLabel(Frame3, QStringLiteral("Label8"), QStringLiteral("Ej: 12/12/2004         20:30"), 960,
                     2400, 3000, 285);

  // The two options carry no caption: each sits beside the field it keeps fixed.
  optNroPpReal[1] = MakeOption(Frame3, ArrayName("optNroPpReal", 1), QString(), true, 3180, 345, 300);
  optNroPpReal[1]->setToolTip(QStringLiteral("Opción fijar nro. intervalos (calcula fecha y hora final...)"));
  optNroPpReal[0] = MakeOption(Frame3, ArrayName("optNroPpReal", 0), QString(), false, 3780, 1965, 300);
  optNroPpReal[0]->setToolTip(
      QStringLiteral("Opción de fijar fecha y hora final (calcula nro. intervalos...)"));

  Frame2 = MakeFrame(this, QStringLiteral("Frame2"), QStringLiteral("Tormenta Pp[mm] - t [min]"), 4920, 60,
                     7260, 6660);
  MSFlexGridTablaPpReal = new FlexGrid(Frame2);
  MSFlexGridTablaPpReal->setObjectName(QStringLiteral("MSFlexGridTablaPpReal"));
  MSFlexGridTablaPpReal->setToolTip(
      QStringLiteral("Cargue los datos de precipitación siguiendo el orden de entradas (columna 3)"));
  PlaceTwips(MSFlexGridTablaPpReal, 120, 300, 7020, 6240);
  MSFlexGridTablaPpReal->setCols(5);
  MSFlexGridTablaPpReal->setFixedCols(3);
  MSFlexGridTablaPpReal->setBackColor(kFondoTabla);

  cmdBorraTablaDisPer = MakeButton(this, QStringLiteral("cmdBorraTablaDisPer"),
                                   QStringLiteral("Borrar Tabla"), 120, 6900, 2220);
  cmdVerGrafico =
      MakeButton(this, QStringLiteral("cmdVerGrafico"), QStringLiteral("Gráfico"), 2580, 6900, 2220);
  cmdAplicar = MakeButton(this, QStringLiteral("cmdAplicar"), QStringLiteral("&Aplicar"), 5280, 6900, 2220);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("Ce&rrar"), 7620, 6900, 2220);
  CancelButton =
      MakeButton(this, QStringLiteral("CancelButton"), QStringLiteral("&Cancelar"), 9960, 6900, 2220);
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
}

void dlgPpReal::connectHandlers() {
  ConnectGuarded(FilePpReal, &FileList::clicked, this, &dlgPpReal::FilePpReal_Click);
  ConnectGuarded(cmdNuevaPpReal, &QPushButton::clicked, this, &dlgPpReal::cmdNuevaPpReal_Click);
  ConnectGuarded(cmdBorraTablaDisPer, &QPushButton::clicked, this, &dlgPpReal::cmdBorraTablaDisPer_Click);
  ConnectGuarded(cmdVerGrafico, &QPushButton::clicked, this, &dlgPpReal::cmdVerGrafico_Click);
  ConnectGuarded(CancelButton, &QPushButton::clicked, this, &dlgPpReal::CancelButton_Click);
  // Apply and Close first check the box being edited, as leaving it would.
  OnSignal(cmdAplicar, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) cmdAplicar_Click();
  });
  OnSignal(OKButton, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) OKButton_Click();
  });
  // Only a step the user picks runs the handler: the window's own choices set the step themselves.
  ConnectGuarded(cmbPasot, &QComboBox::activated, this, &dlgPpReal::cmbPasot_Click);
  OnSignal(txtNotas, &QLineEdit::textChanged, this, [this] { txtNotas_Change(); });
  for (QRadioButton* option : optNroPpReal) OnSelected(option, this, [this] { optNroPpReal_Click(); });

  txtNroPpReal->setValidation([this] { return txtNroPpReal_Validate(); });
  txtDateI->setValidation([this] { return txtDateI_Validate(); });
  txtTimeI->setValidation([this] { return txtTimeI_Validate(); });
  txtDateF->setValidation([this] { return txtDateF_Validate(); });
  txtTimeF->setValidation([this] { return txtTimeF_Validate(); });

  FlexGrid* grilla = MSFlexGridTablaPpReal;
  connect(grilla, &FlexGrid::KeyDown, this,
          [this](int key, int) { RunGuarded([&] { MSFlexGridTablaPpReal_KeyDown(key); }); });
  connect(grilla, &FlexGrid::KeyPress, this,
          [this](int key) { RunGuarded([&] { MSFlexGridTablaPpReal_KeyPress(key); }); });
  ConnectGuarded(grilla, &FlexGrid::LeaveCell, this, &dlgPpReal::MSFlexGridTablaPpReal_LeaveCell);

  // Coming back from the hyetograph drawn from here keeps the edits.
  auto* activacion = new ActivationWatch(this);
  connect(activacion, &ActivationWatch::activated, this, [this] {
    if (dlgChart1::exists() && PreviousActiveWindow() == &dlgChart1::object()) return;
    RunGuarded([this] { Form_Activate(); });
  });
}

void dlgPpReal::reject() {
  RunGuarded([this] { CancelButton_Click(); });
}

// ---------------------------------------------------------------------------------------------------
// Opening and activation

QString dlgPpReal::ArchivoDelDialogo() const {
  return dlgPp::isLoaded() ? dlgPp::instance().FilePpReal->fileName() : dlgPp::MiFilePpReal;
}

void dlgPpReal::SeleccionaArchivo(const QString& nombre) {
  FilePpReal->setFileName(nombre);
}

void dlgPpReal::Form_Load() {
  FormatoGrilla = kFormatoGrilla;
  MiFilePpReal = ArchivoDelDialogo();
  ListaTormentasReales(FilePpReal);
  SeleccionaArchivo(MiFilePpReal.endsWith(kSufijoTormentaReal) ? MiFilePpReal : kTormentaRealPorDefecto);
  ValidaArchivoPpReal();

  LlenaPasos();
  for (ValidatedBox* fecha : {txtDateI, txtDateF}) fecha->setText(kFechaVacia);
  for (ValidatedBox* hora : {txtTimeI, txtTimeF}) hora->setText(kHoraVacia);
  FechaI = FechaDeTexto(txtDateI->text());
  HoraI = HoraDeTexto(txtTimeI->text());
  HoraF = HoraDeTexto(txtTimeF->text());
  NumPer = 0;
  optNroPpReal[1]->setChecked(true);
  optNroPpReal_Click();

  ArchivoProtegido = EsTormentaDeEjemplo(MiFilePpReal);
  CargaArchivoPpReal();
  txtNotas->setText(NotasPpReal);
  txtNotas->setCursorPosition(0);
  txtNroPpReal->setText(PlainNumberText(NumPer));
  MSFlexGridTablaPpReal->setRows(NumPer + 1);
  MSFlexGridTablaPpReal->setFormatString(FormatoGrilla);
  LlenaGrillaPpReal();
}

void dlgPpReal::Form_Activate() {
  FormaPp = 4;
  if (dlgPp::isLoaded()) {
    dlgPp::instance().optformaPp[4]->setChecked(true);
  } else {
    DistriPp = 7;
  }
  ListaTormentasReales(FilePpReal);
  SeleccionaArchivo(ArchivoDelDialogo());
  FilePpReal_Click();
}

void dlgPpReal::LlenaPasos() {
  cmbPasot->clear();
  for (int i = 1; i <= std::min(16, ListaPasot.upper()); ++i) {
    if (ListaPasot(i) > 0) cmbPasot->addItem(PlainNumberText(ListaPasot(i)));
  }
  // Without durations chosen in the settings the standard steps are offered.
  if (cmbPasot->count() == 0) {
    for (Integer paso : kPasosTormenta) cmbPasot->addItem(PlainNumberText(paso));
  }
  cmbPasot->setCurrentIndex(std::min(1, cmbPasot->count() - 1));
  PasoPpReal = CInt(Val(cmbPasot->currentText()));
}

void dlgPpReal::MuestraPasoReal(Integer paso) {
  MuestraPaso(cmbPasot, paso);
}

// ---------------------------------------------------------------------------------------------------
// Files

void dlgPpReal::FilePpReal_Click() {
  // The storm picked replaces what was typed.
  TeclaPendiente = false;
  MiFilePpReal = FilePpReal->fileName();
  ArchivoProtegido = EsTormentaDeEjemplo(MiFilePpReal);
  ValidaArchivoPpReal();
  CargaArchivoPpReal();
  LlenaGrillaPpReal();
}

void dlgPpReal::ValidaArchivoPpReal() {
  ListaTormentasReales(FilePpReal);
  MiFilePpReal = NombreTormentaReal(MiFilePpReal);
  lblMiFilePpReal->setFullText(MiFilePpReal);
  SeleccionaArchivo(MiFilePpReal);
}

void dlgPpReal::CargaArchivoPpReal() {
  MiFilePpReal = NombreTormentaReal(MiFilePpReal);
  CabeceraTormentaReal leida;
  const PartesLeidas partes = LeeArchivoTormentaReal(MiFilePpReal, leida);
  if (partes >= PartesLeidas::Notas) {
    NotasPpReal = leida.Notas;
    txtNotas->setText(NotasPpReal);
    txtNotas->setCursorPosition(0);
  }
  if (partes >= PartesLeidas::Intervalos) {
    PasoPpReal = leida.Paso;
    MuestraPasoReal(PasoPpReal);
  }
  if (partes >= PartesLeidas::Inicio) {
    txtDateI->setText(leida.FechaI);
    txtTimeI->setText(leida.HoraI);
    FechaI = FechaDeTexto(leida.FechaI);
    HoraI = HoraDeTexto(leida.HoraI);
    FechaHoraI = TextoFechaHora(MinutosDe(FechaI, HoraI));
  }
  if (partes >= PartesLeidas::Fin) {
    txtDateF->setText(leida.FechaF);
    txtTimeF->setText(leida.HoraF);
    FechaF = FechaDeTexto(leida.FechaF);
    HoraF = HoraDeTexto(leida.HoraF);
  }
  txtNroPpReal->setText(PlainNumberText(NumPer));
  // The storm read is the current storm, its step included, so that a run never takes its depths
  // at another step.
  if (partes == PartesLeidas::Todo) PasoPp = PasoPpReal;
}

void dlgPpReal::GuardaArchivoPpReal() {
  MiFilePpReal = NombreTormentaReal(MiFilePpReal);
  CabeceraTormentaReal tormenta;
  tormenta.Notas = NotasPpReal;
  tormenta.N = NumPer;
  tormenta.Paso = PasoPpReal;
  tormenta.FechaI = txtDateI->text();
  tormenta.HoraI = txtTimeI->text();
  tormenta.FechaF = txtDateF->text();
  tormenta.HoraF = txtTimeF->text();
  GuardaArchivoTormentaReal(MiFilePpReal, tormenta);
}

void dlgPpReal::cmdNuevaPpReal_Click() {
  // The next free number after those of the default names "Pelcan<n>_pt.pcn".
  double mayor = 0;
  for (int i = 0; i < FilePpReal->count(); ++i) {
    const QString nombre = FilePpReal->item(i)->text();
    if (!nombre.startsWith(QLatin1String("Pelcan"))) continue;
    const qsizetype raya = nombre.indexOf(QLatin1Char('_'), 6);
    if (raya < 0) continue;
    double numero = 0;
    try {
      numero = Val(nombre.mid(6, raya - 6));
    } catch (const VbError&) {
      numero = 0;
    }
    mayor = std::max(mayor, numero);
  }
  const QString nombre = InputBox(QStringLiteral("Ingrese un nombre de archivo para la nueva tormenta"),
                                  kTituloNueva, QStringLiteral("Pelcan") + PlainNumberText(mayor + 1))
                             .trimmed();
  // No name (or Cancel) keeps the storm shown.
  if (nombre.isEmpty()) return;
  if (std::any_of(nombre.begin(), nombre.end(), [](QChar c) { return kCaracteresProhibidos.contains(c); })) {
    MsgBox(QStringLiteral(
               "El nombre de la tormenta no puede contener ninguno de los caracteres  \\ / : * ? \" < > |"),
           vbOKOnly | vbExclamation, kAdvertencia);
    return;
  }
  // A file whose name starts with a point is hidden from every list of storms.
  if (nombre.startsWith(QLatin1Char('.'))) {
    MsgBox(
        QStringLiteral("El nombre de la tormenta no puede empezar con un punto: su archivo quedaría oculto y "
                       "no se mostraría en la lista de tormentas. Elija otro nombre"),
        vbOKOnly | vbExclamation, kAdvertencia);
    return;
  }
  const QString archivo = nombre + kSufijoTormentaReal;
  if (!FileNameFits(archivo)) {
    MsgBox(QStringLiteral("El nombre de la tormenta es demasiado largo para un nombre de archivo. Elija un "
                          "nombre más corto"),
           vbOKOnly | vbExclamation, kAdvertencia);
    return;
  }
  if (EsTormentaDeEjemplo(archivo)) {
    MsgBox(QStringLiteral("La tormenta ") + archivo +
               QStringLiteral(" es un ejemplo del programa y no se puede reemplazar. Elija otro nombre"),
           vbOKOnly | vbExclamation, kAdvertencia);
    return;
  }
  if (FileExists(DirActual + QLatin1Char('/') + archivo) &&
      MsgBox(QStringLiteral("Ya existe la tormenta ") + archivo +
                 QStringLiteral(". ¿Desea reemplazarla por una tormenta vacía?"),
             vbYesNo | vbQuestion, kTituloNueva) != vbYes)
    return;

  MiFilePpReal = archivo;
  TeclaPendiente = false;
  for (ValidatedBox* fecha : {txtDateI, txtDateF}) fecha->setText(kFechaVacia);
  for (ValidatedBox* hora : {txtTimeI, txtTimeF}) hora->setText(kHoraVacia);
  txtNotas->setText(QStringLiteral("describa brevemente aquí la tormenta "));
  cmbPasot->setCurrentIndex(std::min(1, cmbPasot->count() - 1));
  PasoPpReal = CInt(Val(cmbPasot->currentText()));
  NumPer = 0;
  txtNroPpReal->setText(QStringLiteral("0"));
  GuardaArchivoPpReal();
  // A new storm is never a sample one.
  ArchivoProtegido = false;
  ValidaArchivoPpReal();
  LlenaGrillaPpReal();
}

void dlgPpReal::cmdBorraTablaDisPer_Click() {
  TeclaPendiente = false;
  NumPer = 0;
  txtNroPpReal->setText(QStringLiteral("0"));
  txtNotas->clear();
  for (ValidatedBox* fecha : {txtDateI, txtDateF}) fecha->setText(kFechaBorrada);
  for (ValidatedBox* hora : {txtTimeI, txtTimeF}) hora->setText(kHoraVacia);
  cmbPasot->setCurrentIndex(std::min(1, cmbPasot->count() - 1));
  PasoPpReal = CInt(Val(cmbPasot->currentText()));
  MSFlexGridTablaPpReal->setFocus();
  MSFlexGridTablaPpReal->setRows(1);
  // A sample storm is cleared from the view only.
  if (ArchivoProtegido) {
    LlenaGrillaPpReal();
    return;
  }
  const int respuesta = MsgBox(QStringLiteral("La Tabla ha sido borrada. ¿Desea borrar tambien el archivo ") +
                                   MiFilePpReal + QStringLiteral(" ?"),
                               vbYesNo | vbQuestion, QStringLiteral("¿Eliminar el archivo?"));
  if (respuesta != vbYes) {
    GuardaArchivoPpReal();
    LlenaGrillaPpReal();
    return;
  }
  try {
    ChDir(DirActual);
    RutaArchivo = MiFilePpReal;
    Kill(MiFilePpReal);
  } catch (const VbError& e) {
    if (e.number != kErrFileNotFound) MsgBox(ErrorNroText(e));
  }
  // Both lists lose the file; the first storm left (or none) is shown and becomes the storm dialog's.
  ListaTormentasReales(FilePpReal);
  if (FilePpReal->count() > 0) FilePpReal->setCurrentRow(0);
  dlgPp::MiFilePpReal = FilePpReal->fileName();
  if (dlgPp::isLoaded()) {
    FileList* lista = dlgPp::instance().FilePpReal;
    ListaTormentasReales(lista);
    lista->setFileName(dlgPp::MiFilePpReal);
  }
  FilePpReal_Click();
}

// ---------------------------------------------------------------------------------------------------
// Apply, Close, Cancel and the chart

void dlgPpReal::EntregaArchivo() {
  dlgPp::MiFilePpReal = MiFilePpReal;
  if (dlgPp::isLoaded()) {
    dlgPp& pp = dlgPp::instance();
    pp.lblMiFilePpReal->setFullText(MiFilePpReal);
    ListaTormentasReales(pp.FilePpReal);
    pp.FilePpReal->setFileName(MiFilePpReal);
    pp.FilePpReal_Click();
    return;
  }
  // With the storm dialog closed the storm is set here, as that dialog would set it.
  FormaPp = 4;
  DistriPp = 7;
  CargaArchivoPpReal();
}

bool dlgPpReal::cmdAplicar_Click() {
  MSFlexGridTablaPpReal_LeaveCell();
  if (!ArchivoProtegido) GuardaArchivoPpReal();
  if (!FileExists(DirActual + QLatin1Char('/') + MiFilePpReal)) {
    MsgBox(QStringLiteral("No se encuentra el archivo ") + MiFilePpReal, vbOKOnly | vbExclamation,
           QStringLiteral("Error..."));
    return false;
  }
  // The storm becomes what its file holds.
  EntregaArchivo();
  return true;
}

void dlgPpReal::OKButton_Click() {
  if (cmdAplicar_Click()) unloadLater();
}

void dlgPpReal::CancelButton_Click() {
  CloseAllFiles();
  unloadLater();
}

void dlgPpReal::cmdVerGrafico_Click() {
  MSFlexGridTablaPpReal_LeaveCell();
  MuestraHietograma(NumPer, PasoPpReal, NotasPpReal, PpTormenta, DurTormenta);
}

void dlgPpReal::txtNotas_Change() {
  NotasPpReal = txtNotas->text();
}

// ---------------------------------------------------------------------------------------------------
// The interval table

void dlgPpReal::LlenaGrillaPpReal() {
  const Integer N = NumPer;
  PpPeriodo.redimPreserve(N + 1);
  // A depth typed and not yet stored is kept before the table is written again.
  GuardaTecla();
  TeclaPendiente = false;
  for (QWidget* control :
       std::initializer_list<QWidget*>{cmbPasot, txtDateI, txtDateF, txtTimeI, txtTimeF, txtNroPpReal,
                                       optNroPpReal[0], optNroPpReal[1], txtNotas})
    control->setEnabled(true);

  FlexGrid* grilla = MSFlexGridTablaPpReal;
  // The grid is laid out from the program: no cell is left, nothing is stored.
  const QSignalBlocker bloqueo(grilla);
  grilla->setRows(N + 1);
  grilla->setFormatString(FormatoGrilla);
  qint64 t = MinutosInicio();
  FechaF = FechaDeTexto(txtDateF->text());
  HoraF = HoraDeTexto(txtTimeF->text());
  Single acumulada = 0;
  for (int k = 1; k <= N; ++k) {
    t += PasoPpReal;
    acumulada += PpPeriodo(k);
    grilla->setTextMatrix(k, 0, PlainNumberText(static_cast<Long>(k)));
    grilla->setTextMatrix(k, 1, TextoFechaHora(t));
    grilla->setTextMatrix(k, 2, PlainNumberText(static_cast<Long>(k) * PasoPpReal));
    grilla->setTextMatrix(k, kColPp, PlainNumberText(PpPeriodo(k)));
    grilla->setTextMatrix(k, kColAcum, PlainNumberText(acumulada));
  }
  if (N > 0) {
    const int fila = grilla->Row();
    const int columna = grilla->Col();
    for (const auto& [col, color] :
         {std::pair{kColPp, ArchivoProtegido ? kGris : kFondoTabla}, std::pair{kColAcum, kGris}}) {
      grilla->setRow(1);
      grilla->setCol(col);
      grilla->setRowSel(N);
      grilla->setColSel(col);
      grilla->setCellBackColor(color);
    }
    grilla->setRow(std::clamp(fila, 1, static_cast<int>(N)));
    grilla->setCol(std::max(columna, kColPp));
  }

  // A sample storm is shown, never edited.
  if (ArchivoProtegido) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{cmbPasot, txtDateI, txtDateF, txtTimeI, txtTimeF, txtNroPpReal,
                                         optNroPpReal[0], optNroPpReal[1], txtNotas})
      control->setEnabled(false);
  }
}

void dlgPpReal::AcumulaGrillaPpReal() {
  TeclaPendiente = false;
  const Integer N = NumPer;
  PpAcumGrilla.redim(0, N);
  for (int k = 1; k <= N; ++k) PpAcumGrilla(k) = PpAcumGrilla(k - 1) + PpPeriodo(k);
  for (int k = 1; k <= N; ++k)
    MSFlexGridTablaPpReal->setTextMatrix(k, kColAcum, PlainNumberText(PpAcumGrilla(k)));
}

void dlgPpReal::MSFlexGridTablaPpReal_KeyDown(int KeyCode) {
  typing_->keyDown(KeyCode);
}

void dlgPpReal::MSFlexGridTablaPpReal_KeyPress(int KeyAscii) {
  typing_->keyPress(KeyAscii);
}

bool dlgPpReal::GuardaTecla() {
  FlexGrid* grilla = MSFlexGridTablaPpReal;
  const int fila = grilla->Row();
  if (grilla->Col() != kColPp || !TeclaPendiente || fila < 1 || fila > NumPer) return false;
  // The leading number of the text, "." its decimal point; the typing rule keeps it within a Single.
  PpPeriodo(fila) = static_cast<Single>(Val(grilla->Text()));
  return true;
}

void dlgPpReal::MSFlexGridTablaPpReal_LeaveCell() {
  if (GuardaTecla()) AcumulaGrillaPpReal();
}

// ---------------------------------------------------------------------------------------------------
// The time fields

qint64 dlgPpReal::MinutosInicio() {
  FechaI = FechaDeTexto(txtDateI->text());
  HoraI = HoraDeTexto(txtTimeI->text());
  const qint64 inicio = MinutosDe(FechaI, HoraI);
  FechaHoraI = TextoFechaHora(inicio);
  return inicio;
}

void dlgPpReal::CalculaFinal() {
  const qint64 fin = MinutosInicio() + static_cast<qint64>(NumPer) * PasoPpReal;
  FechaF = FechaDeMinutos(fin);
  HoraF = HoraDeMinutos(fin);
  FechaHoraF = TextoFechaHora(fin);
  txtDateF->setText(TextoDeFecha(FechaF));
  txtTimeF->setText(HoraF);
}

bool dlgPpReal::AceptaIntervalos(long long n, Integer paso) {
  if (n < 0 || n > kMaxIntervalos) {
    MsgBox(kMensajeCuenta, vbOKOnly);
    return false;
  }
  if (n * paso > kMaxDuracionReal) {
    MsgBox(kMensajeDuracion, vbOKOnly | vbExclamation, kAdvertencia);
    return false;
  }
  return true;
}

void dlgPpReal::CalculaIntervalos() {
  const Integer paso = CInt(Val(cmbPasot->currentText()));
  if (paso >= 1) PasoPpReal = paso;
  const qint64 inicio = MinutosInicio();
  FechaF = FechaDeTexto(txtDateF->text());
  HoraF = HoraDeTexto(txtTimeF->text());
  const qint64 fin = MinutosDe(FechaF, HoraF);
  FechaHoraF = TextoFechaHora(fin);
  // An end that has a date and a start that has none (or the reverse) give no count.
  if (!FechasComparables(FechaI, FechaF)) return;
  const double n = RoundHalfEven(static_cast<double>(fin - inicio) / PasoPpReal);
  if (n < 0) {
    MsgBox(kMensajeFinal, vbOKOnly | vbExclamation, kAdvertencia);
    NumPer = 0;
    txtNroPpReal->setText(QStringLiteral("0"));
    txtNroPpReal_Validate();
    return;
  }
  if (!AceptaIntervalos(static_cast<long long>(std::min(n, 1e9)), PasoPpReal)) return;
  NumPer = static_cast<Integer>(n);
  txtNroPpReal->setText(PlainNumberText(NumPer));
}

bool dlgPpReal::txtNroPpReal_Validate() {
  // A text that is no number counts as 0; a count outside the table's range keeps the one before.
  const double valor = RoundHalfEven(Val(txtNroPpReal->text()));
  if (!AceptaIntervalos(static_cast<long long>(std::clamp(valor, -1.0, 1e9)), PasoPpReal)) {
    txtNroPpReal->setText(PlainNumberText(NumPer));
    return false;
  }
  NumPer = static_cast<Integer>(valor);
  txtNroPpReal->setText(PlainNumberText(NumPer));
  MSFlexGridTablaPpReal->setRows(NumPer + 1);
  LlenaGrillaPpReal();
  CalculaFinal();
  return true;
}

void dlgPpReal::cmbPasot_Click() {
  const Integer paso = CInt(Val(cmbPasot->currentText()));
  if (paso < 1 || !AceptaIntervalos(NumPer, paso)) {
    MuestraPasoReal(PasoPpReal);
    return;
  }
  PasoPpReal = paso;
  CalculaFinal();
  LlenaGrillaPpReal();
}

bool dlgPpReal::NormalizaCaja(ValidatedBox* caja, void (*control)(QString&, Integer&), const QString& mensaje,
                              const QString& vacio) {
  QString texto = caja->text();
  Integer invalida = 0;
  control(texto, invalida);
  caja->setText(texto);
  if (invalida == 0) return true;
  MsgBox(mensaje, vbOKOnly | vbExclamation, kAdvertencia);
  caja->setText(vacio);
  return false;
}

bool dlgPpReal::txtDateI_Validate() {
  const bool aceptada = NormalizaCaja(txtDateI, controlMiFecha, kMensajeFecha, kFechaVacia);
  // A storm without date has no time of day either.
  if (txtDateI->text() == kFechaVacia) txtTimeI->setText(kHoraVacia);
  CalculaFinal();
  LlenaGrillaPpReal();
  return aceptada;
}

bool dlgPpReal::txtTimeI_Validate() {
  const bool aceptada = NormalizaCaja(txtTimeI, controlMiHora, kMensajeHora, kHoraVacia);
  CalculaFinal();
  LlenaGrillaPpReal();
  return aceptada;
}

bool dlgPpReal::txtDateF_Validate() {
  const bool aceptada = NormalizaCaja(txtDateF, controlMiFecha, kMensajeFecha, kFechaBorrada);
  if (aceptada) {
    CalculaIntervalos();
  } else {
    FechaF = FechaDeTexto(kFechaBorrada);
  }
  LlenaGrillaPpReal();
  return aceptada;
}

bool dlgPpReal::txtTimeF_Validate() {
  const bool aceptada = NormalizaCaja(txtTimeF, controlMiHora, kMensajeHora, kHoraVacia);
  CalculaIntervalos();
  LlenaGrillaPpReal();
  return aceptada;
}

void dlgPpReal::optNroPpReal_Click() {
  const bool finFijo = optNroPpReal[0]->isChecked();
  txtDateF->setEnabled(finFijo);
  txtTimeF->setEnabled(finFijo);
  txtNroPpReal->setEnabled(!finFijo);
}

}  // namespace tavo
