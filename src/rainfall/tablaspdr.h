// The four depth-duration-recurrence storm tables (table 0 delivered with the program, 1 to 3 the
// user's) and their file TablasPDRs_pdr.pcn in the program folder, common to every project.
#pragma once

#include <QString>
#include <array>

#include "platform/arrays.h"
#include "platform/vb.h"

namespace tavo {

// ---- the tables, by table t = 0..3 and storm i = 1..NroFilasTablaPDR(t) ----
inline std::array<Integer, 4> NroFilasTablaPDR{};  // storm count of table t
inline Array2<Integer> PpTablaPDR(3, 1);           // P [mm]
inline Array2<Integer> DurTablaPDR(3, 1);          // D [min]
inline Array2<Integer> RecTablaPDR(3, 1);          // R [years]
inline std::array<QString, 4> NotasTablaPDR;       // free notes of table t

// Reads the tables file in the program folder, then loads the storms of table NroTablaPDR as the
// storm series. Any failure, without a message, leaves the regional table with its count and the
// storms read so far, the user tables and the series empty, and the file noted as not read whole.
void LeeTablaPDRs();
// Writes the four tables to the tables file in the program folder, replacing it.
void GuardaTablasPDRs();
// Gives every counted storm of every table a place: the storm dimension of the three value arrays
// reaches the largest count, keeping their contents.
void DimensionaTablasPDRs();

void ResetTablasPDRState();

}  // namespace tavo
