// The network files of a project: <project>_UEHs.pcn holds every record of every component and
// <project>_VerCau.pcn the vertices of the reaches, both in the working folder DirTrabajo.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "project/componentes.h"

namespace tavo {

// How a record value is stored in _UEHs.pcn.
enum class TipoCampo { Entero, Texto, Simple, Logico };

struct CampoRed {
  const char* nombre;  // member name of the record
  TipoCampo tipo;
};

// The record layouts of _UEHs.pcn, in file order; the first value is the record's number.
const std::vector<CampoRed>& CamposCauce();
const std::vector<CampoRed>& CamposUEH();
const std::vector<CampoRed>& CamposRepresa();
const std::vector<CampoRed>& CamposLago();

// The damaged-file message of the network loader.
extern const char* const kMensajeArchivoDanado;
// The message shown once when a file holds more components than the program keeps.
extern const char* const kMensajeExcesoComponentes;

// Loads the network of NombreProyecto from DirTrabajo into the containers, renumbering every kind
// 1 to n in file order; NombreProyecto becomes the name stored in the file. True when the network in
// memory is the whole network of the files; false after any message about them (RutaArchivo then
// names the file at fault) and when the vertex file is missing while reaches have vertices.
bool CargaRedProyecto();

// The network in memory as its two files hold it, the stream orders aside: the same text means the
// same network. SavedNetworkText keeps it as last loaded or saved.
QString NetworkText();

// The units of NombreProyecto's network as last saved, in file order (unit i is the i-th), read from
// DirTrabajo without touching the network in memory. A missing file gives none.
std::vector<std::shared_ptr<UEH>> LeeUEHsGuardadas();

// Writes both network files from the containers (after recomputing the stream orders), reads them
// back and confirms, or adds the confirmation to `confirmaciones` for the caller to show. An empty
// network deletes both files. A failed write leaves the old files and the network in memory as they
// were, and returns false.
bool EscribeRedProyecto(QStringList* confirmaciones = nullptr);

}  // namespace tavo
