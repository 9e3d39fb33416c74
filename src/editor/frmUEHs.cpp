#include "editor/frmUEHs.h"

#include "engine/listacomponentes.h"

namespace tavo {

frmUEHs::frmUEHs() {
  setObjectName(QStringLiteral("frmUEHs"));
}

void frmUEHs::ComponenteFinal() {
  tavo::ComponenteFinal();
}

void frmUEHs::InformeComponenteFinal(Integer nFinales, Integer nComp, Array1<QString>& finales,
                                     Array1<QString>& nombres, const QStringList& extraOutlets) {
  tavo::InformeComponenteFinal(nFinales, nComp, finales, nombres, extraOutlets);
}

}  // namespace tavo
