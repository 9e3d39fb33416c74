// The main window: the frame inside which every other window of the program opens.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>

#include "platform/forms.h"

namespace tavo {

class MDIForm1 : public QMainWindow, public FormInstance<MDIForm1> {
  Q_OBJECT
 public:
  MDIForm1();
  ~MDIForm1() override;
  void Form_Load();
  void Form_Unload() {}

  // Exit: records the working directory and ends the program.
  void mnuSalir_Click();
  // Shows the open project in the panel and records it in the working-directory file.
  void carga_lbl_proyecto();
  // The panel's part of carga_lbl_proyecto: the project identity and the settings form's titles.
  void FillProjectPanel();

  QMdiArea* mdiArea;
  QMenu* mnuFile;
  QAction* mnuSalir;
  QAction* mnu_ultimoarchivo1;

  // The project panel above the window area, and its value labels.
  QWidget* Picture1;
  QLabel* lblProyecto;
  QLabel* lblTitulo;
  QLabel* lblUbicacion;
  QLabel* lblCuenca;
  QLabel* lblSubCuenca;
  QLabel* lblFileProyecto;
  QLabel* lblMiDirTrabajo;
  QLabel* lblFilesTrabajo;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace tavo
