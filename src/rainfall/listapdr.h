// The archived storm list ListaPDR.pcn of the working directory: one line per storm with its depth P,
// duration D and return period R, separated by commas.
#pragma once

#include <QString>
#include <vector>

#include "platform/vb.h"

namespace tavo {

// One archived storm: its three numbers and the text the storm list shows for it.
struct TormentaArchivada {
  Single P = 0;   // depth [mm]
  Integer D = 0;  // duration [min]
  Integer R = 0;  // return period [years]; 0: not given
  QString texto;  // "Pp= 100 - Dur = 60 - Rec = 0"
};

// The list text of a storm from the texts of its three numbers.
QString TextoTormentaArchivada(const QString& P, const QString& D, const QString& R);

// Reads the archived storms of the working directory. A missing file is an empty list; any other
// failure is shown and ends the reading with the storms read before it, the file noted as not read
// whole.
std::vector<TormentaArchivada> LeeListaPDR();
// Replaces the file with these storms. A failure is shown once and leaves the old file as it was;
// returns false then.
bool GuardaListaPDR(const std::vector<TormentaArchivada>& tormentas);

}  // namespace tavo
