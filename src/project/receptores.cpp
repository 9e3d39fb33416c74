#include "project/receptores.h"

#include <set>

#include "platform/dialogs.h"
#include "project/estado.h"

namespace tavo {

void RenombraReceptor(const QString& anterior, const QString& nuevo, bool unidades) {
  if (unidades) {
    for (const auto& u : colUEHs) {
      if (u->Cauce_aa == anterior) u->Cauce_aa = nuevo;
    }
  }
  for (const auto& c : colCauces) {
    if (c->Cauce_aa == anterior) c->Cauce_aa = nuevo;
  }
  for (const auto& r : colRepresas) {
    if (r->Cauce_aa == anterior) r->Cauce_aa = nuevo;
  }
  for (const auto& l : colLagos) {
    if (l->Cauce_aa == anterior) l->Cauce_aa = nuevo;
  }
}

QString RerouteTarget(const QString& receptor) {
  QString destino = receptor;
  auto pasa = [&destino](const QString& nombre, const QString& suyo) {
    if (suyo.isEmpty() || suyo == QLatin1String("0")) return;
    if (destino == nombre || destino == suyo) destino = nombre;
  };
  for (const auto& l : colLagos) pasa(l->NombreLAGO, l->Cauce_aa);
  for (const auto& r : colRepresas) pasa(r->NombreRepresa, r->Cauce_aa);
  return destino;
}

namespace {
// The receiver of the reach, dam or lake with this name; false when no such component exists.
bool ReceptorDe(const QString& nombre, QString& receptor) {
  for (const auto& c : colCauces) {
    if (c->NombreCauce == nombre) return receptor = c->Cauce_aa, true;
  }
  for (const auto& r : colRepresas) {
    if (r->NombreRepresa == nombre) return receptor = r->Cauce_aa, true;
  }
  for (const auto& l : colLagos) {
    if (l->NombreLAGO == nombre) return receptor = l->Cauce_aa, true;
  }
  return false;
}
}  // namespace

bool ClosesLoop(const QString& componente, const QString& receptor) {
  // Down the receivers from the new receiver: meeting the component closes the loop. A loop already
  // in the network that does not pass through the component ends the walk.
  std::set<QString> vistos;
  QString actual = receptor;
  while (actual != componente) {
    if (!vistos.insert(actual).second) return false;
    QString siguiente;
    if (!ReceptorDe(actual, siguiente)) return false;
    actual = siguiente;
  }
  return true;
}

bool RefusesLoop(const QString& componente, const QString& receptor) {
  if (!ClosesLoop(componente, receptor)) return false;
  MsgBox(QStringLiteral("No se puede acoplar un componente a su tributario; quite primero el acople"),
         vbOKOnly | vbExclamation, QStringLiteral("Operación Inconsistente"));
  return true;
}

}  // namespace tavo
