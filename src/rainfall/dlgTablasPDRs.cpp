#include "rainfall/dlgTablasPDRs.h"

#include "rainfall/tablaspdr.h"

namespace tavo {

dlgTablasPDRs::dlgTablasPDRs() {
  setObjectName(QStringLiteral("dlgTablasPDRs"));
}

void dlgTablasPDRs::LeeTablaPDRs() {
  tavo::LeeTablaPDRs();
}

void dlgTablasPDRs::GuardaTablasPDRs() {
  tavo::GuardaTablasPDRs();
}

}  // namespace tavo
