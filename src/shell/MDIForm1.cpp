#include "shell/MDIForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QVBoxLayout>

#include "components/dlgUEHsEditTabla.h"
#include "components/dlgUEHsTabla.h"
#include "editor/frmUEHs.h"
#include "engine/frmPp.h"
#include "engine/frmPp2.h"
#include "engine/hietograma.h"
#include "engine/proceso.h"
#include "engine/resultados.h"
#include "formulas/dlgEmpiricas.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/iconos.h"
#include "platform/seqfile.h"
#include "project/comandos.h"
#include "project/dlgEliminarProyecto.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "project/listacomponentes.h"
#include "rainfall/dlgPp.h"
#include "rainfall/tormenta.h"
#include "results/dlgChart1.h"
#include "results/dlgChart2.h"
#include "results/dlgChart3.h"
#include "results/dlgTablaSalePDR.h"
#include "results/dlgTablaSalePDR2.h"
#include "results/pruebasrepresas.h"
#include "shell/frmAbout.h"
#include "shell/frmAyuda.h"
#include "shell/inicio.h"

namespace tavo {

namespace {

QAction* Item(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::ApplicationShortcut);
  return action;
}

QMenu* Menu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

// A menu item that is never shown and does nothing, its shortcut included.
void Oculto(QAction* action) {
  action->setVisible(false);
  action->setEnabled(false);
}

QKeySequence Ctrl(Qt::Key key) {
  return QKeySequence(Qt::CTRL | key);
}

// The toolbar in button order: key, tooltip, description; an empty key is a gap.
struct BotonBarraDef {
  const char* key;
  const char* tooltip;
  const char* description;
};
constexpr BotonBarraDef kBotones[] = {
    {"Nuevo", "Crea un nuevo proyecto", "Crea nuevo Proyecto"},
    {"Abrir", "Abrir Archivo", ""},
    {"Guardar", "Guardar Archivos", ""},
    {"Imprimir", "Imprimir ", ""},
    {"Configurar", "Opciónes de Configuración", ""},
    {"", "", ""},
    {"Ayuda", "Ayuda", ""},
    {"", "", ""},
    {"EditorGrUEHs", "Editor gráfico de UEHs", "Abrir Editor Gráfico UEHs"},
    {"EditorTbUEHs", "Tabla de Edición de UEHs y Cauces", ""},
    {"VerParamUEHs", "Ver Parámetros de entradas de todos los Componentes", ""},
    {"EntraPp", "Entrada de Precipitaciones", ""},
    {"", "", ""},
    {"Corre1", "Correr el modelo para una Tormenta", ""},
    {"Corre2", "Correr el modelo para una serie de tormentas P-D-R", ""},
    {"VerPizarra", "Ver Pizarra de salidas parciales", ""},
    {"", "", ""},
    {"VerHieto", "Ver Hietograma", ""},
    {"VerHidro", "Ver Hidrogama de salida", ""},
    {"VerAbacoQDR", "Ver Abaco QDR, EDR y CDR", "Ver Abaco Salidas QDR, EDR y CDR"},
    {"VerTablaQDR1", "Ver Tabla1 de Salidas QDR, EDR, CDR", ""},
    {"VerTablaQDR2", "Ver Tabla2 de Salidas QDR, EDR, CDR", ""},
};

// A label of the project panel. Its text is shown as it is, never as markup. Unfolded (word wrap on)
// it breaks its text at blanks, or anywhere in a word longer than a line (a folder's path), so that
// the whole text shows. `Base` is QLabel, or ElidedLabel for a value that folds to one line.
template <class Base>
class PanelText : public Base {
 public:
  explicit PanelText(QWidget* parent) : Base(parent) { this->setTextFormat(Qt::PlainText); }

  int heightForWidth(int width) const override {
    if (!this->wordWrap()) return Base::heightForWidth(width);
    QTextLayout layout;
    const QMargins margins = this->contentsMargins();
    return static_cast<int>(std::ceil(Wrap(layout, width - margins.left() - margins.right()))) +
           margins.top() + margins.bottom();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (!this->wordWrap()) {
      Base::paintEvent(event);
      return;
    }
    QPainter painter(this);
    painter.setPen(this->palette().color(this->foregroundRole()));
    QTextLayout layout;
    Wrap(layout, this->contentsRect().width());
    layout.draw(&painter, this->contentsRect().topLeft());
  }

