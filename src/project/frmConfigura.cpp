#include "project/frmConfigura.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <algorithm>
#include <functional>
#include <initializer_list>

#include "platform/activation.h"
#include "platform/app.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "platform/seqfile.h"
#include "project/directorio.h"
#include "project/estado.h"
#include "project/hooks.h"

namespace tavo {

namespace {

// The file format has no escape for a double quote inside a text, so a box refuses it as it is typed.
void RefuseQuotes(QLineEdit* box) {
  box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), box));
}

// A box that takes at most `limit` typed characters and no double quote. The limit is the typist's
// only: a longer text the program puts in (a title read from a settings file) stays whole, and can be
// shortened but not lengthened.
class TypingLimit : public QValidator {
 public:
  TypingLimit(QLineEdit* box, qsizetype limit)
      : QValidator(box), box_(box), limit_(limit), length_(box->text().size()) {
    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { length_ = text.size(); });
  }
  State validate(QString& input, int& pos) const override {
    if (input.contains(QLatin1Char('"'))) return Invalid;
    // A text set by the program comes with no edit to undo; one being typed always has one.
    if (!box_->isUndoAvailable()) return Acceptable;
    const qsizetype excess = input.size() - std::max(limit_, length_);
    if (excess <= 0) return Acceptable;
    // What was typed or pasted past the limit is dropped, as a full box does.
    if (pos < excess) return Invalid;
    input.remove(pos - excess, excess);
    pos -= static_cast<int>(excess);
    return Acceptable;
  }

 private:
  QLineEdit* box_;
  qsizetype limit_;
  qsizetype length_;  // the length of the box's text before the edit being checked
};

// A caption label that wraps its text.
QLabel* MakeCaption(QWidget* parent, const QString& text, int left, int top, int width, int height) {
  QLabel* label = MakeLabel(parent, QString(), text, left, top, width, height);
  label->setWordWrap(true);
  return label;
}

template <class Box = QLineEdit>
Box* MakeBox(QWidget* parent, const char* name, const QString& text, int left, int top, int width) {
  auto* box = new Box(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setText(text);
  PlaceTwips(box, left, top, width, 315);
  RefuseQuotes(box);
  return box;
}

const QString kNinguno = QStringLiteral("Ninguno");

}  // namespace

// ---------------------------------------------------------------------------------------------------
// The window and its controls

frmConfigura::frmConfigura() : QWidget(nullptr, Qt::Dialog) {
  setObjectName(QStringLiteral("frmConfigura"));
  setWindowTitle(QStringLiteral("Configurar"));
  setFixedSize(Px(9720), Px(7440));

  Label3 = MakeLabel(this, "Label3", QStringLiteral("Proyecto: "), 240, 180, 960, 285);
  lblnombreproyecto = MakeLabel(this, "lblnombreproyecto", QString(), 1200, 180, 6000, 285);
  QFont bold = lblnombreproyecto->font();
  bold.setBold(true);
  lblnombreproyecto->setFont(bold);

  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  PlaceTwips(SSTab1, 120, 540, 9480, 6180);
  const QString captions[] = {QStringLiteral("Directorios"), QStringLiteral("Imagen Fondo"),
                              QStringLiteral("Ver"),         QStringLiteral("Recurrencias"),
                              QStringLiteral("DuraciónPp"),  QStringLiteral("Títulos")};
  QWidget* pages[6];
  for (int i = 0; i < 6; ++i) {
    pages[i] = new QWidget;
    SSTab1->addTab(pages[i], captions[i]);
  }
  buildDirectorios(pages[kTabDirectorios]);
  buildImagenFondo(pages[kTabImagenFondo]);
  buildVer(pages[kTabVer]);
  buildRecurrencias(pages[kTabRecurrencias]);
  buildDuraciones(pages[kTabDuracion]);
  buildTitulos(pages[kTabTitulos]);

  OKButton = MakeButton(this, "OKButton", QStringLiteral("Aceptar"), 5040, 6900, 1440);
  cmdAplicar = MakeButton(this, "cmdAplicar", QStringLiteral("Aplicar"), 6600, 6900, 1440);
  CancelButton = MakeButton(this, "CancelButton", QStringLiteral("Cancelar"), 8160, 6900, 1440);
  // A click leaves the focus where it is, so the box being edited is validated by the button itself.
  for (QPushButton* b : {OKButton, cmdAplicar, CancelButton}) b->setFocusPolicy(Qt::TabFocus);

  connectHandlers();
}

