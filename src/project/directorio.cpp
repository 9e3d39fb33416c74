// The working-directory file: read at start-up and whenever the project state is reset, written
// whenever the working directory or the project changes.
#include "project/directorio.h"

#include <QDir>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"

namespace tavo {

namespace {

QString DirectoryFile() {
  return DirPrograma + QStringLiteral("/PelcanDir.pcn");
}

}  // namespace

void LeeArchivoDirectorio() {
  try {
    DirActual.clear();
    DirPrograma = AppPath();
    ChDir(DirPrograma);
    if (!DirExists(DirPrograma + QStringLiteral("/Proyectos")))
      MkDir(DirPrograma + QStringLiteral("/Proyectos"));
    {
      SeqFile file(DirectoryFile(), OpenMode::Input);
      DirActual = file.inputString();
      NombreProyecto = file.inputString();
      file.close();
    }
    if (DirActual.isEmpty()) DirActual = DirPrograma + QStringLiteral("/Proyectos");
    // A relative folder is one of the program folder, and is kept as a whole path: the current
    // directory moves into it, and later paths would otherwise repeat it.
    if (QDir::isRelativePath(DirActual))
      DirActual = QDir::cleanPath(DirPrograma + QLatin1Char('/') + DirActual);
    ChDir(DirActual);
    if (HayUltimoProyecto) {
      SeqFile check(DirActual + QLatin1Char('/') + NombreProyecto + QStringLiteral("_Conf.pcn"),
                    OpenMode::Input);
      check.close();
    }
  } catch (const VbError& e) {
    if (e.number == kErrFileAlreadyOpen) CloseAllFiles();
    DirActual = DirPrograma + QStringLiteral("/Proyectos");
    NombreProyecto.clear();
  }
  GuardaArchivoDirectorio();
}

void GuardaArchivoDirectorio() {
  auto step = [](auto&& action) {
    try {
      action();
    } catch (const VbError& e) {
      MsgBox(ErrorNroWithoutText(e));
      CloseAllFiles();
    }
  };
  step([] {
    DirPrograma = AppPath();
    ChDir(DirPrograma);
  });
  step([] {
    SeqFile file(DirectoryFile(), OpenMode::Output);
    file.write({DirActual});
    file.write({NombreProyecto});
    file.close();
  });
  step([] { ChDir(DirActual); });
}

}  // namespace tavo
