// The graphic network editor. The component list and the network check are public procedures of
// its window; the run calls them through the window's object, without loading or showing it.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include "platform/arrays.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class frmUEHs : public QWidget, public FormInstance<frmUEHs> {
  Q_OBJECT
 public:
  frmUEHs();
  void Form_Load() {}
  void Form_Unload() {}

  // Lists the components and the outlets, then checks the network.
  void ComponenteFinal();
  void InformeComponenteFinal(Integer nFinales, Integer nComp, Array1<QString>& finales,
                              Array1<QString>& nombres, const QStringList& extraOutlets = {});
};

}  // namespace tavo