 private:
  // Lays the text out in lines of `width` pixels; returns the height of the lines.
  qreal Wrap(QTextLayout& layout, int width) const {
    layout.setText(QString(this->text()).replace(QLatin1Char('\n'), QChar::LineSeparator));
    layout.setFont(this->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      line.setPosition(QPointF(0, height));
      height += line.height();
    }
    layout.endLayout();
    return height;
  }
};

template <class Label = QLabel>
Label* PanelLabel(QWidget* panel, const char* name, const QString& text, int left, int top, int width,
                  int height) {
  auto* label = new PanelText<Label>(panel);
  label->setText(text);
  if (name) label->setObjectName(QString::fromLatin1(name));
  PlaceTwips(label, left, top, width, height);
  return label;
}

// The main window's menu shortcuts come before the keys of the windows inside it: in the report
// window Ctrl+A opens a project, it does not select the report's text.
class MenuShortcutsFirst : public QObject {
 public:
  explicit MenuShortcutsFirst(MDIForm1* main) : QObject(main), main_(main) { qApp->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
    if (static_cast<QWidget*>(watched)->window() != main_) return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* action : main_->menuBar()->findChildren<QAction*>()) {
      // Left unclaimed, the key goes to the menu's shortcut instead of the focused control.
      if (action->isEnabled() && action->shortcut() == pressed) return true;
    }
    return false;
  }

 private:
  MDIForm1* main_;
};

}  // namespace

MDIForm1::MDIForm1() {
  setObjectName(QStringLiteral("MDIForm1"));
  auto* client = new QWidget(this);
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  setCentralWidget(client);
  CreaPanel(client);
  column->addWidget(Picture1);
  mdiArea = new QMdiArea(client);
  mdiArea->setObjectName(QStringLiteral("mdiArea"));
  mdiArea->setBackground(QColor(128, 128, 128));
  column->addWidget(mdiArea);
  SetMdiHost(mdiArea);
  // The designed size, or most of a larger screen.
  QSize size(Px(14400), Px(9600));
  const QSize free = ScreenArea().size();
  size = size.expandedTo(free * 0.85).boundedTo(free * 0.95);
  resize(size);
  CreaMenus();
  CreaBarra();
  new MenuShortcutsFirst(this);
  InstalaTeclaAyuda(this);
  SetAfterHandler([this] { PanelSigueProyecto(); });
}

MDIForm1::~MDIForm1() {
  if (MdiHost() == mdiArea) SetMdiHost(nullptr);
  SetAfterHandler(nullptr);
}

