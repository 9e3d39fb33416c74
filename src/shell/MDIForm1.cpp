#include "shell/MDIForm1.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "project/estado.h"
#include "shell/inicio.h"

namespace tavo {

namespace {
QAction* MakeItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  return action;
}
}  // namespace

MDIForm1::MDIForm1() {
  setObjectName(QStringLiteral("MDIForm1"));
  mdiArea = new QMdiArea(this);
  mdiArea->setObjectName(QStringLiteral("mdiArea"));
  setCentralWidget(mdiArea);
  SetMdiHost(mdiArea);
  resize(Px(14400), Px(9600));

  mnuFile = menuBar()->addMenu(QStringLiteral("&Archivo"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  mnuSalir = MakeItem(mnuFile, "mnuSalir", QStringLiteral("Sa&lir"), QKeySequence(Qt::CTRL | Qt::Key_L));
  mnuFile->addSeparator();
  mnu_ultimoarchivo1 = MakeItem(mnuFile, "mnu_ultimoarchivo1", QStringLiteral("------------"), QKeySequence(Qt::CTRL | Qt::Key_U));
  mnuOpciones = menuBar()->addMenu(QStringLiteral("&Opciones"));
  mnuOpciones->setObjectName(QStringLiteral("mnuOpciones"));
  mnu_prueba_funcionesSHVrepresas = MakeItem(mnuOpciones, "mnu_prueba_funcionesSHVrepresas",
                                             QStringLiteral("Verificar Funciones HA&S en Represas"),
                                             QKeySequence(Qt::CTRL | Qt::Key_S));
  mnu_prueba_funcionesHQrepresas = MakeItem(mnuOpciones, "mnu_prueba_funcionesHQrepresas",
                                            QStringLiteral("Verificar Funciones h-&Q de Represas"),
                                            QKeySequence(Qt::CTRL | Qt::Key_Q));
  ConnectGuarded(mnuSalir, &QAction::triggered, this, &MDIForm1::mnuSalir_Click);
}

MDIForm1::~MDIForm1() {
  if (MdiHost() == mdiArea) SetMdiHost(nullptr);
}

void MDIForm1::Form_Load() {
  setEnabled(true);
  mnu_prueba_funcionesSHVrepresas->setEnabled(false);
  mnu_prueba_funcionesHQrepresas->setEnabled(false);
  setWindowTitle(TituloPrograma + QStringLiteral(" - Modelo Hidrológico de  simulación de crecidas"));
}

void MDIForm1::mnuSalir_Click() {
  GuardaArchivoDirectorio();
  EndProgram();
}

void MDIForm1::closeEvent(QCloseEvent* event) {
  // Closing the window is the same as "Salir"; the program ends with it.
  event->ignore();
  RunGuarded([this] { mnuSalir_Click(); });
}

}  // namespace tavo
