// The graphic network editor window.
#pragma once

#include <QWidget>

#include "platform/forms.h"

namespace tavo {

class frmUEHs : public QWidget, public FormInstance<frmUEHs> {
  Q_OBJECT
 public:
  frmUEHs();
  void Form_Load() {}
  void Form_Unload() {}

  // Saves the network to its two files and reads it back (see EscribeRedProyecto).
  void mnu_btn_toolbarGuardaUEHs();
};

// Redraws the network in the editor. For now it makes room in the vertex arrays for the longest
// reach; the drawing itself comes with the editor's window.
void DibujaRed();

// Gives every reach its stream order in OrdenCauce: 1 for a reach no other reach feeds, higher
// downstream where tributaries of equal order meet; ten sweeps in collection order.
void CalculaOrdenCauces();

}  // namespace tavo