void MDIForm1::CreaMenus() {
  QMenuBar* bar = menuBar();
  mnuFile = Menu(bar, "mnuFile", "&Archivo");
  mnuNuevoProyecto = Item(mnuFile, "mnuNuevoProyecto", "&Nuevo Proyecto", Ctrl(Qt::Key_N));
  mnuAbrirProyecto = Item(mnuFile, "mnuAbrirProyecto", "&Abrir un Proyecto existente", Ctrl(Qt::Key_A));
  mnuGuardarProyectoComo =
      Item(mnuFile, "mnuGuardarProyectoComo", "&Guardar proyecto con otro nombre...", Ctrl(Qt::Key_G));
  mnuFile->addSeparator();
  mnuDirCrea = Item(mnuFile, "mnuDirCrea", "Editar &Directorios y Archivos", Ctrl(Qt::Key_D));
  Oculto(mnuDirCrea);
  mnuEliminarProyecto =
      Item(mnuFile, "mnuEliminarProyecto", "&Eliminar un Proyecto existente", Ctrl(Qt::Key_E));
  mnuFile->addSeparator();
  mnuFilePageSetup = Item(mnuFile, "mnuFilePageSetup", "&Preparar Página");
  Oculto(mnuFilePageSetup);
  mnuVistaPreliminar = Item(mnuFile, "mnuVistaPreliminar", "&Vista Preliminar");
  Oculto(mnuVistaPreliminar);
  mnuImprimir = Item(mnuFile, "mnuImprimir", "Im&primir", Ctrl(Qt::Key_P));
  Oculto(mnuImprimir);
  mnuSalir = Item(mnuFile, "mnuSalir", "Sa&lir", Ctrl(Qt::Key_L));
  mnuFile->addSeparator();
  mnu_ultimoarchivo1 = Item(mnuFile, "mnu_ultimoarchivo1", "------------", Ctrl(Qt::Key_U));

  mnuOpciones = Menu(bar, "mnuOpciones", "&Opciones");
  mnuOpcionesBarra = Item(mnuOpciones, "mnuOpcionesBarra", "&Barra de Herramientas");
  Oculto(mnuOpcionesBarra);
  mnuOpcionesConfigurar =
      Item(mnuOpciones, "mnuOpcionesConfigurar", "&Opciones de Configuración", Ctrl(Qt::Key_O));
  mnu_prueba_funcionesSHVrepresas = Item(mnuOpciones, "mnu_prueba_funcionesSHVrepresas",
                                         "Verificar Funciones HA&S en Represas", Ctrl(Qt::Key_S));
  mnu_prueba_funcionesHQrepresas = Item(mnuOpciones, "mnu_prueba_funcionesHQrepresas",
                                        "Verificar Funciones h-&Q de Represas", Ctrl(Qt::Key_Q));

  mnuEntradas = Menu(bar, "mnuEntradas", "&Entradas");
  mnufrmUEHs = Item(mnuEntradas, "mnufrmUEHs", "Editor de &UEHs (Gráfico)", QKeySequence(Qt::Key_F2));
  mnuEditfrmUEHsTabla =
      Item(mnuEntradas, "mnuEditfrmUEHsTabla", "Editor &Tabla de UEHs y Cauces", QKeySequence(Qt::Key_F3));
  mnufrmUEHsTabla =
      Item(mnuEntradas, "mnufrmUEHsTabla", "Ver Tabla de Parámetros &Físicos UEHs", QKeySequence(Qt::Key_F4));
  mnuEntradas->addSeparator();
  mnufrmPp = Item(mnuEntradas, "mnufrmPp", "&Precipitaciones", QKeySequence(Qt::Key_F5));

  mnuProceso = Menu(bar, "mnuProceso", "&Proceso");
  mnuCorre1 =
      Item(mnuProceso, "mnuCorre1", "Corre Proceso de Cálculo p/ 1 tormenta - ", QKeySequence(Qt::Key_F11));
  mnuCorre2 = Item(mnuProceso, "mnuCorre2", "Corre Proceso de Cálculo p/ varias tormentas - ",
                   QKeySequence(Qt::Key_F12));
  mnuPizarra1 =
      Item(mnuProceso, "mnuPizarra1", "Ver Pizarra (p/variables y salidas parciales) -", Ctrl(Qt::Key_F11));
  mnuPizarra1->setCheckable(true);
  // The item's mark is the user's report setting, which the runs read.
  connect(mnuPizarra1, &QAction::toggled, this, [](bool checked) { PizarraMarcada = checked; });
  mnuPizarra1->setChecked(PizarraMarcada);

  mnuSalidas = Menu(bar, "mnuSalidas", "&Salidas");
  mnuGraficoPp = Item(mnuSalidas, "mnuGraficoPp", "Hietogramas (Pp-t)");
  mnuHidrogramas = Item(mnuSalidas, "mnuHidrogramas", "&Hidrogramas", Ctrl(Qt::Key_H));
  mnuGraficoPDRComponente = Item(mnuSalidas, "mnuGraficoPDRComponente", "Gráfico Qp-D-R p/Componente");
  mnuPlanillaPDRCompleta = Item(mnuSalidas, "mnuPlanillaPDRCompleta", "Planilla Qp-D-R Completa");
  mnuPlanillaPDRComponente = Item(mnuSalidas, "mnuPlanillaPDRComponente", "Planilla Qp-D-R p/Componente");

  mnuEmpiricos = bar->addAction(QStringLiteral("&Métodos Empíricos"));
  mnuEmpiricos->setObjectName(QStringLiteral("mnuEmpiricos"));

  mnuVentana = Menu(bar, "mnuVentana", "&Ventana");
  mnuVentana->menuAction()->setVisible(false);

  mnuAyuda = Menu(bar, "mnuAyuda", "A&yuda");
  mnuHelpContents = Item(mnuAyuda, "mnuHelpContents", "Con&tenido");
  mnuAyuda->addSeparator();
  mnuAyudaAcerca = Item(mnuAyuda, "mnuAyudaAcerca", "A&cerca de TAVO");

  ConnectGuarded(mnuNuevoProyecto, &QAction::triggered, this, &MDIForm1::mnuNuevoProyecto_Click);
  ConnectGuarded(mnuAbrirProyecto, &QAction::triggered, this, &MDIForm1::mnuAbrirProyecto_Click);
  ConnectGuarded(mnuGuardarProyectoComo, &QAction::triggered, this, &MDIForm1::mnuGuardarProyectoComo_Click);
  ConnectGuarded(mnuEliminarProyecto, &QAction::triggered, this, &MDIForm1::mnuEliminarProyecto_Click);
  ConnectGuarded(mnu_ultimoarchivo1, &QAction::triggered, this, &MDIForm1::mnu_ultimoarchivo1_Click);
  ConnectGuarded(mnuSalir, &QAction::triggered, this, &MDIForm1::mnuSalir_Click);
  ConnectGuarded(mnuOpcionesConfigurar, &QAction::triggered, this, &MDIForm1::mnuOpcionesConfigurar_Click);
  ConnectGuarded(mnufrmUEHs, &QAction::triggered, this, &MDIForm1::mnufrmUEHs_Click);
  ConnectGuarded(mnuEditfrmUEHsTabla, &QAction::triggered, this, &MDIForm1::mnuEditfrmUEHsTabla_Click);
  ConnectGuarded(mnufrmUEHsTabla, &QAction::triggered, this, &MDIForm1::mnufrmUEHsTabla_Click);
  ConnectGuarded(mnufrmPp, &QAction::triggered, this, &MDIForm1::mnufrmPp_Click);
  ConnectGuarded(mnuCorre1, &QAction::triggered, this, &MDIForm1::mnuCorre1_Click);
  ConnectGuarded(mnuCorre2, &QAction::triggered, this, &MDIForm1::mnuCorre2_Click);
  // The mark of the report item is the program's to set: the click itself leaves it as it was.
  connect(mnuPizarra1, &QAction::triggered, this, [this](bool checked) {
    mnuPizarra1->setChecked(!checked);
    RunGuarded([this] { mnuPizarra1_Click(); });
  });
  ConnectGuarded(mnuGraficoPp, &QAction::triggered, this, &MDIForm1::mnuGraficoPp_Click);
  ConnectGuarded(mnuHidrogramas, &QAction::triggered, this, &MDIForm1::mnuHidrogramas_Click);
  ConnectGuarded(mnuGraficoPDRComponente, &QAction::triggered, this,
                 &MDIForm1::mnuGraficoPDRComponente_Click);
  ConnectGuarded(mnuPlanillaPDRCompleta, &QAction::triggered, this, &MDIForm1::mnuPlanillaPDRCompleta_Click);
  ConnectGuarded(mnuPlanillaPDRComponente, &QAction::triggered, this,
                 &MDIForm1::mnuPlanillaPDRComponente_Click);
  ConnectGuarded(mnu_prueba_funcionesSHVrepresas, &QAction::triggered, this,
                 &MDIForm1::mnu_prueba_funcionesSHVrepresas_Click);
  ConnectGuarded(mnu_prueba_funcionesHQrepresas, &QAction::triggered, this,
                 &MDIForm1::mnu_prueba_funcionesHQrepresas_Click);
  ConnectGuarded(mnuEmpiricos, &QAction::triggered, this, &MDIForm1::mnuEmpiricos_Click);
  ConnectGuarded(mnuHelpContents, &QAction::triggered, this, &MDIForm1::mnuHelpContents_Click);
  ConnectGuarded(mnuAyudaAcerca, &QAction::triggered, this, &MDIForm1::mnuAyudaAcerca_Click);
}

