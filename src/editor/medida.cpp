// The editor's measuring tool: the points clicked on the drawing make a polyline, and the measurement
// gives its length in metres, or, closed back to its first point, its perimeter and its area in
// hectares, at the project's drawing scale.
#include <cmath>

#include "editor/editor_comun.h"
#include "editor/estado_editor.h"
#include "editor/frmUEHs.h"
#include "platform/dialogs.h"
#include "project/configuracion.h"

namespace tavo {

void frmUEHs::AgregaPuntoMedida(Single X, Single Y) {
  nPuntosMedida = CheckInteger(nPuntosMedida + 1);
  const int n = nPuntosMedida;
  XMedida.redimPreserve(n + 1);
  YMedida.redimPreserve(n + 1);
  picDibujo->setDrawWidth(PlumaFina(EspesorLinea));
  if (n == 1) {
    picDibujo->point(X, Y, kMagenta);
  } else {
    picDibujo->line(XMedida(n - 1), YMedida(n - 1), X, Y, kMagenta);
  }
  XMedida(n) = X;
  YMedida(n) = Y;
}

void frmUEHs::modCalculoLongArea() {
  // Metres per drawing unit: the number the setting starts with, 0 when it starts with none.
  const double escala = Val(EscalaDibujo);
  const bool cerrado =
      MsgBox(
          QStringLiteral("¿Forzar el cierre del polígono para el cálculo de Perímetro y Area de la figura ? "
                         "(No, para cálculo de longitud de la poligonal abierta)"),
          vbYesNo | vbQuestion,
          QStringLiteral(
              "Cálculo de Longitud de Poligonal Abierta o de Polígono y Area de Poligonal Cerrada")) == vbYes;
  if (cerrado) {
    // The polygon closes with a copy of its first point.
    nPuntosMedida = CheckInteger(nPuntosMedida + 1);
    const int n = nPuntosMedida;
    XMedida.redimPreserve(n + 1);
    YMedida.redimPreserve(n + 1);
    picDibujo->setDrawWidth(PlumaFina(EspesorLinea));
    if (n > 1) picDibujo->line(XMedida(n - 1), YMedida(n - 1), XMedida(1), YMedida(1), kMagenta);
    XMedida(n) = XMedida(1);
    YMedida(n) = YMedida(1);
  }
  const int n = nPuntosMedida;

  Single longitud = 0;
  for (iPunto = 2; iPunto <= n; ++iPunto) {
    const double dx = XMedida(iPunto) - XMedida(iPunto - 1);
    const double dy = YMedida(iPunto) - YMedida(iPunto - 1);
    longitud = CSng(longitud + std::sqrt(dx * dx + dy * dy));
  }
  LongitudMedida = CSng(longitud * escala);
  if (cerrado) {
    double doble = 0;  // twice the signed area, by the trapezoids under each side
    for (iPunto = 1; iPunto <= n - 1; ++iPunto) {
      doble += (static_cast<double>(YMedida(iPunto + 1)) - YMedida(iPunto)) *
               (static_cast<double>(XMedida(iPunto + 1)) + XMedida(iPunto));
    }
    AreaMedida = CSng(escala * escala * std::fabs(doble) / 2 / 10000);
  }
  nPuntosMedida = 0;

  const QString perimetro =
      QStringLiteral("Perímetro=") + QString::number(Int(LongitudMedida), 'f', 0) + QStringLiteral(" metros");
  if (cerrado) {
    MsgBox(
        perimetro + QStringLiteral("    -    Area = ") + PlainNumberText(AreaMedida) + QStringLiteral(" Has"),
        vbOKOnly, QStringLiteral("Perímetro y Area de Poligonal Cerrada"));
  } else {
    MsgBox(perimetro, vbOKOnly, QStringLiteral("Longitud de Poligonal Abierta"));
  }
}

}  // namespace tavo
