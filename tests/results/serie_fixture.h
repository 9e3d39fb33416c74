// The results of a storm series written by hand: the unit u-A and the reach c-B (the outlet), every
// duration and recurrence selected, a rain step of 15 minutes. Storm k of the series gives component
// c the peak c·10 + k + 0.125 m3/s (a half that rounds to even), the unit the volume 1000·k m3 and the
// coefficient k + 0.456 %, the basin 2000·k m3 and k + 0.5 %.
#pragma once

#include <vector>

#include "engine/resultados.h"
#include "platform/app.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "support/fixture.h"

namespace tavo::test {

struct Tormenta {
  Single P;
  Integer D;
  Integer R;
};

class SerieTest : public TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirActual = programDir();
    NombreProyecto = QStringLiteral("Prueba");
    TextoProyecto = QStringLiteral("Arroyo de prueba");
    TextoUbicacion = QStringLiteral("Sierra Chica");
    TextoCuenca = QStringLiteral("Río Primero");
    TextoSubCuenca = QStringLiteral("Arroyo Seco");
    TextoOperador = QStringLiteral("Operador");
    SetFixedClock(QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0)));
    for (int k = 0; k < kNroDuraciones; ++k) SelDuracion(k) = 1;
    for (int k = 0; k < kNroRecurrencias; ++k) SelRecurrencia(k) = 1;
    PasoPp = 15;
    Componentes({"u-A", "c-B"}, 1);
    nComponentesFinales = 1;
    ComponentesFinales(1) = QStringLiteral("c-B");
  }
  static void Componentes(const std::vector<const char*>& nombres, Integer unidades) {
    nComponentes = static_cast<Integer>(nombres.size());
    nUEHs = unidades;
    NombresComponentes.redim(0, nComponentes);
    for (int i = 1; i <= nComponentes; ++i) NombresComponentes(i) = QString::fromLatin1(nombres[i - 1]);
  }
  // The series and its results.
  static void Serie(const std::vector<Tormenta>& tormentas) {
    const int N = static_cast<int>(tormentas.size());
    NroTormentasSerie = static_cast<Integer>(N);
    PpSerie.redim(0, N);
    DurSerie.redim(0, N);
    RecSerie.redim(0, N);
    QpSerie.redim(0, nComponentes, 0, N);
    ESerie.redim(0, nUEHs, 0, N);
    CESerie.redim(0, nUEHs, 0, N);
    ETotalSerie.redim(0, N);
    CETotalSerie.redim(0, N);
    for (int k = 1; k <= N; ++k) {
      PpSerie(k) = tormentas[static_cast<size_t>(k - 1)].P;
      DurSerie(k) = tormentas[static_cast<size_t>(k - 1)].D;
      RecSerie(k) = tormentas[static_cast<size_t>(k - 1)].R;
      for (int c = 1; c <= nComponentes; ++c) QpSerie(c, k) = static_cast<Single>(c * 10 + k + 0.125);
      for (int u = 1; u <= nUEHs; ++u) {
        ESerie(u, k) = 1000 * k;
        CESerie(u, k) = static_cast<Single>(k + 0.456);
      }
      ETotalSerie(k) = 2000 * k;
      CETotalSerie(k) = static_cast<Single>(k + 0.5);
    }
  }
};

}  // namespace tavo::test