void MDIForm1::CreaBarra() {
  tbToolBar = addToolBar(QStringLiteral("tbToolBar"));
  tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
  tbToolBar->setMovable(false);
  tbToolBar->setIconSize(QSize(24, 24));
  for (const BotonBarraDef& b : kBotones) {
    const QString key = QString::fromLatin1(b.key);
    if (key.isEmpty()) {
      tbToolBar->addSeparator();
      continue;
    }
    QAction* button = tbToolBar->addAction(IconoBoton(key), QString::fromUtf8(b.tooltip));
    button->setObjectName(QStringLiteral("tb") + key);
    button->setData(key);
    button->setToolTip(QString::fromUtf8(b.tooltip));
    button->setStatusTip(QString::fromUtf8(b.description));
    if (key == QLatin1String("VerPizarra")) button->setCheckable(true);
    connect(button, &QAction::triggered, this,
            [this, key] { RunGuarded([&] { tbToolBar_ButtonClick(key); }); });
  }
}

void MDIForm1::CreaPanel(QWidget* client) {
  Picture1 = new QWidget(client);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setFixedHeight(Px(3336));
  Picture1->setAutoFillBackground(true);
  QPalette panelColour = Picture1->palette();
  panelColour.setColor(QPalette::Window, QColor(172, 191, 183));
  Picture1->setPalette(panelColour);
  // Two columns of rows, a caption beside each value. The left column's values end where the right
  // column's captions begin, so an unfolded value never reaches into the other column; the columns
  // share the panel's width (AcomodaPanel).
  auto row = [this](int column, const char* caption, auto*& value, const char* name, int top, int height) {
    const int left = column == 0 ? 120 : 4140;
    QLabel* title =
        PanelLabel(Picture1, nullptr, QString::fromUtf8(caption), left, top, column == 0 ? 1560 : 1980, 240);
    if (column == 1) title->setAlignment(Qt::AlignRight);
    value = PanelLabel<std::remove_pointer_t<std::remove_reference_t<decltype(value)>>>(
        Picture1, name, QString(), column == 0 ? 1740 : 6240, top, 2400, height);
    columnas_[column].push_back({title, value, top, height});
  };
  row(0, "Proyecto:", lblProyecto, "lblProyecto", 120, 240);
  row(0, "Título:", lblTitulo, "lblTitulo", 360, 240);
  row(0, "Ubicación:", lblUbicacion, "lblUbicacion", 720, 240);
  row(0, "Cuenca/UEH:", lblCuenca, "lblCuenca", 960, 240);
  row(0, "SubCuenca/UEH:", lblSubCuenca, "lblSubCuenca", 1200, 240);
  row(1, "Archivo de Proyecto:", lblFileProyecto, "lblFileProyecto", 120, 240);
  row(1, "Directorio: ", lblMiDirTrabajo, "lblMiDirTrabajo", 360, 240);
  row(1, "Archivos de trabajo:", lblFilesTrabajo, "lblFilesTrabajo", 600, 480);
  QFont bold = lblProyecto->font();
  bold.setBold(true);
  lblProyecto->setFont(bold);
  for (ElidedLabel* label : {lblTitulo, lblUbicacion, lblCuenca, lblSubCuenca, lblMiDirTrabajo}) {
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMouseTracking(true);
    label->installEventFilter(this);
  }
  Picture1->installEventFilter(this);
  AcomodaPanel();
}

