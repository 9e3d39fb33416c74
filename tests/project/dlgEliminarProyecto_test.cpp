#include "project/dlgEliminarProyecto.h"

#include <QApplication>
#include <QTest>

#include "project/comandos_fixture.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class DlgEliminarProyectoTest : public test::ComandosTest {
 protected:
  void SetUp() override {
    ComandosTest::SetUp();
    DirActual = datos;
  }
  dlgEliminarProyecto& dlg() { return dlgEliminarProyecto::object(); }
  void showDialog() {
    main().mnuEliminarProyecto->trigger();
    QApplication::processEvents();
  }
  void choose(const QString& name) {
    FileList* list = dlg().filProyectoEliminar;
    const auto items = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
  }
  QStringList listed() const {
    QStringList out;
    FileList* list = dlgEliminarProyecto::object().filProyectoEliminar;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    out.sort();
    return out;
  }
  static QString Question(const QString& name) {
    return "¿Está seguro de borrar los archivos del Proyecto <" + name + "> ? ";
  }
};

TEST_F(DlgEliminarProyectoTest, DeletesExactlyTheProjectsOwnFiles) {
  makeProject(datos, "Rio", "a");
  makeProject(datos, "Rio2", "b");
  makeProject(datos, "Rio_b", "c");
  WriteBytes(datos + "/Rio_Tormenta1.pcn", "\"tormenta\"\r\n");  // a stored storm
  WriteBytes(datos + "/notas.txt", "x");
  const auto before = Snapshot(datos);

  showDialog();
  ASSERT_TRUE(dlg().isVisible());
  EXPECT_EQ(dlg().windowTitle(), "Eliminar un Proyecto existente");
  EXPECT_EQ(dlg().Frame2->title(), "Directorio de Trabajo:");
  EXPECT_EQ(dlg().Frame3->title(), "Si pulsa Aceptar borra el Proyecto:");
  EXPECT_EQ(dlg().Frame1->title(), "IMPORTANTE !!!");
  EXPECT_TRUE(dlg().Label1->text().endsWith("(archivos tipo <nombrearchivo*.pcn> )"));
  EXPECT_EQ(dlg().lblDirTrabajo->text(), datos);
  EXPECT_EQ(dlg().lblProyectoAEliminar->text(), "Ninguno");
  EXPECT_EQ(listed(), QStringList({"Rio2_Conf.pcn", "Rio_Conf.pcn", "Rio_b_Conf.pcn"}));

  // Nothing chosen: Aceptar does nothing.
  QTest::mouseClick(dlg().OKButton, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty());

  choose("Rio_Conf.pcn");
  EXPECT_EQ(dlg().lblProyectoAEliminar->text(), "Rio_Conf.pcn");
  dialogs.answer(vbNo);
  QTest::mouseClick(dlg().OKButton, Qt::LeftButton);
  ASSERT_EQ(prompts(), QStringList{Question("Rio")});
  EXPECT_EQ(dialogs.records()[0].style, vbYesNo | vbQuestion);
  EXPECT_EQ(dialogs.records()[0].title, "Consulta");
  EXPECT_EQ(Snapshot(datos), before);

  dialogs.answer(vbYes);
  QTest::mouseClick(dlg().OKButton, Qt::LeftButton);
  auto expected = before;
  for (const char* suffix : kArchivosProyecto) expected.remove(QStringLiteral("Rio") + QLatin1String(suffix));
  EXPECT_EQ(Snapshot(datos), expected);
  // The dialog stays, its list without the project.
  EXPECT_TRUE(dlg().isVisible());
  EXPECT_EQ(listed(), QStringList({"Rio2_Conf.pcn", "Rio_b_Conf.pcn"}));
  EXPECT_EQ(dlg().lblProyectoAEliminar->text(), "Ninguno");

  QTest::mouseClick(dlg().CancelButton, Qt::LeftButton);
  EXPECT_FALSE(dlg().isVisible());
}

TEST_F(DlgEliminarProyectoTest, ProjectWithOnlyItsSettingsAndAFileThatCannotGo) {
  makeProject(datos, "Solo", "a", {"_Conf.pcn"});
  makeProject(datos, "Rio", "b");
  showDialog();
  choose("Solo_Conf.pcn");
  dialogs.answer(vbYes);
  QTest::mouseClick(dlg().OKButton, Qt::LeftButton);
  EXPECT_FALSE(FileExists(datos + "/Solo_Conf.pcn"));
  EXPECT_TRUE(dlg().isVisible());

  // A file the program holds open cannot be deleted: the dialog closes and what went, went.
  choose("Rio_Conf.pcn");
  dialogs.answer(vbYes);
  {
    SeqFile held(datos + "/Rio_RHAS.pcn", OpenMode::Input);
    QTest::mouseClick(dlg().OKButton, Qt::LeftButton);
  }
  EXPECT_FALSE(dlg().isVisible());
  EXPECT_FALSE(FileExists(datos + "/Rio_Conf.pcn"));
  EXPECT_TRUE(FileExists(datos + "/Rio_RHAS.pcn"));

  // Opened again, it lists the working directory afresh.
  QDir(programDir()).mkdir("Otra");
  makeProject(path("Otra"), "Lejos", "c", {"_Conf.pcn"});
  DirActual = path("Otra");
  showDialog();
  EXPECT_TRUE(dlg().isVisible());
  EXPECT_EQ(dlg().lblDirTrabajo->text(), path("Otra"));
  EXPECT_EQ(listed(), QStringList{"Lejos_Conf.pcn"});
  EXPECT_EQ(dlg().lblProyectoAEliminar->text(), "Ninguno");
  EXPECT_EQ(CurDir(), path("Otra"));
}

TEST_F(DlgEliminarProyectoTest, DeletingTheOpenProjectClosesIt) {
  makeProject(datos, "Rio", "Arroyo");
  makeProject(datos, "Rio2", "Crecida");
  open(datos + "/Rio2_Conf.pcn");
  ASSERT_EQ(main().lblProyecto->text(), "Rio2");
  const QString noProject =
      "No existe un Proyecto asociado. Debe cargar un Proyecto desde el Menu Opciones de Configuración o "
      "bien "
      "crear un proyecto nuevo";

  // Another project of the folder goes; the open one stays open.
  showDialog();
  choose("Rio_Conf.pcn");
  dialogs.answer(vbYes);
  QTest::mouseClick(dlg().OKButton, Qt::LeftButton);
  EXPECT_EQ(NombreProyecto, "Rio2");
  EXPECT_EQ(main().lblProyecto->text(), "Rio2");

  // The open project goes: none is open, the panel and the working-directory file say so, and the
  // commands that need a project say there is none.
  choose("Rio2_Conf.pcn");
  dialogs.answer(vbYes);
  QTest::mouseClick(dlg().OKButton, Qt::LeftButton);
  EXPECT_EQ(NombreProyecto, "");
  EXPECT_EQ(main().lblProyecto->text(), "");
  EXPECT_EQ(main().lblFileProyecto->text(), "_Conf.pcn");
  EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), recorded(datos, ""));
  dialogs.answer(vbOK);
  main().mnuEditfrmUEHsTabla->trigger();
  EXPECT_EQ(prompts().last(), noProject);
  EXPECT_TRUE(Snapshot(datos).isEmpty());
}

}  // namespace
}  // namespace tavo
