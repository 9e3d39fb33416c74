#include "rainfall/tormenta.h"

#include "rainfall/distribuciones.h"
#include "rainfall/tablaspdr.h"

namespace tavo {

void ClearSeries() {
  NroTormentasSerie = 0;
  PpSerie.redim(0, 0);
  DurSerie.redim(0, 0);
  RecSerie.redim(0, 0);
}

void ResetRainfallState() {
  PpTormenta = 0;
  DurTormenta = 0;
  RecTormenta = 0;
  FormaPp = 0;
  DistriPp = 0;
  NroTablaPDR = 0;
  PasoPp = 0;
  PasoQ = 0;
  PpUEH.redim(0, 70);
  nPerDistri = 0;
  NumPer = 0;
  PpPeriodo.redim(0, 0);
  PpAcumPer.redim(0, 0);
  IntensidadPer.redim(0, 0);
  PpEntregada = 0;
  ClearSeries();
  ResetDistribucionesState();
  ResetTablasPDRState();
}

}  // namespace tavo
