#include "project/comandos.h"

#include "platform/app.h"
#include "platform/seqfile.h"
#include "project/comandos_fixture.h"
#include "project/frmConfigura.h"
#include "project/redfiles.h"

namespace tavo {
namespace {

using test::kNombreInvalido;
using test::kPromptNombre;
using test::kTituloNombreInvalido;
using test::NetworkSaved;
using test::ReadBytes;
using test::SettingsFile;
using test::SettingsSaved;
using test::WriteBytes;
using test::YaExiste;

class ComandosTest : public test::ComandosTest {
 protected:
  frmConfigura& settings() { return FormInstance<frmConfigura>::instance(); }
};

TEST_F(ComandosTest, NewProjectNames) {
  struct Case {
    const char* name;
    bool accepted;
  };
  const Case cases[] = {{"Cuenca1", true},      {"A@b", true},  {"Z", true},    {"a", true},
                        {"mi proyecto", false}, {"río", false}, {"a_b", false}, {"a-b", false},
                        {"a.b", false},         {"a:b", false}, {"[", false},   {"`", false}};
  for (const Case& c : cases) {
    const QString name = QString::fromUtf8(c.name);
    SCOPED_TRACE(c.name);
    dialogs.clear();
    dialogs.answerText(name).answer(vbOK);
    const auto before = Snapshot(datos);
    main().mnuNuevoProyecto->trigger();
    ASSERT_EQ(dialogs.records().size(), 2u) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_EQ(dialogs.records()[0].prompt, kPromptNombre);
    EXPECT_EQ(dialogs.records()[0].title, "Proyecto Nuevo");
    const auto& said = dialogs.records()[1];
    if (c.accepted) {
      // The first new project creates the settings form, the others find it: the file is written either way.
      EXPECT_EQ(said.prompt, SettingsSaved(datos + "/" + name + "_Conf.pcn"));
      EXPECT_EQ(Lines(datos + "/" + name + "_Conf.pcn").mid(0, 1), QStringList{"\"" + name + "\""});
      EXPECT_EQ(NombreProyecto, name);
      EXPECT_FALSE(ProyectoNuevo);
      EXPECT_EQ(main().lblProyecto->text(), name);
      EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(datos, name));
    } else {
      EXPECT_EQ(said.prompt, kNombreInvalido);
      EXPECT_EQ(said.style, vbOKOnly | vbExclamation);
      EXPECT_EQ(said.title, kTituloNombreInvalido);
      EXPECT_EQ(Snapshot(datos), before);
    }
  }
  // An empty answer is a cancel.
  dialogs.clear();
  dialogs.answerText("");
  const auto before = Snapshot(datos);
  main().mnuNuevoProyecto->trigger();
  EXPECT_EQ(Snapshot(datos), before);
  EXPECT_EQ(NombreProyecto, "a");  // as the reset left it
}

TEST_F(ComandosTest, NewProjectTakesTheSettingsOfTheProjectShownBeforeAndStaysWhereItIs) {
  makeProject(datos, "Rio", "Crecida del Rio");
  open(datos + "/Rio_Conf.pcn");
  ASSERT_TRUE(dialogs.records().size() == 1u) << test::DescribeDialogs(dialogs).toStdString();
  dialogs.clear();

  dialogs.answerText("Nuevo").answer(vbOK);
  main().mnuNuevoProyecto->trigger();
  const QString file = datos + "/Nuevo_Conf.pcn";
  EXPECT_EQ(prompts(), QStringList({kPromptNombre, SettingsSaved(file)}));
  const QStringList values = Lines(file);
  ASSERT_GE(values.size(), 59);
  EXPECT_EQ(values[0], "\"Nuevo\"");
  EXPECT_EQ(values[1], "\"Crecida del Rio\"");
  EXPECT_EQ(values[8], "\"" + datos + "\"");
  EXPECT_EQ(values[11], "\"Nuevo_Conf.pcn\"");
  EXPECT_FALSE(ProyectoNuevo);
  EXPECT_EQ(settings().SSTab1->currentIndex(), frmConfigura::kTabTitulos);
  EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(datos, "Nuevo"));
  // No network file is made until the editor saves.
  EXPECT_EQ(FilesStartingWith(datos, "Nuevo").keys(), QStringList{"Nuevo_Conf.pcn"});

