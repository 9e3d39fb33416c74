// The main window: the frame inside which every other window of the program opens.
#pragma once

#include <QAction>
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

  QMdiArea* mdiArea;
  QMenu* mnuFile;
  QAction* mnuSalir;
  QAction* mnu_ultimoarchivo1;
  QMenu* mnuOpciones;
  QAction* mnu_prueba_funcionesSHVrepresas;
  QAction* mnu_prueba_funcionesHQrepresas;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace tavo
