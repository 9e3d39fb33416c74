// One storm over the whole network: the checks, the time horizon and the result arrays, then the
// runoff of every unit, the routing of every reach, lake and dam in order, and the report file.
#pragma once

#include <QString>

#include "platform/arrays.h"
#include "platform/errors.h"
#include "platform/vb.h"

namespace tavo {

class TextValueStream;

// ---- working values of a run: the state of one run, each thread its own ----
inline thread_local Single AreaTotalUEHs = 0;          // sum of the units' areas [ha]
inline thread_local Integer RelacionPasos = 0;         // r: output steps in one rain step
inline thread_local Integer NPasosLluvia = 0;          // NP: rain-step horizon
inline thread_local Single PpMediaAcum = 0;            // areal-mean rain simulated so far [mm]
inline thread_local Array1<Single> RetencionRestante;  // retention still available on each unit [mm]
inline thread_local Integer RetardoMaximo =
    0;  // largest lag of a directly routed reach so far [output steps]
// The last simulation went on to its last component: no warning stopped it.
inline thread_local Boolean SimulationCompleted = false;

// ---- the series under way (set before its storms start, read-only while they run) ----
inline Boolean SeriesChecked = false;   // the series made its run checks once, up front
inline Integer SeriesLongestStorm = 0;  // the longest duration of its storms [min]: each thread's result
                                        // arrays are sized for it once, and each storm clears its part

// The failures a run stops at: warnings already shown by the step that met them.
struct SimulacionDetenida {};

// Simulates the storm of the storm definition over the loaded network. `Unica`: a single storm
// (the report file is written at the end) rather than one storm of a series.
// Reads the storm and its hyetograph, the settings, the network and its tables, the report switch and
// the report window's text; writes every result of one storm, the component list, the report text
// TextoProceso and column kTormenta of the series' results (a single storm makes them anew).
void Proceso_Simulacion(const Boolean& Unica);

// Rainfall-runoff on every unit, step by step, and its base flow.
// Reads the units, the storm and the hyetograph; writes PpUEHPaso, PpUEH, PpMediaAcum, RetencionRestante,
// nPasosInfiltra, the units' rows of QSaleCompo (growing nPasosSalida), VolBaseUEH, VolBaseTotal.
void SimulaUEHs();
// The units' flow table, volumes and peaks, their summaries and the basin totals.
// Reads the units' rows of QSaleCompo and PpUEHPaso; writes VolEscUEH, CoefEscUEH, VolEscTotal,
// CoefEscTotal, the report text, and the units' and the basin's places in column kTormenta of the series.
void ResumenUEHs();
// Routes the reach at position j of the component list.
// Reads the reaches and what drains into the reach (QSaleCompo); writes its rows of QEntraCompo and
// QSaleCompo, QpSerie(j, kTormenta), QInicial, VolEntra, VolSale, the Muskingum coefficients or
// RetardoMaximo, CompoSel, iUEH, iCauce, ElementoActual, ElementoAportante and the report text.
void Proceso_en_Cauce(Integer j);

// The checks of a run that do not depend on the storm: the units, the steps, and the finding of the
// network check last made. The first that fails is shown and false returned.
// Reads the units, PasoPp, PasoQ and RedConErrores; writes AreaTotalUEHs, RelacionPasos, the basin
// totals' start and nPasosInfiltra.
bool RunChecks();

// Extends the output horizon to m steps, keeping every result computed so far.
// Writes nPasosSalida and the bounds of QSaleCompo, QEntraCompo and the levels and storages.
void AmpliaHorizonte(Integer m);
// A warning of the run: exclamation icon, OK, title "Advertencia !"; then the run stops.
void AdvertenciaSimulacion(const QString& texto);
// The first position in first..last of the component list that holds `nombre`; error 9 when none.
// Reads NombresComponentes.
Integer PosicionComponente(const QString& nombre, Integer first, Integer last);

// The report file SalePizarra1_tem.txt in the program folder, with the length notice; from what
// `adelantado` wrote ahead of it, when given.
// Reads TextoProceso and DirPrograma; writes RutaArchivo and the current folder.
void GuardaInformeSimulacion(TextValueStream* adelantado = nullptr);

}  // namespace tavo