  // Reopening finds the new project where it was made.
  dialogs.clear();
  HayUltimoProyecto = true;
  main().mnu_ultimoarchivo1->trigger();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(NombreProyecto, "Nuevo");
  EXPECT_EQ(DirActual, datos);
  EXPECT_EQ(DirTrabajo, datos);
}

// The first project made after start-up stores the extra time after the storm that its settings show.
TEST_F(ComandosTest, ANewProjectStartsWithTheExtraTimeItsBoxShows) {
  dialogs.answerText("Rio").answer(vbOK);
  main().mnuNuevoProyecto->trigger();
  const QStringList values = Lines(datos + "/Rio_Conf.pcn");
  ASSERT_GE(values.size(), 59);
  EXPECT_EQ(values[25], "10");
  EXPECT_EQ(settings().txtN0Dur->text(), "10");
}

TEST_F(ComandosTest, NewOntoAnExistingProjectLeavesItAlone) {
  makeProject(datos, "Rio", "Crecida del Rio");
  record(datos, "Otro");
  const auto before = Snapshot(datos);
  dialogs.answerText("Rio").answer(vbOK);
  main().mnuNuevoProyecto->trigger();
  ASSERT_EQ(prompts(), QStringList({kPromptNombre, YaExiste("Rio")}));
  EXPECT_EQ(dialogs.records()[1].style, vbOKOnly);
  EXPECT_EQ(dialogs.records()[1].title, "");
  EXPECT_EQ(NombreProyecto, "Otro");
  EXPECT_FALSE(ProyectoNuevo);
  EXPECT_EQ(Snapshot(datos), before);

  // Nor does the settings form write over it later.
  dialogs.clear();
  ShowModeless(&settings(), false);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(Snapshot(datos), before);
}

TEST_F(ComandosTest, UnexpectedFileErrorInNewEndsOnlyTheCommand) {
  record(datos, "Otro");
  QDir(datos).mkdir("Rio_Conf.pcn");
  dialogs.answerText("Rio").answer(vbOK);
  main().mnuNuevoProyecto->trigger();
  ASSERT_EQ(prompts(), QStringList({kPromptNombre, "Error de archivo desconocido"}));
  EXPECT_EQ(dialogs.records()[1].style, vbExclamation);
  EXPECT_EQ(dialogs.records()[1].title, "");
  EXPECT_FALSE(ProgramHasEnded());
  EXPECT_EQ(NombreProyecto, "Otro");
  EXPECT_FALSE(ProyectoNuevo);
  EXPECT_TRUE(Snapshot(datos).isEmpty());
  EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(datos, "Otro"));
}

TEST_F(ComandosTest, OpenSplitsTheChosenPathIntoFolderAndName) {
  makeProject(datos, "Rio2", "Crecida");
  makeProject(datos, "a_b", "Crecida", {"_Conf.pcn"});
  struct Case {
    QString chosen;
    QString name;     // the open project afterwards
    QString folder;   // the working directory afterwards
    QString message;  // the start of the only message, if any
  };
  const Case cases[] = {
      {"", "", datos, ""},                             // cancelled: the state of the reset
      {datos + "/notas.txt", "", datos, ""},           // not a settings file: no project
      {datos + "/rio2_conf.pcn", "", datos, ""},       // the suffix is compared exactly
      {"Rio2_Conf.pcn", "", datos, "Error Nro. 5 ,"},  // no folder in the path: reported, the program goes on
      {datos + "/a_b_Conf.pcn", "a_b", datos, ""},     // a name New would refuse
      {datos + "/Rio2_Conf.pcn", "Rio2", datos, ""},
      {datos + "/notas.txt", "", datos, ""},  // the project open before is closed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen.toStdString());
    dialogs.clear();
    dialogs.answerText(c.chosen);
    if (!c.message.isEmpty()) dialogs.answer(vbOK);
    const bool opens = !c.name.isEmpty();
    main().mnuAbrirProyecto->trigger();
    ASSERT_EQ(dialogs.records().size(), c.message.isEmpty() ? 1u : 2u)
        << test::DescribeDialogs(dialogs).toStdString();
    const auto& chooser = dialogs.records()[0];
    EXPECT_EQ(chooser.title, "Abrir");
    EXPECT_EQ(chooser.request.filter, "Archivos de Proyecto (*_Conf.pcn)");
    if (!c.message.isEmpty()) {
      EXPECT_TRUE(dialogs.records()[1].prompt.startsWith(c.message));
    }
    EXPECT_EQ(NombreProyecto, c.name);
    EXPECT_EQ(DirActual, c.folder);
    EXPECT_FALSE(ProgramHasEnded());
    // The panel shows what the commands see.
    EXPECT_EQ(main().lblProyecto->text(), c.name);
    if (opens) {
      EXPECT_TRUE(main().mnuGuardarProyectoComo->isEnabled());
      EXPECT_EQ(DirTrabajo, datos);
      EXPECT_EQ(main().lblProyecto->text(), c.name);
      EXPECT_EQ(main().lblMiDirTrabajo->fullText(), datos);
      EXPECT_EQ(main().lblTitulo->text(), "Crecida");
      EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(datos, c.name));
    }
  }
  EXPECT_EQ(main().lblFileProyecto->text(), "_Conf.pcn");
  EXPECT_EQ(main().lblFilesTrabajo->text(), "_UEHs.pcn\n_VerCau.pcn");
}