void frmConfigura::buildDirectorios(QWidget* page) {
  Frame1 = MakeFrame(page, "Frame1", QStringLiteral("Seleccione el Directorio y Archivos de trabajo"), 120,
                     120, 9120, 5460);
  QWidget* f = Frame1;

  const QString driveHint = QStringLiteral("Debe seleccionar un driver de trabajo. Sugerido: C:\\");
  MakeCaption(f, QStringLiteral("Driver:"), 240, 360, 4200, 240)->setToolTip(driveHint);
  Drive1 = new DriveList(f);
  Drive1->setObjectName(QStringLiteral("Drive1"));
  Drive1->setToolTip(driveHint);
  PlaceTwips(Drive1, 240, 600, 4200, 345);

  MakeCaption(f, QStringLiteral("Directorio:"), 240, 1050, 4200, 240);
  Dir1 = new DirList(f);
  Dir1->setObjectName(QStringLiteral("Dir1"));
  PlaceTwips(Dir1, 240, 1290, 4200, 1980);

  const QString newDirHint = QStringLiteral(
      "Para crear un nuevo directorio active la casilla de verificación, introduzca el nombre y pulse "
      "\"Crear\"");
  CheckDirNv = MakeCheck(f, "CheckDirNv", QString(), false, 240, 3420, 300);
  CheckDirNv->setToolTip(newDirHint);
  MakeCaption(f, QStringLiteral("Crear un directorio de trabajo nuevo:"), 570, 3420, 3870, 285)
      ->setToolTip(newDirHint);
  TextDirNv = MakeBox(f, "TextDirNv", QString(), 240, 3750, 3000);
  TextDirNv->setEnabled(false);
  TextDirNv->setToolTip(newDirHint);
  BtnDirNv = MakeButton(f, "BtnDirNv", QStringLiteral("Crear"), 3360, 3720, 1080);
  BtnDirNv->setToolTip(newDirHint);

  CheckDistriPp = MakeCheck(f, "CheckDistriPp", QStringLiteral("Distribución Areal de Lluvias Uniforme"),
                            true, 240, 4260, 4200);
  CheckDistriPp->setToolTip(
      QStringLiteral("Active la casilla de verificación para trabajar con lluvias de distribución areal "
                     "uniforme en todas las UEHs"));
  BtnDefecto = MakeButton(f, "BtnDefecto", QStringLiteral("Configurar  por defecto"), 240, 4740, 2400);

  const QString confHint = QStringLiteral(
      "Seleccione el archivo de resguardo de datos de configuración (tipo nn_Config.pcn) y pulse el boton "
      "del mouse "
      "(Click)");
  MakeCaption(f,
              QStringLiteral("Seleccionar el archivo de Configuración    ( tipo: nombreproyecto_Conf.pcn)"),
              4680, 330, 3600, 480)
      ->setToolTip(confHint);
  filArchivoConfigura = new FileList(f);
  filArchivoConfigura->setObjectName(QStringLiteral("filArchivoConfigura"));
  filArchivoConfigura->setPattern(QStringLiteral("*Conf.pcn"));
  filArchivoConfigura->setToolTip(confHint);
  PlaceTwips(filArchivoConfigura, 4680, 840, 4260, 1260);

  chkImagenDibujo = MakeCheck(f, "chkImagenDibujo", QString(), false, 4680, 2250, 300);
  MakeCaption(
      f,
      QStringLiteral("Seleccionar/Quitar el archivo de Imágen de fondo del diagrama UEHs   (Check Box "
                     "inactivo para Ninguno):"),
      5010, 2220, 3930, 720);
  filArchivoImagenDib = new FileList(f);
  filArchivoImagenDib->setObjectName(QStringLiteral("filArchivoImagenDib"));
  filArchivoImagenDib->setPattern(QStringLiteral("*.jpg;*.gif;*.bmp;*.wmf"));
  filArchivoImagenDib->setToolTip(QStringLiteral(
      "Seleccione (optativo) un archivo gráfico de la Cuenca o área de estudio para el fondo del diagrama"));
  filArchivoImagenDib->setEnabled(false);
  PlaceTwips(filArchivoImagenDib, 4680, 2970, 4260, 1110);

  MakeCaption(f, QStringLiteral("Los archivos activos son:"), 4680, 4200, 4260, 255);
  lblMiArchivoConf = MakeLabel(f, "lblMiArchivoConf", QString(), 4680, 4470, 4260, 255);
  lblImagenDibujo = MakeLabel(f, "lblImagenDibujo", QString(), 4680, 4740, 4260, 255);
  for (QLabel* l : {lblMiArchivoConf, lblImagenDibujo}) {
    QFont font = l->font();
    font.setBold(true);
    l->setFont(font);
  }
}

void frmConfigura::buildImagenFondo(QWidget* page) {
  Frame2 = MakeFrame(page, "Frame2", QStringLiteral("Ajustes de la Imagen de Fondo (En Menu Editor de UEHs)"),
                     120, 120, 9120, 5460);
  QWidget* f = Frame2;
  MakeCaption(f, QStringLiteral("Posición X de la Imagen (pixel)"), 360, 540, 3900, 285)
      ->setToolTip(QStringLiteral("Desplaza en X la posición de la imágen de fondo"));
  TexIMGX0 = MakeBox<ValidatedBox>(f, "TexIMGX0", QStringLiteral("0"), 4320, 525, 1500);
  MakeCaption(f, QStringLiteral("Posición Y de la Imágen (pixel)"), 360, 1020, 3900, 285)
      ->setToolTip(QStringLiteral("Desplaza en Y la posición de la imágen de fondo"));
  TexIMGY0 = MakeBox<ValidatedBox>(f, "TexIMGY0", QStringLiteral("0"), 4320, 1005, 1500);
  MakeCaption(f, QStringLiteral("Reducción / Ampliación (%)"), 360, 1500, 3900, 285)
      ->setToolTip(QStringLiteral("Ajusta el tamaño de la imágen de fondo (0 o 100 para tamaño original)"));
  TexIMGEscala = MakeBox<ValidatedBox>(f, "TexIMGEscala", QStringLiteral("0"), 4320, 1485, 1500);

  TexS = MakeBox(f, "TexS", QString(), 4320, 1965, 1500);
  TexS->hide();
  Optiona = MakeOption(f, "Optiona", QStringLiteral("a"), true, 360, 2520, 900);
  Optionb = MakeOption(f, "Optionb", QStringLiteral("b"), false, 1320, 2520, 900);
  Optionc = MakeOption(f, "Optionc", QStringLiteral("c"), false, 2280, 2520, 900);
  for (QRadioButton* o : {Optiona, Optionb, Optionc}) o->hide();
}