QAction* MDIForm1::BotonBarra(const QString& key) const {
  for (QAction* a : tbToolBar->actions()) {
    if (a->data().toString() == key) return a;
  }
  return nullptr;
}

void MDIForm1::Form_Load() {
  HabilitaPrincipal(true);
  mnu_prueba_funcionesSHVrepresas->setEnabled(false);
  mnu_prueba_funcionesHQrepresas->setEnabled(false);
  mnuGuardarProyectoComo->setEnabled(false);
  setWindowTitle(TituloPrograma + QStringLiteral(" - Modelo Hidrológico de  simulación de crecidas"));
  setWindowIcon(IconoPrograma());
}

void MDIForm1::HabilitaPrincipal(bool enabled) {
  menuBar()->setEnabled(enabled);
  tbToolBar->setEnabled(enabled);
  Picture1->setEnabled(enabled);
}

bool MDIForm1::PrincipalHabilitado() const {
  return menuBar()->isEnabled();
}

void MDIForm1::tbToolBar_ButtonClick(const QString& key) {
  // Keys compared exactly, in toolbar order; "Guardar", "Imprimir" and "Ayuda" do nothing.
  const std::pair<const char*, QAction*> comoMenu[] = {
      {"Nuevo", mnuNuevoProyecto},
      {"Abrir", mnuAbrirProyecto},
      {"EditorGrUEHs", mnufrmUEHs},
      {"EditorTbUEHs", mnuEditfrmUEHsTabla},
      {"VerParamUEHs", mnufrmUEHsTabla},
      {"EntraPp", mnufrmPp},
      {"Corre1", mnuCorre1},
      {"Corre2", mnuCorre2},
      {"VerHieto", mnuGraficoPp},
      {"VerHidro", mnuHidrogramas},
      {"VerAbacoQDR", mnuGraficoPDRComponente},
      {"VerTablaQDR1", mnuPlanillaPDRCompleta},
      {"VerTablaQDR2", mnuPlanillaPDRComponente},
  };
  for (const auto& [k, action] : comoMenu) {
    if (key == QLatin1String(k)) {
      action->trigger();
      return;
    }
  }
  if (key == QLatin1String("Configurar")) {
    tbConfigurar_Click();
  } else if (key == QLatin1String("VerPizarra")) {
    // The mark goes against the button's new state, then the report command toggles it: a click on
    // the button always ends with the report window shown.
    mnuPizarra1->setChecked(!BotonBarra(key)->isChecked());
    mnuPizarra1_Click();
  }
}

void MensajeSinProyecto() {
  MsgBox(QStringLiteral("No existe un Proyecto asociado. Debe cargar un Proyecto desde el Menu Opciones de "
                        "Configuración o bien crear un proyecto nuevo"),
         vbOKOnly | vbExclamation, QStringLiteral("Proyecto Inexistente..."));
}

void MDIForm1::mnufrmUEHs_Click() {
  // An editor already open comes to the front with its network in memory as it stands.
  if (frmUEHs::isLoaded()) {
    ShowModeless(&frmUEHs::object(), false);
    return;
  }
  colUEHs.clear();
  colCauces.clear();
  colRepresas.clear();
  colLagos.clear();
  frmUEHs& editor = frmUEHs::instance();
  if (!NombreProyecto.isEmpty()) {
    ShowModeless(&editor, false);
    return;
  }
  MensajeSinProyecto();
  frmUEHs::unload();
}

