// One storm over the whole network: the checks, the time horizon and the result arrays, then the
// runoff of every unit, the routing of every reach, lake and dam in order, and the report file.
#pragma once

#include <QString>

#include "platform/arrays.h"
#include "platform/errors.h"
#include "platform/vb.h"

namespace tavo {

// ---- working values of a run ----
inline Single AreaTotalUEHs = 0;          // sum of the units' areas [ha]
inline Integer RelacionPasos = 0;         // r: output steps in one rain step
inline Integer NPasosLluvia = 0;          // NP: rain-step horizon
inline Single PpMediaAcum = 0;            // areal-mean rain simulated so far [mm]
inline Array1<Single> RetencionRestante;  // retention still available on each unit [mm]
inline Integer RetardoMaximo = 0;         // largest lag of a directly routed reach so far [output steps]
inline Boolean SeriesChecked = false;     // the series under way made its run checks once, up front
// The last simulation went on to its last component: no warning stopped it.
inline Boolean SimulationCompleted = false;

// The failures a run stops at: warnings already shown by the step that met them.
struct SimulacionDetenida {};

// Simulates the storm of the storm definition over the loaded network. `Unica`: a single storm
// (the report file is written at the end) rather than one storm of a series.
void Proceso_Simulacion(const Boolean& Unica);

// Rainfall-runoff on every unit, step by step, and its base flow.
void SimulaUEHs();
// The units' flow table, volumes and peaks, their summaries and the basin totals.
void ResumenUEHs();
// Routes the reach at position j of the component list.
void Proceso_en_Cauce(Integer j);

// The checks of a run that do not depend on the storm: the units, the steps, and the finding of the
// network check last made. The first that fails is shown and false returned.
bool RunChecks();

// Extends the output horizon to m steps, keeping every result computed so far.
void AmpliaHorizonte(Integer m);
// A warning of the run: exclamation icon, OK, title "Advertencia !".
void AdvertenciaSimulacion(const QString& texto);
// The first position in first..last of the component list that holds `nombre`; error 9 when none.
Integer PosicionComponente(const QString& nombre, Integer first, Integer last);

// The report file SalePizarra1_tem.txt in the program folder, with the length notice.
void GuardaInformeSimulacion();

}  // namespace tavo