void frmConfigura::buildVer(QWidget* page) {
  Frame10 = MakeFrame(page, "Frame10", QStringLiteral("Editor del Diagrama UEH"), 120, 120, 9120, 1500);
  MakeCaption(Frame10, QStringLiteral("Opcional: Ancho máximo del diagrama en Pixel"), 240, 420, 5880, 285);
  txtMaxUEHsPixel = MakeBox(Frame10, "txtMaxUEHsPixel", QStringLiteral("800"), 6240, 405, 1500);
  txtMaxUEHsPixel->setToolTip(QStringLiteral("Sugerido: 800. Máximo 1024"));
  MakeCaption(Frame10, QStringLiteral("Opcional: Escala de Imagen de Fondo [ metros/Pixel ]"), 240, 900, 5880,
              285)
      ->setToolTip(QStringLiteral("Permite estimar del dibujo longitudes [m] y superficies [has]. Sugerido: "
                                  "Usar utilitario externo tipo CAD"));
  txtEscalaImagen = MakeBox<ValidatedBox>(Frame10, "txtEscalaImagen", QStringLiteral("0"), 6240, 885, 1500);
  txtEscalaImagen->setToolTip(QStringLiteral(
      "Opcional. Ingrese la  Escala de la Imagen de Fondo del Diagrama UEHs en metros/pixel. Defecto = "
      "0 (Sin escalar) "));

  Frame12 = MakeFrame(page, "Frame12", QString(), 120, 1710, 9120, 30);
  Frame12->setFlat(true);

  Frame9 =
      MakeFrame(page, "Frame9", QStringLiteral("Parámetro de salida del hidrograma"), 120, 1830, 9120, 1140);
  MakeCaption(
      Frame9,
      QStringLiteral("Tiempo adicional a la duración de la tormenta para el dibujo del hidrograma [min]"),
      240, 360, 5880, 570);
  txtN0Dur =
      MakeBox<ValidatedBox>(Frame9, "txtN0Dur", PlainNumberText(kTiempoAdicionalInicial), 6240, 480, 1500);
  txtN0Dur->setToolTip(QStringLiteral(
      "Sugerido: Similar al Tc, Tiempo de Concentración  (en minutos) o ligeramente mayor..."));

  Frame13 = MakeFrame(page, "Frame13", QString(), 120, 3060, 9120, 30);
  Frame13->setFlat(true);

  Frame3 = MakeFrame(page, "Frame3", QStringLiteral("Unidades de Salida"), 120, 3180, 9120, 1800);
  Frame4 = MakeFrame(Frame3, "Frame4", QStringLiteral("Volúmen"), 240, 360, 2880, 1200);
  Optionm3 = MakeOption(Frame4, "Optionm3", QStringLiteral("m3"), true, 240, 390, 2400);
  OptionLt = MakeOption(Frame4, "OptionLt", QStringLiteral("Litros"), false, 240, 750, 2400);
  Frame5 = MakeFrame(Frame3, "Frame5", QStringLiteral("Tiempo"), 3360, 360, 2880, 1200);
  OptionMin = MakeOption(Frame5, "OptionMin", QStringLiteral("Minutos"), true, 240, 390, 2400);
  OptionHr = MakeOption(Frame5, "OptionHr", QStringLiteral("Horas"), false, 240, 750, 2400);
}

void frmConfigura::buildRecurrencias(QWidget* page) {
  Frame6 =
      MakeFrame(page, "Frame6", QStringLiteral("Selección de períodos de retorno R [años], de trabajo  "),
                120, 120, 9120, 5460);
  static const char* const names[kNroRecurrencias] = {
      "CheckR2",   "CheckR5",   "CheckR10",  "CheckR20",   "CheckR25",   "CheckR40",   "CheckR50",
      "CheckR100", "CheckR200", "CheckR500", "CheckR1000", "CheckR2000", "CheckR5000", "CheckR10000"};
  for (int k = 0; k < kNroRecurrencias; ++k) {
    const int column = k / 7;
    const int row = k % 7;
    checksR[k] = MakeCheck(Frame6, names[k], QStringLiteral("R %1 años").arg(kRecurrencias[k]),
                           kRecurrencias[k] <= 200, 600 + column * 3000, 480 + row * 540, 2700);
  }
  CheckR2 = checksR[0], CheckR5 = checksR[1], CheckR10 = checksR[2], CheckR20 = checksR[3],
  CheckR25 = checksR[4];
  CheckR40 = checksR[5], CheckR50 = checksR[6], CheckR100 = checksR[7], CheckR200 = checksR[8];
  CheckR500 = checksR[9], CheckR1000 = checksR[10], CheckR2000 = checksR[11], CheckR5000 = checksR[12];
  CheckR10000 = checksR[13];
  BtnRecuDef = MakeButton(Frame6, "BtnRecuDef", QStringLiteral("Selección por defecto"), 6360, 4680, 2520);
}