void MDIForm1::mnuPizarra1_Click() {
  QAction* boton = BotonBarra(QStringLiteral("VerPizarra"));
  if (NombreProyecto.isEmpty()) {
    MensajeSinProyecto();
    mnuPizarra1->setChecked(false);
    boton->setChecked(false);
    return;
  }
  if (mnuPizarra1->isChecked()) {
    mnuPizarra1->setChecked(false);
    PizarraActiva = false;
    frmPp::unload();
    return;
  }
  mnuPizarra1->setChecked(true);
  PizarraActiva = true;
  boton->setChecked(false);
  ShowReportWindow();
  MuestraPizarra();
}

void MDIForm1::mnufrmPp_Click() {
  if (NombreProyecto.isEmpty() && RutaArchivo.isEmpty()) return;
  ShowModeless(&dlgPp::instance(), false);
}

void MDIForm1::mnuCorre1_Click() {
  if (NombreProyecto.isEmpty() || DirActual.isEmpty() || FormaPp == 2) return;
  // A storm with depth and duration reads the network again from its files.
  if (PpTormenta != 0 && DurTormenta != 0 && !SaveEditsBeforeRun()) return;
  if (PasoQ > PasoPp) PasoQ = PasoPp;
  SetBusyPointer(true);
  const bool progreso = DurTormenta > 240 || nPasosSalida >= 201;
  if (progreso) {
    frmPp2& ventana = FormInstance<frmPp2>::instance();
    ventana.ProgressBar1->hide();
    ventana.cmdTrestante->show();
    ventana.cmdMiTime->show();
    ventana.cmdTrestante->setText(QString());
    ventana.cmdMiTime->setText(QStringLiteral("Un momento..."));
    ventana.Muestra(QStringLiteral("TAVO procesando..."));
  }
  // Whatever way the run ends, the progress window closes and the pointer comes back.
  struct Fin {
    bool progreso;
    ~Fin() {
      if (progreso && frmPp2::isLoaded()) frmPp2::instance().Termina();
      SetBusyPointer(false);
    }
  } fin{progreso};
  CorreUnaTormenta();
  HidrogramaTrasCorrida();
}

namespace {
// The length of the hyetograph's periods: D / NumPer to the nearest minute; 0 without periods.
Integer PasoHietograma() {
  if (NumPer == 0) return 0;
  return CInt(Div(DurTormenta, NumPer));
}
}  // namespace

void MDIForm1::mnuGraficoPp_Click() {
  if (PpTormenta == 0 || DurTormenta == 0) return;
  if (PizarraActiva) ShowReportWindow();
  DistribucionTemporalPp();
  const Integer q = PasoHietograma();
  if (q == 0) return;
  MuestraHietograma(NumPer, q, QString(), PpTormenta, DurTormenta);
}

void MDIForm1::mnuHidrogramas_Click() {
  if (PpTormenta == 0 || DurTormenta == 0) return;
  if (PizarraActiva) ShowReportWindow();
  if (PasoHietograma() == 0) return;
  if (CompoSel < 1 || CompoSel > nComponentes) CompoSel = 1;
  if (nPasosSalida > 0) MuestraHidrograma();
}

namespace {
// How a series that has started can be stopped: the program answers nothing until the series ends, so
// only ending its process from the desktop stops it.
QString SeriesStopText() {
  return QStringLiteral(
             "Una vez iniciado, el proceso de cálculo no puede detenerse desde el programa, que no responde "
             "hasta terminar la serie. Solo puede interrumpirse terminando el programa: finalice el proceso "
             "<") +
         QFileInfo(QCoreApplication::applicationFilePath()).fileName() +
         QStringLiteral("> desde el Monitor del sistema, o escriba <kill ") +
         QString::number(QCoreApplication::applicationPid()) +
         QStringLiteral(
             "> en una terminal. Se perderán los resultados de la serie y los cambios no guardados.");
}
}  // namespace

void MDIForm1::mnuCorre2_Click() {
  if (NombreProyecto.isEmpty() || DirActual.isEmpty() || FormaPp != 2) return;
  if (PasoQ > PasoPp) PasoQ = PasoPp;
  if (NroTormentasSerie < 1) {
    SetBusyPointer(false);
    return;
  }
  const int respuesta = MsgBox(
      QStringLiteral(
          "Este proceso puede demandar varios minutos, siendo mayor cuanto mayor sea el número y duración de "
          "tormentas y menor sea el paso del modelo. No podrá cancelarse una vez iniciado.") +
          QStringLiteral("\n\r") +
          QStringLiteral(
              "Se sugiere probar primero con unas pocas tormentas PDR de corta a mediana duración. Pruebe "
              "desactivar tormentas desde las fichas de <Recurrencias> y de <DuracionPp> del "
              "<Menú\\Opciones\\Opciones de Configuración>; luego de las pruebas, aumente la cantidad de "
              "tormentas a las necesidades de su proyecto") +
          QStringLiteral("\n\r\n\r") + SeriesStopText(),
      vbOKCancel | vbQuestion, QStringLiteral("Desea continuar ?"));
  if (respuesta != vbOK || !SaveEditsBeforeRun()) return;
  SetBusyPointer(true);
  // The series runs without the report; afterwards the report is on or off as the user had it.
  const bool pizarra = mnuPizarra1->isChecked();
  const Boolean activa = PizarraActiva;
  mnuPizarra1->setChecked(false);
  PizarraActiva = false;
  try {
    CorreSeriePDR();
    GraficoQDRTrasSerie();
  } catch (const VbError& e) {
    if (e.number != kErrFileNotFound && e.number >= 1) {
      MsgBox(ErrorNroText(e));
    }
  }
  mnuPizarra1->setChecked(pizarra);
  PizarraActiva = activa;
  SetBusyPointer(false);
}

