#include "rainfall/dlgPp.h"

#include <QEvent>
#include <QLocale>
#include <QSignalBlocker>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <tuple>

#include "engine/hietograma.h"
#include "engine/informe.h"
#include "platform/activation.h"
#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "platform/iconos.h"
#include "project/configuracion.h"
#include "rainfall/distribuciones.h"
#include "rainfall/dlgDisPpPer.h"
#include "rainfall/dlgPpReal.h"
#include "rainfall/dlgTablaPpUEHs.h"
#include "rainfall/dlgTablasPDRs.h"
#include "rainfall/listapdr.h"
#include "rainfall/numeros.h"
#include "rainfall/tormenta.h"
#include "rainfall/tormentareal.h"
#include "results/dlgChart1.h"

namespace tavo {

namespace {

const QString kMensajePp = QStringLiteral("Ingrese un valor numérico, entero o decimal, entre 0 y 999");
const QString kMensajeDur = QStringLiteral("Ingrese un valor numérico, entero o decimal, entre 0 y 14400");
const QString kMensajeRec = QStringLiteral("Ingrese un valor numérico entero entre 0 y 10000 ");
constexpr double kMaxPp = 999;     // [mm]
constexpr double kMaxDur = 14400;  // [min]
constexpr int kMaxRec = 10000;     // [years]

// The index of the first selected option of an array; -1 when none is.
template <std::size_t N>
int Seleccionada(const std::array<QRadioButton*, N>& opciones) {
  for (std::size_t i = 0; i < N; ++i) {
    if (opciones[i]->isChecked()) return static_cast<int>(i);
  }
  return -1;
}

// Selects option `index` of an array; an index outside it selects nothing.
template <std::size_t N>
void Selecciona(const std::array<QRadioButton*, N>& opciones, int index) {
  if (index >= 0 && index < static_cast<int>(N)) opciones[index]->setChecked(true);
}

// True when a box's text is a number from 0 to `maximo`.
bool NumeroEnRango(const QString& texto, double maximo) {
  const double v = Val(texto);
  return IsNumeric(texto) && v >= 0 && v <= maximo;
}

// The return period of the R box's text to the nearest whole number; false when the text is not a
// number or the period lies outside 0 to 10000.
bool RecDeCaja(const QString& texto, Integer& rec) {
  double valor = 0;
  Integer entero = 0;
  if (!NumeroDeTexto(texto, valor) || !EnteroDeValor(valor, entero) || entero < 0 || entero > kMaxRec)
    return false;
  rec = entero;
  return true;
}

// A depth cut after its second decimal on its decimal text, so that 1.15 stays 1.15 and 12.345
// gives 12.34.
Single CortaCentesimas(double valor) {
  QString texto = QString::number(valor, 'f', QLocale::FloatingPointShortest);
  const qsizetype punto = texto.indexOf(QLatin1Char('.'));
  if (punto >= 0) texto.truncate(punto + 3);
  const double cortado = texto.toDouble();
  return static_cast<Single>(cortado == 0 ? 0.0 : cortado);
}

// The numbers of an archived storm travel with its entry of the list.
QVariant DatosTormenta(const TormentaArchivada& t) {
  return QVariantList{QVariant(t.P), QVariant(static_cast<int>(t.D)), QVariant(static_cast<int>(t.R))};
}

TormentaArchivada TormentaDelItem(const QComboBox* lista, int index) {
  const QVariantList datos = lista->itemData(index).toList();
  TormentaArchivada t;
  t.P = datos.value(0).toFloat();
  t.D = static_cast<Integer>(datos.value(1).toInt());
  t.R = static_cast<Integer>(datos.value(2).toInt());
  t.texto = lista->itemText(index);
  return t;
}

QLabel* WrappedLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                     int height) {
  QLabel* label = MakeLabel(parent, name, text, left, top, width, height);
  label->setWordWrap(true);
  return label;
}

QComboBox* MakeList(QComboBox* list, const char* name, int left, int top, int width) {
  list->setObjectName(QString::fromLatin1(name));
  PlaceTwips(list, left, top, width, 315);
  return list;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// The window and its controls

dlgPp::dlgPp() : QDialog(nullptr) {
  setObjectName(QStringLiteral("dlgPp"));
  setWindowTitle(QStringLiteral("Carga de Datos de Precipitación"));
  setFixedSize(Px(11520), Px(8400));

  buildModes();
  Label9[0] = WrappedLabel(
      this, ArrayName("Label9", 0),
      QStringLiteral("Variables y Parámetros para formas de lluvias de distribución areal uniforme"), 120,
      2760, 5520, 450);
  Label9[1] = MakeLabel(this, ArrayName("Label9", 1), QStringLiteral("Distribución temporal de la lluvia"),
                        5760, 2760, 5640, 285);
  buildStormBoxes();
  buildDistributions();
  buildSteps();

  cmdVerTablaPt =
      MakeButton(this, QStringLiteral("cmdVerTablaPt"), QStringLiteral("Ver Tabla P-t"), 120, 7800, 1800);
  cmdVerGrafico =
      MakeButton(this, QStringLiteral("cmdVerGrafico"), QStringLiteral("&Gráfico P-t"), 2040, 7800, 1800);
  cmdAplicar = MakeButton(this, QStringLiteral("cmdAplicar"), QStringLiteral("&Aplicar"), 6600, 7800, 1500);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("&Aceptar"), 8220, 7800, 1500);
  CancelButton =
      MakeButton(this, QStringLiteral("CancelButton"), QStringLiteral("&Cancelar"), 9840, 7800, 1500);
  OKButton->setDefault(true);
  for (QPushButton* button : findChildren<QPushButton*>()) {
    if (button != OKButton) button->setAutoDefault(false);
  }

  connectHandlers();
}

void dlgPp::buildModes() {
  Frame1 = MakeFrame(
      this, QStringLiteral("Frame1"),
      QStringLiteral("Selección de forma de ingresar datos de entrada de lluvias al modelo del modelo"), 120,
      60, 11280, 2580);
  Label7 =
      MakeLabel(Frame1, QStringLiteral("Label7"),
                QStringLiteral("Lluvias Sintéticas de distribución areal UNIFORME"), 240, 270, 7000, 255);
  Label8 =
      MakeLabel(Frame1, QStringLiteral("Label8"),
                QStringLiteral("Lluvias Sintéticas de distribución areal NO UNIFORME"), 240, 1440, 7000, 255);
  for (QLabel* heading : {Label7, Label8}) {
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
  }
  const char* textos[] = {
      ("a) Ingresar una lluvia (Pp), de Duración (D) y Recurrencia(R) y asignar una distribución temporal "
       "tipo"),
      "b) Cargar una tormenta  Pp-D-R desde Lista archivada",
      "c) Cargar una tabla de Pp-D-R desde archivo",
      "d) Cargar una Pp-D-R por cada UEH",
  };
  const int tops[] = {540, 840, 1140, 1740, 2130};
  for (int i = 0; i < 5; ++i)
    optformaPp[i] = MakeOption(Frame1, ArrayName("optformaPp", i), QString(), i == 0, 240, tops[i], 300);
  for (int i = 0; i < 4; ++i)
    Label1[i] =
        MakeLabel(Frame1, ArrayName("Label1", i), QString::fromUtf8(textos[i]), 600, tops[i], 10560, 285);
  Label1[3]->resize(Px(3600), Label1[3]->height());
  cmdCargaPDRnoUniforme = MakeButton(Frame1, QStringLiteral("cmdCargaPDRnoUniforme"),
                                     QStringLiteral("Cargar datos"), 4320, 1680, 1800);
  Label11 = MakeLabel(Frame1, QStringLiteral("Label11"), QStringLiteral("e)"), 600, 2130, 300, 285);
  Label10 =
      MakeLabel(Frame1, QStringLiteral("Label10"), QStringLiteral("Lluvias Reales"), 900, 2130, 3000, 285);
}

void dlgPp::buildStormBoxes() {
  Frame2 =
      MakeFrame(this, QStringLiteral("Frame2"), QStringLiteral("a) Ingresar Pp- D-R"), 120, 3240, 5520, 1380);
  const char* unidades[] = {"Pp[mm]", "D[min]", "R[años]"};
  const int lefts[] = {240, 1920, 3600};
  for (int i = 0; i < 3; ++i)
    Label2[i] =
        MakeLabel(Frame2, ArrayName("Label2", i), QString::fromUtf8(unidades[i]), lefts[i], 300, 1500, 255);
  txtPp = new ValidatedBox(Frame2);
  txtDur = new ValidatedBox(Frame2);
  cmbRec = new ValidatedList(Frame2);
  MakeList(cmbRec, "cmbRec", lefts[2], 570, 1500);
  cmbRec->setTypable();
  TakesNumbers(cmbRec->lineEdit());
  txtPp->setObjectName(QStringLiteral("txtPp"));
  txtDur->setObjectName(QStringLiteral("txtDur"));
  PlaceTwips(txtPp, lefts[0], 570, 1500, 315);
  PlaceTwips(txtDur, lefts[1], 570, 1500, 315);
  TakesNumbers(txtPp);
  TakesNumbers(txtDur);
  txtPp->setToolTip(QStringLiteral("Ingrese un valor para la lluvia, en milímetros"));
  txtDur->setToolTip(QStringLiteral("Ingrse la duración de la lluvia, en minutos"));
  cmdPDR = MakeButton(Frame2, QStringLiteral("cmdPDR"), QStringLiteral("Cargar Tormenta a Lista b)"), 240,
                      930, 3000);
  cmdPDR->setToolTip(QStringLiteral("Carga el trío de valores PDR en la Lista desplegable del cuadro b)"));

  // b), c) and e) share one place: only one of them is ever shown.
  Frame4 = MakeFrame(this, QStringLiteral("Frame4"), QStringLiteral("b) Ingresar Tormenta PDR desde Lista"),
                     120, 4740, 5520, 1260);
  cmbPDR = MakeList(new QComboBox(Frame4), "cmbPDR", 240, 330, 5040);
  cmdBorraPDR = MakeButton(Frame4, QStringLiteral("cmdBorraPDR"),
                           QStringLiteral("Eliminar de Lista una tormenta ( P-t )"), 240, 750, 3600);
  cmdBorraPDR->setToolTip(
      QStringLiteral("Suprime de la lista desplegable el trío de valores PDR seleccionado "));

  Frame3 = MakeFrame(this, QStringLiteral("Frame3"), QStringLiteral("c) Ingresar una Tabla Pp-D-R"), 120,
                     4740, 5520, 2880);
  const int tablaTops[] = {330, 870, 1170, 1470};
  for (int i = 0; i < 4; ++i) {
    optTablaPDR[i] =
        MakeOption(Frame3, ArrayName("optTablaPDR", i), QString(), false, 240, tablaTops[i], 300);
    Label5[i] = MakeLabel(Frame3, ArrayName("Label5", i), QStringLiteral("Personalizada %1").arg(i), 600,
                          tablaTops[i], 4680, 285);
    if (i > 0) Label5[i]->setToolTip(QStringLiteral("Cargar una Tabla personalizada"));
  }
  Label5[0]->setText(
      QStringLiteral("Tabla regional por defecto: 100 tormentas, de 10 minutos a 1 día y de 2 a 1000 años"));
  Label5[0]->setWordWrap(true);
  Label5[0]->resize(Label5[0]->width(), Px(480));
  cmdTablaPDR =
      MakeButton(Frame3, QStringLiteral("cmdTablaPDR"), QStringLiteral("Cargar Tabla1"), 240, 1890, 2000);

  Frame7 = MakeFrame(this, QStringLiteral("Frame7"), QStringLiteral("Selección de caso: Tormenta real"), 120,
                     4740, 5520, 2880);
  cmdPpReal = MakeButton(Frame7, QStringLiteral("cmdPpReal"), QStringLiteral("Cargar lluvia Real (P-t)"), 240,
                         300, 2800);
  FilePpReal = new FileList(Frame7);
  FilePpReal->setObjectName(QStringLiteral("FilePpReal"));
  FilePpReal->setPattern(QStringLiteral("*_pt.pcn"));
  // The file's name, a text of the user's, has the frame's whole width below the button.
  lblMiFilePpReal = MakeElidedLabel(Frame7, QStringLiteral("lblMiFilePpReal"), 240, 720, 5160, 285);
  PlaceTwips(FilePpReal, 240, 1080, 2760, 1620);
  lblNotasPpReal = WrappedLabel(Frame7, QStringLiteral("lblNotasPpReal"), QString(), 3120, 1080, 2280, 720);
  lblNotasPpReal->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblNumPer = MakeLabel(Frame7, QStringLiteral("lblNumPer"), QStringLiteral("0"), 3120, 1860, 2280, 285);
  lblDateI =
      MakeLabel(Frame7, QStringLiteral("lblDateI"), QStringLiteral("01/01/1001"), 3120, 2160, 1260, 285);
  lblTimeI = MakeLabel(Frame7, QStringLiteral("lblTimeI"), QStringLiteral("00:00"), 4440, 2160, 960, 285);
  lblDateF =
      MakeLabel(Frame7, QStringLiteral("lblDateF"), QStringLiteral("01/01/1001"), 3120, 2460, 1260, 285);
  lblTimeF = MakeLabel(Frame7, QStringLiteral("lblTimeF"), QStringLiteral("00:00"), 4440, 2460, 960, 285);
}

void dlgPp::buildDistributions() {
  Frame5 = MakeFrame(this, QStringLiteral("Frame5"),
                     QStringLiteral("Formas típicas y personalizadas de distribución temporal "), 5760, 3060,
                     5640, 2700);
  const char* textos[] = {"Distribución uniforme",
                          "Distribución teórica",
                          "Tormenta de 24 h (estación 1)",
                          "Tormenta de 24 h (estación 2)",
                          "Tormenta de 48 h",
                          "Personalizada 1",
                          "Personalizada 2",
                          "Personalizada 3"};
  for (int i = 0; i < 8; ++i) {
    const bool primera = i < 5;
    const int left = primera ? 240 : 3360;
    const int top = 330 + (primera ? i : i - 5) * 360;
    optDistriPp[i] = MakeOption(Frame5, ArrayName("optDistriPp", i), QString(), i == 0, left, top, 300);
    Label3[i] = MakeLabel(Frame5, ArrayName("Label3", i), QString::fromUtf8(textos[i]), left + 300, top,
                          i == 4    ? 2280
                          : primera ? 2760
                                    : 1860,
                          285);
  }
  const QString personalizada = QStringLiteral("Cargar una distribución personalizada");
  const std::pair<int, QString> ayudas[] = {
      {0, QStringLiteral("Lluvia de intensidad constante")},
      {1, QStringLiteral(
              "Distribución típica de una lluvia torrencial, con intensidades mayores al promediar la "
              "duración de la tormenta. Incluye distribucines variables de 1 a 24 horas.")},
      {5, personalizada},
      {6, personalizada},
      {7, personalizada},
  };
  for (const auto& [i, ayuda] : ayudas) {
    Label3[i]->setToolTip(ayuda);
    if (i != 1) optDistriPp[i]->setToolTip(ayuda);
  }
  cmdPpPerso = MakeButton(Frame5, QStringLiteral("cmdPpPerso"), QStringLiteral("Cargar Tabla Personalizada "),
                          2760, 1725, 2760);
  cmdPpPerso->setToolTip(QStringLiteral("Cargar una tabla de distribución personalizada"));
  cmdPpPerso->setEnabled(false);
  lblValidez = MakeLabel(Frame5, QStringLiteral("lblValidez"),
                         QStringLiteral("Validez: Duración [minutos]    Min        -    Máxima"), 240, 2070,
                         5280, 255);
  lblDurMin = MakeLabel(Frame5, QStringLiteral("lblDurMin"), QString(), 2640, 2340, 1000, 255);
  lblDurMax = MakeLabel(Frame5, QStringLiteral("lblDurMax"), QString(), 3840, 2340, 1000, 255);
  for (QLabel* label : {lblValidez, lblDurMin, lblDurMax}) label->hide();
}

void dlgPp::buildSteps() {
  Frame6 = MakeFrame(this, QStringLiteral("Frame6"), QStringLiteral("Paso del modelo (Entradas y Salidas)"),
                     5760, 5880, 5640, 1380);
  Label4 =
      WrappedLabel(Frame6, QStringLiteral("Label4"),
                   QStringLiteral("Paso de tiempo [min] p/Precipitaciones de Entrada"), 240, 300, 4200, 480);
  Label6 = WrappedLabel(Frame6, QStringLiteral("Label6"),
                        QStringLiteral("Paso de tiempo [min] p/ Caudales de Salida"), 240, 840, 4200, 480);
  cmbPasoPp = new ValidatedList(Frame6);
  cmbPasoQ = new ValidatedList(Frame6);
  MakeList(cmbPasoPp, "cmbPasoPp", 4560, 390, 900);
  MakeList(cmbPasoQ, "cmbPasoQ", 4560, 930, 900);
  cmbPasoPp->setToolTip(QStringLiteral("Sugerido: del orden de 1/3 el tiempo de concentración"));
}

void dlgPp::connectHandlers() {
  // The buttons that read the boxes first check the box being edited, as leaving it would.
  OnSignal(cmdAplicar, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) cmdAplicar_Click();
  });
  OnSignal(OKButton, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) OKButton_Click();
  });
  OnSignal(cmdPDR, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) cmdPDR_Click();
  });
  ConnectGuarded(CancelButton, &QPushButton::clicked, this, &dlgPp::CancelButton_Click);
  ConnectGuarded(cmdBorraPDR, &QPushButton::clicked, this, &dlgPp::cmdBorraPDR_Click);
  ConnectGuarded(cmdPpReal, &QPushButton::clicked, this, &dlgPp::cmdPpReal_Click);
  ConnectGuarded(cmdPpPerso, &QPushButton::clicked, this, &dlgPp::cmdPpPerso_Click);
  ConnectGuarded(cmdTablaPDR, &QPushButton::clicked, this, &dlgPp::cmdTablaPDR_Click);
  ConnectGuarded(cmdCargaPDRnoUniforme, &QPushButton::clicked, this, &dlgPp::cmdCargaPDRnoUniforme_Click);
  ConnectGuarded(cmdVerTablaPt, &QPushButton::clicked, this, &dlgPp::cmdVerTablaPt_Click);
  ConnectGuarded(cmdVerGrafico, &QPushButton::clicked, this, &dlgPp::cmdVerGrafico_Click);

  for (int i = 0; i < 5; ++i) OnSelected(optformaPp[i], this, [this, i] { optformaPp_Click(i); });
  for (int i = 0; i < 8; ++i) OnSelected(optDistriPp[i], this, [this, i] { optDistriPp_Click(i); });
  for (int i = 0; i < 4; ++i) OnSelected(optTablaPDR[i], this, [this, i] { optTablaPDR_Click(i); });

  txtPp->setValidation([this] { return txtPp_Validate(); });
  txtDur->setValidation([this] { return txtDur_Validate(); });
  cmbRec->setValidation([this] { return cmbRec_Validate(); });
  cmbPasoPp->setValidation([this] { return cmbPasoPp_Validate(); });
  cmbPasoQ->setValidation([this] { return cmbPasoQ_Validate(); });
  txtPp->installEventFilter(this);
  txtDur->installEventFilter(this);

  // Picking an archived storm, by the user or by the program.
  connect(cmbPDR, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) RunGuarded([this] { cmbPDR_Click(); });
  });
  ConnectGuarded(FilePpReal, &FileList::clicked, this, &dlgPp::FilePpReal_Click);

  auto* activacion = new ActivationWatch(this);
  ConnectGuarded(activacion, &ActivationWatch::activated, this, &dlgPp::Form_Activate);
}

