// The order of computation: each reach, lake or dam is moved down the component list until no
// component after it drains into it, so that every inflow is known before it is routed.
#include "engine/secuencia.h"

#include <utility>

#include "engine/frmPp.h"
#include "engine/listacomponentes.h"
#include "platform/errors.h"
#include "project/estado.h"

namespace tavo {

namespace {

// The receiver of the reach, lake or dam of that name (searched in that order).
const QString& ReceiverOf(const QString& name) {
  for (const auto& c : colCauces) {
    if (c->NombreCauce == name) return c->Cauce_aa;
  }
  for (const auto& l : colLagos) {
    if (l->NombreLAGO == name) return l->Cauce_aa;
  }
  for (const auto& r : colRepresas) {
    if (r->NombreRepresa == name) return r->Cauce_aa;
  }
  Raise(kErrObjectNotSet);
}

// True when the component in position j drains into the one in position i.
bool DrainsInto(int j, int i) {
  return ReceiverOf(NombresComponentes(j)) == NombresComponentes(i);
}

}  // namespace

void SecuenciaCalculo() {
  // With a loop the scan below would swap the same components for ever.
  if (!ComponentsInLoops().isEmpty()) {
    RedConErrores = true;
    return;
  }
  const int n = nComponentes;
  int s = static_cast<int>(colUEHs.size()) + 1;
  for (;;) {
    int swappedAt = 0;
    for (int i = s; i <= n - 1 && swappedAt == 0; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (DrainsInto(j, i)) {
          std::swap(NombresComponentes(i), NombresComponentes(j));
          swappedAt = i;
          break;
        }
      }
    }
    if (swappedAt == 0 || swappedAt >= n - 1) break;
    s = swappedAt;
  }

  if (!PizarraActiva) return;
  const QString crLf = QStringLiteral("\r\n");
  QString listing = crLf + crLf + QStringLiteral("Componentes y Secuencia de cálculo") + crLf +
                    QStringLiteral("NroUEH   Nombre UEH");
  for (int p = 1; p <= n; ++p) {
    listing += crLf + QStringLiteral("    ") + NumberText(static_cast<Integer>(p)) +
               QString(10, QLatin1Char(' ')) + NombresComponentes(p);
  }
  AppendToReport(listing);
}

}  // namespace tavo
