// The dialog that deletes a project of the working directory: the user picks its settings file and
// confirms, and the project's own files go.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "platform/filelists.h"
#include "platform/forms.h"

namespace tavo {

class dlgEliminarProyecto : public QWidget, public FormInstance<dlgEliminarProyecto> {
  Q_OBJECT
 public:
  dlgEliminarProyecto();
  void Form_Load();
  void Form_Unload() {}

  // ---- event handlers ----
  void filProyectoEliminar_Click();
  void OKButton_Click();
  void CancelButton_Click();

  QGroupBox* Frame2;
  QLabel* lblDirTrabajo;
  FileList* filProyectoEliminar;
  QGroupBox* Frame3;
  QLabel* lblProyectoAEliminar;
  QGroupBox* Frame1;
  QLabel* Label1;
  QLabel* Label2;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  // ---- form-level variables ----
  QString ArchivoAEliminar;  // the settings file chosen in the list, without its folder
};

// Shows the delete dialog without blocking. A dialog closed before is loaded afresh, so that it lists
// the working directory as it is now.
void ShowDeleteProjectDialog();

}  // namespace tavo
