#include "results/resultadosserie.h"

#include "engine/proceso.h"
#include "engine/resultados.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

template <template <class> class Array, class T>
std::optional<T> Guardado(const Array<T>& valores, int i, int k) {
  if (i < valores.lower1() || i > valores.upper1() || k < valores.lower2() || k > valores.upper2()) return {};
  return valores(i, k);
}

template <class T>
std::optional<T> Guardado(const Array1<T>& valores, int k) {
  if (k < valores.lower() || k > valores.upper()) return {};
  return valores(k);
}

}  // namespace

void ForEachRetainedStorm(const std::function<void()>& paso) {
  const Single p = PpTormenta;
  const Integer d = DurTormenta;
  const Integer r = RecTormenta;
  struct Restaura {
    Single p;
    Integer d;
    Integer r;
    ~Restaura() {
      PpTormenta = p;
      DurTormenta = d;
      RecTormenta = r;
    }
  } restaura{p, d, r};
  for (kTormenta = 1; kTormenta <= NroTormentasSerie; ++kTormenta) {
    LeeTormentaSerie();
    if (!TormentaExcluida) paso();
  }
}

std::optional<Single> PicoSerie(int c, int k) {
  return Guardado(QpSerie, c, k);
}
std::optional<Long> EscorrentiaSerie(int u, int k) {
  return Guardado(ESerie, u, k);
}
std::optional<Single> CoefEscSerie(int u, int k) {
  return Guardado(CESerie, u, k);
}
std::optional<Long> EscorrentiaTotalSerie(int k) {
  return Guardado(ETotalSerie, k);
}
std::optional<Single> CoefEscTotalSerie(int k) {
  return Guardado(CETotalSerie, k);
}

QString ArchivoConfiguracion() {
  return DirActual + QLatin1Char('/') + NombreProyecto + QStringLiteral("_Conf.pcn");
}

}  // namespace tavo
