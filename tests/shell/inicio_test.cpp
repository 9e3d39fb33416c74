#include "shell/inicio.h"

#include <unistd.h>

#include <QDir>
#include <QFile>

#include "platform/app.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "shell/MDIForm1.h"
#include "shell/frmInicio.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class InicioTest : public test::TavoTest {
 protected:
  void record(const QString& folder, const QString& project) {
    WriteBytes(path("PelcanDir.pcn"), ("\"" + folder + "\"\r\n\"" + project + "\"\r\n").toUtf8());
  }
  QByteArray recorded(const QString& folder, const QString& project) {
    return ("\"" + folder + "\"\r\n\"" + project + "\"\r\n").toUtf8();
  }
  QString recentEntry() { return FormInstance<MDIForm1>::instance().mnu_ultimoarchivo1->text(); }
};

TEST_F(InicioTest, FirstStartCreatesTheDefaultFolderAndFile) {
  InicioAplicacion();
  EXPECT_TRUE(QDir(path("Proyectos")).exists());
  EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(path("Proyectos"), ""));
  EXPECT_EQ(recentEntry(), "------------");
  EXPECT_FALSE(HayUltimoProyecto);
  EXPECT_EQ(TituloPrograma, "TAVO 1.06");
  MDIForm1& main = FormInstance<MDIForm1>::instance();
  EXPECT_TRUE(main.isVisible());
  EXPECT_EQ(main.windowTitle(), QStringLiteral("TAVO 1.06 - Modelo Hidrológico de  simulación de crecidas"));
  EXPECT_FALSE(FormInstance<frmInicio>::exists());
  EXPECT_EQ(CurDir(), path("Proyectos"));
}

// A copy of the program started on the program folder of a running copy is told so, once, and goes
// on. A lock file that a copy which ended left there tells nothing.
TEST_F(InicioTest, ACopyStartedWhereAnotherRunsIsToldOnce) {
  { const ProgramFolderLock ended(programDir()); }
  ASSERT_TRUE(QFile::exists(path(".TAVO.lock")));
  InicioAplicacion();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  // This copy holds its folder while it runs: a copy started now finds it.
  EXPECT_TRUE(ProgramFolderLock(programDir()).sharedWithAnotherCopy());

  QDir(programDir()).mkdir(QStringLiteral("otra"));
  SetAppPath(path("otra"));
  const ProgramFolderLock running(path("otra"));
  EXPECT_FALSE(running.sharedWithAnotherCopy());
  dialogs.answer(vbOK);
  InicioAplicacion();
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].prompt,
            "TAVO ya se está ejecutando con esta carpeta de programa (" + path("otra") +
                "): si las dos copias guardan el mismo archivo (un proyecto, una tabla de tormentas, el "
                "informe de una corrida), queda solo lo que guardó la última.");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(dialogs.records()[0].title, "TAVO 1.06");
  EXPECT_TRUE(FormInstance<MDIForm1>::instance().isVisible());
  EXPECT_EQ(ReadBytes(path("otra/PelcanDir.pcn")), recorded(path("otra/Proyectos"), ""));
}

// What copies that ended left half written, in the program folder and in the working folder, goes at
// the start; what a running copy is writing stays.
TEST_F(InicioTest, TheStartRemovesWhatEndedCopiesLeftHalfWritten) {
  QDir(programDir()).mkdir(QStringLiteral("obras"));
  record(path("obras"), QString());
  const QString ended = QString::number(test::EndedProcessNumber());
  const QString running = QString::number(getppid());
  const QStringList left = {"SalePizarra1_tem.txt." + ended + ".tmp~",
                            "SalePizarra1_tem.txt." + ended + ".old~", "TablasPDRs_pdr.pcn.tmp~",
                            "obras/rio_UEHs.pcn." + ended + ".tmp~"};
  const QStringList kept = {"ListaPDR.pcn." + running + ".tmp~", "obras/rio_Conf.pcn." + running + ".tmp~",
                            "obras/rio_Conf.pcn"};
  for (const QString& name : left + kept) WriteBytes(path(name), "a medias");
  InicioAplicacion();
  for (const QString& name : left) EXPECT_FALSE(QFile::exists(path(name))) << name.toStdString();
  for (const QString& name : kept) EXPECT_TRUE(QFile::exists(path(name))) << name.toStdString();
}

