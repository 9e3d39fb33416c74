// The hyetograph: the storm divided into periods of equal length, each with its depth, cumulative
// depth and mean intensity, and the rain that each calculation step of the run receives from it.
#pragma once

#include <QString>
#include <optional>

#include "platform/arrays.h"
#include "platform/vb.h"
#include "rainfall/distribuciones.h"
#include "rainfall/tormenta.h"

namespace tavo {

// ---- the state of one run, each thread its own ----
// Scratch of the hyetograph table in the report.
inline thread_local Integer kPer = 0;
inline thread_local QString LineaDistri;
inline thread_local QString BlancosDistri;
inline thread_local Integer nBlancosDistri = 0;

inline thread_local Single HyetographDepth = 0;  // the depth P the hyetograph was built with [mm]
inline thread_local Boolean HyetographRefused =
    false;                                      // the last build refused the storm: it must not be run
inline thread_local QString HyetographRefusal;  // why, in the words of its message
inline thread_local Boolean HyetographRefusesEveryStorm =
    false;  // the refusal holds for a storm of any duration

// The user distributions as the series under way read them once, before its storms: every storm of
// the series spreads its rain by them. None outside a series.
inline std::optional<TablasDisTemPer> SeriesDistributions;

// Builds the hyetograph from the storm definition and, with the report on, lists it in the report.
// A run-time failure is shown and sets P and D to 0; a storm the chosen distribution cannot spread
// (a user table without periods, the theoretical distribution beyond 48 hours) is refused with a
// message (left to the series driver during a series run) and sets HyetographRefused.
// Reads P, D, PasoPp, FormaPp, DistriPp, a measured storm's PpPeriodo, the user distributions (the
// series' own during a series) and PizarraActiva; writes the hyetograph (nPerDistri, NumPer, PpPeriodo,
// PpAcumPer, IntensidadPer, PpEntregada), the table scratch, HyetographDepth, the refusal and the
// report window's text.
void DistribucionTemporalPp();
// True when the storm definition's distribution refuses a storm of D minutes whatever its depth: the
// theoretical distribution has no shape for it. Reads FormaPp and DistriPp.
bool DurationRefused(Integer D);
// The rain [mm] of calculation step k (1 first), the step from (k - 1) * PasoPp to k * PasoPp. The
// calls of one pass come in increasing order of k from 1 after the hyetograph was built.
// Reads P, D, PasoPp, FormaPp, DistriPp and the hyetograph; writes PpEntregada and element 0 and the
// bounds of PpAcumPer and IntensidadPer.
Single PpDelPaso(Integer k);

void ResetHietogramaState();

}  // namespace tavo
