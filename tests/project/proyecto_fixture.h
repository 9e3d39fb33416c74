// A test that works on project Rio in the working directory Proyectos of the program folder, with
// the settings form at hand.
#pragma once

#include <QDir>

#include "project/estado.h"
#include "project/frmConfigura.h"
#include "support/fixture.h"

namespace tavo::test {

class ProyectoRioTest : public TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    QDir(programDir()).mkdir("Proyectos");
    dir = path("Proyectos");
    DirPrograma = programDir();
    DirActual = dir;
    NombreProyecto = "Rio";
  }
  frmConfigura& form() { return FormInstance<frmConfigura>::instance(); }
  // The writer's message for the project's settings file in `folder`.
  static QString SavedMessage(const QString& file) {
    return "Los datos de configuración del proyecto se han guardado correctamente en el archivo " + file;
  }

  QString dir;  // the working directory
};

}  // namespace tavo::test
