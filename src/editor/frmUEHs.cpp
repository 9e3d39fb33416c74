#include "editor/frmUEHs.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <functional>

#include "editor/editor_comun.h"
#include "editor/estado_editor.h"
#include "editor/hooks.h"
#include "platform/activation.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "project/listacomponentes.h"
#include "project/redfiles.h"
#include "shell/frmImagenFondo.h"

namespace tavo {

namespace {

// The toolbar of the editor, top to bottom: caption, key, tooltip, kind.
enum class Clase { Grupo, Marca, Solo, Simple };
struct BotonEditor {
  const char* caption;
  const char* key;
  const char* tooltip;
  Clase clase;
};
constexpr BotonEditor kBotonesEditor[] = {
    {"&UHE", "btn_toolbarUEH", "Ingresar Unidad Hidrológica", Clase::Grupo},
    {"&Cauce", "btn_toolbarCauce", "Ingresar tramo de cauce", Clase::Grupo},
    {"La&g", "btn_toolbarLAGO", "Ingrear depresión lagunar", Clase::Grupo},
    {"&Presa", "btn_toolbarRepresa", "Ingresar represa", Clase::Grupo},
    {"&Borra", "btn_toolbarBorraTodo", "", Clase::Grupo},
    {"L/Area", "btn_toolbarLongArea", "Cálculo de Longitudes y Areas", Clase::Grupo},
    {"Se&lec", "btn_toolbarSelecciona", "Seleccionar componentes", Clase::Marca},
    {"&Guarda", "btn_toolbarGuardaUEHs", "Guarda archivo UEHs (componentes  morfológicos)", Clase::Solo},
    {"&Salir", "btn_toolbarSalir", "Cierra el Formulario", Clase::Simple},
};

// The context menu of the drawing: name, caption, shortcut shown beside it.
struct ItemMenu {
  const char* name;
  const char* caption;
  const char* shortcut;
};
constexpr ItemMenu kMenuDibujo[] = {
    {"mnu_CentrarDibujo", "&Centrar el Dibujo", "Ctrl+C"},
    {"mnu_ZoomAll", "&Zoom All", "Ctrl+Z"},
    {"barra2", "-UEHs", ""},
    {"mnu_PopUpdlgUEH2", "Editar Propiedades de la &UHE", "Ctrl+U"},
    {"mnu_acoplaUEHaCauce", "Acopla UHE a Cauce", ""},
    {"mnu_acoplaUEHaLago", "Acopla UHE a Lago", ""},
    {"mnu_acoplaUEHaRepresa", "Acopla UHE a Represa", ""},
    {"mnu_desacoplaUEH", "Desacopla UHE", ""},
    {"barra1", "-CAUCES:", ""},
    {"mnu_PopUpCauceEditPropiedades", "&Editar Propiedades del Cauce", "Ctrl+E"},
    {"mnu_DivideCauce", "&Divide un tramo de Cauce en dos", "Ctrl+D"},
    {"mnu_acoplaCauce1aCauce2", "Acopla Cauce 1 a Cauce 2", ""},
    {"mnu_acoplaCauceaLago", "Acopla Cauce a Lago", ""},
    {"mnu_acoplaCauceaRepresa", "Acopla Cauce a Represa", ""},
    {"mnu_desacoplaCauce", "Desacopla Cauce", ""},
    {"barra4", "-LAGOS:", ""},
    {"mnu_PopUpdlgLAGO", "Editar Propiedades de Lagos/Lagunas...", "Ctrl+L"},
    {"mnu_acoplaLAGOaCauce", "Acopla Lago/Laguna a Cauce", ""},
    {"mnu_desacoplaLAGO", "Desacopla Lago", ""},
    {"barra3", "-REPRESAS:", ""},
    {"mnu_PopUpdlgRepresa", "Editar Propiedades de la Represa", "Ctrl+R"},
    {"mnu_acoplaRepresaaCauce", "Acopla Represa a Cauce", ""},
    {"mnu_desacoplaRepresa", "Desacopla Represa", ""},
};

// The picture of a toolbar button, drawn in code.
QIcon IconoEditor(const QString& key) {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (key == QLatin1String("btn_toolbarUEH")) {
    p.fillRect(4, 4, 16, 16, kFondoSimbolo);
    QPainterPath slope;
    slope.moveTo(20, 4);
    slope.lineTo(20, 20);
    slope.lineTo(4, 20);
    slope.closeSubpath();
    p.fillPath(slope, kTierra);
    p.setPen(QPen(kVerde.darker(120), 2));
    p.drawLine(19, 5, 5, 19);
  } else if (key == QLatin1String("btn_toolbarCauce")) {
    p.setPen(QPen(kCeleste, 5, Qt::SolidLine, Qt::RoundCap));
    const QPointF river[] = {{3, 20}, {9, 13}, {15, 15}, {21, 4}};
    p.drawPolyline(river, 4);
    p.setPen(QPen(kAzul, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(river, 4);
  } else if (key == QLatin1String("btn_toolbarLAGO")) {
    p.setPen(QPen(kAzul, 1));
    p.setBrush(QBrush(kAzul, Qt::BDiagPattern));
    p.drawEllipse(QPointF(8, 12), 6, 6);
    p.drawEllipse(QPointF(16, 12), 6, 6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kAzul, 2));
    p.drawArc(QRectF(2, 8, 20, 12), 180 * 16, 180 * 16);
  } else if (key == QLatin1String("btn_toolbarRepresa")) {
    p.fillRect(2, 2, 20, 20, kFondoSimbolo);
    QPainterPath water;
    water.moveTo(15, 7);
    water.lineTo(3, 7);
    water.lineTo(15, 19);
    water.closeSubpath();
    p.fillPath(water, kAzul);
    p.fillRect(15, 4, 3, 16, kNegro);
    p.fillRect(2, 19, 20, 3, kTierra);
  } else if (key == QLatin1String("btn_toolbarBorraTodo")) {
    p.setPen(QPen(kRojo, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(5, 5, 19, 19);
    p.drawLine(19, 5, 5, 19);
  } else if (key == QLatin1String("btn_toolbarLongArea")) {
    p.setPen(QPen(kMagenta, 2));
    const QPointF outline[] = {{3, 19}, {8, 5}, {20, 8}, {17, 20}, {3, 19}};
    p.drawPolyline(outline, 5);
  } else if (key == QLatin1String("btn_toolbarSelecciona")) {
    QPainterPath arrow;
    arrow.moveTo(6, 3);
    arrow.lineTo(6, 20);
    arrow.lineTo(10, 16);
    arrow.lineTo(13, 22);
    arrow.lineTo(16, 21);
    arrow.lineTo(13, 15);
    arrow.lineTo(19, 15);
    arrow.closeSubpath();
    p.setPen(QPen(kNegro, 1));
    p.setBrush(kBlanco);
    p.drawPath(arrow);
  } else if (key == QLatin1String("btn_toolbarGuardaUEHs")) {
    p.fillRect(3, 3, 18, 18, QColor(40, 60, 140));
    p.fillRect(6, 3, 12, 7, kBlanco);
    p.fillRect(7, 14, 10, 7, QColor(200, 200, 200));
  } else if (key == QLatin1String("btn_toolbarSalir")) {
    p.setPen(QPen(QColor(120, 70, 30), 2));
    p.drawRect(5, 3, 11, 18);
    p.setPen(QPen(kRojo, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(11, 12, 22, 12);
    p.drawLine(18, 8, 22, 12);
    p.drawLine(18, 16, 22, 12);
  }
  return QIcon(pixmap);
}

// Each value y = desde, desde + 1, … up to and including hasta, stepping in single precision; the
// count of steps is bounded by the distance, so that coordinates too large for a step of 1 still end.
template <class Paso>
void RecorreFilas(Single desde, Single hasta, Paso paso) {
  const double filas = std::floor(static_cast<double>(hasta) - static_cast<double>(desde)) + 1;
  Single y = desde;
  for (double k = 0; k < filas && y <= hasta; ++k, y = static_cast<Single>(y + 1)) paso(y);
}

}  // namespace

// The parts of a symbol's link that differ between the kinds.
struct frmUEHs::Enlace {
  Single origenY;                     // Y of the link origin below the anchor, in symbol sizes
  QColor colorLinea;                  // link line in the normal look
  QColor colorAnillo;                 // ring at the link point in the normal look
  Single radioPunto;                  // red dot radius, in symbol sizes
  int extraSeleccion;                 // added to the selected look's pen width
  std::function<QString()> receptor;  // Cauce_aa of the component, read for the red dot only
  std::function<void()> marca;        // the selection mark
};

frmUEHs::frmUEHs() {
  setObjectName(QStringLiteral("frmUEHs"));
  setWindowTitle(QStringLiteral("Diagrama de Unidades Hidrológicas de Estudio y sus componentes"));
  setAutoFillBackground(true);
  QPalette fondo = palette();
  fondo.setColor(QPalette::Window, QColor(227, 227, 227));
  setPalette(fondo);
  resize(Px(8865), Px(6675));

  const QFont pequena(QStringLiteral("Arial"), 8);

  picDibujo = new PictureBox(this);
  picDibujo->setObjectName(QStringLiteral("picDibujo"));
  picDibujo->setBackColor(kBlanco);
  picDibujo->setForeColor(QColor(0, 0, 192));
  picDibujo->setFont(QFont(QStringLiteral("Arial"), 9));
  PlaceTwips(picDibujo, 600, 400, 8865 - 1500, 6675 - 700);

  sldEscala = new QSlider(Qt::Vertical, this);
  sldEscala->setObjectName(QStringLiteral("sldEscala"));
  sldEscala->setRange(10, 500);
  sldEscala->setInvertedAppearance(true);
  sldEscala->setToolTip(QStringLiteral("Variador de la Escala de Dibujo"));
  PlaceTwips(sldEscala, 40, 4000, 492, 3012);

  ScrEscalaHor = new QScrollBar(Qt::Horizontal, this);
  ScrEscalaHor->setObjectName(QStringLiteral("ScrEscalaHor"));
  ScrEscalaHor->setRange(-1024, 1024);
  ScrEscalaHor->setSingleStep(20);
  ScrEscalaHor->setPageStep(100);
  ScrEscalaHor->setValue(100);
  PlaceTwips(ScrEscalaHor, 360, 0, 2292, 252);

  ScrEscalaVer = new QScrollBar(Qt::Vertical, this);
  ScrEscalaVer->setObjectName(QStringLiteral("ScrEscalaVer"));
  ScrEscalaVer->setRange(-768, 768);
  ScrEscalaVer->setSingleStep(20);
  ScrEscalaVer->setPageStep(100);
  ScrEscalaVer->setValue(100);
  PlaceTwips(ScrEscalaVer, 0, 0, 252, 2412);

  auto boton = [&](const char* name, const char* caption, const char* tooltip, int left, int width) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromUtf8(tooltip));
    b->setFont(pequena);
    b->setFocusPolicy(Qt::TabFocus);
    PlaceTwips(b, left, 0, width, 252);
    // A caption wider than the button in the font at hand widens it, with room for the frame.
    const int texto = b->fontMetrics().horizontalAdvance(b->text()) + 8;
    if (texto > b->width()) b->resize(texto, b->height());
    return b;
  };
  cmdImagenUEHs = boton("cmdImagenUEHs", "Imágen", "Cargar o Descargar la Imágen de fondo ", 2640, 1452);
  cmdImagenUEHs->setIcon(IconoEditor(QStringLiteral("btn_toolbarLongArea")));
  cmdAnchoLineaDib = boton("cmdAnchoLineaDib", "Espesor", "Modificar espesor de línea de dibujo", 4080, 852);
  cmdOrdenCauce = boton("cmdOrdenCauce", "Orden Cauce", "Mostrar / No Mostrar Orden de Cauces", 4920, 1092);

  auto etiqueta = [&](const char* name, int left, int width) {
    ElidedLabel* l = MakeElidedLabel(this, QString::fromLatin1(name), left, 0, width, 252);
    l->setFont(pequena);
    return l;
  };
  lblX = etiqueta("lblX", 6120, 732);
  lblY = etiqueta("lblY", 7080, 612);

  lblEstado = new QLabel(this);
  lblEstado->setObjectName(QStringLiteral("lblEstado"));
  lblEstado->setTextFormat(Qt::PlainText);
  lblEstado->setFont(pequena);
  lblEstado->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(lblEstado, 1000, 6675 - 300, 8865, 500);

  CreaBarra();
  CreaMenuDibujo();

  ConnectGuarded(cmdAnchoLineaDib, &QPushButton::clicked, this, &frmUEHs::cmdAnchoLineaDib_Click);
  ConnectGuarded(cmdImagenUEHs, &QPushButton::clicked, this, &frmUEHs::cmdImagenUEHs_Click);
  ConnectGuarded(cmdOrdenCauce, &QPushButton::clicked, this, &frmUEHs::cmdOrdenCauce_Click);
  ConnectGuarded(ScrEscalaHor, &QScrollBar::valueChanged, this, &frmUEHs::ScrEscalaHor_Change);
  ConnectGuarded(ScrEscalaVer, &QScrollBar::valueChanged, this, &frmUEHs::ScrEscalaVer_Change);
  // The slider is moved by the user when a drag ends or a click or key steps it; the redraw's own
  // setting of the zoom is no move.
  ConnectGuarded(sldEscala, &QSlider::sliderReleased, this, &frmUEHs::sldEscala_Click);
  connect(sldEscala, &QSlider::actionTriggered, this, [this](int action) {
    if (action == QAbstractSlider::SliderMove) return;
    QMetaObject::invokeMethod(
        this, [this] { RunGuarded([this] { sldEscala_Click(); }); }, Qt::QueuedConnection);
  });
  ConnectGuarded(mnu_DibujoSec->findChild<QAction*>(QStringLiteral("mnu_ZoomAll")), &QAction::triggered, this,
                 &frmUEHs::mnu_ZoomAll_Click);
  ConnectGuarded(mnu_DibujoSec->findChild<QAction*>(QStringLiteral("mnu_CentrarDibujo")), &QAction::triggered,
                 this, &frmUEHs::mnu_CentrarDibujo_Click);
  ConectaItem("mnu_PopUpdlgUEH2", &frmUEHs::mnu_PopUpdlgUEH2_Click);
  ConectaItem("mnu_acoplaUEHaCauce", &frmUEHs::mnu_acoplaUEHaCauce_Click);
  ConectaItem("mnu_acoplaUEHaLago", &frmUEHs::mnu_acoplaUEHaLago_Click);
  ConectaItem("mnu_acoplaUEHaRepresa", &frmUEHs::mnu_acoplaUEHaRepresa_Click);
  ConectaItem("mnu_desacoplaUEH", &frmUEHs::mnu_desacoplaUEH_Click);
  ConectaItem("mnu_PopUpCauceEditPropiedades", &frmUEHs::mnu_PopUpCauceEditPropiedades_Click);
  ConectaItem("mnu_DivideCauce", &frmUEHs::mnu_DivideCauce_Click);
  ConectaItem("mnu_acoplaCauce1aCauce2", &frmUEHs::mnu_acoplaCauce1aCauce2_Click);
  ConectaItem("mnu_acoplaCauceaLago", &frmUEHs::mnu_acoplaCauceaLago_Click);
  ConectaItem("mnu_acoplaCauceaRepresa", &frmUEHs::mnu_acoplaCauceaRepresa_Click);
  ConectaItem("mnu_desacoplaCauce", &frmUEHs::mnu_desacoplaCauce_Click);
  ConectaItem("mnu_PopUpdlgLAGO", &frmUEHs::mnu_PopUpdlgLAGO_Click);
  ConectaItem("mnu_acoplaLAGOaCauce", &frmUEHs::mnu_acoplaLAGOaCauce_Click);
  ConectaItem("mnu_desacoplaLAGO", &frmUEHs::mnu_desacoplaLAGO_Click);
  ConectaItem("mnu_PopUpdlgRepresa", &frmUEHs::mnu_PopUpdlgRepresa_Click);
  ConectaItem("mnu_acoplaRepresaaCauce", &frmUEHs::mnu_acoplaRepresaaCauce_Click);
  ConectaItem("mnu_desacoplaRepresa", &frmUEHs::mnu_desacoplaRepresa_Click);
  connect(picDibujo, &PictureBox::mouseDown, this, [this](int button, int shift, Single x, Single y) {
    RunGuarded([&] { picDibujo_MouseDown(button, shift, x, y); });
  });
  connect(picDibujo, &PictureBox::mouseMove, this, [this](int button, int shift, Single x, Single y) {
    RunGuarded([&] { picDibujo_MouseMove(button, shift, x, y); });
  });
  connect(picDibujo, &PictureBox::mouseUp, this, [this](int button, int shift, Single x, Single y) {
    RunGuarded([&] { picDibujo_MouseUp(button, shift, x, y); });
  });
  ConnectGuarded(picDibujo, &PictureBox::dblClick, this, &frmUEHs::picDibujo_DblClick);
  connect(picDibujo, &PictureBox::keyDown, this,
          [this](int keyCode, int shift) { RunGuarded([&] { picDibujo_KeyDown(keyCode, shift); }); });
  connect(picDibujo, &PictureBox::keyPress, this,
          [this](int character) { RunGuarded([&] { picDibujo_KeyPress(character); }); });

  installEventFilter(this);
  for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);

  auto* activacion = new ActivationWatch(this);
  connect(activacion, &ActivationWatch::activated, this, [this] { RunGuarded([this] { Form_Activate(); }); });
  connect(activacion, &ActivationWatch::deactivated, this,
          [this] { RunGuarded([this] { Form_Deactivate(); }); });
}

void frmUEHs::CreaBarra() {
  ToolbarUEHs = new QToolBar(this);
  ToolbarUEHs->setObjectName(QStringLiteral("ToolbarUEHs"));
  ToolbarUEHs->setOrientation(Qt::Vertical);
  ToolbarUEHs->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  ToolbarUEHs->setIconSize(QSize(24, 24));
  ToolbarUEHs->setFont(QFont(QStringLiteral("Arial"), 8));
  auto* herramientas = new QActionGroup(ToolbarUEHs);
  auto* guarda = new QActionGroup(ToolbarUEHs);
  for (const BotonEditor& b : kBotonesEditor) {
    const QString key = QString::fromLatin1(b.key);
    QAction* action = ToolbarUEHs->addAction(IconoEditor(key), QString::fromUtf8(b.caption));
    action->setObjectName(key);
    action->setData(key);
    action->setToolTip(QString::fromUtf8(b.tooltip));
    action->setCheckable(b.clase != Clase::Simple);
    if (b.clase == Clase::Grupo) herramientas->addAction(action);
    if (b.clase == Clase::Solo) guarda->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, key] { RunGuarded([&] { ToolbarUEHs_ButtonClick(key); }); });
  }
}

void frmUEHs::CreaMenuDibujo() {
  mnu_DibujoSec = new QMenu(QStringLiteral("&DibujoSec"), this);
  mnu_DibujoSec->setObjectName(QStringLiteral("mnu_DibujoSec"));
  for (const ItemMenu& item : kMenuDibujo) {
    QAction* action = mnu_DibujoSec->addAction(QString::fromUtf8(item.caption));
    action->setObjectName(QString::fromLatin1(item.name));
    if (*item.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
  }
}

QAction* frmUEHs::BotonToolbar(const QString& key) const {
  for (QAction* action : ToolbarUEHs->actions()) {
    if (action->data().toString() == key) return action;
  }
  return nullptr;
}

int frmUEHs::AnchoVentana() const {
  return Twips(width());
}
int frmUEHs::AltoVentana() const {
  return Twips(height());
}

void frmUEHs::FijaEscalaInterna() {
  frmImagenFondo& imagen = frmImagenFondo::instance();
  imagen.resize(size());
  imagen.SetInnerSize(AnchoVentana(), AltoVentana());
}

// ---- the window's own events ----

void frmUEHs::Form_Load() {
  LeeDimensionesPantalla();
  resize(Px(static_cast<int>(AnchoPantalla * 4 / 5)), Px(static_cast<int>(AltoPantalla * 4 / 5)));
  picDibujo->cls();
  TamIcono = static_cast<Single>(EspesorLinea * 1.2 + 10);
  EspesorLinea = 4;
  if (NombreProyecto.isEmpty()) return;

  FormInstance<frmConfigura>::instance().leoConf();
  selCauce = selUEH = selRepresa = selLago = 0;
  selVertice = 0;
  XVerticeNuevo = YVerticeNuevo = 0;
  NewVertexHeld = false;
  CauceYaSeleccionado = false;
  ExtensionDibujoNum = CLng(Val(ExtensionDibujo));
  sldEscala->setValue(100);
  CentrarVista = true;
  ZoomTotal = true;
  ViewHeld = false;
  PlaceTwips(picDibujo, 600, 400, AnchoVentana() - 1500, AltoVentana() - 700);
  FijaEscalaInterna();

  picDibujo->resetScale();
  picDibujo->setScaleLeft(0);
  picDibujo->setScaleTop(0);
  const double vista = CheckLong(static_cast<long long>(sldEscala->value()) * ExtensionDibujoNum) / 100.0;
  // A drawing extent of 0 leaves the drawing in pixels until a redraw can set a view.
  if (vista != 0) {
    picDibujo->setScaleHeight(vista);
    picDibujo->setScaleWidth(vista);
  }

  PlaceTwips(lblEstado, 1000, AltoVentana() - 300, AnchoVentana(), 500);
  lblEstado->setText(QStringLiteral("UEHs : ") + NombreProyecto + QStringLiteral("_UEHs.pcn") +
                     QStringLiteral("     Proyecto: ") + NombreProyecto + QStringLiteral("     Dir: ") +
                     DirTrabajo + QStringLiteral("   Config. : ") + NombreProyecto +
                     QStringLiteral("_Conf.pcn"));
  sldEscala->move(Px(40), Px(4000));
  MuestraOrden = false;
  CargaRedProyecto();
  DibujaRed();
}

void frmUEHs::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RunGuarded([this] { Form_Resize(); });
}

void frmUEHs::Form_Resize() {
  const int ancho = AnchoVentana();
  const int alto = AltoVentana();
  lblEstado->setGeometry(Px(1000), alto > 500 ? Px(alto - 300) : lblEstado->y(), Px(ancho), Px(500));
  sldEscala->move(Px(40), Px(4000));
  picDibujo->setGeometry(Px(600), Px(400), ancho > 1700 ? Px(ancho - 1500) : picDibujo->width(),
                         alto > 900 ? Px(alto - 700) : picDibujo->height());
  // The toolbar keeps to the right edge of the window, 765 wide.
  ToolbarUEHs->setGeometry(width() - Px(765), 0, Px(765), std::max(0, lblEstado->y()));
  // The pointer's coordinates share the room between the buttons and the toolbar.
  const int espacio = Px(120);
  const int mitad = std::max(Px(732), (ToolbarUEHs->x() - espacio - lblX->x()) / 2 - espacio);
  lblX->resize(mitad, lblX->height());
  lblY->setGeometry(lblX->geometry().right() + 1 + espacio, lblY->y(), std::max(Px(612), mitad),
                    lblY->height());
}

void frmUEHs::Form_Activate() {
  selVertice = 0;
  OmiteAvisoSalidas = false;
  CauceYaSeleccionado = false;
  EnableMainWindowHook(false);
  setEnabled(true);
  picDibujo->cls();
  MuestraOrden = false;
  ScrHorAnterior = CheckInteger(ScrEscalaHor->value());
  ScrVerAnterior = CheckInteger(ScrEscalaVer->value());
  DibujaRed();
}

void frmUEHs::Form_Deactivate() {
  EnableMainWindowHook(true);
}

void frmUEHs::Form_Unload() {
  // A reach still being drawn is discarded with the window.
  nVerticesTrazado = 0;
  EnableMainWindowHook(true);
}

bool frmUEHs::eventFilter(QObject* watched, QEvent* event) {
  // The window sees every key before the control it is sent to, once: a control that passes the key
  // on to the window it lies in brings the same event again.
  if (event->type() == QEvent::KeyRelease) teclaVista_ = nullptr;
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
      (event != teclaVista_ || static_cast<QKeyEvent*>(event)->keyCombination() != teclasVistas_)) {
    const auto* tecla = static_cast<QKeyEvent*>(event);
    teclaVista_ = event;
    teclasVistas_ = tecla->keyCombination();
    // The shortcuts the drawing's menu shows work with the menu closed, before the window's keys.
    bool atajo = false;
    if (watched != mnu_DibujoSec) RunGuarded([&] { atajo = AtajoMenuDibujo(*tecla); });
    if (atajo) {
      event->accept();
      return true;
    }
    const QString text = tecla->text();
    bool cerrado = false;
    RunGuarded([&] {
      Form_KeyDown(VbKeyCode(tecla->key()), VbShift(tecla->modifiers()));
      if (!text.isEmpty() && isLoaded()) Form_KeyPress(text.at(0).unicode());
      cerrado = !isLoaded();
    });
    if (cerrado) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void frmUEHs::Form_KeyPress(int KeyAscii) {
  if (KeyAscii == 27) CierraEditorUEHs();
}

void frmUEHs::closeEvent(QCloseEvent* event) {
  // The close box closes as "Salir" does, and stays open when that closing stops.
  event->ignore();
  RunGuarded([this] { CierraEditorUEHs(); });
}

// ---- closing ----

void frmUEHs::ComponenteFinal() {
  tavo::ComponenteFinal();
  ContinuarConErrores = ContinuarConAvisos;
  RedCorrecta = SalidaUnica;
}

void frmUEHs::CierraEditorUEHs() {
  // An empty network has no outlet to check: it goes straight to the save question. A Yes (go back)
  // to any warning of the check keeps the editor open and asks nothing more.
  if (!colUEHs.empty() || !colCauces.empty() || !colRepresas.empty() || !colLagos.empty()) {
    ClosingCheck = true;
    struct Fin {
      ~Fin() { ClosingCheck = false; }
    } fin;
    ComponenteFinal();
    if (BackToEditing || (!ContinuarConErrores && !RedCorrecta)) return;
  }
  // The question comes only when the network differs from the one in its files.
  if (NetworkText() != SavedNetworkText) {
    const int respuesta =
        MsgBox(QStringLiteral("¿Desea guardar los cambios realizados en los componentes de UEHs ? "),
               vbYesNo | vbQuestion, QStringLiteral("Resguardo de datos de componentes UEHs"));
    if (respuesta == vbYes) mnu_btn_toolbarGuardaUEHs();
  }
  // Nothing is accepted into a network that is no longer being edited.
  CloseComponentDialogs();
  picDibujo->cls();
  unloadLater();
}

void frmUEHs::mnu_btn_toolbarGuardaUEHs() {
  EscribeRedProyecto();
}

bool SaveEditsBeforeRun() {
  if (!frmUEHs::isLoaded() || NetworkText() == SavedNetworkText) return true;
  const int respuesta =
      MsgBox(QStringLiteral("¿Desea guardar los cambios realizados en los componentes de UEHs ? "),
             vbYesNoCancel | vbQuestion, QStringLiteral("Resguardo de datos de componentes UEHs"));
  if (respuesta == vbCancel) return false;
  if (respuesta == vbYes) return EscribeRedProyecto();
  // The network of the files, as the run will read it, with nothing selected and no reach under way.
  nVerticesTrazado = 0;
  selCauce = selCauce2 = selUEH = selRepresa = selLago = 0;
  selVertice = 0;
  CargaRedProyecto();
  frmUEHs::object().DibujaRed();
  return true;
}

// ---- the redraw ----

void DibujaRed() {
  frmUEHs::instance().DibujaRed();
}

void frmUEHs::DibujaRed() {
  for (int i = 1; i <= nCauces; ++i) AmpliaVertices(numVerticesCauce(i));
  try {
    DibujaRedPasos();
  } catch (const VbError&) {
    // The redraw ends where it failed; what was drawn stays.
  }
}

void frmUEHs::DibujaRedPasos() {
  if (!isVisible()) ShowModeless(this, false);

  // Each reach ends on the head of the reach it drains into (the last of that name).
  for (int i = 1; i <= nCauces; ++i) {
    const QString receptor = RegistroN(vCauces, i).Cauce_aa;
    if (receptor == QLatin1String("0")) continue;
    int k = 0;
    for (const auto& c : colCauces) {
      CompoDibujo = c;
      if (c->NombreCauce == receptor) k = c->numCauce;
    }
    if (k != 0) {
      XVertice(i, 1) = XVertice(k, numVerticesCauce(k));
      YVertice(i, 1) = YVertice(k, numVerticesCauce(k));
    }
  }

  picDibujo->cls();

  XMinDibujo = YMinDibujo = 99999;
  XMaxDibujo = YMaxDibujo = -99999;
  auto abarca = [](Single x, Single y) {
    XMinDibujo = std::min(XMinDibujo, x);
    XMaxDibujo = std::max(XMaxDibujo, x);
    YMinDibujo = std::min(YMinDibujo, y);
    YMaxDibujo = std::max(YMaxDibujo, y);
  };
  for (int i = 1; i <= nCauces; ++i) {
    for (int j = 1; j <= numVerticesCauce(i); ++j) abarca(XVertice(i, j), YVertice(i, j));
  }
  for (const auto& u : colUEHs) abarca(u->IconoUEHx, u->IconoUEHy);
  // The background picture where it is drawn; without reaches the view fits the picture.
  const bool conImagen =
      ImagenVisible && frmImagenFondo::exists() && !frmImagenFondo::object().Picture.isNull();
  const double escalaImagen = EscalaImagenFondo == 0 ? 100.0 : EscalaImagenFondo;
  const QRectF imagen(PosXImagenFondo, PosYImagenFondo, escalaImagen * AnchoImagen / 100,
                      AltoImagen * 1.33333333 * escalaImagen / 100);
  const bool ajustaImagen = conImagen && nCauces == 0;
  if (ajustaImagen) {
    XMinDibujo = static_cast<Single>(imagen.left());
    XMaxDibujo = static_cast<Single>(imagen.right());
    YMinDibujo = static_cast<Single>(imagen.top());
    YMaxDibujo = static_cast<Single>(imagen.bottom());
  }
  picDibujo->setDrawWidth(EspesorLinea);
  picDibujo->setDrawStyle(PenStyle::Solid);
  FijaEscalaInterna();

  // Zoom to fit: the larger side of the network fills 1 / 1.1 of the view, within the slider's range.
  if (ZoomTotal && !(XMaxDibujo == 0 && XMinDibujo == 0 && YMaxDibujo == 0 && YMinDibujo == 0)) {
    const Single ancho = XMaxDibujo - XMinDibujo;
    const Single alto = YMaxDibujo - YMinDibujo;
    Long zoom = CLng(Div(ancho * 1.1, ExtensionDibujoNum) * 100);
    if (ancho < alto) zoom = CLng(Div(alto * 1.1, ExtensionDibujoNum) * 100);
    sldEscala->setValue(std::clamp<Long>(zoom, sldEscala->minimum(), sldEscala->maximum()));
  }
  if (nCauces == 0 && !ajustaImagen && !ViewHeld) sldEscala->setValue(100);

  if (ScrEscalaHor->value() != ScrHorAnterior) {
    picDibujo->setScaleLeft(picDibujo->scaleLeft() + (ScrEscalaHor->value() - ScrHorAnterior));
    ScrollMovido = true;
  }
  if (ScrEscalaVer->value() != ScrVerAnterior) {
    picDibujo->setScaleTop(picDibujo->scaleTop() + (ScrEscalaVer->value() - ScrVerAnterior));
    ScrollMovido = true;
  }
  if (!ScrollMovido && !ViewHeld) {
    picDibujo->resetScale();
    const double vista = CheckLong(static_cast<long long>(sldEscala->value()) * ExtensionDibujoNum) / 100.0;
    picDibujo->setScaleHeight(vista);
    picDibujo->setScaleWidth(vista);
    if (CentrarVista) {
      const Single v = static_cast<Single>(picDibujo->scaleWidth());
      picDibujo->setScaleLeft(XMinDibujo - (v - (XMaxDibujo - XMinDibujo)) / 2);
      picDibujo->setScaleTop(YMinDibujo -
                             (static_cast<Single>(picDibujo->scaleHeight()) - (YMaxDibujo - YMinDibujo)) / 2);
    }
  }

  // The background picture, under everything; a picture that could not be loaded is left out.
  if (conImagen) {
    picDibujo->paintPicture(frmImagenFondo::object().Picture, imagen.x(), imagen.y(), imagen.width(),
                            imagen.height());
  }

  TolSeleccion = CInt(picDibujo->scaleWidth() * 0.02);

  DibujaCauces();

  // Reaches that drain somewhere get a red mark on their downstream end.
  const double t = TolSeleccion;
  for (int i = 1; i <= nCauces; ++i) {
    if (RegistroN(vCauces, i).Cauce_aa == QLatin1String("0")) continue;
    picDibujo->box(XVertice(i, 1) - t / 6, YVertice(i, 1) - t / 6, XVertice(i, 1) - t / 6 + t / 3,
                   YVertice(i, 1) - t / 6 + t / 3, kRojo);
  }

  if (selCauce > 0) ResaltaCauceSeleccionado();

  // A lake or dam that drains into a reach takes over the other inflows of that reach, and every
  // reach draining into it ends on its symbol.
  auto reencauza = [](const QString& nombre, const QString& receptor, Single x, Single y) {
    if (!TieneReceptor(receptor)) return;
    for (const auto& c : colCauces) {
      CompoDibujo = c;
      if (c->Cauce_aa != nombre && c->Cauce_aa != receptor) continue;
      iCauce = c->numCauce;
      c->Cauce_aa = nombre;
      XVertice(iCauce, 1) = x;
      YVertice(iCauce, 1) = y;
    }
  };
  for (const auto& l : colLagos) reencauza(l->NombreLAGO, l->Cauce_aa, l->IconoLAGOx, l->IconoLAGOy);
  for (const auto& r : colRepresas)
    reencauza(r->NombreRepresa, r->Cauce_aa, r->IconoRepresaX, r->IconoRepresaY);

  DibujaSimbolos();
  DibujaMedida();
  DibujaTrazado();

  ScrollMovido = false;
  ScrHorAnterior = CheckInteger(ScrEscalaHor->value());
  ScrVerAnterior = CheckInteger(ScrEscalaVer->value());
}

void frmUEHs::DibujaCauces() {
  const double t = TolSeleccion;
  EspesorBase = std::max<Integer>(EspesorLinea, 2);
  for (int i = 1; i <= nCauces; ++i) {
    if (MuestraOrden) EspesorLinea = CheckInteger(2 * RegistroN(vCauces, i).OrdenCauce);
    if (EspesorLinea == 0) EspesorLinea = 2;
    const int w = EspesorLinea;
    const int n = numVerticesCauce(i);
    for (jVertice = 2; jVertice <= n; ++jVertice) {
      const Single x0 = XVertice(i, jVertice - 1), y0 = YVertice(i, jVertice - 1);
      const Single x1 = XVertice(i, jVertice), y1 = YVertice(i, jVertice);
      picDibujo->setDrawWidth(w);
      picDibujo->line(x0, y0, x1, y1, kCeleste);
      picDibujo->setDrawWidth(static_cast<int>(Int(w - w / 2.0)));
      picDibujo->line(x0, y0, x1, y1, kAzul);
      picDibujo->setDrawWidth(w);
      if (jVertice == 2 && nCauces <= static_cast<int>(colCauces.size()))
        picDibujo->print(RegistroN(vCauces, i).NombreCauce + QLatin1Char(' '));
    }
    picDibujo->box(XVertice(i, 1) - t / 12, YVertice(i, 1) - t / 12, XVertice(i, 1) - t / 12 + t / 6,
                   YVertice(i, 1) - t / 12 + t / 6, kAzul);
    picDibujo->box(XVertice(i, n) - t / 6, YVertice(i, n) - t / 6, XVertice(i, n) - t / 6 + t / 3,
                   YVertice(i, n) - t / 6 + t / 3, kAzul);
  }
  EspesorLinea = EspesorBase;
}

void frmUEHs::DibujaSimbolos() {
  auto nombre = [this](const QString& texto, Single dy) {
    picDibujo->setCurrent(XIcono + 0.5 * TamIcono, YIcono + dy * TamIcono);
    picDibujo->print(texto);
  };
  if (nUEHs != 0) {
    for (const auto& u : colUEHs) {
      ElementoActual = u;
      XIcono = u->IconoUEHx;
      YIcono = u->IconoUEHy;
      nombre(u->NombreUEH, 2);
      iUEH = u->numUEH;
      XAcople = u->XCauce;
      YAcople = u->YCauce;
      // A unit that drains into a dam or a lake links to its symbol; a lake wins over a dam.
      for (const auto& r : colRepresas) {
        if (r->NombreRepresa == u->Cauce_aa) XAcople = r->IconoRepresaX, YAcople = r->IconoRepresaY;
      }
      for (const auto& l : colLagos) {
        if (l->NombreLAGO == u->Cauce_aa) XAcople = l->IconoLAGOx, YAcople = l->IconoLAGOy;
      }
      DibujaIconoUEH();
    }
  }
  if (nRepresas != 0) {
    for (const auto& r : colRepresas) {
      ElementoActual = r;
      XIcono = r->IconoRepresaX;
      YIcono = r->IconoRepresaY;
      nombre(r->NombreRepresa, 2.05f);
      iRepresa = r->numRepresa;
      XAcople = r->XCauce;
      YAcople = r->YCauce;
      DibujaIconoRepresa();
    }
  }
  if (nLagos != 0) {
    for (const auto& l : colLagos) {
      ElementoActual = l;
      XIcono = l->IconoLAGOx;
      YIcono = l->IconoLAGOy;
      nombre(l->NombreLAGO, 2);
      iLago = l->numLAGO;
      XAcople = l->XCauce;
      YAcople = l->YCauce.toSingle();
      DibujaIconoLago();
    }
  }
}

void frmUEHs::DibujaMedida() {
  XMedida.redimPreserve(nPuntosMedida + 1);
  YMedida.redimPreserve(nPuntosMedida + 1);
  picDibujo->setDrawWidth(static_cast<int>(Int(EspesorLinea - EspesorLinea / 2.0)));
  if (nPuntosMedida < 1) return;
  picDibujo->line(XMedida(1), YMedida(1), XMedida(1), YMedida(1), kMagenta);
  for (iPunto = 1; iPunto <= nPuntosMedida; ++iPunto)
    picDibujo->lineTo(XMedida(iPunto), YMedida(iPunto), kMagenta);
}

void frmUEHs::DibujaTrazado() {
  if (nVerticesTrazado < 1) return;
  picDibujo->point(XTrazado(1), YTrazado(1), kAzul);
  for (int k = 2; k <= nVerticesTrazado; ++k) picDibujo->lineTo(XTrazado(k), YTrazado(k), kAzul);
}

// ---- symbols ----

void frmUEHs::DibujaEnlace(const Enlace& e, bool seleccionado) {
  const Single s = TamIcono;
  const int w = EspesorLinea;
  const Single ox = XIcono;
  const Single oy = YIcono + e.origenY * s;
  const bool enlazado = XAcople != 0 || YAcople != 0;
  const Single fx = enlazado ? XAcople : ox;
  const Single fy = enlazado ? YAcople : static_cast<Single>(oy + 2 * s);
  if (!seleccionado) {
    picDibujo->setDrawWidth(w / 6 + 1);
    if (enlazado) {
      picDibujo->line(ox, oy, fx, fy, e.colorLinea);
      picDibujo->circle(fx, fy, s / 4, e.colorAnillo);
      if (TieneReceptor(e.receptor())) {
        picDibujo->setFillStyle(FillStyle::Solid);
        picDibujo->setFillColor(kRojo);
        picDibujo->circle(fx, fy, e.radioPunto * s, kRojo);
        picDibujo->setFillStyle(FillStyle::Transparent);
        picDibujo->setFillColor(kNegro);
      }
    } else {
      picDibujo->line(ox, oy, fx, fy, e.colorLinea);
      picDibujo->circle(fx, fy, s / 4, e.colorLinea);
    }
    return;
  }
  picDibujo->setDrawWidth(w / 6 + e.extraSeleccion);
  e.marca();
  picDibujo->line(ox, oy, fx, fy, kRojo);
  picDibujo->circle(fx, fy, s / 4, kRojo);
}

void frmUEHs::DibujaIconoUEH() {
  const Single s = TamIcono, x = XIcono, y = YIcono;
  const int w = EspesorLinea;
  picDibujo->setDrawWidth(1);
  picDibujo->setDrawStyle(PenStyle::Solid);
  picDibujo->filledBox(x, y, x + 1.5 * s, y + 1.5 * s, kFondoSimbolo);
  picDibujo->setDrawWidth(1);
  // The slope: a brown triangle widening by one unit per unit downwards.
  int i = 0;
  const Single derecha = static_cast<Single>(x + 1.5 * s);
  RecorreFilas(y, static_cast<Single>(y + 1.5 * s + 1), [&](Single fila) {
    picDibujo->line(derecha, fila, derecha - i, fila, kTierra);
    ++i;
  });
  picDibujo->setDrawWidth(w / 4 + 2);
  picDibujo->line(x + 1.4 * s, y + 0.1 * s, x + 0.1 * s, y + 1.4 * s, kVerde);

  Enlace enlace{1.5f,
                kVerde,
                kAzul,
                1.0f / 3,
                2,
                [] { return RegistroN(vUEHs, iUEH).Cauce_aa; },
                [&] { picDibujo->box(x, y, x + 1.5 * s, y + 1.5 * s, kRojo); }};
  DibujaEnlace(enlace, selUEH == iUEH);
  picDibujo->setDrawStyle(PenStyle::Solid);
  picDibujo->setDrawWidth(w);
}

void frmUEHs::DibujaIconoRepresa() {
  const Single s = TamIcono, x = XIcono, y = YIcono;
  const int w = EspesorLinea;
  picDibujo->setDrawWidth(1);
  picDibujo->setDrawStyle(PenStyle::Solid);
  picDibujo->filledBox(x, y, x + 2.2 * s, y + 2.2 * s, kFondoSimbolo);
  picDibujo->setDrawWidth(1);
  // The embankment, widening by two units a row up to the symbol's width.
  Single largo = 0;
  const Single anchoSimbolo = static_cast<Single>(2.2 * s);
  RecorreFilas(static_cast<Single>(y + 0.6 * s), static_cast<Single>(y + 1.9 * s + 1), [&](Single fila) {
    picDibujo->line(x, fila, x + largo, fila, kTierra);
    largo += 2;
    if (anchoSimbolo < largo) largo = anchoSimbolo;
  });
  picDibujo->filledBox(x, y + 1.9 * s, x + 2.2 * s, y + 1.9 * s + 0.3 * s, kTierra);
  // The water against the wall, widest at the top.
  largo = static_cast<Single>(1.5 * s);
  const Single muro = static_cast<Single>(x + 1.5 * s);
  RecorreFilas(static_cast<Single>(y + 0.6 * s), static_cast<Single>(y + 1.8 * s + 1), [&](Single fila) {
    picDibujo->line(muro, fila, muro - largo, fila, kAzul);
    largo = static_cast<Single>(largo - 1.5);
    if (largo < 0) largo = 0;
  });
  picDibujo->setDrawWidth(w / 4 + 2);
  picDibujo->filledBox(x + 1.5 * s, y + 0.3 * s, x + 1.7 * s, y + 1.8 * s, kNegro);
  picDibujo->filledBox(x + 1.7 * s, y + s, x + 1.8 * s, y + 1.8 * s, kNegro);
  picDibujo->filledBox(x + 1.8 * s, y + 1.5 * s, x + 1.95 * s, y + 1.8 * s, kNegro);

  if (selRepresa == iRepresa) {
    if (selRepresa != 0) {
      Enlace enlace{2,
                    kNegro,
                    kNegro,
                    0.25f,
                    3,
                    [] { return RegistroN(vRepresas, iRepresa).Cauce_aa; },
                    [&] { picDibujo->box(x, y, x + 2 * s, y + 2 * s, kRojo); }};
      DibujaEnlace(enlace, true);
    }
  } else {
    Enlace enlace{2, kNegro, kNegro, 0.25f, 3, [] { return RegistroN(vRepresas, iRepresa).Cauce_aa; }, [] {}};
    DibujaEnlace(enlace, false);
  }
  picDibujo->setDrawStyle(PenStyle::Solid);
  picDibujo->setDrawWidth(w);
}

void frmUEHs::DibujaIconoLago() {
  if (iLago == 0) return;
  const Single s = TamIcono, x = XIcono, y = YIcono;
  const int w = EspesorLinea;
  picDibujo->setDrawWidth(1);
  picDibujo->setDrawStyle(PenStyle::Dash);
  picDibujo->setFillColor(kAzul);
  picDibujo->setFillStyle(FillStyle::UpwardDiagonal);
  // Each circle outlined in the fore colour and then in white, so that only the blue hatch remains.
  const struct { double cx, cy, r; } circulos[] = {{x - s, y, s}, {x + s, y, s}, {x, y - 1.5 * s, 1.3 * s}};
  for (const auto& c : circulos) {
    picDibujo->circle(c.cx, c.cy, c.r, picDibujo->foreColor());
    picDibujo->circle(c.cx, c.cy, c.r, kBlanco);
  }
  picDibujo->setFillColor(kNegro);
  picDibujo->setFillStyle(FillStyle::Transparent);
  picDibujo->setDrawStyle(PenStyle::Solid);
  picDibujo->arc(x, y, 2 * s, kAzul, 3, 6, 0.6);

  Enlace enlace{1.5f,
                kAzul,
                kAzul,
                0.25f,
                2,
                [] { return RegistroN(vLagos, iLago).Cauce_aa; },
                [&] { picDibujo->arc(x, y, 2 * s, kRojo, 3, 6, 0.6); }};
  DibujaEnlace(enlace, selLago == iLago);
  picDibujo->setDrawStyle(PenStyle::Solid);
  picDibujo->setDrawWidth(w);
}

void frmUEHs::ResaltaCauceSeleccionado() {
  if (selCauce == 0) selCauce2 = 0;
  const int w = EspesorLinea;
  const double t = TolSeleccion;
  auto marca = [&](int i) {
    const int n = numVerticesCauce(i);
    picDibujo->box(XVertice(i, 1) - t / 4, YVertice(i, 1) - t / 4, XVertice(i, 1) - t / 4 + t / 2,
                   YVertice(i, 1) - t / 4 + t / 2, kGris);
    for (jVertice = 2; jVertice <= n; ++jVertice) {
      picDibujo->line(XVertice(i, jVertice - 1), YVertice(i, jVertice - 1), XVertice(i, jVertice),
                      YVertice(i, jVertice), kGris);
    }
    picDibujo->box(XVertice(i, n) - t / 2, YVertice(i, n) - t / 2, XVertice(i, n) + t / 2,
                   YVertice(i, n) + t / 2, kGris);
  };
  picDibujo->setDrawWidth(w);
  picDibujo->setDrawStyle(PenStyle::Solid);
  if (selCauce > 0) {
    marca(selCauce);
    if (selVertice >= 1) {
      const Single vx = XVertice(selCauce, selVertice), vy = YVertice(selCauce, selVertice);
      picDibujo->box(vx - t / 2, vy - t / 2, vx + t / 2, vy + t / 2, kRojo);
    }
  }
  if (selCauce2 >= 1) {
    picDibujo->setDrawWidth(w);
    picDibujo->setDrawStyle(PenStyle::Solid);
    marca(selCauce2);
  }
}

void ResetEstadoEditor() {
  XIcono = YIcono = XAcople = YAcople = 0;
  nVerticesTrazado = 0;
  XTrazado.redim(0, kMaxVerticesTrazado);
  YTrazado.redim(0, kMaxVerticesTrazado);
  IndiceInicialCauce.redim(0, 100);
  NombreNuevo.clear();
  RepiteNombre = false;
  XMaxDibujo = XMinDibujo = YMaxDibujo = YMinDibujo = 0;
  CentrarVista = ZoomTotal = ViewHeld = false;
  ExtensionDibujoNum = 0;
  ImagenVisible = false;
  AnchoImagen = AltoImagen = 0;
  EspesorLinea = EspesorBase = 0;
  CauceYaSeleccionado = ArrastraAcopleUEH = ArrastraUEH = ArrastraAcopleLago = ArrastraAcopleRepresa = false;
  selVertice = 0;
  XVerticeNuevo = YVerticeNuevo = 0;
  NewVertexHeld = false;
  DivisionEnCurso = BotonAbajo = MuestraOrden = false;
  TamIcono = 0;
  nPuntosMedida = 0;
  XMedida = Array1<Single>();
  YMedida = Array1<Single>();
  LongitudMedida = AreaMedida = 0;
  iPunto = 0;
  ContinuarConErrores = RedCorrecta = false;
  CompoDibujo.reset();
  MaxVertices = 0;
  ScrollMovido = false;
  ScrHorAnterior = ScrVerAnterior = 0;
  TolSeleccion = 0;
}

}  // namespace tavo
