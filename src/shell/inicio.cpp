#include "shell/inicio.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "shell/MDIForm1.h"
#include "shell/frmInicio.h"

namespace tavo {

namespace {

double& SplashSeconds() {
  static double seconds = 1.5;
  return seconds;
}

QString DirectoryFile() {
  return DirPrograma + QStringLiteral("/PelcanDir.pcn");
}

}  // namespace

void SetSplashSeconds(double seconds) {
  SplashSeconds() = seconds;
}

void InicioAplicacion() {
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
  MDIForm1& main = FormInstance<MDIForm1>::instance();
  main.show();
  if (!NombreProyecto.isEmpty()) {
    main.mnu_ultimoarchivo1->setText(DirActual + QLatin1Char('/') + NombreProyecto +
                                     QStringLiteral("_Conf.pcn"));
    HayUltimoProyecto = true;
    NombreProyecto.clear();
  }
}

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
