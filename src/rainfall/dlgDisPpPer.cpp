#include "rainfall/dlgDisPpPer.h"

#include "rainfall/distribuciones.h"

namespace tavo {

dlgDisPpPer::dlgDisPpPer() {
  setObjectName(QStringLiteral("dlgDisPpPer"));
}

void dlgDisPpPer::LeeTablaDisTemPer() {
  tavo::LeeTablaDisTemPer();
}

}  // namespace tavo
