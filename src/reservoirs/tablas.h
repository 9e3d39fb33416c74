// The reservoir tables in memory and their files: per dam the height-area-storage table
// (<project>_RHAS.pcn) and the height-discharge table (<project>_RHQ.pcn), per lake the
// height-area-storage-outflow table (<project>_LHASQ.pcn). Tables are indexed by element number and
// row (rows 1..N; row 0 holds no data); the files key them by element name.
#pragma once

#include <memory>
#include <vector>

#include "platform/arrays.h"
#include "platform/seqfile.h"
#include "platform/vb.h"

namespace tavo {

// ---- dam height-area-storage tables ----
inline Array1<Integer> NFilasHSVRepresa;  // rows of each dam's table, by numRepresa
inline Array2<Single> HTablaHSVRepresa;   // level H [m]
inline Array2<Single> ATablaHSVRepresa;   // area A [ha]
inline Array2<Long> STablaHSVRepresa;     // storage S [m3]

// ---- dam height-discharge tables ----
inline Array1<Integer> NFilasHQRepresa;  // rows of each dam's table, by numRepresa
inline Array2<Single> HTablaHQRepresa;   // level H [m]
inline Array2<Single> QTablaHQRepresa;   // outflow Q [m3/s]

// ---- lake height-area-storage-outflow tables ----
inline Array1<Integer> NFilasHSVQLago;  // rows of each lake's table, by numLAGO
inline Array2<Single> HTablaHSVQLago;   // level H [m]
inline Array2<Single> ATablaHSVQLago;   // area A [ha]
inline Array2<Long> STablaHSVQLago;     // storage S [m3]
inline Array2<Single> QTablaHSVQLago;   // outflow Q [m3/s]

// A dam's or lake's tables stand in the files under the name the network file gave it at the last
// load (tablesName), so that a rename waits for the network save; a dam or lake added since goes by
// its own name, and is filed under it when its family is written.

// Readers: each recreates its family for the elements of its collection and fills the table of every
// element that its file holds by name; elements the file lacks keep 0 rows. They set the kind's
// count, make DirActual the current directory, set RutaArchivo to the file's name and leave
// ElementoActual on the last element walked. A file whose tables could not all be read is noted as not
// read whole, so that the next write keeps a copy of it.
void LeeTablaHSVRepresa();
void LeeTablaHQRepresa();
void LeeTablaHSVQLago();  // also sets dlgLago.lblParametros for the lake selLago when the dialog is loaded

// Writers: each stores the tables of every element of its collection, in collection order, from
// memory. A write that fails is reported, leaves the old file as it was and returns false; a file not
// read whole is copied first.
bool GuardaTablaHSVRepresa();
bool GuardaTablaHQRepresa();
bool GuardaTablaHSVQLago();

// For the network save: the table files of the families where a dam or lake was renamed since the
// load, rewritten with its tables under its name now, as output files not yet closed. The network
// writer closes them together with the network files, so that the tables follow the names exactly
// when the network files take them. Raises the error of a table file that cannot be read or written.
std::vector<std::unique_ptr<SeqFile>> TablasRenombradas();

// Sets the row bound of every column of a family to `upper`, keeping the stored values.
void RedimFilasHSVRepresa(int upper);
void RedimFilasHQRepresa(int upper);
void RedimFilasHSVQLago(int upper);

// Sets the tables and the dams' outflow settings to their state when the program starts: never read.
// The table windows' own state has its reset (ResetTablaReservorioState).
void ResetReservoirState();

}  // namespace tavo
