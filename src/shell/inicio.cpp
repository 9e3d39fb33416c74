#include "shell/inicio.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/directorio.h"
#include "project/estado.h"
#include "shell/MDIForm1.h"
#include "shell/frmInicio.h"
#include "shell/hooks.h"

namespace tavo {

namespace {

double& SplashSeconds() {
  static double seconds = 1.5;
  return seconds;
}

// This copy's hold on its program folder, for as long as it runs.
std::unique_ptr<ProgramFolderLock>& HeldProgramFolder() {
  static std::unique_ptr<ProgramFolderLock> held;
  return held;
}

// Takes the program folder for this copy of the program. True when another running copy uses it too;
// a folder this copy holds already is not taken again.
bool HoldProgramFolder() {
  std::unique_ptr<ProgramFolderLock>& held = HeldProgramFolder();
  if (held && held->folder() == AppPath()) return false;
  held.reset();
  held = std::make_unique<ProgramFolderLock>(AppPath());
  return held->sharedWithAnotherCopy();
}

}  // namespace

void SetSplashSeconds(double seconds) {
  SplashSeconds() = seconds;
}

void InicioAplicacion() {
  InstallWindowHooks();
  const bool anotherCopy = HoldProgramFolder();
  TituloPrograma = QStringLiteral("TAVO 1.06");
  nCauces = 0;
  nUEHs = 0;
  ProyectoNuevo = false;
  ReiniciaProyecto();

  frmInicio& splash = FormInstance<frmInicio>::instance();
  splash.show();
  InicioSplash = static_cast<Single>(Timer());
  // The splash stays up while the window events are served, the processor idle between them. A timer
  // counts elapsed time, not the time of day, so the wait also ends when the clock passes midnight.
  QEventLoop espera;
  QTimer::singleShot(static_cast<int>(SplashSeconds() * 1000.0), Qt::PreciseTimer, &espera,
                     &QEventLoop::quit);
  espera.exec();
  FormInstance<frmInicio>::unload();

  LeeArchivoDirectorio();
  // What copies that ended left half written goes; a copy still running keeps its own.
  RemoveLeftoverTemporaries(DirPrograma, QString(), !anotherCopy);
  if (DirActual != DirPrograma) RemoveLeftoverTemporaries(DirActual, QString(), !anotherCopy);
  MDIForm1& main = FormInstance<MDIForm1>::instance();
  main.show();
  if (!NombreProyecto.isEmpty()) {
    main.mnu_ultimoarchivo1->setText(DirActual + QLatin1Char('/') + NombreProyecto +
                                     QStringLiteral("_Conf.pcn"));
    HayUltimoProyecto = true;
    NombreProyecto.clear();
  }
  if (anotherCopy) {
    MsgBox(QStringLiteral("TAVO ya se está ejecutando con esta carpeta de programa (") + AppPath() +
               QStringLiteral("): si las dos copias guardan el mismo archivo (un proyecto, una tabla de "
                              "tormentas, el informe de una corrida), queda solo lo que guardó la última."),
           vbOKOnly | vbExclamation, TituloPrograma);
  }
}

}  // namespace tavo
