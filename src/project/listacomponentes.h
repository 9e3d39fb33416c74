// The list of every component of the network, its outlets, and the check of the network before a
// run: no outlet, reaches, dams or lakes that receive nothing, loops, and several outlets.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/arrays.h"
#include "platform/vb.h"

namespace tavo {

constexpr int kMaxComponentesFinales = 10;  // the most outlets a network may have

// The list and the finding of its check are also the state of one run (each storm of a series builds
// the list again and orders it): each thread that computes storms has its own.
inline thread_local Integer nComponentes = 0;                  // units + reaches + lakes + dams
inline thread_local Array1<QString> NombresComponentes(0, 0);  // names in positions 1..nComponentes
inline thread_local Integer nComponentesFinales = 0;           // outlets found, 0..10
inline thread_local Array1<QString> ComponentesFinales(0, kMaxComponentesFinales);  // outlet names, 1..count
inline thread_local Integer CompoSel = 0;           // position of the component whose results are shown
inline thread_local Boolean RedConErrores = false;  // the last check found a fault that forbids a run
inline Boolean OmiteAvisoSalidas = false;           // the check does not ask about several outlets
// Read by the network editor when it closes:
inline Boolean ContinuarConAvisos = false;  // the user answered No (go on) to a question of the last check
inline Boolean SalidaUnica = false;    // the last check found one outlet and the user went on to no question
inline Boolean BackToEditing = false;  // the user answered Yes (go back) to a question of the last check
inline Boolean ClosingCheck = false;   // the check runs as the editor closes: the first Yes ends it

// Builds the component list and the outlet list from the network containers, then checks the network.
// Reads the network; writes the list, the outlets and the check's flags (see InformeComponenteFinal).
void ComponenteFinal();
// Builds the component list and the outlet list only, asking nothing; returns the outlets that did not
// fit in the outlet list. Reads the network; writes nComponentes, NombresComponentes,
// nComponentesFinales and ComponentesFinales.
QStringList BuildComponentList();
// Checks the network and asks about each finding whether to go back to the editor. `extraOutlets`
// holds the outlets that did not fit in the outlet list; with any, the network is refused. Reads the
// network and OmiteAvisoSalidas; writes RedConErrores, ContinuarConAvisos and SalidaUnica.
void InformeComponenteFinal(Integer nFinales, Integer nComp, Array1<QString>& finales,
                            Array1<QString>& nombres, const QStringList& extraOutlets = {});

// The reaches, lakes and dams that drain, through one another, back into themselves, in container
// order; empty for a network without loops.
QStringList ComponentsInLoops();

void ResetListaComponentesState();

}  // namespace tavo
