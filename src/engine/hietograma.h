// The hyetograph: the storm divided into periods of equal length, each with its depth, cumulative
// depth and mean intensity, and the rain that each calculation step of the run receives from it.
#pragma once

#include <QString>

#include "platform/arrays.h"
#include "platform/vb.h"
#include "rainfall/tormenta.h"

namespace tavo {

// Scratch of the hyetograph table in the report.
inline Integer kPer = 0;
inline QString LineaDistri;
inline QString BlancosDistri;
inline Integer nBlancosDistri = 0;

inline Single HyetographDepth = 0;                   // the depth P the hyetograph was built with [mm]
inline Boolean HyetographRefused = false;            // the last build refused the storm: it must not be run
inline QString HyetographRefusal;                    // why, in the words of its message
inline Boolean HyetographRefusesEveryStorm = false;  // the refusal holds for a storm of any duration

// Builds the hyetograph from the storm definition and, with the report on, lists it in the report.
// A run-time failure is shown and sets P and D to 0; a storm the chosen distribution cannot spread
// (a user table without periods, the theoretical distribution beyond 48 hours) is refused with a
// message (left to the series driver during a series run) and sets HyetographRefused.
void DistribucionTemporalPp();
// True when the storm definition's distribution refuses a storm of D minutes whatever its depth: the
// theoretical distribution has no shape for it.
bool DurationRefused(Integer D);
// The rain [mm] of calculation step k (1 first), the step from (k - 1) * PasoPp to k * PasoPp. The
// calls of one pass come in increasing order of k from 1 after the hyetograph was built.
Single PpDelPaso(Integer k);

void ResetHietogramaState();

}  // namespace tavo
