// The graphic network editor window. Its public procedures (the network writer, the component list
// and the network check) are also called from outside, through the window's object, without loading
// or showing it.
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

  // Saves the network to its two files and reads it back (see EscribeRedProyecto).
  void mnu_btn_toolbarGuardaUEHs();
  // Lists the components and the outlets, then checks the network.
  void ComponenteFinal();
  void InformeComponenteFinal(Integer nFinales, Integer nComp, Array1<QString>& finales, Array1<QString>& nombres,
                              const QStringList& extraOutlets = {});
};

// Redraws the network in the editor. For now it makes room in the vertex arrays for the longest
// reach; the drawing itself comes with the editor's window.
void DibujaRed();

// Gives every reach its stream order in OrdenCauce: 1 for a reach no other reach feeds, higher
// downstream where tributaries of equal order meet; ten sweeps in collection order.
void CalculaOrdenCauces();

}  // namespace tavo