TEST_F(ComandosTest, ReopenTheLastProject) {
  // The recorded project is gone: the settings reader falls back to the default folder and shows
  // the settings form.
  record(datos, "Rio2");
  HayUltimoProyecto = true;
  main().mnu_ultimoarchivo1->trigger();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(NombreProyecto, "");
  EXPECT_EQ(DirActual, path("Proyectos"));
  EXPECT_TRUE(settings().isVisible());
  EXPECT_FALSE(main().mnuGuardarProyectoComo->isEnabled());
  HideForm(&settings());

  makeProject(datos, "Rio2", "Crecida");
  record(datos, "Rio2");
  main().mnu_ultimoarchivo1->trigger();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(NombreProyecto, "Rio2");
  EXPECT_EQ(DirActual, datos);
  EXPECT_EQ(DirTrabajo, datos);
  EXPECT_FALSE(settings().isVisible());
  EXPECT_TRUE(main().mnuGuardarProyectoComo->isEnabled());
  EXPECT_EQ(main().lblProyecto->text(), "Rio2");
  EXPECT_EQ(main().lblTitulo->text(), "Crecida");
}

TEST_F(ComandosTest, SaveAsCopiesEveryFileThatExists) {
  // A project without dams has no _RHQ.pcn.
  makeProject(datos, "Rio", "Crecida del Rio",
              {"_Conf.pcn", "_UEHs.pcn", "_VerCau.pcn", "_RHAS.pcn", "_LHASQ.pcn"});
  open(datos + "/Rio_Conf.pcn");
  dialogs.clear();
  const auto rio = FilesStartingWith(datos, "Rio_");

  dialogs.answerText("Copia").answer(vbOK).answer(vbOK);
  main().mnuGuardarProyectoComo->trigger();
  EXPECT_EQ(prompts(), QStringList({kPromptNombre, SettingsSaved(datos + "/Copia_Conf.pcn"),
                                    NetworkSaved(datos + "/Copia_VerCau.pcn")}));
  EXPECT_EQ(dialogs.records()[0].title, "Cuardar Como...(copia el proyecto actual con otro nombre)");

  EXPECT_EQ(FilesStartingWith(datos, "Rio_"), rio);
  const auto copia = FilesStartingWith(datos, "Copia_");
  EXPECT_EQ(copia.keys(), QStringList({"Copia_Conf.pcn", "Copia_LHASQ.pcn", "Copia_RHAS.pcn",
                                       "Copia_UEHs.pcn", "Copia_VerCau.pcn"}));
  const QStringList values = Lines(datos + "/Copia_Conf.pcn");
  ASSERT_GE(values.size(), 59);
  EXPECT_EQ(values[0], "\"Copia\"");
  EXPECT_EQ(values[1], "\"Crecida del Rio\"");
  EXPECT_EQ(values[11], "\"Copia_Conf.pcn\"");
  EXPECT_EQ(copia["Copia_UEHs.pcn"], NetworkFile("Copia"));
  EXPECT_EQ(copia["Copia_VerCau.pcn"], VertexFile());
  EXPECT_EQ(copia["Copia_RHAS.pcn"], rio["Rio_RHAS.pcn"]);
  EXPECT_EQ(copia["Copia_LHASQ.pcn"], rio["Rio_LHASQ.pcn"]);

  // The copy is the open project.
  EXPECT_EQ(NombreProyecto, "Copia");
  EXPECT_EQ(main().lblProyecto->text(), "Copia");
  EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(datos, "Copia"));
}

