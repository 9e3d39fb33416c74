// The open project and its component network: identity and folders, the four network containers
// with their counts, the current selections, the reach geometry, the shared loop counters and
// reading slots, and the screen size.
#pragma once

#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "platform/arrays.h"
#include "platform/vb.h"
#include "project/componentes.h"

namespace tavo {

constexpr int kMaxCauces = 70;    // reaches
constexpr int kMaxUEHs = 70;      // units
constexpr int kMaxLagos = 70;     // lakes
constexpr int kMaxRepresas = 20;  // dams

// ---- project identity and folders ----
inline QString TituloPrograma;             // program title with its version
inline QString DirPrograma;                // folder the program runs from
inline QString DirActual;                  // working directory: settings and reservoir table files
inline QString DirTrabajo;                 // folder of the network files, recorded in the settings file
inline QString NombreProyecto;             // open project, prefix of its files; empty: none
inline QString RutaArchivo;                // path of the file last opened, read, written or deleted
inline Boolean ProyectoNuevo = false;      // a project was just created or copied under a new name
inline Boolean HayUltimoProyecto = false;  // the recent-project entry holds the last project

// ---- network containers: collections in load order, arrays by number (entry 0 unused) ----
inline std::vector<std::shared_ptr<Cauce>> colCauces;
inline std::vector<std::shared_ptr<UEH>> colUEHs;
inline std::vector<std::shared_ptr<Lago>> colLagos;
inline std::vector<std::shared_ptr<Represa>> colRepresas;
inline std::array<std::shared_ptr<Cauce>, kMaxCauces + 1> vCauces;
inline std::array<std::shared_ptr<UEH>, kMaxUEHs + 1> vUEHs;
inline std::array<std::shared_ptr<Lago>, kMaxLagos + 1> vLagos;
inline std::array<std::shared_ptr<Represa>, kMaxRepresas + 1> vRepresas;
inline Integer nCauces = 0;
inline Integer nUEHs = 0;
inline Integer nLagos = 0;
inline Integer nRepresas = 0;
// Times the project state was reset: a window filled from the network tells by it whether the network
// in memory may have been emptied or replaced by another project's since.
inline Long ProjectResets = 0;
// The network as last read from or written to its files (NetworkText): the editor asks whether to save
// only when the network in memory differs from it.
inline QString SavedNetworkText;

// ---- current selections (component numbers, 0 = none) ----
inline Integer selCauce = 0;
inline Integer selCauce2 = 0;  // the reach selected before the current one
inline Integer selUEH = 0;
inline Integer selRepresa = 0;
inline Integer selLago = 0;

// ---- reach geometry: vertex j of reach k is (XVertice(k, j), YVertice(k, j)), 1 downstream ----
inline Array1<Integer> numVerticesCauce(0, 100);  // vertex count of reach k
inline Array2<Single> XVertice(kMaxCauces, 5);
inline Array2<Single> YVertice(kMaxCauces, 5);

// ---- shared loop counters and reading slots. The counters of the walks over the components and the
// current component are also the state of one run: each thread that computes storms has its own ----
inline thread_local Integer iCauce = 0;
inline thread_local Integer iUEH = 0;
inline thread_local Integer iRepresa = 0;
inline thread_local Integer iLago = 0;
inline thread_local ObjectRef
    ElementoActual;  // current component of a walk; the element of the reservoir functions
inline Integer jVertice = 0;
inline Integer iGlobal = 0;            // each Integer read from a data file
inline QString LecturaTexto;           // each text read from a data file
inline Single LecturaSimple = 0;       // each Single read from a data file
inline Boolean LecturaLogica = false;  // each logical value read from the network file

// ---- screen size in twips (32-bit, so that screens wider than 2184 pixels fit) ----
inline Long AnchoPantalla = 0;
inline Long AltoPantalla = 0;

// Empties the network and the project identity, then re-reads the working-directory file.
void ReiniciaProyecto();
// Fills AnchoPantalla and AltoPantalla with the screen size in twips.
void LeeDimensionesPantalla();

// Sets all of the above to the values they hold when the program starts.
void ResetEstadoProyecto();

}  // namespace tavo
