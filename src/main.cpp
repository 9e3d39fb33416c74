#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "shell/inicio.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TAVO"));
  tavo::InstallQtSpanish();
  // Ending the program closes its files (done by EndProgram) and leaves at once.
  tavo::SetEndProgramHandler([] {
    std::fflush(nullptr);
    std::_Exit(0);
  });
  tavo::RunGuarded([] { tavo::InicioAplicacion(); });
  if (tavo::ProgramHasEnded()) return 0;
  return QApplication::exec();
}
