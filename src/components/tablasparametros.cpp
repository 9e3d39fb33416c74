#include "components/tablasparametros.h"

#include "components/dlgUEHsEditTabla.h"
#include "components/dlgUEHsTabla.h"
#include "editor/frmUEHs.h"
#include "engine/proceso.h"
#include "platform/app.h"
#include "platform/flexgrid.h"
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
  // Centred across the screen, at its top, so that the whole window, title bar included, is in view.
  const QRect area = ScreenArea();
  ventana->move(area.x() + (area.width() - ventana->width()) / 2, area.y());
  FitOnScreen(ventana);
}

void AnchoSegunTextos(FlexGrid* grilla) {
  constexpr int kMargen = 10;  // pixels around a cell's text
  for (int c = 0; c < grilla->Cols(); ++c) {
    const int texto = grilla->WidestText(c);
    if (texto > 0 && texto + kMargen > grilla->columnWidth(c)) grilla->setColWidth(c, Twips(texto + kMargen));
  }
}

void ResetTablasParametrosState() {
  dlgUEHsTabla::ResetState();
  dlgUEHsEditTabla::ResetState();
}

}  // namespace tavo
