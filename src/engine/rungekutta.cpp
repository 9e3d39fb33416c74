// Runge-Kutta routing of a lake or dam: the level equation dH/dt = (I - Q(H)) / A(H) integrated over
// every output step by a three-stage third-order scheme, with the outflow at each step's final level.
#include "engine/almacenamiento.h"
#include "engine/informe.h"
#include "engine/resultados.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

// Level increment over a whole step for the inflow `entrada` at the level HEmbalse. An area of 0 or
// less asks, once per element and run, whether to go on with no increment; No ends the program.
// Reads HEmbalse, PasoQ and the element's tables; writes AEmbalse.
Single Stage(const StorageElement& e, Single entrada, const QString& pregunta) {
  const Single q = e.Q(HEmbalse);
  AEmbalse = e.A(HEmbalse).toSingle();
  if (AEmbalse <= 0) {
    if (FirstInRun(QStringLiteral("Area|") + e.name) &&
        MsgBox(QStringLiteral("La superficie a(h) obtenida para h= ") + NumberText(HEmbalse) +
                   QStringLiteral(" de la ") + e.word + QLatin1Char(' ') + e.name + pregunta,
               vbYesNo + vbExclamation,
               QStringLiteral("Error...Verifique función Altura Superficie de la ") + e.word) == vbNo) {
      EndProgram();
    }
    AEmbalse = 0;
    return 0;
  }
  return CheckSingle((entrada - q) / (AEmbalse * 10000) * PasoQ * 60);
}

}  // namespace

void RouteRungeKutta(const StorageElement& e, Integer j) {
  const QString preguntaExtremos = QStringLiteral(" es CERO. ¿Desea continuar?  ");
  const QString preguntaMedio = QStringLiteral(" es CERO. ¿Desea continuar? ");
  // The thread's own, found once for the loop below.
  Array2<Single>& QEntraCompo = tavo::QEntraCompo;
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;
  TextBuffer& TextoProceso = tavo::TextoProceso;
  Array2<Single>& nivel = *e.levels;
  Array2<Single>& almacenado = *e.storages;
  const Integer n = e.number;

  kPaso = 0;
  HEmbalse = e.initialLevel;
  Single hc = HEmbalse;  // level at the start of the step
  QEntraCompo(j, 0) = QInicial;
  if (!ReportOmitted)
    TextoProceso += DetailHeading(e, j, QStringLiteral("k    t     qe(i, k)    dH1   dH2  dH3   q(i, k)"));
  nivel(n, 0) = HEmbalse;
  SEmbalse = e.S(HEmbalse);
  almacenado(n, 0) = SEmbalse;
  Single dh1 = 0;
  Single dh2 = 0;
  Single dh3 = 0;
  AppendDetailRow(TextoProceso, 0, 0, QEntraCompo(j, 0), dh1, dh2, dh3, QSaleCompo(j, 0), HEmbalse, SEmbalse);

  for (kPaso = 1; kPaso <= nPasosSalida; ++kPaso) {
    const int k = kPaso;
    const Single i0 = QEntraCompo(j, k - 1);
    const Single i1 = QEntraCompo(j, k);
    const Single tercio = (i1 - i0) / 3 + i0;
    const Single dosTercios = 2 * (i1 - i0) / 3 + i0;

    HEmbalse = hc;
    dh1 = Stage(e, i0, preguntaExtremos);
    HEmbalse = dh1 / 3 + hc;
    dh2 = Stage(e, tercio, preguntaMedio);
    HEmbalse = 2 * dh2 / 3 + hc;
    dh3 = Stage(e, dosTercios, preguntaExtremos);
    const Single dh = dh3 * 3 / 4 + dh1 / 4;
    hc = CheckSingle(hc + dh);
    HEmbalse = hc;

    QSaleCompo(j, k) = e.Q(HEmbalse);
    nivel(n, k) = HEmbalse;
    SEmbalse = e.S(HEmbalse);
    almacenado(n, k) = SEmbalse;
    AppendDetailRow(TextoProceso, static_cast<Integer>(k), CheckInteger(static_cast<long long>(PasoQ) * k),
                    QEntraCompo(j, k), dh1, dh2, dh3, QSaleCompo(j, k), HEmbalse, SEmbalse);
  }
  if (!ReportOmitted) TextoProceso += DetailEnd(e);
}

}  // namespace tavo
