// Level-pool (storage-indication) routing of a lake or dam: at the end of every output step the level
// is found by bisection over the element's table so that 2S/dt + Q matches the inflows and 2S/dt - Q.
#include <cmath>

#include "engine/almacenamiento.h"
#include "engine/frmPp.h"
#include "engine/resultados.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "rainfall/tormenta.h"
#include "reservoirs/tablas.h"

namespace tavo {

namespace {

// First and last level of the element's height-area-storage table.
void TableRange(const StorageElement& e, Single& hmin, Single& hmax) {
  const int n = e.number;
  if (e.lake) {
    hmax = HTablaHSVQLago(n, NFilasHSVQLago(n));
    hmin = HTablaHSVQLago(n, 1);
  } else {
    hmax = HTablaHSVRepresa(n, NFilasHSVRepresa(n));
    hmin = HTablaHSVRepresa(n, 1);
  }
}

[[noreturn]] void BisectionFailed(const StorageElement& e) {
  MsgBox(QStringLiteral("Error <Proceso_en_") + e.word +
             QStringLiteral(">, inconsistencia en el cálculo de <2S/dt + Q> en propagación ") + e.word +
             QLatin1Char(' ') + e.name +
             QStringLiteral(
                 ". Es posible que deba ampliar el rango de altura-caudal o altura-superficie -volumen "
                 "de embalse"),
         vbOKOnly + vbExclamation, QStringLiteral("Error,..."));
  EndProgram();
}

}  // namespace

void RouteLevelPool(const StorageElement& e, Integer j) {
  Array2<Single>& nivel = *e.levels;
  Array2<Single>& almacenado = *e.storages;
  const Integer n = e.number;

  HEmbalse = e.initialLevel;
  SEmbalse = e.S(HEmbalse);
  QEntraCompo(j, 0) = QInicial;
  Single hmin = 0;
  Single hmax = 0;
  TableRange(e, hmin, hmax);
  TextoProceso += DetailHeading(
      e, j,
      QStringLiteral(
          "k - t[mi] - qe(i, k)[m3/s] - I1+I2 - 2S1/dt+Q1  2S2/dt+Q2    q(i, k)[m3/s] -  H[m]    S[m3]"));
  Single q = e.Q(HEmbalse);
  kPaso = 0;
  nivel(n, 0) = HEmbalse;
  almacenado(n, 0) = SEmbalse;
  QSaleCompo(j, 0) = q;
  // X is 2S/dt - Q at the start of the step, F is 2S/dt + Q at the last level tried.
  Single x = CheckSingle((SEmbalse + SEmbalse) / PasoQ / 60 - q);
  Single entradas = 0;
  Single f = 0;
  AppendDetailRow(TextoProceso, 0, 0, QEntraCompo(j, 0), entradas, x, f, q, HEmbalse, SEmbalse);

  for (kPaso = 1; kPaso <= nPasosSalida; ++kPaso) {
    const int k = kPaso;
    entradas = QEntraCompo(j, k - 1) + QEntraCompo(j, k);
    const Single objetivo = CheckSingle(x + entradas);
    Single inferior = hmin;
    Single superior = hmax;
    int mitades = 0;
    while (static_cast<Single>(std::abs(superior - inferior)) > 0.005f) {
      if (++mitades > 1000) BisectionFailed(e);
      HEmbalse = (superior - inferior) / 2 + inferior;
      SEmbalse = e.S(HEmbalse);
      q = e.Q(HEmbalse);
      f = (SEmbalse + SEmbalse) / PasoQ / 60 + q;
      if (f <= objetivo) {
        inferior = HEmbalse;
      } else {
        superior = HEmbalse;
      }
    }
    nivel(n, k) = HEmbalse;
    almacenado(n, k) = SEmbalse;
    x = CheckSingle(objetivo - 2 * q);
    QSaleCompo(j, k) = q;
    AppendDetailRow(TextoProceso, static_cast<Integer>(k), CheckInteger(static_cast<long long>(PasoQ) * k),
                    QEntraCompo(j, k), entradas, x, f, q, HEmbalse, SEmbalse);
  }
  TextoProceso += DetailEnd(e);
}

}  // namespace tavo
