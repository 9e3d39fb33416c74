#include "components/rangos.h"

#include "platform/errors.h"
#include "platform/vb.h"

namespace tavo {

bool DentroDeRango(const QString& texto, double maximo) {
  if (!IsNumeric(texto)) return false;
  try {
    const double valor = Val(texto);
    return valor >= 0 && valor <= maximo;
  } catch (const VbError&) {
    return false;
  }
}

}  // namespace tavo
