// The order of computation: each reach, lake or dam is moved down the component list until no
// component after it drains into it, so that every inflow is known before it is routed.
#include "engine/secuencia.h"

#include <QHash>
#include <optional>
#include <utility>
#include <vector>

#include "engine/informe.h"
#include "platform/errors.h"
#include "project/estado.h"
#include "project/listacomponentes.h"

namespace tavo {

namespace {

// The receiver of every reach, lake and dam by name; for a name held twice, the first reach, then
// the first lake, then the first dam.
QHash<QString, QString> Receptores() {
  QHash<QString, QString> receptores;
  for (const auto& c : colCauces) receptores.insert(c->NombreCauce, c->Cauce_aa);
  for (const auto& l : colLagos) {
    if (!receptores.contains(l->NombreLAGO)) receptores.insert(l->NombreLAGO, l->Cauce_aa);
  }
  for (const auto& r : colRepresas) {
    if (!receptores.contains(r->NombreRepresa)) receptores.insert(r->NombreRepresa, r->Cauce_aa);
  }
  return receptores;
}

// Reorders positions nUEHs + 1..n of `nombres` so that none comes before a component that drains into
// it (the network has no loop).
void Ordena(Array1<QString>& nombres, int n) {
  // The receiver of the component in each position, moved along with its name.
  const QHash<QString, QString> receptores = Receptores();
  std::vector<QString> receptor(n + 1);
  for (int p = static_cast<int>(colUEHs.size()) + 1; p <= n; ++p) {
    auto it = receptores.find(nombres(p));
    if (it == receptores.end()) Raise(kErrObjectNotSet);
    receptor[p] = *it;
  }
  int s = static_cast<int>(colUEHs.size()) + 1;
  for (;;) {
    int swappedAt = 0;
    for (int i = s; i <= n - 1 && swappedAt == 0; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (receptor[j] == nombres(i)) {
          std::swap(nombres(i), nombres(j));
          std::swap(receptor[i], receptor[j]);
          swappedAt = i;
          break;
        }
      }
    }
    if (swappedAt == 0 || swappedAt >= n - 1) break;
    s = swappedAt;
  }
}

// The component list of the series under way, ordered, with its outlets: set before its storms start,
// read-only while they run.
struct OrdenSerie {
  Integer n = 0;
  Array1<QString> nombres;
  Integer nFinales = 0;
  Array1<QString> finales;
};
std::optional<OrdenSerie> Orden;
int OrdenesHechas = 0;              // orders built so far: each series' order has a number of its own
thread_local int OrdenDelHilo = 0;  // the number of the order this thread's list holds

}  // namespace

void SecuenciaCalculo() {
  // With a loop the scan below would swap the same components for ever.
  if (!ComponentsInLoops().isEmpty()) {
    RedConErrores = true;
    return;
  }
  Ordena(NombresComponentes, nComponentes);
  ListaSecuencia();
}

void ListaSecuencia() {
  if (!PizarraActiva) return;
  const QString crLf = QStringLiteral("\r\n");
  QString listing = crLf + crLf + QStringLiteral("Componentes y Secuencia de cálculo") + crLf +
                    QStringLiteral("NroUEH   Nombre UEH");
  for (int p = 1; p <= nComponentes; ++p) {
    listing += crLf + QStringLiteral("    ") + NumberText(static_cast<Integer>(p)) +
               QString(10, QLatin1Char(' ')) + NombresComponentes(p);
  }
  AppendToReport(listing);
}

void BuildSeriesOrder() {
  Orden.reset();
  // A network with a loop has no order: each storm finds it so as a single storm does.
  if (!ComponentsInLoops().isEmpty()) return;
  // The list is built in this thread's variables, which then take back what they held.
  OrdenSerie propia{nComponentes, NombresComponentes, nComponentesFinales, ComponentesFinales};
  BuildComponentList();
  OrdenSerie orden{nComponentes, NombresComponentes, nComponentesFinales, ComponentesFinales};
  nComponentes = propia.n;
  NombresComponentes = std::move(propia.nombres);
  nComponentesFinales = propia.nFinales;
  ComponentesFinales = std::move(propia.finales);
  try {
    Ordena(orden.nombres, orden.n);
  } catch (const VbError&) {
    return;  // each storm meets the failure as a single storm does
  }
  Orden = std::move(orden);
  ++OrdenesHechas;
}

bool TakeSeriesOrder() {
  if (!Orden) return false;
  if (OrdenDelHilo == OrdenesHechas) return true;
  nComponentes = Orden->n;
  NombresComponentes = Orden->nombres;
  nComponentesFinales = Orden->nFinales;
  ComponentesFinales = Orden->finales;
  OrdenDelHilo = OrdenesHechas;
  return true;
}

void ForgetSeriesOrder() {
  Orden.reset();
}

}  // namespace tavo