void MDIForm1::mnuGraficoPDRComponente_Click() {
  MuestraGraficoQDR();
}

void MDIForm1::mnuPlanillaPDRCompleta_Click() {
  if (NroTormentasSerie > 1) MuestraTablaSalePDR();
}

void MDIForm1::mnuPlanillaPDRComponente_Click() {
  if (NroTormentasSerie > 1) MuestraTablaSalePDR2();
}

void MDIForm1::mnu_prueba_funcionesSHVrepresas_Click() {
  if (nRepresas > 0) PruebaFuncionesSHVRepresas();
}

void MDIForm1::mnu_prueba_funcionesHQrepresas_Click() {
  if (nRepresas > 0) PruebaFuncionesHQRepresas();
}

void MDIForm1::mnuOpcionesConfigurar_Click() {
  ShowModal(&FormInstance<frmConfigura>::instance());
  carga_lbl_proyecto();
}

void MDIForm1::tbConfigurar_Click() {
  ShowModeless(&FormInstance<frmConfigura>::instance(), false);
}

void MDIForm1::mnuEmpiricos_Click() {
  ShowModeless(&dlgEmpiricas::instance(), false);
}

void MDIForm1::mnuEditfrmUEHsTabla_Click() {
  if (NombreProyecto.isEmpty()) {
    MensajeSinProyecto();
    return;
  }
  dlgUEHsEditTabla::Muestra();
}

void MDIForm1::mnufrmUEHsTabla_Click() {
  if (NombreProyecto.isEmpty()) {
    MensajeSinProyecto();
    return;
  }
  dlgUEHsTabla::Muestra();
}

namespace {
// The hot corner of a long panel value, in twips from the label's top left corner.
bool EnEsquina(Single X, Single Y) {
  return X > 20 && X < 600 && Y > 40 && Y < 110;
}
}  // namespace

void MDIForm1::Plegado(ElidedLabel* label, bool unfold) {
  QPalette colour = label->palette();
  colour.setColor(QPalette::Window, QColor(172, 191, 183));
  label->setPalette(colour);
  label->setWrapped(unfold);
  AcomodaPanel();
}

void MDIForm1::AcomodaPanel() {
  // The right column starts at its designed place, or further right on a wider panel; each value
  // takes the room up to the next column or to the panel's edge.
  const int margen = Px(120);
  const int corte = std::max(Px(4140), Picture1->width() / 2);
  const int captions[2] = {Px(120), corte};
  const int values[2] = {Px(1740), corte + Px(2100)};
  const int ends[2] = {corte - margen, Picture1->width() - margen};
  for (int c = 0; c < 2; ++c) {
    const int width = std::max(Px(2400), ends[c] - values[c]);
    int bottom = 0;
    for (const FilaPanel& row : columnas_[c]) {
      const int top = std::max(Px(row.top), bottom);
      row.caption->move(captions[c], top);
      const int line = std::max(Px(row.height), row.value->fontMetrics().height());
      const int height = row.value->wordWrap() ? std::max(line, row.value->heightForWidth(width)) : line;
      row.value->setGeometry(values[c], top, width, height);
      bottom = top + std::max(row.caption->height(), row.value->height());
    }
  }
}

void MDIForm1::lblTitulo_MouseMove(int, int, Single X, Single Y) {
  Plegado(lblTitulo, EnEsquina(X, Y));
}
void MDIForm1::lblUbicacion_MouseMove(int, int, Single X, Single Y) {
  Plegado(lblUbicacion, EnEsquina(X, Y));
}
void MDIForm1::lblCuenca_MouseMove(int, int, Single X, Single Y) {
  Plegado(lblCuenca, EnEsquina(X, Y));
}
void MDIForm1::lblSubCuenca_MouseMove(int, int, Single X, Single Y) {
  Plegado(lblSubCuenca, EnEsquina(X, Y));
}
void MDIForm1::lblMiDirTrabajo_MouseMove(int, int, Single X, Single Y) {
  Plegado(lblMiDirTrabajo, EnEsquina(X, Y));
}

