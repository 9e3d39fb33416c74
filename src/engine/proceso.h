// The run drivers: one storm, or every storm of a P-D-R series with its progress window and its
// results file, each after refreshing the project data from the files.
#pragma once

#include <QSet>
#include <QString>
#include <QTime>

#include "platform/vb.h"

namespace tavo {

inline Boolean TormentaExcluida = false;  // the series storm just loaded does not take part
inline QTime HoraInicioSerie;             // time of day at which the series run started
inline QSet<Integer> StormsRefused;       // storms of the last series run whose hyetograph was refused

// Reloads the settings, the network, the reservoir tables and the dams' outflow settings.
void CargaDatosProceso();
// Runs the storm of the storm definition once, with its report.
void CorreUnaTormenta();
// Runs every storm of the series and writes SaleTablasQDRs_tem.txt.
void CorreSeriePDR();
// Puts storm kTormenta of the series into P, D and R and decides whether it takes part: a storm the
// run refused (StormsRefused) takes no part either.
void LeeTormentaSerie();
// Writes the series results of every component and retained storm to SaleTablasQDRs_tem.txt.
void GuardaTablasQDR();

// The progress window of a series, as the series driver drives it (the progress window keeps it):
// shown at once with its waiting caption, the bar at 0 and the time line "PDR"; the storm in hand and
// the elapsed time; the bar's percentage, painted at once; closed.
void AbreProgresoSerie();
void ProgresoTormenta(const QString& tormenta, const QString& tiempo);
void ProgresoPorcentaje(int porcentaje);
void CierraProgresoSerie();

// The time since the series started, as hours, minutes and seconds without leading zeros (0:3:7).
QString TiempoTranscurrido();
// True when a storm of `duracion` minutes fits the step counts of a run with the settings' extra
// time and the rain step; otherwise the user is told why it cannot be run.
bool DuracionCalculable(Integer duracion);

}  // namespace tavo
