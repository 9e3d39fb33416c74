// The hand-made project "Cuenca" (two units, two reaches) opened in the main window, for the tests
// that go from the main window's menus through the rainfall windows to a run.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/dialogs.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo::test {

// Copies the project into <program folder>/Proyectos, makes it the open project and shows the main
// window.
inline void OpenCuencaInMainWindow(const QString& programDir, ScriptedDialogs& dialogs) {
  const QString folder = programDir + QStringLiteral("/Proyectos");
  QDir(programDir).mkdir(QStringLiteral("Proyectos"));
  for (const char* name : {"Cuenca_Conf.pcn", "Cuenca_UEHs.pcn", "Cuenca_VerCau.pcn"})
    QFile::copy(QString(TAVO_FIXTURES_DIR "/proyecto/") + name, folder + QLatin1Char('/') + name);
  DirActual = folder;
  NombreProyecto = QStringLiteral("Cuenca");
  FormInstance<MDIForm1>::instance().show();
  // The settings come from another machine: the read corrects their folder in memory, silently.
  FormInstance<frmConfigura>::instance().leoConf();
  EXPECT_TRUE(dialogs.records().empty()) << DescribeDialogs(dialogs).toStdString();
  dialogs.clear();
}

}  // namespace tavo::test