void dlgPp::ResetState() {
  MiFilePpReal.clear();
}

bool dlgPp::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == txtPp) RunGuarded([this] { txtPp_DblClick(); });
    if (watched == txtDur) RunGuarded([this] { txtDur_DblClick(); });
  }
  return QDialog::eventFilter(watched, event);
}

void dlgPp::reject() {
  RunGuarded([this] { CancelButton_Click(); });
}

// ---------------------------------------------------------------------------------------------------
// Loading and the input modes

void dlgPp::Form_Load() {
  // The validity labels of the user distributions show what their file holds now, or what the open
  // distribution editor holds, which that reading would undo.
  if (!dlgDisPpPer::isLoaded()) FormInstance<dlgDisPpPer>::object().LeeTablaDisTemPer();
  CargaControlesPp();
  ActualizaFormaPp();
  if (optformaPp[0]->isChecked() || optformaPp[1]->isChecked()) leeListaPpDurRec();
  setWindowIcon(IconoBoton(QStringLiteral("EntraPp")));
}

void dlgPp::Form_Activate() {
  if (optformaPp[4]->isChecked()) FilePpReal_Click();
}

void dlgPp::CargaControlesPp() {
  for (int i = 1; i <= NroListaRec; ++i) cmbRec->addItem(PlainNumberText(ListaRec(i)));
  cmbRec->setEditText(PlainNumberText(RecTormenta));

  for (QComboBox* lista : {cmbPasoPp, cmbPasoQ}) {
    for (Integer paso : kPasosTormenta) lista->addItem(PlainNumberText(paso));
    MuestraPaso(lista, 10);
  }
  if (PasoPp != 0) MuestraPaso(cmbPasoPp, PasoPp);
  if (PasoQ != 0) MuestraPaso(cmbPasoQ, PasoQ);
  PasoPp = CInt(Val(cmbPasoPp->currentText()));
  PasoQ = CInt(Val(cmbPasoQ->currentText()));
  // The output step must divide the rain step.
  if (PasoPp < PasoQ || PasoPp % PasoQ != 0) {
    MuestraPaso(cmbPasoQ, PasoPp);
    PasoQ = PasoPp;
  }

  txtPp->setText(PlainNumberText(PpTormenta));
  txtDur->setText(PlainNumberText(DurTormenta));

  // Selecting the mode runs its handler, which may change the distribution: the stored one comes back.
  const Integer distri = DistriPp;
  const Integer tabla = NroTablaPDR;
  Selecciona(optformaPp, FormaPp);
  DistriPp = distri;
  Selecciona(optDistriPp, DistriPp);
  NroTablaPDR = tabla;
  Selecciona(optTablaPDR, NroTablaPDR);
}

