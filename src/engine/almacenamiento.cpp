// Storage routing of lakes and dams: the walk over the elements with its method check, the inflow from
// the units and reaches draining in, the Muskingum method, and each element's summary, peak and volumes.
#include "engine/almacenamiento.h"

#include <algorithm>
#include <vector>

#include "engine/informe.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "reservoirs/funciones.h"

namespace tavo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kMuskingum = QStringLiteral("Muskingum");
const QString kPiscina = QStringLiteral("Piscina Nivelada");
const QString kRungeKutta = QStringLiteral("Runge Kutta");
const QString kAdvertencia = QStringLiteral("Advertencia !");

// The text of a Metodo value; a number never names a method.
QString MethodText(const Variant& metodo) {
  return metodo.isEmpty() ? QString() : metodo.toString();
}

bool KnownMethod(const QString& metodo) {
  return metodo == kMuskingum || metodo == kPiscina || metodo == kRungeKutta;
}
bool KnownMethod(const Variant& metodo) {
  const QString* texto = metodo.get_if<QString>();
  return texto && KnownMethod(*texto);
}

StorageElement FromLago(const Lago& l) {
  return {.lake = true,
          .word = QStringLiteral("Lago"),
          .name = l.NombreLAGO,
          .number = l.numLAGO,
          .method = MethodText(l.Metodo),
          .K = l.Lago_k_Musk,
          .initialLevel = l.HInicialEmb,
          .levels = &HEmbalseLago,
          .storages = &SEmbalseLago,
          .S = SdeHLagoSimple,
          .A = AdeHLago,
          .Q = QdeHLagoSimple,
          .SInside = SdeHLagoDentro,
          .QInside = QdeHLagoDentro};
}

StorageElement FromRepresa(const Represa& r) {
  return {.lake = false,
          .word = QStringLiteral("Represa"),
          .name = r.NombreRepresa,
          .number = r.numRepresa,
          .method = MethodText(r.Metodo),
          .K = r.Represa_k_Musk,
          .initialLevel = r.HInicialEmb,
          .levels = &HEmbalseRepresa,
          .storages = &SEmbalseRepresa,
          .S = SdeHRepresaSimple,
          .A = AdeHRepresa,
          .Q = QdeHRepresaSimple,
          .SInside = SdeHRepresaDentro,
          .QInside = QdeHRepresaDentro};
}

// A warning of the routing, shown once per component and run (StorageWarningsGiven).
void Warn(const QString& key, const QString& text) {
  if (FirstInRun(key)) MsgBox(text, vbOKOnly + vbExclamation, kAdvertencia);
}

// Inflow QEntraCompo(j, 1..nPasosSalida) from the units and reaches draining into `name`; QInicial
// collects the units' initial base flows. Reads the network, NombresComponentes and QSaleCompo; writes
// QEntraCompo's row j, QInicial, ElementoAportante, iUEH, iCauce and CompoSel.
void FormInflow(const QString& name, Integer j) {
  Array2<Single>& QEntraCompo = tavo::QEntraCompo;  // the thread's own, found once for the loops below
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;
  for (size_t u = 0; u < colUEHs.size(); ++u) {
    const auto& ueh = colUEHs[u];
    if (ueh->Cauce_aa != name) continue;
    ElementoAportante = ueh;
    iUEH = PosicionComponente(ueh->NombreUEH, 1, nUEHs);
    for (int k = 1; k <= nPasosSalida; ++k) QEntraCompo(j, k) = QEntraCompo(j, k) + QSaleCompo(iUEH, k);
    const auto& unidad = vUEHs[static_cast<size_t>(iUEH)];  // iUEH <= nUEHs, within the array
    if (!unidad) Raise(kErrObjectNotSet);
    QInicial = QInicial + unidad->Q0Recesion;
  }
  for (size_t c = 0; c < colCauces.size(); ++c) {
    const auto& cauce = colCauces[c];
    if (cauce->Cauce_aa != name) continue;
    ElementoAportante = cauce;
    iCauce = cauce->numCauce;
    CompoSel = PosicionComponente(cauce->NombreCauce, static_cast<Integer>(nUEHs + 1), nComponentes);
    for (int k = 1; k <= nPasosSalida; ++k) QEntraCompo(j, k) = QEntraCompo(j, k) + QSaleCompo(CompoSel, k);
  }
}

