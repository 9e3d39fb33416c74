#include "engine/almacenamiento.h"

#include "engine/simulacion.h"

namespace tavo {

namespace {
void SinRuteoDeEmbalses() {
  AdvertenciaSimulacion(QStringLiteral(
      "Esta versión del programa todavía no simula lagos ni represas. Quítelos de la red para correr el modelo."));
}
}  // namespace

void Proceso_en_Lago(Integer) { SinRuteoDeEmbalses(); }
void Proceso_en_Represa(Integer) { SinRuteoDeEmbalses(); }

}  // namespace tavo