void dlgPp::MuestraPersonalizada(bool validez) {
  const int t = Seleccionada(optDistriPp) - 4;
  const bool personalizada = t >= 1 && t <= 3;
  cmdPpPerso->setEnabled(personalizada);
  if (!validez) return;
  for (QLabel* label : {lblValidez, lblDurMin, lblDurMax}) label->hide();
  if (!personalizada) return;
  lblValidez->show();
  if (DurMinDisPer[t] > 0) {
    lblDurMin->setText(PlainNumberText(DurMinDisPer[t]));
    lblDurMin->show();
  }
  if (DurMaxDisPer[t] > 0) {
    lblDurMax->setText(PlainNumberText(DurMaxDisPer[t]));
    lblDurMax->show();
  }
}

void dlgPp::ActualizaFormaPp() {
  for (QWidget* control :
       std::initializer_list<QWidget*>{txtPp, txtDur, cmbRec, cmdBorraPDR, cmbPDR, cmdTablaPDR})
    control->setEnabled(false);
  for (QRadioButton* option : optTablaPDR) option->setEnabled(false);
  const bool distribucionPropia = optformaPp[3]->isChecked() || optformaPp[4]->isChecked();
  for (QRadioButton* option : optDistriPp) option->setEnabled(!distribucionPropia);
  if (const int i = Seleccionada(optDistriPp); i >= 0) DistriPp = static_cast<Integer>(i);

  const int modo = Seleccionada(optformaPp);
  if (modo < 0) return;
  FormaPp = static_cast<Integer>(modo);

  // Which groups each mode shows: c), b), the distributions, e), and the two headings.
  struct Grupos {
    bool tablas, lista, distribuciones, real, titulo0, titulo1;
  };
  constexpr Grupos kGrupos[] = {
      {false, true, true, false, true, true},    // a) P, D and R typed
      {false, true, true, false, true, true},    // b) a storm of the archived list
      {true, false, true, false, true, true},    // c) the storms of a P-D-R table
      {false, false, true, false, false, true},  // d) one depth per unit
      {false, false, false, true, true, false},  // e) a measured storm
  };
  const Grupos& g = kGrupos[modo];
  Frame2->show();
  Frame3->setVisible(g.tablas);
  Frame4->setVisible(g.lista);
  Frame5->setVisible(g.distribuciones);
  Frame7->setVisible(g.real);
  Label9[0]->setVisible(g.titulo0);
  Label9[1]->setVisible(g.titulo1);
  cmbPasoPp->setEnabled(modo != 4);
  cmdVerGrafico->setEnabled(modo <= 1);
  cmdVerTablaPt->setEnabled(modo <= 1);

  switch (modo) {
    case 0:
      for (int i = 0; i < 4; ++i) optformaPp[i]->setEnabled(true);
      for (QWidget* control : std::initializer_list<QWidget*>{txtPp, txtDur, cmbRec, cmdPDR})
        control->setEnabled(true);
      MuestraPersonalizada(true);
      break;
    case 1:
      leeListaPpDurRec();
      cmdPDR->setEnabled(false);
      cmdBorraPDR->setEnabled(true);
      cmbPDR->setEnabled(true);
      MuestraPersonalizada(false);
      break;
    case 2:
      cmdPDR->setEnabled(false);
      for (QRadioButton* option : optTablaPDR) option->setEnabled(true);
      cmdTablaPDR->setEnabled(Seleccionada(optTablaPDR) >= 0);
      MuestraPersonalizada(false);
      break;
    case 3:
      cmbRec->setEnabled(true);
      cmdCargaPDRnoUniforme->setEnabled(true);
      cmdPpPerso->setEnabled(false);
      for (QLabel* label : {lblValidez, lblDurMin, lblDurMax}) label->hide();
      optDistriPp[0]->setChecked(true);
      break;
    case 4:
      // The measured storm chosen before, or the default name, is chosen and read.
      if (MiFilePpReal.isEmpty()) MiFilePpReal = kTormentaRealPorDefecto;
      ListaTormentasReales(FilePpReal);
      FilePpReal->setFileName(MiFilePpReal);
      FilePpReal_Click();
      optDistriPp[7]->setChecked(true);
      DistriPp = 7;
      break;
  }
}