void frmConfigura::buildDuraciones(QWidget* page) {
  Frame7 =
      MakeFrame(page, "Frame7", QStringLiteral("Selección de Duraciones de Tormenta D[minutos], de trabajo"),
                120, 120, 9120, 5460);
  static const char* const names[kNroDuraciones] = {
      "CheckD5",   "CheckD10",  "CheckD15",   "CheckD20",   "CheckD30",  "CheckD60",
      "CheckD90",  "CheckD120", "CheckD180",  "CheckD240",  "CheckD300", "CheckD360",
      "CheckD540", "CheckD720", "CheckD1080", "CheckD1440", "CheckD2880"};
  for (int k = 0; k < kNroDuraciones; ++k) {
    const int column = k / 8;
    const int row = k % 8;
    const Integer d = kDuraciones[k];
    checksD[k] = MakeCheck(Frame7, names[k], QStringLiteral("D %1 Minutos").arg(d),
                           d != 5 && d != 15 && d != 2880, 600 + column * 3000, 420 + row * 480, 2700);
  }
  CheckD5 = checksD[0], CheckD10 = checksD[1], CheckD15 = checksD[2], CheckD20 = checksD[3],
  CheckD30 = checksD[4];
  CheckD60 = checksD[5], CheckD90 = checksD[6], CheckD120 = checksD[7], CheckD180 = checksD[8];
  CheckD240 = checksD[9], CheckD300 = checksD[10], CheckD360 = checksD[11], CheckD540 = checksD[12];
  CheckD720 = checksD[13], CheckD1080 = checksD[14], CheckD1440 = checksD[15], CheckD2880 = checksD[16];
  // The longest duration is kept in the settings file but cannot be chosen here.
  CheckD2880->hide();
  BtnDurDef = MakeButton(Frame7, "BtnDurDef", QStringLiteral("Selección por defecto"), 6360, 4680, 2520);
}

void frmConfigura::buildTitulos(QWidget* page) {
  Frame8 = MakeFrame(page, "Frame8",
                     QStringLiteral("Ingrese los títulos del proyecto para la redacción de informes"), 120,
                     120, 9120, 5460);
  struct Row {
    QLineEdit** box;
    const char* name;
    const char* caption;
    const char* text;
    const char* hint;
  };
  const Row rows[] = {
      {&TextProyecto, "TextProyecto", "Título:", "Título del Proyecto", nullptr},
      {&TextUbica, "TextUbica", "Ubicación:", "Ubicación del Proyecto", nullptr},
      {&TextCuenca, "TextCuenca", "Cuenca/UEH:", "Denominación de la Cuenca mayor",
       "Hace refrencia a la Cuenca o Unidad hidrográfica mayor"},
      {&TextSbca, "TextSbca", "SubCuenca / Sub UEH", "Denominación de la Sub Unidad",
       "Hace referencia a la cuenca o región hidrográfica menor donde está contenida la Unidad de Estudio "
       "Hidrológico "},
      {&TextOpera, "TextOpera", "Operador:", "Identificación del operador del modelo", nullptr},
      {&txtFecha, "txtFecha", "Fecha (doble click para hoy...)", "01/02/2006", nullptr},
  };
  int top = 540;
  for (const Row& r : rows) {
    MakeCaption(Frame8, QString::fromUtf8(r.caption), 360, top + 15, 3000, 285);
    *r.box = MakeBox(Frame8, r.name, QString::fromUtf8(r.text), 3480, top, 5400);
    if (r.hint) (*r.box)->setToolTip(QString::fromUtf8(r.hint));
    (*r.box)->installEventFilter(this);
    top += 600;
  }
  TextProyecto->setValidator(new TypingLimit(TextProyecto, 60));
}

void frmConfigura::connectHandlers() {
  // OK and Apply first validate the box being edited, as leaving it would.
  OnSignal(OKButton, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) OKButton_Click();
  });
  OnSignal(cmdAplicar, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) cmdAplicar_Click();
  });
  ConnectGuarded(CancelButton, &QPushButton::clicked, this, &frmConfigura::CancelButton_Click);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, CancelButton, &QPushButton::click);

  ConnectGuarded(BtnRecuDef, &QPushButton::clicked, this, &frmConfigura::BtnRecuDef_Click);
  ConnectGuarded(BtnDurDef, &QPushButton::clicked, this, &frmConfigura::BtnDurDef_Click);

  txtN0Dur->setValidation([this] { return txtN0Dur_Validate(); });
  txtEscalaImagen->setValidation([this] { return txtEscalaImagen_Validate(); });
  TexIMGEscala->setValidation([this] { return TexIMGEscala_Validate(); });
  TexIMGX0->setValidation([this] { return TexIMGX0_Validate(); });
  TexIMGY0->setValidation([this] { return TexIMGY0_Validate(); });
  for (QWidget* box :
       {static_cast<QWidget*>(txtN0Dur), static_cast<QWidget*>(TexIMGEscala), static_cast<QWidget*>(TexIMGX0),
        static_cast<QWidget*>(TexIMGY0), static_cast<QWidget*>(txtMaxUEHsPixel)})
    box->installEventFilter(this);
  ConnectGuarded(txtMaxUEHsPixel, &QLineEdit::textChanged, this, &frmConfigura::txtMaxUEHsPixel_Change);
  for (QLineEdit* box : {static_cast<QLineEdit*>(txtN0Dur), static_cast<QLineEdit*>(txtEscalaImagen),
                         static_cast<QLineEdit*>(TexIMGEscala), static_cast<QLineEdit*>(TexIMGX0),
                         static_cast<QLineEdit*>(TexIMGY0), txtMaxUEHsPixel})
    TakesNumbers(box);

  OnSelected(Optiona, this, [this] { Optiona_Click(); });
  OnSelected(Optionb, this, [this] { Optionb_Click(); });
  OnSelected(Optionc, this, [this] { Optionc_Click(); });

  ConnectGuarded(Drive1, &DriveList::changed, this, &frmConfigura::Drive1_Change);
  ConnectGuarded(Dir1, &DirList::changed, this, &frmConfigura::Dir1_Change);
  ConnectGuarded(CheckDirNv, &QCheckBox::toggled, this, &frmConfigura::CheckDirNv_Click);
  ConnectGuarded(BtnDirNv, &QPushButton::clicked, this, &frmConfigura::BtnDirNv_Click);
  ConnectGuarded(BtnDefecto, &QPushButton::clicked, this, &frmConfigura::BtnDefecto_Click);
  ConnectGuarded(filArchivoConfigura, &FileList::clicked, this, &frmConfigura::filArchivoConfigura_Click);
  ConnectGuarded(chkImagenDibujo, &QCheckBox::toggled, this, &frmConfigura::chkImagenDibujo_Click);
  ConnectGuarded(filArchivoImagenDib, &FileList::mousePressed, this,
                 &frmConfigura::filArchivoImagenDib_MouseDown);

  // A click on another tab does not pass a box that refuses its text.
  SSTab1->tabBar()->installEventFilter(this);

  auto* watch = new ActivationWatch(this);
  ConnectGuarded(watch, &ActivationWatch::activated, this, &frmConfigura::Form_Activate);
  ConnectGuarded(watch, &ActivationWatch::deactivated, this, &frmConfigura::Form_Deactivate);
}

