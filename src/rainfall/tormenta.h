// The storm of the next run, its hyetograph, and the storm series of a depth-duration-recurrence
// table. Nothing of it is kept in a file: it lives in memory from start-up (all zero) to the end of
// the program.
#pragma once

#include "platform/arrays.h"
#include "platform/vb.h"

namespace tavo {

// ---- the storm definition. P, D, R and the depths per unit are also the state of one run: a series
// puts each of its storms there, and each thread that computes storms has its own ----
inline thread_local Single PpTormenta = 0;    // total depth P [mm]; 0: no storm defined
inline thread_local Integer DurTormenta = 0;  // duration D [min]; 0: no storm defined
inline thread_local Integer RecTormenta = 0;  // return period R [years]; 0: not given
inline Integer FormaPp = 0;   // input mode 0..4: 2 series of a table, 3 one depth per unit, 4 measured storm
inline Integer DistriPp = 0;  // temporal distribution 0..7: 0 constant, 1 theoretical, 2-4 built-in, 5-7 user
inline Integer NroTablaPDR = 0;                   // depth-duration-recurrence table of mode 2, 0..3
inline Integer PasoPp = 0;                        // rain step [min]: one calculation interval
inline Integer PasoQ = 0;                         // output step [min]: the interval of the hydrographs
inline thread_local Array1<Single> PpUEH(0, 70);  // depth of each unit by unit number [mm], read in mode 3

// The steps the step lists offer [min].
inline constexpr Integer kPasosTormenta[] = {5, 10, 15, 20, 30, 60, 120, 180, 240, 300, 360, 540, 720};

// ---- the storm series: storms 1..NroTormentasSerie, element 0 holds no storm ----
inline Integer NroTormentasSerie = 0;
inline Array1<Single> PpSerie(0, 0);    // P [mm]
inline Array1<Integer> DurSerie(0, 0);  // D [min]
inline Array1<Integer> RecSerie(0, 0);  // R [years]

// ---- the hyetograph of the storm (built by DistribucionTemporalPp; a measured storm's intervals),
// the state of one run, each thread its own ----
inline thread_local Integer nPerDistri = 0;          // NP, the number of periods of the hyetograph
inline thread_local Integer NumPer = 0;              // copy of NP, set when the hyetograph is complete
inline thread_local Array1<Single> PpPeriodo(0, 0);  // depth of period k [mm]; a measured storm's intervals
inline thread_local Array1<Single> PpAcumPer(0, 0);  // cumulative depth at the end of period k [mm]
inline thread_local Array1<Single> IntensidadPer(0, 0);  // mean intensity of period k [mm/min]
inline thread_local Single PpEntregada = 0;  // rain already handed out to the steps of this pass [mm]

// Empties the series: no storm, arrays with element 0 only.
void ClearSeries();

// Sets the storm, the series, the user distributions and the storm tables to their start-up values.
// The rainfall windows' lasting state has resets of its own (dlgPp::ResetState …).
void ResetRainfallState();

}  // namespace tavo