// Muskingum with x = 0: outflow from step 1 on, and the level and storage of that outflow. False after
// the warning on constants that give no valid coefficients. Reads QEntraCompo, PasoQ and the element's
// tables; writes QSaleCompo's row j, the element's levels and storages, HEmbalse, kPaso and the
// Muskingum coefficients.
bool RouteMuskingum(const StorageElement& e, Integer j) {
  if (!CoeficientesMuskingum(e.K, 0, PasoQ)) {
    Warn(QStringLiteral("Muskingum|") + e.name,
         QStringLiteral("Error, Los parámetros de Muskingum utilizados en el tramo de cauce") + e.name +
             QStringLiteral(
                 " son erróneos. Verifique, o cambie a propagación Directa desde el Editor de UEHs "));
    return false;
  }
  Array2<Single>& QEntraCompo = tavo::QEntraCompo;  // the thread's own, found once for the loops below
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;
  BisectionMemo midpoints;  // the searches of the levels of every step meet the same midpoints
  for (kPaso = 1; kPaso <= nPasosSalida; ++kPaso) {
    const int k = kPaso;
    if (k == 1) {
      QSaleCompo(j, 1) = QEntraCompo(j, 1);
    } else {
      // As for the reaches: the products in double precision, the outflow stored as a Single.
      QSaleCompo(j, k) = CheckSingle(static_cast<double>(C0Musk) * QEntraCompo(j, k) +
                                     static_cast<double>(C1Musk) * QEntraCompo(j, k - 1) +
                                     static_cast<double>(C2Musk) * QSaleCompo(j, k - 1));
    }
    const Variant h =
        e.lake ? HdeQalmaLago(QSaleCompo(j, k), midpoints) : HdeQalmaRepresa(QSaleCompo(j, k), midpoints);
    HEmbalse = h.toSingle();
    (*e.levels)(e.number, k) = HEmbalse;
    (*e.storages)(e.number, k) = e.S(HEmbalse);
  }
  return true;
}

QString ComponentLine(const StorageElement& e, Integer j) {
  return QStringLiteral("Componente: ") + e.word + QLatin1Char(' ') + NombresComponentes(j) +
         QStringLiteral("     Método de Propagación: ") + e.method;
}

// Summary table, peak and volumes of steps 0..nPasosSalida; the table only with the report on. Reads
// rows j of QEntraCompo and QSaleCompo and the element's levels and storages; writes
// QpSerie(j, kTormenta), VolEntra, VolSale and TextoProceso.
void Summarize(const StorageElement& e, Integer j) {
  VolEntra = 0;
  VolSale = 0;
  if (PizarraActiva) {
    TextoProceso += kCrLf + kCrLf + ComponentLine(e, j) + kCrLf +
                    QStringLiteral("Per.k  t[min]  Qentra[m3/s] Qsale[m3/s]   H[m]     Vol.Alm.[m3]");
  }
  Array2<Single>& QEntraCompo = tavo::QEntraCompo;  // the thread's own, found once for the loops below
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;
  Single& pico = QpSerie(j, kTormenta);
  // Rounded, the columns often repeat the row before.
  NumberTextMemo entrada, salida, nivel, volumen;
  for (int k = 0; k <= nPasosSalida; ++k) {
    const Integer t = CheckInteger(static_cast<long long>(PasoQ) * k);
    const Single entra = QEntraCompo(j, k);
    const Single sale = QSaleCompo(j, k);
    if (PizarraActiva) {
      ReportRow(TextoProceso)
          .text("\r\n ")
          .number(static_cast<Integer>(k), 7)
          .number(t, 7)
          .number(Redondea(entra, 3), 11, entrada)
          .number(Redondea(sale, 3), 13, salida)
          .number(Redondea((*e.levels)(e.number, k), 2), 10, nivel)
          .number(Redondea((*e.storages)(e.number, k), 0), 10, volumen)
          .end();
    }
    if (sale > pico) pico = sale;
    // Single arithmetic throughout: the step times the flow, times 60, added to the sum.
    const Single paso = PasoQ;
    VolEntra = CheckSingle(VolEntra + paso * entra * Single(60));
    VolSale = CheckSingle(VolSale + paso * sale * Single(60));
  }
  if (PizarraActiva) {
    CierreComponente(j);
    MuestraPizarra();
  }
}

