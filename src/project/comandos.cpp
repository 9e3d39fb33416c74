#include "project/comandos.h"

#include <QStringList>

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"
#include "platform/vb.h"
#include "project/configuracion.h"
#include "project/directorio.h"
#include "project/estado.h"
#include "project/hooks.h"
#include "project/redfiles.h"

namespace tavo {

namespace {

const QString kSufijoConf = QStringLiteral("_Conf.pcn");

// Asks for the name of a new project or of a copy. Empty when the user cancelled, or when the name
// was refused (after saying so).
QString PideNombre(const QString& title) {
  const QString nombre =
      InputBox(QStringLiteral("Ingrese un nombre de archivo para el nuevo proyecto: "), title, QString());
  if (nombre.isEmpty()) return QString();
  if (!ValidProjectName(nombre)) {
    MsgBox(QStringLiteral("Nombre inválido: Ingrese solamente letras y/o dígitos sin caracteres especiales"),
           vbOKOnly | vbExclamation, QStringLiteral("Nombre de Proyecto inválido!!"));
    return QString();
  }
  return nombre;
}

// Whether the settings file of project `nombre` exists in `folder`, tested by opening it. A file that
// is not there (error 53) means no; any other error goes to the caller.
bool ExisteProyecto(const QString& folder, const QString& nombre) {
  try {
    SeqFile archivo(folder + QLatin1Char('/') + nombre + kSufijoConf, OpenMode::Input);
    archivo.close();
    return true;
  } catch (const VbError& e) {
    if (e.number == kErrFileNotFound) return false;
    throw;
  }
}

// The folder where a new project or a copy goes: DirTrabajo, or the working directory when none is
// set. False, after the warning `aviso`, when there is neither.
bool TomaDirTrabajo(const QString& aviso) {
  if (DirTrabajo.isEmpty()) DirTrabajo = DirActual;
  if (!DirTrabajo.isEmpty()) return true;
  MsgBox(aviso, vbOKOnly | vbExclamation, QStringLiteral("Advertencia !"));
  return false;
}

void AvisaProyectoExistente(const QString& nombre) {
  MsgBox(QStringLiteral("El proyecto ya existe en el archivo <") + nombre +
         QStringLiteral("_Conf.pcn>. Elija un nombre distinto o elimine el proyecto existente."));
}

// A file error of New or Save As. A full disk and a name too long for the file system are named;
// any other cause is an unknown one.
void AvisaErrorDesconocido(const VbError& e) {
  CloseAllFiles();
  const bool conocido = e.number == kErrDiskFull || IsNameTooLong(e);
  MsgBox(conocido ? QStringLiteral("Error de archivo: ") + e.description
                  : QStringLiteral("Error de archivo desconocido"),
         vbExclamation);
}

// The project identity a command puts back when it does not go through.
struct IdentidadAnterior {
  QString nombre = NombreProyecto;
  Boolean nuevo = ProyectoNuevo;
  void restituye() const {
    NombreProyecto = nombre;
    ProyectoNuevo = nuevo;
  }
};

}  // namespace

bool ValidProjectName(const QString& name) {
  for (const QChar c : name) {
    const char16_t code = c.unicode();
    if (code < 48 || code > 122 || (code >= 58 && code <= 63) || (code >= 91 && code <= 96)) return false;
  }
  return true;
}

bool NewProject() {
  ReiniciaProyecto();
  const QString nombre = PideNombre(QStringLiteral("Proyecto Nuevo"));
  if (nombre.isEmpty()) return false;
  const IdentidadAnterior anterior;
  NombreProyecto = nombre;
  ProyectoNuevo = true;
  if (!TomaDirTrabajo(QStringLiteral("Debe configurar primero correctametne el directorio de trabajo"))) {
    anterior.restituye();
    return false;
  }
  try {
    ChDir(DirTrabajo);
    if (ExisteProyecto(DirTrabajo, nombre)) {
      AvisaProyectoExistente(nombre);
      anterior.restituye();
      return false;
    }
  } catch (const VbError& e) {
    AvisaErrorDesconocido(e);
    anterior.restituye();
    return false;
  }
  // A settings form created by the panel refresh writes the new project's settings file as it
  // initialises; one that existed already is initialised here, so the file is written in either case.
  ShowProjectHook();
  if (ProyectoNuevo) InitialiseSettingsFormHook();
  return true;
}

void AbrirProyecto() {
  try {
    ReiniciaProyecto();
    FileRequest pedido;
    pedido.title = QStringLiteral("Abrir");
    pedido.folder = DirActual;
    pedido.filter = QStringLiteral("Archivos de Proyecto (*_Conf.pcn)");
    const QString ruta = CurrentDialogs().openFile(pedido);
    if (ruta.isEmpty()) return;
    if (Right(ruta, 9) != kSufijoConf) {
      RutaArchivo.clear();
      NombreProyecto.clear();
      return;
    }
    // The folder ends at the last "/" before the suffix; a path without one names no folder (error 5).
    const qsizetype finNombre = ruta.size() - 9;
    const qsizetype barra = finNombre > 0 ? ruta.lastIndexOf(QLatin1Char('/'), finNombre - 1) : -1;
    DirActual = Left(ruta, barra);
    NombreProyecto = ruta.mid(barra + 1, finNombre - barra - 1);
    // The root of the path, until the settings file tells the project's folder.
    DirTrabajo = ruta.left(ruta.indexOf(QLatin1Char('/')) + 1);
    ReadSettingsWithFormHook();
    ShowProjectHook();
    EnableSaveAsHook();
  } catch (const VbError& e) {
    MsgBox(ErrorNroTextAfterComma(e, QStringLiteral("Verifique.")));
  }
}

void ReopenLastProject() {
  ReiniciaProyecto();
  ReadSettingsWithFormHook();
  ShowProjectHook();
  if (!NombreProyecto.isEmpty()) EnableSaveAsHook();
}

void SaveProjectAs() {
  if (NombreProyecto.isEmpty()) return;
  // Only a network read whole is copied: a copy must not invent or drop what the files hold.
  if (!CargaRedProyecto()) {
    MsgBox(QStringLiteral("El proyecto no se ha copiado porque el archivo ") + RutaArchivo +
               QStringLiteral(" está dañado. Corrija el archivo e intente nuevamente."),
           vbOKOnly | vbExclamation);
    return;
  }
  const IdentidadAnterior anterior;
  const QString& viejo = anterior.nombre;
  const QString nuevo =
      PideNombre(QStringLiteral("Cuardar Como...(copia el proyecto actual con otro nombre)"));
  if (nuevo.isEmpty()) return;
  NombreProyecto = nuevo;
  ProyectoNuevo = true;
  if (!TomaDirTrabajo(QStringLiteral("Debe configurar primero correctamente el directorio de trabajo"))) {
    anterior.restituye();
    return;
  }

  // The copy's files that this command creates, removed again when the copy fails half way. The
  // settings and table files go to the working directory, the network files to DirTrabajo.
  QStringList creados;
  auto apunta = [&](const QString& folder, const char* sufijo) {
    const QString ruta = folder + QLatin1Char('/') + nuevo + QLatin1String(sufijo);
    if (!FileExists(ruta)) creados << ruta;
  };
  auto copia = [&](const char* sufijo) {
    try {
      FileCopy(DirActual + QLatin1Char('/') + viejo + QLatin1String(sufijo),
               DirActual + QLatin1Char('/') + nuevo + QLatin1String(sufijo));
    } catch (const VbError& e) {
      if (e.number != kErrFileNotFound) throw;
    }
    CloseAllFiles();
  };
  // Removes what the copy made so far and keeps the project open under its old name.
  auto deshace = [&] {
    for (const QString& ruta : creados) {
      try {
        RmFile(ruta);
      } catch (const VbError&) {
        // A file that cannot be removed stays; the others still go.
      }
    }
    anterior.restituye();
    ShowSettingsFileNameHook(viejo + kSufijoConf);
    GuardaArchivoDirectorio();
  };
  // A writer that fails has said why; the copy then stops.
  struct EscrituraFallida {};
  // The writers' confirmations, shown once the whole copy is made.
  QStringList confirmaciones;
  try {
    ChDir(DirTrabajo);
    // A project of the new name in either folder is left alone.
    if (ExisteProyecto(DirTrabajo, nuevo) || ExisteProyecto(DirActual, nuevo)) {
      AvisaProyectoExistente(nuevo);
      anterior.restituye();
      return;
    }
    for (const char* sufijo : kArchivosProyecto) apunta(DirActual, sufijo);
    apunta(DirTrabajo, "_UEHs.pcn");
    apunta(DirTrabajo, "_VerCau.pcn");

    copia("_Conf.pcn");
    if (!WriteSettingsFileHook(nuevo + kSufijoConf, &confirmaciones)) throw EscrituraFallida{};
    CloseAllFiles();
    copia("_VerCau.pcn");
    copia("_UEHs.pcn");
    if (!EscribeRedProyecto(&confirmaciones)) throw EscrituraFallida{};
    CloseAllFiles();
    copia("_RHQ.pcn");
    copia("_RHAS.pcn");
    copia("_LHASQ.pcn");
  } catch (const VbError& e) {
    AvisaErrorDesconocido(e);
    deshace();
    return;
  } catch (const EscrituraFallida&) {
    CloseAllFiles();
    deshace();
    return;
  }
  for (const QString& confirmacion : confirmaciones) MsgBox(confirmacion);
  ShowProjectHook();
}

}  // namespace tavo
