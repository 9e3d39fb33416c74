// The order of computation: each reach, lake or dam is moved down the component list until no
// component after it drains into it, so that every inflow is known before it is routed.
#include "engine/secuencia.h"

#include <QHash>
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

}  // namespace

void SecuenciaCalculo() {
  // With a loop the scan below would swap the same components for ever.
  if (!ComponentsInLoops().isEmpty()) {
    RedConErrores = true;
    return;
  }
  const int n = nComponentes;
  // The receiver of the component in each position, moved along with its name.
  const QHash<QString, QString> receptores = Receptores();
  std::vector<QString> receptor(n + 1);
  for (int p = static_cast<int>(colUEHs.size()) + 1; p <= n; ++p) {
    auto it = receptores.find(NombresComponentes(p));
    if (it == receptores.end()) Raise(kErrObjectNotSet);
    receptor[p] = *it;
  }
  int s = static_cast<int>(colUEHs.size()) + 1;
  for (;;) {
    int swappedAt = 0;
    for (int i = s; i <= n - 1 && swappedAt == 0; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (receptor[j] == NombresComponentes(i)) {
          std::swap(NombresComponentes(i), NombresComponentes(j));
          std::swap(receptor[i], receptor[j]);
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
