// What the network editor's files share: the colours of the drawing, the look-up of a component
// record by its number, the distances of picking and snapping, and the heads of the reaches.
#pragma once

#include <QColor>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "platform/errors.h"
#include "platform/vb.h"
#include "project/estado.h"

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

// |a − b| in single precision.
inline Single Distancia(Single a, Single b) {
  return std::fabs(static_cast<Single>(a - b));
}

// Within `mitad` of (cx, cy) in both directions.
inline bool EnCaja(Single x, Single y, Single cx, Single cy, double mitad) {
  return Distancia(x, cx) < mitad && Distancia(y, cy) < mitad;
}

// The head of reach k, its last vertex.
inline Single XCabecera(int k) {
  return XVertice(k, numVerticesCauce(k));
}
inline Single YCabecera(int k) {
  return YVertice(k, numVerticesCauce(k));
}

// Pen width of the reach being drawn and of the measuring polyline: the whole part of w − w / 2.
inline int PlumaFina(int w) {
  return static_cast<int>(Int(w - w / 2.0));
}

// The link point of a unit, dam or lake, and with it its receiver.
inline void FijaPuntoAcople(Registro& componente, Single x, Single y) {
  componente.set(QStringLiteral("XCauce"), Variant(x));
  componente.set(QStringLiteral("YCauce"), Variant(y));
}
inline void FijaAcople(Registro& componente, const QString& receptor, Single x, Single y) {
  FijaPuntoAcople(componente, x, y);
  componente.set(QStringLiteral("Cauce_aa"), Variant(receptor));
}

// Whether `nombre` is the name of a lake.
inline bool EsLago(const QString& nombre) {
  return std::any_of(colLagos.begin(), colLagos.end(),
                     [&](const auto& l) { return l->NombreLAGO == nombre; });
}

// A receiver name that names a component: neither "0" nor empty.
inline bool TieneReceptor(const QString& receptor) {
  return receptor != QLatin1String("0") && !receptor.isEmpty();
}

}  // namespace tavo
