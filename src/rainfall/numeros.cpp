#include "rainfall/numeros.h"

#include "platform/errors.h"

namespace tavo {

bool NumeroDeTexto(const QString& texto, double& valor) {
  if (!IsDecimalNumber(texto)) return false;
  try {
    valor = Val(texto);
  } catch (const VbError&) {
    return false;
  }
  return true;
}

bool EnteroDeValor(double valor, Integer& entero) {
  const double redondeado = RoundHalfEven(valor);
  if (!(redondeado >= -32768.0 && redondeado <= 32767.0)) return false;
  entero = static_cast<Integer>(redondeado);
  return true;
}

}  // namespace tavo
