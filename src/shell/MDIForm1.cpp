#include "shell/MDIForm1.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QVBoxLayout>

#include "project/estado.h"
#include "project/frmConfigura.h"
#include "shell/inicio.h"

namespace tavo {

namespace {
QAction* MakeItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  return action;
}

QLabel* PanelLabel(QWidget* panel, const char* name, const QString& text, int left, int top, int width,
                   int height) {
  auto* label = new QLabel(text, panel);
  if (name) label->setObjectName(QString::fromLatin1(name));
  PlaceTwips(label, left, top, width, height);
  return label;
}
}  // namespace

MDIForm1::MDIForm1() {
  setObjectName(QStringLiteral("MDIForm1"));
  auto* client = new QWidget(this);
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  setCentralWidget(client);

  Picture1 = new QWidget(client);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setFixedHeight(Px(3336));
  Picture1->setAutoFillBackground(true);
  QPalette panelColour = Picture1->palette();
  panelColour.setColor(QPalette::Window, QColor(172, 191, 183));
  Picture1->setPalette(panelColour);
  PanelLabel(Picture1, nullptr, QStringLiteral("Proyecto:"), 120, 120, 1500, 240);
  PanelLabel(Picture1, nullptr, QStringLiteral("Título:"), 120, 360, 1500, 240);
  PanelLabel(Picture1, nullptr, QStringLiteral("Ubicación:"), 120, 720, 1500, 240);
  PanelLabel(Picture1, nullptr, QStringLiteral("Cuenca/UEH:"), 120, 960, 1500, 240);
  PanelLabel(Picture1, nullptr, QStringLiteral("SubCuenca/UEH:"), 120, 1200, 1500, 240);
  lblProyecto = PanelLabel(Picture1, "lblProyecto", QString(), 1680, 120, 2400, 240);
  QFont bold = lblProyecto->font();
  bold.setBold(true);
  lblProyecto->setFont(bold);
  lblTitulo = PanelLabel(Picture1, "lblTitulo", QString(), 1680, 360, 2400, 240);
  lblUbicacion = PanelLabel(Picture1, "lblUbicacion", QString(), 1680, 720, 2400, 240);
  lblCuenca = PanelLabel(Picture1, "lblCuenca", QString(), 1680, 960, 4092, 240);
  lblSubCuenca = PanelLabel(Picture1, "lblSubCuenca", QString(), 1680, 1200, 2400, 240);
  for (auto [caption, top] :
       {std::pair{"Archivo de Proyecto:", 120}, {"Directorio: ", 360}, {"Archivos de trabajo:", 600}})
    PanelLabel(Picture1, nullptr, QString::fromUtf8(caption), 4080, top, 2040, 240)
        ->setAlignment(Qt::AlignRight);
  lblFileProyecto = PanelLabel(Picture1, "lblFileProyecto", QString(), 6240, 120, 3600, 240);
  lblMiDirTrabajo = PanelLabel(Picture1, "lblMiDirTrabajo", QString(), 6240, 360, 2400, 240);
  lblFilesTrabajo = PanelLabel(Picture1, "lblFilesTrabajo", QString(), 6240, 600, 3600, 480);
  column->addWidget(Picture1);

  mdiArea = new QMdiArea(client);
  mdiArea->setObjectName(QStringLiteral("mdiArea"));
  column->addWidget(mdiArea);
  SetMdiHost(mdiArea);
  resize(Px(14400), Px(9600));

  mnuFile = menuBar()->addMenu(QStringLiteral("&Archivo"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  mnuSalir = MakeItem(mnuFile, "mnuSalir", QStringLiteral("Sa&lir"), QKeySequence(Qt::CTRL | Qt::Key_L));
  mnuFile->addSeparator();
  mnu_ultimoarchivo1 = MakeItem(mnuFile, "mnu_ultimoarchivo1", QStringLiteral("------------"),
                                QKeySequence(Qt::CTRL | Qt::Key_U));
  ConnectGuarded(mnuSalir, &QAction::triggered, this, &MDIForm1::mnuSalir_Click);
}

MDIForm1::~MDIForm1() {
  if (MdiHost() == mdiArea) SetMdiHost(nullptr);
}

void MDIForm1::Form_Load() {
  setEnabled(true);
  setWindowTitle(TituloPrograma + QStringLiteral(" - Modelo Hidrológico de  simulación de crecidas"));
}

void MDIForm1::mnuSalir_Click() {
  GuardaArchivoDirectorio();
  EndProgram();
}

void MDIForm1::carga_lbl_proyecto() {
  FillProjectPanel();
  GuardaArchivoDirectorio();
}

void MDIForm1::FillProjectPanel() {
  lblProyecto->setText(NombreProyecto);
  frmConfigura& settings = FormInstance<frmConfigura>::instance();
  lblTitulo->setText(settings.TextProyecto->text());
  lblMiDirTrabajo->setText(DirActual);
  lblFileProyecto->setText(NombreProyecto + QStringLiteral("_Conf.pcn"));
  lblCuenca->setText(settings.TextCuenca->text());
  lblSubCuenca->setText(settings.TextSbca->text());
  lblFilesTrabajo->setText(NombreProyecto + QStringLiteral("_UEHs.pcn\n") + NombreProyecto +
                           QStringLiteral("_VerCau.pcn"));
  lblUbicacion->setText(settings.TextUbica->text());
}

void MDIForm1::closeEvent(QCloseEvent* event) {
  // Closing the window is the same as "Salir"; the program ends with it.
  event->ignore();
  RunGuarded([this] { mnuSalir_Click(); });
}

}  // namespace tavo
