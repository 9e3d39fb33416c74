// The three user temporal distributions (storm distributions 5 to 7) and their file distriPp_dpt.pcn
// in the program folder, common to every project.
#pragma once

#include <QString>
#include <array>

#include "platform/arrays.h"
#include "platform/vb.h"

namespace tavo {

// ---- the store, by table t = 1..3 (element 0 belongs to no user table) ----
inline std::array<Integer, 4> NroFilasTablaPp{};  // period count N of table t; 0: empty table
inline Array2<Single> DisPer(3, 1);               // share of P in period j of table t [%], j = 1..N
inline std::array<Integer, 4> DurMinDisPer{};     // shortest storm the table is meant for [min]
inline std::array<Integer, 4> DurMaxDisPer{};     // longest storm the table is meant for [min]
inline std::array<QString, 4> NotasDisPer;        // free note of table t

// The three tables read for one use, apart from the store that the distribution editor edits.
struct TablasDisTemPer {
  std::array<Integer, 4> NroFilasTablaPp{};
  Array2<Single> DisPer{3, 1};
  std::array<Integer, 4> DurMinDisPer{};
  std::array<Integer, 4> DurMaxDisPer{};
  std::array<QString, 4> NotasDisPer;
};

// Replaces the store with the contents of distriPp_dpt.pcn, read in the program folder, and makes
// the working directory current again. Any failure leaves the three tables empty, without a message,
// and the file noted as not read whole.
void LeeTablaDisTemPer();
// Reads distriPp_dpt.pcn as LeeTablaDisTemPer does, into `tablas` instead of the store.
void LeeTablaDisTemPer(TablasDisTemPer& tablas);
// Makes the period dimension of DisPer reach the largest of the three counts, keeping its values.
void DimensionaDisPer();
// Writes the whole store to distriPp_dpt.pcn in the program folder, replacing the file; each failing
// statement shows its error and the save goes on.
void GuardaTablaDisTemPer();

void ResetDistribucionesState();

}  // namespace tavo