bool frmConfigura::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == SSTab1->tabBar()) {
    if (type == QEvent::MouseButtonPress && !ValidateFocusedBox(this)) return true;
    return false;
  }
  if (type == QEvent::FocusIn) {
    if (watched == txtN0Dur) RunGuarded([this] { txtN0Dur_GotFocus(); });
    if (watched == TexIMGEscala) RunGuarded([this] { TexIMGEscala_GotFocus(); });
    if (watched == TexIMGX0) RunGuarded([this] { TexIMGX0_GotFocus(); });
    if (watched == TexIMGY0) RunGuarded([this] { TexIMGY0_GotFocus(); });
  } else if (type == QEvent::MouseButtonDblClick && watched == txtFecha) {
    RunGuarded([this] { txtFecha_DblClick(); });
    return true;
  } else if (type == QEvent::MouseButtonRelease) {
    if (watched == txtMaxUEHsPixel) {
      RunGuarded([this] { txtMaxUEHsPixel_Click(); });
    } else {
      // A click in a title box selects its whole text.
      for (QLineEdit* box : {TextProyecto, TextUbica, TextCuenca, TextSbca, TextOpera, txtFecha}) {
        if (watched == box) box->selectAll();
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmConfigura::closeEvent(QCloseEvent* event) {
  // The close box hides the form; it lives on with its fields.
  event->ignore();
  RunGuarded([this] { CloseForm(); });
}

// ---------------------------------------------------------------------------------------------------
// Lifecycle and buttons

void frmConfigura::Form_Load() {
  InicializaConfigura();
  for (const SettingShown& shown : TakeSettingsKeptForTheForm()) {
    try {
      ShowSetting(*this, shown);
    } catch (const VbError&) {
      // A folder or drive gone since it was read: the form keeps what it shows.
    }
  }
}

void frmConfigura::Form_Activate() {
  InicializaConfigura();
}

void frmConfigura::Form_Deactivate() {
  RefreshPanel();
}

// Points the lists at the working directory, shows the project's file and, for a project that has no
// settings file yet, writes it and opens the titles.
void frmConfigura::InicializaConfigura() {
  try {
    Drive1->showDriveOf(DirActual);
    Dir1->setPath(DirActual);
    filArchivoConfigura->setPattern(QStringLiteral("*Conf.pcn"));
    if (!NombreProyecto.isEmpty()) {
      lblnombreproyecto->setText(NombreProyecto);
      lblMiArchivoConf->setText(NombreProyecto + QStringLiteral("_Conf.pcn"));
    }
    SSTab1->setCurrentIndex(kTabDirectorios);
    if (ProyectoNuevo) {
      OKButton_Click();
      SSTab1->setCurrentIndex(kTabTitulos);
      filArchivoConfigura->setFileName(DirTrabajo + QLatin1Char('/') + NombreProyecto +
                                       QStringLiteral("_Conf.pcn"));
      lblMiArchivoConf->setText(NombreProyecto + QStringLiteral("_Conf.pcn"));
    }
    if (!CheckDirNv->isChecked()) TextDirNv->clear();
  } catch (const VbError& e) {
    if (e.number == kErrFileNotFound) cmdAplicar_Click();
  }
}

void frmConfigura::cmdAplicar_Click() {
  FormInstance<frmConfigura>::instance();
  WriteSettingsFile(*this);
}

void frmConfigura::leoConf() {
  FormInstance<frmConfigura>::instance();
  ReadSettingsFile(*this);
}

void frmConfigura::OKButton_Click() {
  cmdAplicar_Click();
  if (!ProyectoNuevo) CloseForm();
  ProyectoNuevo = false;
  InicializaConfigura();
}

void frmConfigura::CancelButton_Click() {
  CloseForm();
}

void frmConfigura::CloseForm() {
  RefreshPanel();
  HideForm(this);
}

void frmConfigura::RefreshPanel() {
  // Without a main window (the program ending) there is no panel to refresh.
  RefillProjectPanelHook();
}

void frmConfigura::BtnRecuDef_Click() {
  for (int k = 0; k < kNroRecurrencias; ++k) {
    const Integer r = kRecurrencias[k];
    checksR[k]->setChecked(r <= 200 || r == 1000);
  }
}

void frmConfigura::BtnDurDef_Click() {
  for (int k = 0; k < kNroDuraciones; ++k) {
    const Integer d = kDuraciones[k];
    checksD[k]->setChecked(d != 5 && d != 15 && d != 2880);
  }
}

// ---------------------------------------------------------------------------------------------------
// Boxes

void frmConfigura::ShowNumber(QLineEdit* box, Single value) {
  CampoNumero = PlainNumberText(value);
  box->setText(CampoNumero);
}

void frmConfigura::txtFecha_DblClick() {
  txtFecha->setText(Left(Now().date().toString(QStringLiteral("dd/MM/yyyy")), 10));
}

void frmConfigura::txtN0Dur_GotFocus() {
  TiempoAdicional = CSng(Val(txtN0Dur->text()));
}

bool frmConfigura::txtN0Dur_Validate() {
  TiempoAdicional = CSng(Val(txtN0Dur->text()));
  ShowNumber(txtN0Dur, TiempoAdicional);
  if (TiempoAdicional < 10 || TiempoAdicional > 30000) {
    MsgBox(QStringLiteral("Ingrese un valor numérico entre 10 y 30000"));
    return false;
  }
  return true;
}

bool frmConfigura::txtEscalaImagen_Validate() {
  const double scale = Val(txtEscalaImagen->text());
  EscalaDibujo = PlainNumberText(scale);
  txtEscalaImagen->setText(EscalaDibujo);
  if (scale < 0 || scale > 50000) {
    MsgBox(QStringLiteral("Ingrese un valor numérico entre 0 y 50000"));
    return false;
  }
  return true;
}

void frmConfigura::txtMaxUEHsPixel_Change() {
  if (Val(txtMaxUEHsPixel->text()) > 1024) txtMaxUEHsPixel->setText(QStringLiteral("1024"));
}

void frmConfigura::txtMaxUEHsPixel_Click() {
  txtMaxUEHsPixel_Change();
  txtMaxUEHsPixel->selectAll();
}

void frmConfigura::TexIMGEscala_GotFocus() {
  EscalaImagenFondo = CSng(Val(TexIMGEscala->text()));
}

bool frmConfigura::TexIMGEscala_Validate() {
  EscalaImagenFondo = CSng(Val(TexIMGEscala->text()));
  if (EscalaImagenFondo > 1000) EscalaImagenFondo = 1000;
  if (EscalaImagenFondo <= 0) EscalaImagenFondo = 0;
  ShowNumber(TexIMGEscala, EscalaImagenFondo);
  return true;
}

void frmConfigura::TexIMGX0_GotFocus() {
  PosXImagenFondo = CSng(Val(TexIMGX0->text()));
}

bool frmConfigura::TexIMGX0_Validate() {
  PosXImagenFondo = CSng(Val(TexIMGX0->text()));
  if (PosXImagenFondo > ScreenWidthTwips() - 1) PosXImagenFondo = static_cast<Single>(ScreenWidthTwips());
  TexIMGX0->setText(PlainNumberText(PosXImagenFondo));
  return true;
}

void frmConfigura::TexIMGY0_GotFocus() {
  PosYImagenFondo = CSng(Val(TexIMGY0->text()));
}

bool frmConfigura::TexIMGY0_Validate() {
  PosYImagenFondo = CSng(Val(TexIMGY0->text()));
  if (PosYImagenFondo > ScreenHeightTwips() - 1) PosYImagenFondo = static_cast<Single>(ScreenHeightTwips());
  TexIMGY0->setText(PlainNumberText(PosYImagenFondo));
  return true;
}

void frmConfigura::Optiona_Click() {
  TexIMGX0->setEnabled(true);
  for (QWidget* w : std::initializer_list<QWidget*>{TexIMGY0, TexIMGEscala, TexS}) w->setEnabled(false);
}

void frmConfigura::Optionb_Click() {
  TexIMGX0->setEnabled(false);
  for (QWidget* w : std::initializer_list<QWidget*>{TexIMGY0, TexIMGEscala, TexS}) w->setEnabled(true);
}

void frmConfigura::Optionc_Click() {
  Optionb_Click();
}

// ---------------------------------------------------------------------------------------------------
// Folders and files

void frmConfigura::Drive1_Change() {
  try {
    Dir1->setPath(Drive1->drive());
  } catch (const VbError& e) {
    MsgBox(ErrorNroTextAfterComma(e, QStringLiteral("Verifique.")));
    const QSignalBlocker quiet(Drive1);
    Drive1->showDriveOf(Dir1->path());
  }
}

void frmConfigura::Dir1_Change() {
  filArchivoConfigura->setPath(Dir1->path());
  filArchivoImagenDib->setPath(Dir1->path());
  DirActual = Dir1->path();
}

void frmConfigura::CheckDirNv_Click() {
  TextDirNv->setEnabled(CheckDirNv->isChecked());
  if (!CheckDirNv->isChecked()) TextDirNv->clear();
}

void frmConfigura::BtnDirNv_Click() {
  // A folder that exists already (error 75) is reported and entered; any other error ends here.
  auto step = [](const std::function<void()>& action) {
    try {
      action();
      return true;
    } catch (const VbError& e) {
      if (e.number != kErrPathFileAccess) return false;
      MsgBox(ErrorNroTextAfterComma(
          e, QStringLiteral("Verifique. Puede que ya exista un Directorio con ese nombre...")));
      return true;
    }
  };
  DirActual = Dir1->path() + QLatin1Char('/') + TextDirNv->text();
  if (!step([] { MkDir(DirActual); })) return;
  if (!step([] { ChDir(DirActual); })) return;
  step([this] { Dir1->setPath(DirActual); });
}

void frmConfigura::BtnDefecto_Click() {
  // A folder that exists already is no error; any other error is reported and the next step goes on.
  auto step = [](const std::function<void()>& action) {
    try {
      action();
    } catch (const VbError& e) {
      if (e.number != kErrPathFileAccess)
        MsgBox(ErrorNroTextAfterComma(
            e, QStringLiteral("Verifique. Puede que ya exista un Directorio con ese nombre...")));
    }
  };
  DirBaseDefecto = DirPrograma;
  DirActual = DirBaseDefecto + QStringLiteral("/Proyectos");
  step([this] { MkDir(DirBaseDefecto); });
  step([] { MkDir(DirActual); });
  step([] { ChDir(DirActual); });
  step([this] { Drive1->showDriveOf(DirActual); });
  step([this] { Dir1->setPath(DirActual); });
  TextDirNv->setEnabled(false);
  CheckDistriPp->setChecked(true);
  CheckDirNv->setChecked(false);
}

void frmConfigura::filArchivoConfigura_Click() {
  ReiniciaProyecto();
  DirActual = Dir1->path();
  filArchivoConfigura->setPattern(QStringLiteral("*Conf.pcn"));
  ArchivoConfElegido = filArchivoConfigura->fileName();
  if (ArchivoConfElegido.isEmpty() || Right(ArchivoConfElegido, 8) != QLatin1String("Conf.pcn"))
    ArchivoConfElegido = NombreProyecto + QStringLiteral("_Conf.pcn");
  if (ArchivoConfElegido.size() < 9) {
    // "Conf.pcn" alone leaves no project name.
    MsgBox(QStringLiteral("El archivo ") + ArchivoConfElegido +
           QStringLiteral(
               " no es un archivo de configuración válido. Los archivos de configuración tienen el formato "
               "nnConf.pcn, donde nn es el nombre del proyecto"));
    lblMiArchivoConf->setText(QStringLiteral("debe cargar el archivo Conf."));
    return;
  }
  NombreProyecto = Left(ArchivoConfElegido, ArchivoConfElegido.size() - 9);
  lblnombreproyecto->setText(NombreProyecto);
  leoConf();
  MsgBox(QStringLiteral("Se han cargado los datos de configuración del archivo ") + ArchivoConfElegido +
         QStringLiteral(" del proyecto ") + NombreProyecto);
  lblMiArchivoConf->setText(filArchivoConfigura->fileName());
}

void frmConfigura::chkImagenDibujo_Click() {
  filArchivoImagenDib->setEnabled(chkImagenDibujo->isChecked());
  if (!chkImagenDibujo->isChecked()) lblImagenDibujo->setText(kNinguno);
}

void frmConfigura::filArchivoImagenDib_MouseDown() {
  DirActual = Dir1->path();
  ArchivoImagenFondo = filArchivoImagenDib->fileName();
  const QString extension = Right(ArchivoImagenFondo, 4);
  const bool picture = extension == QLatin1String(".jpg") || extension == QLatin1String(".gif") ||
                       extension == QLatin1String(".bmp") || extension == QLatin1String(".wmf");
  if (!picture) {
    MsgBox(QStringLiteral("El archivo ") + ArchivoImagenFondo +
           QStringLiteral(
               " no es un archivo de Imágen válido. Los archivos de Imágen son extensión .bmp .gif .jpg "
               "y.wmf"));
    ArchivoImagenFondo.clear();
    lblImagenDibujo->setText(kNinguno);
    filArchivoImagenDib->setEnabled(false);
    chkImagenDibujo->setChecked(false);
  } else {
    lblImagenDibujo->setText(filArchivoImagenDib->fileName());
    chkImagenDibujo->setChecked(true);
    filArchivoImagenDib->setEnabled(true);
  }
  filArchivoImagenDib->setEnabled(lblImagenDibujo->text() != kNinguno);
}

// ---------------------------------------------------------------------------------------------------
// The settings file

void ShowSetting(frmConfigura& f, const SettingShown& shown) {
  using C = SettingsControl;
  const QString& text = shown.text;
  switch (shown.control) {
    case C::Drive1Folder:
      f.Drive1->showDriveOf(text);
      break;
    case C::Drive1:
      f.Drive1->setDrive(text);
      break;
    case C::Dir1:
      f.Dir1->setPath(text);
      break;
    case C::RutaConf:
      f.RutaConf = text;
      break;
    case C::CampoNumero:
      f.CampoNumero = text;
      break;
    case C::TextProyecto:
      f.TextProyecto->setText(text);
      break;
    case C::TextUbica:
      f.TextUbica->setText(text);
      break;
    case C::TextCuenca:
      f.TextCuenca->setText(text);
      break;
    case C::TextSbca:
      f.TextSbca->setText(text);
      break;
    case C::TextOpera:
      f.TextOpera->setText(text);
      break;
    case C::txtFecha:
      f.txtFecha->setText(text);
      break;
    case C::TextDirNv:
      f.TextDirNv->setText(text);
      break;
    case C::TexS:
      f.TexS->setText(text);
      break;
    case C::txtMaxUEHsPixel:
      f.txtMaxUEHsPixel->setText(text);
      break;
    case C::txtEscalaImagen:
      f.txtEscalaImagen->setText(text);
      break;
    case C::lblMiArchivoConf:
      f.lblMiArchivoConf->setText(text);
      break;
    case C::lblImagenDibujo:
      f.lblImagenDibujo->setText(text);
      break;
    case C::TexIMGEscala:
      f.ShowNumber(f.TexIMGEscala, shown.number);
      break;
    case C::TexIMGX0:
      f.ShowNumber(f.TexIMGX0, shown.number);
      break;
    case C::TexIMGY0:
      f.ShowNumber(f.TexIMGY0, shown.number);
      break;
    case C::txtN0Dur:
      f.ShowNumber(f.txtN0Dur, shown.number);
      break;
    case C::CheckDistriPp:
      SetCheckValue(f.CheckDistriPp, shown.value);
      break;
    case C::chkImagenDibujo:
      SetCheckValue(f.chkImagenDibujo, shown.value);
      break;
    case C::Optiona:
      SetOptionValue(f.Optiona, shown.value != 0);
      break;
    case C::Optionb:
      SetOptionValue(f.Optionb, shown.value != 0);
      break;
    case C::Optionc:
      SetOptionValue(f.Optionc, shown.value != 0);
      break;
    case C::OptionMin:
      SetOptionValue(f.OptionMin, shown.value != 0);
      break;
    case C::OptionHr:
      SetOptionValue(f.OptionHr, shown.value != 0);
      break;
    case C::Optionm3:
      SetOptionValue(f.Optionm3, shown.value != 0);
      break;
    case C::OptionLt:
      SetOptionValue(f.OptionLt, shown.value != 0);
      break;
    case C::checksR:
      f.checksR.at(static_cast<size_t>(shown.index))->setChecked(shown.value != 0);
      break;
    case C::checksD:
      f.checksD.at(static_cast<size_t>(shown.index))->setChecked(shown.value != 0);
      break;
  }
}

void ReadSettingsFile(frmConfigura& f) {
  if (ReadSettings([&f](const SettingShown& shown) { ShowSetting(f, shown); }) == SettingsReading::NoFile) {
    f.BtnDefecto_Click();
    ShowModeless(&f, false);
  }
}

bool WriteSettingsFile(frmConfigura& f, QStringList* confirmaciones) {
  if (NombreProyecto.isEmpty()) {
    DirTrabajo = f.Dir1->path();
    UnidadTrabajo = f.Drive1->drive();
    return true;
  }
  if (CheckValue(f.chkImagenDibujo) == 1 && f.lblImagenDibujo->text() == QLatin1String("Ninguno")) {
    f.chkImagenDibujo->setChecked(false);
    ArchivoImagenFondo.clear();
  }
  DirActual = f.Dir1->path();
  f.RutaConf = DirActual + QLatin1Char('/') + NombreProyecto + QStringLiteral("_Conf.pcn");
  try {
    // The file is written aside and replaces the old one only when complete.
    SeqFile file(f.RutaConf, OpenMode::Output);
    file.write({NombreProyecto});
    for (QLineEdit* box : {f.TextProyecto, f.TextUbica, f.TextCuenca, f.TextSbca, f.TextOpera, f.txtFecha})
      file.write({box->text()});
    file.write({f.Drive1->drive()});
    file.write({f.Dir1->path()});
    file.write({f.TextDirNv->text()});
    file.write({CheckValue(f.CheckDistriPp)});
    file.write({f.lblMiArchivoConf->text()});
    file.write({CheckValue(f.chkImagenDibujo)});
    file.write({f.lblImagenDibujo->text()});
    file.write({f.TexIMGEscala->text()});
    file.write({f.TexS->text()});
    for (QRadioButton* option : {f.Optiona, f.Optionb, f.Optionc}) file.write({option->isChecked()});
    file.write({PosXImagenFondo});
    file.write({PosYImagenFondo});
    for (QRadioButton* option : {f.OptionMin, f.OptionHr, f.Optionm3, f.OptionLt})
      file.write({option->isChecked()});
    file.write({TiempoAdicional});
    file.write({f.txtMaxUEHsPixel->text()});
    file.write({f.txtEscalaImagen->text()});
    for (QCheckBox* check : f.checksR) file.write({CheckValue(check)});
    for (QCheckBox* check : f.checksD) file.write({CheckValue(check)});
    file.close();
  } catch (const VbError& e) {
    MsgBox(ErrorNroTextAfterComma(
        e, QStringLiteral("Verifique. Puede que ya exista un Directorio con ese nombre...")));
    CloseAllFiles();
    return false;
  }
  CloseAllFiles();
  DirActual = f.Dir1->path();
  GuardaArchivoDirectorio();
  const QString guardado =
      QStringLiteral("Los datos de configuración del proyecto se han guardado correctamente en el archivo ") +
      f.RutaConf;
  if (confirmaciones) {
    *confirmaciones << guardado;
  } else {
    MsgBox(guardado);
  }
  return true;
}

}  // namespace tavo
