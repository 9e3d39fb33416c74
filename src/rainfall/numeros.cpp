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

void MuestraPaso(QComboBox* lista, Integer paso) {
  const QString texto = PlainNumberText(paso);
  int i = 0;
  while (i < lista->count() && Val(lista->itemText(i)) < paso) ++i;
  if (i == lista->count() || lista->itemText(i) != texto) lista->insertItem(i, texto);
  lista->setCurrentIndex(i);
}

}  // namespace tavo