TEST_F(ComandosTest, SaveAsNeverWritesOverAnotherProject) {
  makeProject(datos, "Rio", "Crecida del Rio");
  makeProject(datos, "Rio2", "Otra crecida");
  QDir(programDir()).mkdir("Otra");
  makeProject(path("Otra"), "Copia", "Copia de otro");
  open(datos + "/Rio_Conf.pcn");
  const auto before = Snapshot(datos);
  const auto otra = Snapshot(path("Otra"));

  struct Case {
    QString typed;
    QString message;  // empty: none
  };
  const Case cases[] = {{"Rio2", YaExiste("Rio2")}, {"a_b", kNombreInvalido}, {"", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    dialogs.clear();
    dialogs.answerText(c.typed);
    if (!c.message.isEmpty()) dialogs.answer(vbOK);
    main().mnuGuardarProyectoComo->trigger();
    EXPECT_EQ(prompts(),
              c.message.isEmpty() ? QStringList{kPromptNombre} : QStringList({kPromptNombre, c.message}));
    EXPECT_EQ(NombreProyecto, "Rio");
    EXPECT_FALSE(ProyectoNuevo);
    EXPECT_EQ(Snapshot(datos), before);
  }

  // The settings form's folder list moved the working directory to a folder holding a project Copia,
  // where the copy's settings file would go: that project is left alone too.
  settings().Dir1->setPath(path("Otra"));
  dialogs.clear();
  dialogs.answerText("Copia").answer(vbOK);
  main().mnuGuardarProyectoComo->trigger();
  EXPECT_EQ(prompts(), QStringList({kPromptNombre, YaExiste("Copia")}));
  EXPECT_EQ(Snapshot(datos), before);
  EXPECT_EQ(Snapshot(path("Otra")), otra);
}

// A copy that fails half way leaves no file of it, and its message names the cause it knows: a full
// disk; a table that cannot be copied onto a folder is an unknown one.
TEST_F(ComandosTest, SaveAsFailingHalfWayLeavesNoCopy) {
  makeProject(datos, "Rio", "Crecida del Rio");
  open(datos + "/Rio_Conf.pcn");
  dialogs.clear();
  const auto before = Snapshot(datos);
  const qint64 full = ReadBytes(datos + "/Rio_Conf.pcn").size() - 1;  // the first copy does not fit
  const struct {
    const char* name;
    qint64 disk;  // the largest file the disk takes; 0: no limit
    QString message;
  } cases[] = {{"a folder where a table goes", 0, "Error de archivo desconocido"},
               {"a full disk", full, "Error de archivo: Disco lleno"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.disk == 0) QDir(datos).mkdir("Copia_RHQ.pcn");
    dialogs.clear();
    dialogs.answerText("Copia").answer(vbOK);
    const auto saveAs = [this] { main().mnuGuardarProyectoComo->trigger(); };
    if (c.disk > 0) {
      test::WithFullDisk(c.disk, saveAs);
    } else {
      saveAs();
    }
    if (c.disk == 0) {
      EXPECT_TRUE(QDir(datos).rmdir("Copia_RHQ.pcn"));  // left as it was
    }
    // No success is reported for a copy that did not come about.
    ASSERT_EQ(prompts(), QStringList({kPromptNombre, c.message}));
    EXPECT_EQ(dialogs.records()[1].style, vbExclamation);
    EXPECT_FALSE(ProgramHasEnded());
    EXPECT_EQ(Snapshot(datos), before);

    // The project stays open under its old name.
    EXPECT_EQ(NombreProyecto, "Rio");
    EXPECT_FALSE(ProyectoNuevo);
    EXPECT_EQ(settings().lblMiArchivoConf->text(), "Rio_Conf.pcn");
    EXPECT_EQ(main().lblProyecto->text(), "Rio");
    EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(datos, "Rio"));
  }
}

// A project name longer than the file system takes: the settings file cannot be written, and the
// message says why.
TEST_F(ComandosTest, ANameTooLongForTheFileSystemIsNamedAsTheCause) {
  const QString nombre(250, QLatin1Char('a'));
  dialogs.answerText(nombre).answer(vbOK);
  main().mnuNuevoProyecto->trigger();
  EXPECT_EQ(prompts(), QStringList({kPromptNombre,
                                    "Error Nro. 75 ,Nombre de archivo o de carpeta demasiado largoVerifique. "
                                    "Puede que ya exista un Directorio con ese nombre..."}));
  EXPECT_TRUE(Snapshot(datos).isEmpty());
}