TEST_F(InicioTest, SplashNamesTheSystemItRunsOn) {
  const QString platform = FormInstance<frmInicio>::instance().lblPlataforma->text();
  EXPECT_TRUE(platform.startsWith("Sistema Operativo: ")) << platform.toStdString();
#if defined(__linux__) && defined(__x86_64__)
  EXPECT_EQ(platform, "Sistema Operativo: Linux (64 bits)");
#endif
}

TEST_F(InicioTest, RecordedProjectGoesOnTheRecentEntry) {
  QDir(programDir()).mkdir(QStringLiteral("obras"));
  record(path("obras"), QStringLiteral("demo"));
  InicioAplicacion();
  // The start-up does not check that the settings file exists.
  EXPECT_EQ(recentEntry(), path("obras") + "/demo_Conf.pcn");
  EXPECT_TRUE(NombreProyecto.isEmpty());
  EXPECT_TRUE(HayUltimoProyecto);
  EXPECT_EQ(DirActual, path("obras"));

  // From now on a reset checks the recorded project: its settings file is gone.
  ReiniciaProyecto();
  EXPECT_EQ(DirActual, path("Proyectos"));
  EXPECT_TRUE(NombreProyecto.isEmpty());
  EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(path("Proyectos"), ""));
}

TEST_F(InicioTest, ResetKeepsARecordedProjectWhoseSettingsExist) {
  QDir(programDir()).mkdir(QStringLiteral("obras"));
  WriteBytes(path("obras/demo_Conf.pcn"), "\"x\"\r\n");
  record(path("obras"), QStringLiteral("demo"));
  HayUltimoProyecto = true;
  ReiniciaProyecto();
  EXPECT_EQ(DirActual, path("obras"));
  EXPECT_EQ(NombreProyecto, "demo");
}

TEST_F(InicioTest, DamagedOrStaleFileFallsBackToTheDefaults) {
  QDir(programDir()).mkdir(QStringLiteral("obras"));
  const QByteArray cases[] = {
      ("\"" + path("obras") + "\"\r\n").toUtf8(),                // only the first line
      ("\"" + path("borrada") + "\"\r\n\"demo\"\r\n").toUtf8(),  // a folder that no longer exists
      "\"C:\\TAVO\\Proyectos\"\r\n\"demo\"\r\n",                 // a folder of another machine
      "",                                                        // empty
  };
  for (const QByteArray& content : cases) {
    SCOPED_TRACE(content.toStdString());
    WriteBytes(path("PelcanDir.pcn"), content);
    DirActual = QStringLiteral("x");
    NombreProyecto = QStringLiteral("y");
    LeeArchivoDirectorio();
    EXPECT_EQ(DirActual, path("Proyectos"));
    EXPECT_TRUE(NombreProyecto.isEmpty());
    EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(path("Proyectos"), ""));
  }
}

TEST_F(InicioTest, EmptyRecordedFolderMeansTheDefaultOneAndKeepsTheProject) {
  record(QString(), QStringLiteral("demo"));
  LeeArchivoDirectorio();
  EXPECT_EQ(DirActual, path("Proyectos"));
  EXPECT_EQ(NombreProyecto, "demo");
}

TEST_F(InicioTest, RelativeFolderIsOneOfTheProgramFolderAndStaysWhole) {
  record(QStringLiteral("Proyectos"), QStringLiteral("demo"));
  for (int read = 1; read <= 2; ++read) {
    SCOPED_TRACE(read);
    LeeArchivoDirectorio();
    EXPECT_EQ(DirActual, path("Proyectos"));
    EXPECT_EQ(CurDir(), path("Proyectos"));
    EXPECT_EQ(NombreProyecto, "demo");
    EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(path("Proyectos"), "demo"));
  }
}

