// The window of the depth-duration-recurrence storm tables. The tables' reader and writer are its
// public procedures; other parts of the program call them through the window's object, without
// loading or showing the window.
#pragma once

#include <QWidget>

#include "platform/forms.h"

namespace tavo {

class dlgTablasPDRs : public QWidget, public FormInstance<dlgTablasPDRs> {
  Q_OBJECT
 public:
  dlgTablasPDRs();
  void Form_Load() {}
  void Form_Unload() {}

  // Reads the tables file and loads table NroTablaPDR as the storm series.
  void LeeTablaPDRs();
  // Writes the four tables to the tables file.
  void GuardaTablasPDRs();
};

}  // namespace tavo
