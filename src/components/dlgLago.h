// The lake dialog. For now it holds the labels that other windows and the lake table reader read and
// set: the shown lake's number and name, and whether it has a height-area-storage-outflow table.
#pragma once

#include <QLabel>
#include <QWidget>

#include "platform/forms.h"

namespace tavo {

class dlgLago : public QWidget, public FormInstance<dlgLago> {
  Q_OBJECT
 public:
  dlgLago();
  void Form_Load() {}
  void Form_Unload() {}

  QLabel* lblNroLago;
  QLabel* lblNombreLago;
  QLabel* lblParametros;
};

}  // namespace tavo
