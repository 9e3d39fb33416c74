#include "engine/resultados.h"

#include <cmath>

#include "engine/proceso.h"
#include "engine/secuencia.h"
#include "engine/simulacion.h"

namespace tavo {

bool CoeficientesMuskingum(Single K, Single x, Integer dt) {
  const Single kx = K * x;
  const Single k1x = K - kx;
  const double half = 0.5 * dt;
  DenMusk = static_cast<Single>(k1x + half);
  if (DenMusk == 0) return false;
  C0Musk = static_cast<Single>(-(kx - half) / DenMusk);
  C1Musk = static_cast<Single>((kx + half) / DenMusk);
  C2Musk = static_cast<Single>((k1x - half) / DenMusk);
  const Single sum = C0Musk + C1Musk + C2Musk;
  return std::fabs(sum - 1.0f) <= 1e-6f;
}

QString Columna(const QString& text, int width, bool right) {
  if (text.size() >= width) return text;
  const QString blanks(width - text.size(), QLatin1Char(' '));
  return right ? blanks + text : text + blanks;
}

void ReleaseStormResults() {
  nPasosSalida = 0;
  QSaleCompo = {};
  QEntraCompo = {};
  PpUEHPaso = {};
  HEmbalseLago = {};
  SEmbalseLago = {};
  HEmbalseRepresa = {};
  SEmbalseRepresa = {};
}

void ResetResultadosState() {
  ReleaseStormResults();
  kTormenta = 0;
  QpSerie = {};
  ESerie = {};
  CESerie = {};
  ETotalSerie = {};
  CETotalSerie = {};
  kPaso = 0;
  nPasosInfiltra = {};
  VolEscUEH = {};
  VolBaseUEH = {};
  CoefEscUEH = {};
  VolEscTotal = VolBaseTotal = 0;
  CoefEscTotal = 0;
  QInicial = HEmbalse = SEmbalse = AEmbalse = VolEntra = VolSale = 0;
  DenMusk = C0Musk = C1Musk = C2Musk = 0;
  ElementoAportante.reset();
  LineaProceso.clear();
  BlancosProceso.clear();
  nBlancosProceso = 0;
  SeriesChecked = false;
  ForgetSeriesOrder();
  SimulationCompleted = false;
  StormsRefused.clear();
}

}  // namespace tavo
