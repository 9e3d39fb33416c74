// Storage routing of lakes and dams: each element's inflow from the units and reaches that drain into
// it, routed by Muskingum, level pool or Runge-Kutta, with its levels, storages, peak and summary table.
#pragma once

#include <QSet>
#include <QString>

#include "engine/informe.h"
#include "platform/arrays.h"
#include "platform/textbuffer.h"
#include "platform/vb.h"

namespace tavo {

inline QSet<QString> StorageWarningsGiven;  // warnings and questions of the routing already shown in this run

// Routes the lake (dam) named at position j of NombresComponentes by its method. Reads the outflows of
// the units and reaches draining into it from QSaleCompo, the lakes (dams) and their tables; writes its
// inflow and outflow rows, the levels and storages of its number, its peak in QpSerie(j, kTormenta),
// the working values (QInicial, HEmbalse, SEmbalse, AEmbalse, VolEntra, VolSale, the Muskingum
// coefficients, kPaso, iUEH, iCauce, CompoSel, ElementoActual, ElementoAportante) and, with the report
// on, its tables in TextoProceso. A lake (dam) whose method is unknown stops the call when the walk
// meets it.
void Proceso_en_Lago(Integer j);
void Proceso_en_Represa(Integer j);

// Called when a run starts (a single storm, or a whole storm series): the routing's warnings and its
// zero-area question are shown once per component and run. Writes StorageWarningsGiven.
void ForgetStorageWarnings();

// ---- shared by the three methods ----

// The lake or dam being routed, read from its record, with the functions and result arrays of its kind.
struct StorageElement {
  bool lake = true;
  QString word;             // "Lago" or "Represa", as the texts name the kind
  QString name;             // NombreLAGO or NombreRepresa
  Integer number = 0;       // numLAGO or numRepresa: the row of the level and storage arrays
  QString method;           // the Metodo text
  Single K = 0;             // Muskingum K [min]
  Single initialLevel = 0;  // HInicialEmb [m]
  Array2<Single>* levels = nullptr;
  Array2<Single>* storages = nullptr;
  Single (*S)(Single) = nullptr;   // storage [m3] at a level
  Variant (*A)(Single) = nullptr;  // area [ha] at a level
  Single (*Q)(Single) = nullptr;   // outflow [m3/s] at a level
  // The storage and the outflow at a level inside the tables, asking nothing (see SdeHLagoDentro).
  bool (*SInside)(Single, Single&) = nullptr;
  bool (*QInside)(Single, Single&) = nullptr;
};

// Level-pool routing of the element at position j: inflow row formed, outflow, levels and storages of
// steps 0..nPasosSalida written, and its detail table appended to TextoProceso whatever the report.
// Reads QEntraCompo, QInicial, PasoQ and the element's tables; writes QEntraCompo(j, 0), QSaleCompo's
// row j, the element's levels and storages, HEmbalse, SEmbalse, kPaso and TextoProceso.
void RouteLevelPool(const StorageElement& e, Integer j);
// Runge-Kutta routing of the element at position j, with the same results and detail table; writes
// AEmbalse too.
void RouteRungeKutta(const StorageElement& e, Integer j);

// The detail table of a method: its heading with the given column titles, a row of nine values appended
// to `text` (three blanks between the first six, eight before the outflow, two before the level and the
// storage), and its closing line.
QString DetailHeading(const StorageElement& e, Integer j, const QString& columns);
void AppendDetailRow(TextBuffer& text, Integer k, Integer t, Single a, Single b, Single c, Single d, Single q,
                     Single h, Single s);
// The same row in two parts: the step, the time and the next three values, then the last four.
void DetailRowHead(ReportRow& row, Integer k, Integer t, Single a, Single b, Single c);
void DetailRowTail(ReportRow& row, Single d, Single q, Single h, Single s);
QString DetailEnd(const StorageElement& e);

// True the first time `key` is met in the run: reads and writes StorageWarningsGiven. A storm computed
// ahead of its turn, with its messages deferred, stops here (MessageDeferred) rather than remember it.
bool FirstInRun(const QString& key);

void ResetAlmacenamientoState();

}  // namespace tavo
