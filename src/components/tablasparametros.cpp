#include "components/tablasparametros.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "components/dlgUEHsEditTabla.h"
#include "components/dlgUEHsTabla.h"
#include "editor/frmUEHs.h"
#include "engine/proceso.h"
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
  // Centred across the screen, at its top, so that the whole window is in view.
  if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
    const QRect area = pantalla->availableGeometry();
    ventana->move(area.x() + (area.width() - ventana->width()) / 2, area.y());
  }
}

void AnchoSegunTextos(FlexGrid* grilla) {
  constexpr int kMargen = 10;  // pixels around a cell's text
  const QFontMetrics metricasGrilla(grilla->font());
  for (int c = 0; c < grilla->Cols(); ++c) {
    int ancho = grilla->columnWidth(c);
    for (int r = 0; r < grilla->Rows(); ++r) {
      // A row marked for merging shows its text across the columns.
      if (grilla->MergeRow(r)) continue;
      const QTableWidgetItem* celda = grilla->item(r, c);
      if (!celda || celda->text().isEmpty()) continue;
      const int texto = celda->data(Qt::FontRole).isValid()
                            ? QFontMetrics(celda->font()).horizontalAdvance(celda->text())
                            : metricasGrilla.horizontalAdvance(celda->text());
      ancho = std::max(ancho, texto + kMargen);
    }
    if (ancho > grilla->columnWidth(c)) grilla->setColWidth(c, Twips(ancho));
  }
}

void ResetTablasParametrosState() {
  dlgUEHsTabla::ResetState();
  dlgUEHsEditTabla::ResetState();
}

}  // namespace tavo