void dlgPp::optformaPp_Click(int) {
  // Leaving the measured storm leaves its distribution, a user one, selected.
  if (!optformaPp[4]->isChecked() && FormaPpPrevia == 4 && DistriPp > 5)
    MsgBox(QStringLiteral("Verifique la Distribución temporal de LLuvia"), vbOKOnly | vbExclamation,
           QStringLiteral("Atención..."));
  ActualizaFormaPp();
  FormaPpPrevia = FormaPp;
}

void dlgPp::optDistriPp_Click(int) {
  // Modes d) and e) keep the distribution they force (their options are disabled); in the others the
  // chosen option stays selected.
  ActualizaFormaPp();
  if (optDistriPp[2]->isChecked() || optDistriPp[3]->isChecked() || optDistriPp[4]->isChecked())
    txtDur->setText(QStringLiteral("1440"));
}

void dlgPp::optTablaPDR_Click(int Index) {
  NroTablaPDR = static_cast<Integer>(Index);
}

// ---------------------------------------------------------------------------------------------------
// Boxes and step lists

void dlgPp::txtPp_DblClick() {
  txtPp->setText(QStringLiteral("100"));
}
void dlgPp::txtDur_DblClick() {
  txtDur->setText(QStringLiteral("60"));
}

bool dlgPp::txtPp_Validate() {
  if (!NumeroEnRango(txtPp->text(), kMaxPp)) {
    // The depth stored before stays.
    MsgBox(kMensajePp, vbOKOnly | vbExclamation);
    return false;
  }
  PpTormenta = CortaCentesimas(Val(txtPp->text()));
  txtPp->setText(PlainNumberText(PpTormenta));
  return true;
}

