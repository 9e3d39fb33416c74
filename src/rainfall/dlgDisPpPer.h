// The editor of the user temporal distributions. Its loading procedure is public: other parts of the
// program call it through the window's object, without loading or showing the window.
#pragma once

#include <QWidget>

#include "platform/forms.h"

namespace tavo {

class dlgDisPpPer : public QWidget, public FormInstance<dlgDisPpPer> {
  Q_OBJECT
 public:
  dlgDisPpPer();
  void Form_Load() {}
  void Form_Unload() {}

  // Reads distriPp_dpt.pcn into the three user distributions.
  void LeeTablaDisTemPer();
};

}  // namespace tavo
