// The splash window shown while the program starts.
#pragma once

#include <QLabel>
#include <QWidget>

#include "platform/forms.h"

namespace tavo {

class frmInicio : public QWidget, public FormInstance<frmInicio> {
  Q_OBJECT
 public:
  frmInicio();
  void Form_Load();
  void Form_Unload() {}

  QLabel* lblTitulo;
  QLabel* lblDescripcion;
  QLabel* lblVersion;
  QLabel* lblPlataforma;
};

// The system the program runs on, as the splash names it: "Linux (64 bits)".
QString SistemaOperativo();

}  // namespace tavo
