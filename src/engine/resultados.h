// The results of a run and the working values the routing procedures share: the hydrographs of one
// storm (`ResultadosTormenta`), the unit volumes and the scratch values that every routed component
// overwrites, all of them the state of one run; and the per-storm summaries of a series
// (`ResultadosSerie`).
#pragma once

#include <QString>

#include "platform/arrays.h"
#include "platform/vb.h"
#include "project/componentes.h"

namespace tavo {

// ---- the state of one run. Each thread that computes storms has its own (a series computes its
// storms side by side); the windows read the main thread's, which holds the last run it computed. ----

// one storm: first index the component position (or unit, lake, dam number), second the step
inline thread_local Integer nPasosSalida = 0;        // NQ, the number of output steps; grows during a run
inline thread_local Array2<Single> QSaleCompo;       // outflow of the component at position i [m3/s]
inline thread_local Array2<Single> QEntraCompo;      // inflow of the non-unit component at position i [m3/s]
inline thread_local Array2<Single> PpUEHPaso;        // rain on unit i during rain step k [mm]
inline thread_local Array2<Single> HEmbalseLago;     // level of lake n [m]
inline thread_local Array2<Single> SEmbalseLago;     // storage of lake n [m3]
inline thread_local Array2<Single> HEmbalseRepresa;  // level of dam n [m]
inline thread_local Array2<Single> SEmbalseRepresa;  // storage of dam n [m3]
inline thread_local Integer kTormenta = 0;           // number of the storm in hand: its column of the series

// units
inline thread_local Integer kPaso = 0;              // rain step, later output step, of the loop in hand
inline thread_local Array1<Single> nPasosInfiltra;  // wet-step counter of each unit's infiltration
inline thread_local Array1<Single> VolEscUEH;       // runoff volume of unit i, base flow included [m3]
inline thread_local Array1<Long> VolBaseUEH;        // base-flow volume of unit i [m3]
inline thread_local Array1<Single> CoefEscUEH;      // runoff coefficient of unit i [%]
inline thread_local Long VolEscTotal = 0;           // direct runoff volume of the basin [m3]
inline thread_local Long VolBaseTotal = 0;          // base-flow volume of the basin [m3]
inline thread_local Single CoefEscTotal = 0;        // runoff coefficient of the basin [%]

// The direct runoff of unit i [m3]: its runoff volume less its base flow's, never below nothing (the
// base flow's volume is summed in whole cubic metres and the runoff's in single precision, so a storm
// without runoff would come out a few cubic metres below nothing). Reads VolEscUEH and VolBaseUEH.
inline double UnitRunoff(Integer i) {
  const double escorrentia = static_cast<double>(VolEscUEH(i)) - VolBaseUEH(i);
  return escorrentia > 0 ? escorrentia : 0.0;
}

// overwritten by every routed reach, lake or dam
inline thread_local Single QInicial = 0;  // initial inflow from the units draining straight in [m3/s]
inline thread_local Single HEmbalse = 0;  // current level [m]
inline thread_local Single SEmbalse = 0;  // current storage [m3]
inline thread_local Single AEmbalse = 0;  // current area [ha]
inline thread_local Single VolEntra = 0;  // inflow volume [m3]
inline thread_local Single VolSale = 0;   // outflow volume [m3]
inline thread_local Single DenMusk = 0;   // Muskingum denominator and coefficients
inline thread_local Single C0Musk = 0;
inline thread_local Single C1Musk = 0;
inline thread_local Single C2Musk = 0;
inline thread_local ObjectRef ElementoAportante;  // the contributing record being visited
inline thread_local QString LineaProceso;         // the report row being built
inline thread_local QString BlancosProceso;
inline thread_local Integer nBlancosProceso = 0;

// ---- the series' results: second index the storm; each storm writes its own column only ----
inline ColumnArray2<Single> QpSerie;  // peak outflow of the component at position i [m3/s]
inline ColumnArray2<Long> ESerie;     // direct runoff volume of unit i [m3]
inline ColumnArray2<Single> CESerie;  // runoff coefficient of unit i [%]
inline Array1<Long> ETotalSerie;      // direct runoff volume of the basin [m3]
inline Array1<Single> CETotalSerie;   // runoff coefficient of the basin [%]

// Muskingum coefficients for K [min], x and a step of dt minutes into DenMusk and C0Musk..C2Musk (the
// state of one run):
// K·x and K − K·x in Single, the terms with 0.5·dt in Double, each result stored as Single. False
// when the denominator is 0 or the coefficients do not add up to 1 (within 1E-06, so that valid
// constants whose Single sum is off in the last digit pass).
bool CoeficientesMuskingum(Single K, Single x, Integer dt);

// A column of a report row: the text followed by blanks up to `width` characters (none when it is
// already as long), or preceded by them when `right` is set.
QString Columna(const QString& text, int width, bool right = false);

// Everything above, the main thread's, back to the values of a program that has not run yet.
void ResetResultadosState();

// Gives back the memory of this thread's hydrographs, levels and storages of one storm: a thread of the
// pool that computed storms of a series holds none of it once it has no storm left.
void ReleaseStormResults();

}  // namespace tavo
