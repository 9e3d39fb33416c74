// The run drivers: one storm, or every storm of a P-D-R series with its progress window and its
// results file, each after refreshing the project data from the files.
#pragma once

#include <QSet>
#include <QString>
#include <QTime>

#include "platform/vb.h"

namespace tavo {

inline thread_local Boolean TormentaExcluida = false;  // the series storm just loaded does not take part
inline QTime HoraInicioSerie;                          // time of day at which the series run started
inline QSet<Integer> StormsRefused;  // storms of the last series run whose hyetograph was refused

// Reloads the settings, the network, the reservoir tables and the dams' outflow settings.
// Reads the project's files; writes the settings state, the network, the reservoir tables,
// ChkFQRepresa and CoefFQRepresa, and has the main window show the project.
void CargaDatosProceso();
// Runs the storm of the storm definition once, with its report.
// Reads the storm and the user's report setting PizarraMarcada; writes PizarraActiva,
// OmiteAvisoSalidas, the report window's text and all that Proceso_Simulacion writes.
void CorreUnaTormenta();
// Runs every storm of the series and writes SaleTablasQDRs_tem.txt. The storms are computed side by
// side on ThreadCount() workers, each in the state of one run of its own thread; the main thread is left
// with the last storm's state and report, as when they run one after another, and the storm the user
// defined (P, D, R, its mode, distribution and steps) is back as it was before the series.
// Reads the series and the selected durations and recurrences; writes the series' results,
// StormsRefused, HoraInicioSerie, the report switches and kTormenta.
void CorreSeriePDR();
// Puts storm kTormenta of the series into P, D and R and decides whether it takes part: a storm the
// run refused (StormsRefused) takes no part either.
// Reads kTormenta, the series, PasoPp, SelDuracion, SelRecurrencia and StormsRefused; writes
// PpTormenta, DurTormenta, RecTormenta and TormentaExcluida.
void LeeTormentaSerie();
// Writes the series results of every component and retained storm to SaleTablasQDRs_tem.txt.
// Reads the series' results, NombresComponentes and the project's texts; writes CompoSel and
// kTormenta (left one past their last values), P, D and R, and the current folder.
void GuardaTablasQDR();

// The progress window of a series, as the series driver drives it (through the hooks the progress
// window installs, engine/hooks.h):
// shown at once with its waiting caption, the bar at 0 and the time line "PDR"; the storm in hand and
// the elapsed time; the bar's percentage, painted at once; closed.
void AbreProgresoSerie();
void ProgresoTormenta(const QString& tormenta, const QString& tiempo);
void ProgresoPorcentaje(int porcentaje);
void CierraProgresoSerie();

// The time since the series started, as hours, minutes and seconds without leading zeros (0:3:7).
// Reads HoraInicioSerie and the clock.
QString TiempoTranscurrido();
// True when a storm of `duracion` minutes fits the step counts of a run with the settings' extra
// time and the rain step; otherwise the user is told why it cannot be run.
// Reads TiempoAdicional and PasoPp.
bool DuracionCalculable(Integer duracion);

}  // namespace tavo
