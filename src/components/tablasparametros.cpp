#include "components/tablasparametros.h"

#include <QFontMetrics>
#include <QHash>
#include <algorithm>

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
  // Centred across the screen, at its top, so that the whole window is in view.
  const QRect area = ScreenArea();
  ventana->move(area.x() + (area.width() - ventana->width()) / 2, area.y());
}

void AnchoSegunTextos(FlexGrid* grilla) {
  constexpr int kMargen = 10;  // pixels around a cell's text
  const QFontMetrics metricasGrilla(grilla->font());
  // The texts of a column repeat (names, depths, durations): each is measured once in the grid's font.
  QHash<QString, int> medidos;
  for (int c = 0; c < grilla->Cols(); ++c) {
    int ancho = grilla->columnWidth(c);
    for (int r = 0; r < grilla->Rows(); ++r) {
      // A row marked for merging shows its text across the columns.
      if (grilla->MergeRow(r)) continue;
      const QTableWidgetItem* celda = grilla->item(r, c);
      if (!celda) continue;
      const QString texto = celda->text();
      if (texto.isEmpty()) continue;
      int medida = 0;
      if (const QVariant fuente = celda->data(Qt::FontRole); fuente.isValid()) {
        medida = QFontMetrics(fuente.value<QFont>()).horizontalAdvance(texto);
      } else if (const auto visto = medidos.constFind(texto); visto != medidos.constEnd()) {
        medida = *visto;
      } else {
        medida = metricasGrilla.horizontalAdvance(texto);
        medidos.insert(texto, medida);
      }
      ancho = std::max(ancho, medida + kMargen);
    }
    if (ancho > grilla->columnWidth(c)) grilla->setColWidth(c, Twips(ancho));
  }
}

void ResetTablasParametrosState() {
  dlgUEHsTabla::ResetState();
  dlgUEHsEditTabla::ResetState();
}

}  // namespace tavo