bool dlgPp::txtDur_Validate() {
  const bool aceptada = NumeroEnRango(txtDur->text(), kMaxDur);
  if (!aceptada) {
    MsgBox(kMensajeDur, vbOKOnly | vbExclamation);
    txtDur->setText(QStringLiteral("1440"));
  }
  DurTormenta = CInt(Int(Val(txtDur->text())));
  txtDur->setText(PlainNumberText(DurTormenta));
  return aceptada;
}

bool dlgPp::cmbRec_Validate() {
  Integer rec = 0;
  if (RecDeCaja(cmbRec->currentText(), rec)) return true;
  MsgBox(kMensajeRec, vbOKOnly | vbExclamation);
  return false;
}

bool dlgPp::cmbPasoPp_Validate() {
  const double paso = Val(cmbPasoPp->currentText());
  const double duracion = Val(txtDur->text());
  if (paso != 0 && duracion != 0 && paso > duracion) {
    MsgBox(QStringLiteral(
               "Elija un paso de tiempo para las entradas (Precipitaciones)  múlitplo menor, o al menos "
               "igual, a la Duración de la Tormenta. (Sugerido: 1/3 del tiempo de concentración de la "
               "cuenca)"),
           vbOKOnly | vbExclamation,
           QStringLiteral("Corrección de selección del paso de entrada (Precipitación)"));
    return false;
  }
  return true;
}

