#include "shell/inicio.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>

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

}  // namespace

void SetSplashSeconds(double seconds) {
  SplashSeconds() = seconds;
}

void InicioAplicacion() {
  InstallWindowHooks();
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

}  // namespace tavo
