#include "components/tablasparametros.h"

#include "components/dlgUEHsEditTabla.h"
#include "components/dlgUEHsTabla.h"
#include "editor/frmUEHs.h"
#include "engine/proceso.h"
#include "platform/forms.h"
#include "project/estado.h"

namespace tavo {

bool CierraEditorAbierto() {
  if (!frmUEHs::isLoaded()) return true;
  frmUEHs::object().CierraEditorUEHs();
  return !frmUEHs::isLoaded();
}

void RecargaProyecto() {
  ReiniciaProyecto();
  CargaDatosProceso();
}

void DimensionaVentanaTabla(QWidget* ventana) {
  LeeDimensionesPantalla();
  ventana->setFixedSize(Px(static_cast<int>(0.97 * AnchoPantalla)),
                        Px(static_cast<int>(0.95 * AltoPantalla)));
}

void ResetTablasParametrosState() {
  dlgUEHsTabla::ResetState();
  dlgUEHsEditTabla::ResetState();
}

}  // namespace tavo
