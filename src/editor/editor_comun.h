// What the network editor's files share: the colours of the drawing and the look-up of a component
// record by its number.
#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <memory>

#include "platform/errors.h"

namespace tavo {

inline const QColor kCeleste(140, 255, 255);  // under-stroke of the reaches
inline const QColor kAzul(0, 0, 255);         // reaches, their end squares, water, the reach being drawn
inline const QColor kRojo(255, 0, 0);         // drain marks, red dots, selections
inline const QColor kGris(160, 160, 160);     // the selected reaches
inline const QColor kMagenta(200, 0, 200);    // the measuring polyline
inline const QColor kFondoSimbolo(180, 255, 255);
inline const QColor kTierra(150, 120, 100);
inline const QColor kVerde(0, 255, 0);
inline const QColor kNegro(0, 0, 0);
inline const QColor kBlanco(255, 255, 255);

// The record of a number, raising the missing-object error when there is none.
template <class R, size_t N>
R& RegistroN(const std::array<std::shared_ptr<R>, N>& arreglo, int numero) {
  if (numero < 0 || numero >= static_cast<int>(N)) Raise(kErrSubscript);
  if (!arreglo[numero]) Raise(kErrObjectNotSet);
  return *arreglo[numero];
}

// A receiver name that names a component: neither "0" nor empty.
inline bool TieneReceptor(const QString& receptor) {
  return receptor != QLatin1String("0") && !receptor.isEmpty();
}

}  // namespace tavo