bool MDIForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    const auto* move = static_cast<QMouseEvent*>(event);
    const Single X = static_cast<Single>(Twips(1) * move->position().x());
    const Single Y = static_cast<Single>(Twips(1) * move->position().y());
    const int button = static_cast<int>(move->buttons());
    const int shift = static_cast<int>(move->modifiers() >> 25);
    using Handler = void (MDIForm1::*)(int, int, Single, Single);
    const std::pair<QLabel*, Handler> labels[] = {
        {lblTitulo, &MDIForm1::lblTitulo_MouseMove},
        {lblUbicacion, &MDIForm1::lblUbicacion_MouseMove},
        {lblCuenca, &MDIForm1::lblCuenca_MouseMove},
        {lblSubCuenca, &MDIForm1::lblSubCuenca_MouseMove},
        {lblMiDirTrabajo, &MDIForm1::lblMiDirTrabajo_MouseMove},
    };
    for (const auto& [label, handler] : labels) {
      if (watched == label) RunGuarded([&, h = handler] { (this->*h)(button, shift, X, Y); });
    }
  } else if (event->type() == QEvent::Leave && watched != Picture1) {
    // The pointer left an unfolded value: it folds back, and the rows below return to their places.
    auto* label = static_cast<ElidedLabel*>(watched);
    if (label->wordWrap()) RunGuarded([&] { Plegado(label, false); });
  } else if (event->type() == QEvent::Resize && watched == Picture1) {
    AcomodaPanel();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MDIForm1::mnuNuevoProyecto_Click() {
  if (NewProject()) ClearReport();
}
void MDIForm1::mnuAbrirProyecto_Click() {
  AbrirProyecto();
}
void MDIForm1::mnuGuardarProyectoComo_Click() {
  SaveProjectAs();
}
void MDIForm1::mnuEliminarProyecto_Click() {
  ShowDeleteProjectDialog();
}
void MDIForm1::mnu_ultimoarchivo1_Click() {
  ReopenLastProject();
}

void MDIForm1::mnuSalir_Click() {
  GuardaArchivoDirectorio();
  EndProgram();
}

void MDIForm1::mnuAyudaAcerca_Click() {
  ShowModeless(&FormInstance<frmAbout>::instance(), false);
}

void MDIForm1::mnuHelpContents_Click() {
  AbreAyuda(kPaginaPrincipal);
}

void MDIForm1::carga_lbl_proyecto() {
  FillProjectPanel();
  GuardaArchivoDirectorio();
}

void MDIForm1::FillProjectPanel() {
  if (!FormInstance<frmConfigura>::isLoaded() && !ProyectoNuevo) {
    // Without the settings form its titles are those last read, which the settings state holds.
    lblTitulo->setFullText(TextoProyecto);
    lblCuenca->setFullText(TextoCuenca);
    lblSubCuenca->setFullText(TextoSubCuenca);
    lblUbicacion->setFullText(TextoUbicacion);
    PanelIdentidad();
    return;
  }
  // Reading a title creates the settings form when it does not exist yet, which may write a new
  // project's settings file and move the working directory: the identity is shown after it.
  frmConfigura& settings = FormInstance<frmConfigura>::instance();
  lblTitulo->setFullText(settings.TextProyecto->text());
  lblCuenca->setFullText(settings.TextCuenca->text());
  lblSubCuenca->setFullText(settings.TextSbca->text());
  lblUbicacion->setFullText(settings.TextUbica->text());
  PanelIdentidad();
}

void MDIForm1::PanelIdentidad() {
  lblProyecto->setText(NombreProyecto);
  lblMiDirTrabajo->setFullText(DirActual);
  lblFileProyecto->setText(NombreProyecto + QStringLiteral("_Conf.pcn"));
  lblFilesTrabajo->setText(NombreProyecto + QStringLiteral("_UEHs.pcn\n") + NombreProyecto +
                           QStringLiteral("_VerCau.pcn"));
}

void MDIForm1::PanelSigueProyecto() {
  if (lblProyecto->text() == NombreProyecto) return;
  // The titles come from the settings form, which is not created for this.
  if (FormInstance<frmConfigura>::isLoaded()) {
    FillProjectPanel();
  } else {
    PanelIdentidad();
  }
}

void MDIForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (placed_) return;
  placed_ = true;
  FitOnScreen(this);
}

void MDIForm1::closeEvent(QCloseEvent* event) {
  // Closing the window is the same as "Salir"; the program ends with it.
  event->ignore();
  RunGuarded([this] { mnuSalir_Click(); });
}

}  // namespace tavo