bool dlgPp::cmbPasoQ_Validate() {
  const double salida = Val(cmbPasoQ->currentText());
  const double entrada = Val(cmbPasoPp->currentText());
  if (salida != 0 && (entrada < salida || std::fmod(entrada, salida) != 0)) {
    MsgBox(QStringLiteral(
               "Elija un paso de tiempo para las salidas (Caudales) igual, o múlitplo menor, al paso de "
               "entradas (precipitaciones)"),
           vbOKOnly | vbExclamation, QStringLiteral("Corrección de selección del paso de salida"));
    MuestraPaso(cmbPasoQ, CInt(entrada));
    PasoQ = PasoPp;
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------------
// Apply, OK and Cancel

bool dlgPp::cmdAplicar_Click() {
  FormaPp = static_cast<Integer>(std::max(Seleccionada(optformaPp), 0));
  if (FormaPp == 2) {
    NroTablaPDR = static_cast<Integer>(std::max(Seleccionada(optTablaPDR), 0));
    FormInstance<dlgTablasPDRs>::object().LeeTablaPDRs();
    if (NroTormentasSerie > 0) {
      txtPp->setText(PlainNumberText(PpSerie(1)));
      txtDur->setText(PlainNumberText(DurSerie(1)));
      cmbRec->setEditText(PlainNumberText(RecSerie(1)));
    }
  }
  // All three are read before any is stored, so that a value out of range stores none.
  Integer R = 0;
  if (!RecDeCaja(cmbRec->currentText(), R)) {
    if (cmbRec->isEnabled()) {
      MsgBox(kMensajeRec, vbOKOnly | vbExclamation);
      cmbRec->setFocus();
      cmbRec->lineEdit()->selectAll();
      return false;
    }
    // A box the user cannot type in holds the period of a stored storm or table: it is taken as
    // stored, and a text no whole number reads as is no period (0).
    if (!EnteroDeValor(Val(cmbRec->currentText()), R)) R = 0;
  }
  // A depth the box refused is never stored: the storm keeps the depth last accepted, which the box
  // shows again.
  if (!NumeroEnRango(txtPp->text(), kMaxPp)) txtPp->setText(PlainNumberText(PpTormenta));
  const Single P = CSng(Val(txtPp->text()));
  const Integer D = CInt(Val(txtDur->text()));
  PpTormenta = P;
  DurTormenta = D;
  RecTormenta = R;
  if (PpTormenta <= 0 || DurTormenta <= 0) {
    MsgBox(QStringLiteral("No ha ingresado datos de Pp y Duración de la tormenta."), vbOKOnly | vbExclamation,
           QStringLiteral("Advertencia !"));
    unloadLater();
    return true;
  }
  for (QLabel* label : {lblValidez, lblDurMin, lblDurMax}) label->hide();
  if (const int i = Seleccionada(optDistriPp); i >= 0) DistriPp = static_cast<Integer>(i);
  // The rain step is never longer than the storm.
  if (Val(cmbPasoPp->currentText()) > DurTormenta) MuestraPaso(cmbPasoPp, DurTormenta);
  PasoPp = CInt(Val(cmbPasoPp->currentText()));
  PasoQ = CInt(Val(cmbPasoQ->currentText()));
  return true;
}

void dlgPp::OKButton_Click() {
  if (!cmdAplicar_Click()) return;
  unloadLater();
}

void dlgPp::CancelButton_Click() {
  unloadLater();
}

// ---------------------------------------------------------------------------------------------------
// e) The measured storm

void dlgPp::FilePpReal_Click() {
  MiFilePpReal = FilePpReal->fileName();
  // The name shown stays only when it is the editor's file and this list does not hold it yet.
  const QString mostrado = lblMiFilePpReal->fullText();
  bool listado = false;
  for (int i = 0; i < FilePpReal->count(); ++i) listado = listado || FilePpReal->item(i)->text() == mostrado;
  const bool delEditor = dlgPpReal::isLoaded() && !mostrado.isEmpty() &&
                         dlgPpReal::instance().FilePpReal->fileName() == mostrado;
  if (!delEditor || listado) lblMiFilePpReal->setFullText(MiFilePpReal);
  ValidaArchivoPpReal();
  LeeArchivoPpReal();
  lblNumPer->setText(PlainNumberText(NumPer));
  lblMiFilePpReal->setFullText(MiFilePpReal);
  txtPp->setText(PlainNumberText(PpTormenta));
  txtDur->setText(PlainNumberText(DurTormenta));
  // The rain step is the file's interval; a file that gave none leaves the step as it was.
  if (PasoPpReal >= 1) PasoPp = PasoPpReal;
  MuestraPaso(cmbPasoPp, PasoPp);
  optDistriPp[7]->setChecked(true);
  DistriPp = 7;
}

void dlgPp::ValidaArchivoPpReal() {
  ListaTormentasReales(FilePpReal);
  MiFilePpReal = NombreTormentaReal(lblMiFilePpReal->fullText());
  FilePpReal->setFileName(MiFilePpReal);
  lblMiFilePpReal->setFullText(MiFilePpReal);
  if (dlgPpReal::isLoaded()) {
    FileList* lista = dlgPpReal::instance().FilePpReal;
    ListaTormentasReales(lista);
    lista->setFileName(MiFilePpReal);
  }
}

void dlgPp::LeeArchivoPpReal() {
  MiFilePpReal = NombreTormentaReal(MiFilePpReal);
  CabeceraTormentaReal leida;
  const PartesLeidas partes = LeeArchivoTormentaReal(MiFilePpReal, leida);
  if (partes >= PartesLeidas::Notas) NotasPpReal = leida.Notas;
  if (partes >= PartesLeidas::Intervalos) PasoPpReal = leida.Paso;
  if (partes >= PartesLeidas::Inicio) {
    lblDateI->setText(leida.FechaI);
    lblTimeI->setText(leida.HoraI);
  }
  if (partes >= PartesLeidas::Fin) {
    lblDateF->setText(leida.FechaF);
    lblTimeF->setText(leida.HoraF);
  }
  lblNotasPpReal->setText(NotasPpReal);
}

// ---------------------------------------------------------------------------------------------------
// The other rainfall windows

void dlgPp::cmdPpReal_Click() {
  ShowModeless(&dlgPpReal::instance(), false);
}

void dlgPp::cmdPpPerso_Click() {
  ShowModeless(&dlgDisPpPer::instance(), false);
}

void dlgPp::cmdTablaPDR_Click() {
  ShowModeless(&dlgTablasPDRs::instance(), false);
}

void dlgPp::cmdCargaPDRnoUniforme_Click() {
  ShowModeless(&dlgTablaPpUEHs::instance(), false);
}

// ---------------------------------------------------------------------------------------------------
// The archived storm list

void dlgPp::leeListaPpDurRec() {
  // Filling the list selects no storm, so the stored storm stays as it is.
  const QSignalBlocker bloqueo(cmbPDR);
  cmbPDR->clear();
  for (const TormentaArchivada& t : LeeListaPDR()) cmbPDR->addItem(t.texto, DatosTormenta(t));
  cmbPDR->setCurrentIndex(-1);
}

void dlgPp::GuardaListaPpDurRec() {
  std::vector<TormentaArchivada> tormentas;
  for (int i = 0; i < cmbPDR->count(); ++i) tormentas.push_back(TormentaDelItem(cmbPDR, i));
  GuardaListaPDR(tormentas);
}

void dlgPp::LeeItemPpDurRec(int index) {
  const TormentaArchivada t = TormentaDelItem(cmbPDR, index);
  PpTormenta = t.P;
  DurTormenta = t.D;
  RecTormenta = t.R;
}

void dlgPp::cmdPDR_Click() {
  // Only a storm the boxes accept is archived: the file must read back.
  const std::tuple<ValidatedBox*, double, QString> cajas[] = {{txtPp, kMaxPp, kMensajePp},
                                                              {txtDur, kMaxDur, kMensajeDur}};
  for (const auto& [caja, maximo, mensaje] : cajas) {
    if (!NumeroEnRango(caja->text(), maximo)) {
      MsgBox(mensaje, vbOKOnly | vbExclamation);
      caja->setFocus();
      caja->selectAll();
      return;
    }
  }
  TormentaArchivada t;
  if (!RecDeCaja(cmbRec->currentText(), t.R)) {
    MsgBox(kMensajeRec, vbOKOnly | vbExclamation);
    cmbRec->setFocus();
    cmbRec->lineEdit()->selectAll();
    return;
  }
  t.P = CSng(Val(txtPp->text()));
  t.D = CInt(Val(txtDur->text()));
  t.texto = TextoTormentaArchivada(txtPp->text(), txtDur->text(), cmbRec->currentText());
  {
    const QSignalBlocker bloqueo(cmbPDR);
    const int elegida = cmbPDR->currentIndex();
    cmbPDR->addItem(t.texto, DatosTormenta(t));
    cmbPDR->setCurrentIndex(elegida);
  }
  GuardaListaPpDurRec();
  cmbPDR->setCurrentIndex(cmbPDR->count() - 1);
}

void dlgPp::cmdBorraPDR_Click() {
  const int elegida = cmbPDR->currentIndex();
  if (elegida < 0) return;
  {
    const QSignalBlocker bloqueo(cmbPDR);
    cmbPDR->removeItem(elegida);
    cmbPDR->setCurrentIndex(-1);
  }
  GuardaListaPpDurRec();
  txtPp->setText(QStringLiteral("0"));
  txtDur->setText(QStringLiteral("0"));
  cmbRec->setEditText(QStringLiteral("0"));
}

void dlgPp::cmbPDR_Click() {
  LeeItemPpDurRec(cmbPDR->currentIndex());
  txtPp->setText(PlainNumberText(PpTormenta));
  txtDur->setText(PlainNumberText(DurTormenta));
  cmbRec->setEditText(PlainNumberText(RecTormenta));
}

// ---------------------------------------------------------------------------------------------------
// The previews

bool dlgPp::HietogramaPrevio(bool emptyReport) {
  if (!cmdAplicar_Click()) return false;
  if (PpTormenta <= 0 || DurTormenta <= 0) return false;
  if (emptyReport && PizarraActiva) {
    ShowReportWindow();
    SetReportText(QString());
  }
  DistribucionTemporalPp();
  return !HyetographRefused && !(PpTormenta == 0 && DurTormenta == 0);
}

void dlgPp::cmdVerGrafico_Click() {
  if (!HietogramaPrevio(true) || NumPer == 0) return;
  PasoPpReal = CInt(Div(DurTormenta, NumPer));
  if (PasoPpReal == 0) return;
  MuestraHietograma(NumPer, PasoPpReal, NotasPpReal, PpTormenta, DurTormenta);
}

void dlgPp::cmdVerTablaPt_Click() {
  if (!HietogramaPrevio(false)) return;
  const QString kCrLf = QStringLiteral("\r\n");
  if (PizarraActiva) {
    ShowReportWindow();
    SetReportText(QString());
    QString texto = kCrLf + QStringLiteral("Entrada: PRECIPITACION") + kCrLf + QStringLiteral("Pp Total= ") +
                    PlainNumberText(PpTormenta) + QStringLiteral(" [mm]") + kCrLf +
                    QStringLiteral("Duración= ") + PlainNumberText(DurTormenta) + QStringLiteral(" [min]");
    if (RecTormenta != 0)
      texto +=
          kCrLf + QStringLiteral("Recurrencia= ") + PlainNumberText(RecTormenta) + QStringLiteral(" [años]");
    texto += kCrLf + QStringLiteral("paso Pp= ") + PlainNumberText(PasoPp) + QStringLiteral(" [min]") +
             kCrLf + QStringLiteral("paso Q = ") + PlainNumberText(PasoQ) + QStringLiteral(" [min]") + kCrLf +
             QStringLiteral("Distribución Pp(t)= ") + PlainNumberText(DistriPp) + QStringLiteral(" [índice]");
    AppendToReport(texto);
  }
  if (NumPer == 0) return;
  PasoPpReal = CInt(Div(DurTormenta, NumPer));
  if (PasoPpReal == 0 || !PizarraActiva) return;
  QString tabla = kCrLf + QStringLiteral("Per. Pp[mm] PpAcum[mm] Int.Pp[mm/min]");
  const QString sep = QStringLiteral("  ");
  for (Integer k = 1; k <= NumPer; ++k) {
    tabla += kCrLf + PlainNumberText(k) + sep + PlainNumberText(PpPeriodo(k)) + sep +
             PlainNumberText(PpAcumPer(k)) + sep + PlainNumberText(IntensidadPer(k));
  }
  AppendToReport(tabla);
}

}  // namespace tavo