TEST_F(InicioTest, FolderAndProjectNamesReadBackAsWritten) {
  struct Case {
    const char* folder;
    const char* project;
    const char* readBack;  // the project name the next start finds
    bool utf8;             // how the file is written: UTF-8 after a byte-order mark, or Windows-1252
  };
  const Case cases[] = {
      {"Łódź", "demo", "demo", true},  // a folder Windows-1252 cannot hold
      {"Москва", "", "", true},
      {"Cañada", "Rio", "Rio", false},
      {"obras", "Rio\"2", "Rio'2", false},  // a quote is stored as a single quote; nothing after it is lost
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    const QString folder = path(QString::fromUtf8(c.folder));
    QDir().mkpath(folder);
    DirActual = folder;
    NombreProyecto = QString::fromUtf8(c.project);
    GuardaArchivoDirectorio();
    const QString text = "\"" + folder + "\"\r\n\"" + QString::fromUtf8(c.readBack) + "\"\r\n";
    EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")),
              c.utf8 ? "\xEF\xBB\xBF" + text.toUtf8() : EncodeWindows1252(text));
    DirActual.clear();
    NombreProyecto.clear();
    LeeArchivoDirectorio();
    EXPECT_EQ(DirActual, folder);
    EXPECT_EQ(NombreProyecto, QString::fromUtf8(c.readBack));
  }
}

TEST_F(InicioTest, ExistingProjectsFolderIsNoError) {
  QDir(programDir()).mkdir(QStringLiteral("Proyectos"));
  WriteBytes(path("Proyectos/keep.txt"), "x");
  record(path("Proyectos"), QStringLiteral("demo"));
  LeeArchivoDirectorio();
  EXPECT_EQ(NombreProyecto, "demo");
  EXPECT_EQ(ReadBytes(path("Proyectos/keep.txt")), "x");
}

TEST_F(InicioTest, ExitRightAfterStartUpRecordsNoProject) {
  QDir(programDir()).mkdir(QStringLiteral("obras"));
  record(path("obras"), QStringLiteral("demo"));
  InicioAplicacion();
  EXPECT_THROW(FormInstance<MDIForm1>::instance().mnuSalir_Click(), ProgramEnded);
  EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(path("obras"), ""));
}

TEST_F(InicioTest, ClosingTheMainWindowIsExit) {
  InicioAplicacion();
  DirActual = path("Proyectos");
  NombreProyecto = QStringLiteral("abierto");
  FormInstance<MDIForm1>::instance().close();
  EXPECT_TRUE(ProgramHasEnded());
  EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(path("Proyectos"), "abierto"));
}

TEST_F(InicioTest, WriteFailureShowsTheErrorNumberAndGoesOn) {
  QDir(programDir()).mkdir(QStringLiteral("PelcanDir.pcn"));  // a folder where the file should be
  DirActual = programDir();
  dialogs.answer(vbOK);
  GuardaArchivoDirectorio();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 75 ,Verifique");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly);
  EXPECT_TRUE(dialogs.records()[0].title.isEmpty());
  // The procedure went on to its last step.
  EXPECT_EQ(CurDir(), programDir());
}

TEST_F(InicioTest, SplashShowsTheVersion) {
  frmInicio& splash = FormInstance<frmInicio>::instance();
  EXPECT_EQ(splash.lblVersion->text(), "Version 1.0.6");
  EXPECT_EQ(splash.lblDescripcion->text(),
            QStringLiteral("Modelo hidrológico de simulación de crecidas en pequeños sistemas torrenciales"));
}

TEST_F(InicioTest, SplashWaitIsElapsedTimeEvenAcrossMidnight) {
  SetFixedClock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
  SetSplashSeconds(0.05);
  InicioAplicacion();
  EXPECT_FLOAT_EQ(InicioSplash, 86399.0f);
  EXPECT_TRUE(FormInstance<MDIForm1>::instance().isVisible());
}

}  // namespace
}  // namespace tavo