// Inflow, routing by the element's method, then the summary (see the procedures above).
void Route(const StorageElement& e, Integer j) {
  FormInflow(e.name, j);
  if (e.method == kMuskingum) {
    if (!RouteMuskingum(e, j)) return;
  } else if (e.method == kPiscina) {
    RouteLevelPool(e, j);
  } else {
    RouteRungeKutta(e, j);
  }
  Summarize(e, j);
}

// The walk over a container: every element's method is checked as it is met, and the one named at
// position j is routed. Writes ElementoActual and QInicial, and what the routing writes.
// ElementoActual is the walk's variable: it is set on the element routed and on an element whose method
// stops the walk, and left on the last element met; in between nothing reads it, and the storms of a
// series, computed side by side, then seldom write the records' shared counts.
template <class Record>
void Walk(const std::vector<std::shared_ptr<Record>>& container, Integer j,
          StorageElement (*read)(const Record&), QString Record::*nombre, const QString& warningText) {
  for (size_t i = 0; i < container.size(); ++i) {
    const std::shared_ptr<Record>& record = container[i];
    if (!KnownMethod(record->Metodo)) {
      ElementoActual = record;
      const QString& name = (*record).*nombre;
      Warn(QStringLiteral("Metodo|") + name, warningText + name + QStringLiteral(". "));
      return;
    }
    QInicial = 0;
    if ((*record).*nombre == NombresComponentes(j)) {
      ElementoActual = record;
      Route(read(*record), j);
    }
  }
  if (!container.empty()) ElementoActual = container.back();
}

}  // namespace

void Proceso_en_Lago(Integer j) {
  Walk(colLagos, j, FromLago, &Lago::NombreLAGO,
       QStringLiteral("Error, Seleccione el método de propagación del lago en el formulario de Propiedades"));
}

void Proceso_en_Represa(Integer j) {
  Walk(colRepresas, j, FromRepresa, &Represa::NombreRepresa,
       QStringLiteral(
           "Error, Seleccione el método de propagación de la represa en el formulario de Propiedades"));
}

QString DetailHeading(const StorageElement& e, Integer j, const QString& columns) {
  return kCrLf + QStringLiteral("Planilla detallada de cálculo de propagación en ") + e.word +
         QLatin1Char(' ') + kCrLf + columns + kCrLf + ComponentLine(e, j);
}

void AppendDetailRow(TextBuffer& text, Integer k, Integer t, Single a, Single b, Single c, Single d, Single q,
                     Single h, Single s) {
  ReportRow row(text);
  DetailRowHead(row, k, t, a, b, c);
  DetailRowTail(row, d, q, h, s);
  row.end();
}

void DetailRowHead(ReportRow& row, Integer k, Integer t, Single a, Single b, Single c) {
  row.text("\r\n").number(k).blanks(3).number(t);
  for (Single v : {a, b, c}) row.blanks(3).number(v);
}

void DetailRowTail(ReportRow& row, Single d, Single q, Single h, Single s) {
  row.blanks(3).number(d).blanks(8).number(q).blanks(2).number(h).blanks(2).number(s);
}

QString DetailEnd(const StorageElement& e) {
  return kCrLf + QStringLiteral(" Fin detalle cálculo proaga en ") + e.word + QLatin1Char(' ');
}

bool FirstInRun(const QString& key) {
  if (StorageWarningsGiven.contains(key)) return false;
  ThrowIfMessagesDeferred();
  StorageWarningsGiven.insert(key);
  return true;
}

void ForgetStorageWarnings() {
  StorageWarningsGiven.clear();
}

void ResetAlmacenamientoState() {
  ForgetStorageWarnings();
}

}  // namespace tavo