TEST_F(ComandosTest, SaveAsStopsWhenAWriterFails) {
  makeProject(datos, "Rio", "Crecida del Rio");
  open(datos + "/Rio_Conf.pcn");
  const auto before = Snapshot(datos);
  // A disk that takes the copy of the project's file but not the copy's own, a little longer with its
  // longer name, which the writer then writes over it.
  for (const char* file : {"Rio_Conf.pcn", "Rio_UEHs.pcn"}) {
    SCOPED_TRACE(file);
    dialogs.clear();
    dialogs.answerText("Copia").answer(vbOK);
    test::WithFullDisk(ReadBytes(datos + "/" + file).size(),
                       [this] { main().mnuGuardarProyectoComo->trigger(); });
    ASSERT_EQ(prompts().size(), 2u) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_TRUE(prompts()[1].startsWith("Error Nro. 61 ,")) << prompts()[1].toStdString();
    EXPECT_EQ(Snapshot(datos), before);
    EXPECT_EQ(NombreProyecto, "Rio");
    EXPECT_EQ(main().lblProyecto->text(), "Rio");
    EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(datos, "Rio"));
  }
}

TEST_F(ComandosTest, SaveAsOfADamagedNetworkNamesTheFileAndCopiesNothing) {
  QByteArray cut = NetworkFile("Rio");
  cut.truncate(cut.indexOf("\"u-Ladera\"\r\n") + 12);  // the file ends inside the unit
  struct Case {
    const char* name;
    QByteArray network;  // empty: the vertex file is missing instead
    const char* file;    // the file the message names
    QStringList loader;  // the loader's own messages
  };
  const Case cases[] = {
      {"unit cut short", cut, "Rio_UEHs.pcn", {QString::fromUtf8(kMensajeArchivoDanado)}},
      {"vertex file missing", {}, "Rio_VerCau.pcn", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    makeProject(datos, "Rio", "Crecida del Rio");
    if (c.network.isEmpty())
      RmFile(datos + "/Rio_VerCau.pcn");
    else
      WriteBytes(datos + "/Rio_UEHs.pcn", c.network);
    open(datos + "/Rio_Conf.pcn");
    dialogs.clear();
    const auto before = Snapshot(datos);
    for (int i = 0; i <= c.loader.size(); ++i) dialogs.answer(vbOK);
    main().mnuGuardarProyectoComo->trigger();
    EXPECT_EQ(prompts(),
              c.loader + QStringList{"El proyecto no se ha copiado porque el archivo " + datos + "/" +
                                     c.file + " está dañado. Corrija el archivo e intente nuevamente."});
    EXPECT_EQ(dialogs.records().back().style, vbOKOnly | vbExclamation);
    EXPECT_EQ(Snapshot(datos), before);
    EXPECT_EQ(NombreProyecto, "Rio");
  }
}

TEST_F(ComandosTest, OpeningAProjectFromAnotherMachineWritesNothing) {
  WriteBytes(datos + "/Rio_Conf.pcn", SettingsFile("Rio", "C:\\Datos\\Proyectos", "Crecida del Rio"));
  const QByteArray before = ReadBytes(datos + "/Rio_Conf.pcn");
  open(datos + "/Rio_Conf.pcn");
  EXPECT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(ReadBytes(datos + "/Rio_Conf.pcn"), before);
  EXPECT_EQ(DirTrabajo, datos);
  EXPECT_EQ(main().lblMiDirTrabajo->fullText(), datos);

  // Apply records the folder the project is in now.
  dialogs.answer(vbOK);
  settings().cmdAplicar_Click();
  EXPECT_EQ(Lines(datos + "/Rio_Conf.pcn")[8], "\"" + datos + "\"");
}

TEST_F(ComandosTest, SaveAsWithoutAProjectDoesNothing) {
  SaveProjectAs();
  EXPECT_TRUE(dialogs.records().empty());
}

TEST(ProjectNameCheck, CharacterCodesAtTheEdges) {
  // Digits 48..57, @ 64, A..Z 65..90, a..z 97..122; refused around them.
  for (const char* good : {"0", "9", "@", "A", "Z", "a", "z"})
    EXPECT_TRUE(ValidProjectName(QString::fromLatin1(good))) << good;
  for (const char* bad : {"/", ":", "?", "[", "`", "{", " ", "_", "\xe9"})
    EXPECT_FALSE(ValidProjectName(QString::fromLatin1(bad))) << bad;
}

}  // namespace
}  // namespace tavo
