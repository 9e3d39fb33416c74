#include "project/configuracion.h"

#include <QDir>

#include "platform/seqfile.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "project/proyecto_fixture.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// A settings file of project Rio as the writer writes it, one value a line: a title with a comma,
// value 41 (R = 5000) set and value 38 (R = 500) clear, and the hidden 2880-minute duration set.
QStringList RioValues(const QString& folder) {
  QStringList v = {"\"Rio\"",
                   "\"Crecida del Rio, 2024\"",
                   "\"Ubicación Norte\"",
                   "\"Cuenca Alta\"",
                   "\"Sub 1\"",
                   "\"Operador A\"",
                   "\"15/03/2024\"",
                   "\"/\"",
                   "\"" + folder + "\"",
                   "\"nueva\"",
                   "0",
                   "\"Rio_Conf.pcn\"",
                   "1",
                   "\"foto.jpg\"",
                   "\"250\"",
                   "\"\"",
                   "#FALSE#",
                   "#TRUE#",
                   "#FALSE#",
                   "12.5",
                   "-3",
                   "#FALSE#",
                   "#TRUE#",
                   "#FALSE#",
                   "#TRUE#",
                   "45",
                   "\"640\"",
                   "\"2.5\""};
  for (int r : {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0}) v << QString::number(r);
  for (int d : {0, 1, 0, 1, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 0, 1, 1}) v << QString::number(d);
  return v;
}

QByteArray FileBytes(const QStringList& values) {
  return EncodeWindows1252(values.join("\r\n") + "\r\n");
}

class ConfiguracionTest : public test::ProyectoRioTest {
 protected:
  QString onlyMessage() {
    EXPECT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
    return dialogs.records().empty() ? QString() : dialogs.records().back().prompt;
  }
};

// The settings read as opening a project reads them, through the form, and as a run reads them,
// without it: the form that comes into existence after a run's reading shows what the reading read.
class LecturaTest : public ConfiguracionTest, public ::testing::WithParamInterface<bool> {
 protected:
  void lee() {
    if (!GetParam()) {
      form().leoConf();
      return;
    }
    ASSERT_FALSE(frmConfigura::isLoaded());
    LeeConfiguracion();
  }
  // After a run's reading of an existing file, the form does not exist yet.
  void sinVentana() {
    if (GetParam()) {
      EXPECT_FALSE(frmConfigura::isLoaded());
    }
  }
};
INSTANTIATE_TEST_SUITE_P(Lectores, LecturaTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Corrida" : "Formulario"; });

TEST_P(LecturaTest, AllValuesReadIntoStateAndFormAndWrittenBackByteForByte) {
  const QByteArray bytes = FileBytes(RioValues(dir));
  WriteBytes(dir + "/Rio_Conf.pcn", bytes);
  lee();
  sinVentana();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();

  EXPECT_EQ(NombreProyecto, "Rio");
  EXPECT_EQ(TextoProyecto, "Crecida del Rio, 2024");
  EXPECT_EQ(form().TextProyecto->text(), "Crecida del Rio, 2024");
  EXPECT_EQ(form().TextUbica->text(), "Ubicación Norte");
  EXPECT_EQ(form().TextOpera->text(), "Operador A");
  EXPECT_EQ(form().txtFecha->text(), "15/03/2024");
  EXPECT_EQ(UnidadTrabajo, "/");
  EXPECT_EQ(DirTrabajo, dir);
  EXPECT_EQ(DirActual, dir);
  EXPECT_EQ(form().Dir1->path(), dir);
  EXPECT_EQ(form().TextDirNv->text(), "nueva");
  EXPECT_EQ(DistribucionUniforme, 0);
  EXPECT_FALSE(form().CheckDistriPp->isChecked());
  EXPECT_EQ(form().lblMiArchivoConf->text(), "Rio_Conf.pcn");
  EXPECT_EQ(UsaImagenFondo, 1);
  EXPECT_TRUE(form().filArchivoImagenDib->isEnabled());
  EXPECT_EQ(ArchivoImagenFondo, "foto.jpg");
  EXPECT_EQ(form().lblImagenDibujo->text(), "foto.jpg");
  EXPECT_EQ(EscalaImagenFondo, 250.0f);
  EXPECT_TRUE(OpcionB);
  EXPECT_TRUE(form().Optionb->isChecked());
  EXPECT_FALSE(form().TexIMGX0->isEnabled());  // option b was selected
  EXPECT_EQ(PosXImagenFondo, 12.5f);
  EXPECT_EQ(form().TexIMGX0->text(), "12.5");
  EXPECT_EQ(form().TexIMGY0->text(), "-3");
  EXPECT_TRUE(UnidadHoras && form().OptionHr->isChecked() && !form().OptionMin->isChecked());
  EXPECT_TRUE(UnidadLitros && form().OptionLt->isChecked() && !form().Optionm3->isChecked());
  EXPECT_EQ(TiempoAdicional, 45.0f);
  EXPECT_EQ(form().txtN0Dur->text(), "45");
  EXPECT_EQ(ExtensionDibujo, "640");
  EXPECT_EQ(EscalaDibujo, "2.5");

  // Value 41 set and value 38 clear: 5000 years is used, 500 years is not.
  EXPECT_EQ(SelRecurrencia(12), 1);
  EXPECT_EQ(SelRecurrencia(9), 0);
  EXPECT_TRUE(form().CheckR5000->isChecked());
  EXPECT_FALSE(form().CheckR500->isChecked());
  ASSERT_EQ(NroListaRec, 7);
  const Integer rec[] = {2, 10, 25, 50, 200, 1000, 5000};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(ListaRec(i + 1), rec[i]);
  // The hidden 2880 minutes counts when the file sets it.
  ASSERT_EQ(NroListaPasot, 11);
  const Integer dur[] = {10, 20, 30, 60, 120, 180, 300, 360, 720, 1440, 2880};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(ListaPasot(i + 1), dur[i]);
  EXPECT_TRUE(form().CheckD2880->isChecked());

  dialogs.answer(vbOK);
  RmFile(dir + "/Rio_Conf.pcn");
  form().cmdAplicar_Click();
  EXPECT_EQ(onlyMessage(), SavedMessage(dir + "/Rio_Conf.pcn"));
  EXPECT_EQ(ReadBytes(dir + "/Rio_Conf.pcn"), bytes);
  // The writer also records the project in the working-directory file.
  EXPECT_EQ(ReadBytes(path("PelcanDir.pcn")), ("\"" + dir + "\"\r\n\"Rio\"\r\n").toUtf8());
}

TEST_F(ConfiguracionTest, FileOfAMovedProjectIsCorrectedInMemoryAndWrittenOnlyByApply) {
  struct Case {
    QString drive;
    QString folder;
  };
  // Another folder of this machine, a Windows folder and drive of another machine, and a folder that
  // differs from the real one only in its first two characters.
  const Case cases[] = {
      {"/", "/otra/parte"}, {"c: [Disco C]", "C:\\Datos\\Proyectos"}, {"/", "/x" + dir.mid(2)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder.toStdString());
    dialogs.clear();
    QStringList moved = RioValues(dir);
    moved[7] = QString("\"%1\"").arg(c.drive);
    moved[8] = QString("\"%1\"").arg(c.folder);
    WriteBytes(dir + "/Rio_Conf.pcn", FileBytes(moved));
    DirActual = dir;
    // Reading, once or again, writes nothing.
    form().leoConf();
    form().leoConf();
    EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_EQ(DirTrabajo, dir);
    EXPECT_EQ(DirActual, dir);
    EXPECT_EQ(ReadBytes(dir + "/Rio_Conf.pcn"), FileBytes(moved));
    EXPECT_FALSE(FileExists(path("PelcanDir.pcn")));

    dialogs.answer(vbOK);
    form().cmdAplicar_Click();
    EXPECT_EQ(onlyMessage(), SavedMessage(dir + "/Rio_Conf.pcn"));
    EXPECT_EQ(ReadBytes(dir + "/Rio_Conf.pcn"), FileBytes(RioValues(dir)));
    RmFile(path("PelcanDir.pcn"));
  }
}

TEST_F(ConfiguracionTest, FileStoringAnotherNameMakesThatTheProject) {
  QStringList values = RioValues("/en/otra/carpeta");
  values[0] = "\"A\"";
  NombreProyecto = "B";
  WriteBytes(dir + "/B_Conf.pcn", FileBytes(values));
  form().leoConf();
  EXPECT_EQ(NombreProyecto, "A");
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  // Apply writes under the name the file stores.
  dialogs.answer(vbOK);
  form().cmdAplicar_Click();
  EXPECT_EQ(onlyMessage(), SavedMessage(dir + "/A_Conf.pcn"));
  EXPECT_TRUE(FileExists(dir + "/A_Conf.pcn"));
  EXPECT_TRUE(FileExists(dir + "/B_Conf.pcn"));
}

TEST_F(ConfiguracionTest, QuotesAndForeignLettersReadBackWithEveryLaterValueInPlace) {
  WriteBytes(dir + "/Rio_Conf.pcn", FileBytes(RioValues(dir)));
  form().leoConf();
  // A folder whose name Windows-1252 cannot hold, and a title holding double quotes.
  const QString lodz = dir + QString::fromUtf8("/Łódź");
  QDir().mkdir(lodz);
  form().Dir1->setPath(lodz);
  form().TextProyecto->setText("Crecida \"A\", 2024");
  dialogs.answer(vbOK);
  form().cmdAplicar_Click();
  EXPECT_EQ(onlyMessage(), SavedMessage(lodz + "/Rio_Conf.pcn"));
  EXPECT_TRUE(ReadBytes(lodz + "/Rio_Conf.pcn").contains(QString::fromUtf8("\"Ubicación Norte\"").toUtf8()));

  ResetConfiguracionProyecto();
  DirActual = lodz;
  form().leoConf();
  EXPECT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(TextoProyecto, "Crecida 'A', 2024");
  EXPECT_EQ(TextoUbicacion, QString::fromUtf8("Ubicación Norte"));
  EXPECT_EQ(DirTrabajo, lodz);
  EXPECT_EQ(TiempoAdicional, 45.0f);
  EXPECT_EQ(EscalaDibujo, "2.5");
  EXPECT_EQ(NroListaRec, 7);
  EXPECT_EQ(NroListaPasot, 11);
  EXPECT_EQ(SelDuracion(16), 1);
}

TEST_P(LecturaTest, AnyNonZeroSelectionValueSelects) {
  QStringList values = RioValues(dir);
  values[28] = "2";   // R = 2 years
  values[29] = "-1";  // R = 5 years
  values[58] = "7";   // D = 2880 minutes
  WriteBytes(dir + "/Rio_Conf.pcn", FileBytes(values));
  lee();
  sinVentana();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(SelRecurrencia(0), 2);
  EXPECT_TRUE(form().CheckR2->isChecked());
  EXPECT_TRUE(form().CheckR5->isChecked());
  EXPECT_TRUE(form().CheckD2880->isChecked());
  ASSERT_EQ(NroListaRec, 8);
  EXPECT_EQ(ListaRec(1), 2);
  EXPECT_EQ(ListaRec(2), 5);
  EXPECT_EQ(ListaPasot(NroListaPasot), 2880);
}

TEST_P(LecturaTest, NumbersWithACommaKeepTheirLeadingNumber) {
  QStringList values = RioValues(dir);
  values[14] = "\"12,5\"";  // picture size
  values[27] = "\"12,5\"";  // drawing scale
  WriteBytes(dir + "/Rio_Conf.pcn", FileBytes(values));
  lee();
  sinVentana();
  EXPECT_EQ(form().TexIMGEscala->text(), "12");
  EXPECT_EQ(EscalaImagenFondo, 12.0f);
  EXPECT_EQ(form().txtEscalaImagen->text(), "12,5");
  EXPECT_EQ(EscalaDibujo, "12.5");
}

TEST_P(LecturaTest, ShortFileIsReportedDamagedAndClosesTheProject) {
  // The file ends after value 30 and records another folder: it must not be rewritten.
  QStringList values = RioValues("/otra/parte").mid(0, 30);
  const QByteArray bytes = FileBytes(values);
  WriteBytes(dir + "/Rio_Conf.pcn", bytes);
  ListaRec(1) = 77;
  NroListaRec = 9;
  dialogs.answer(vbOK);
  lee();
  sinVentana();
  EXPECT_EQ(
      onlyMessage(),
      "Error Nro. 62 ,La entrada ha sobrepasado el final del archivoVerifique. El archivo de configuración "
      "<Rio_Conf.pcn > está dañado. Corrija o elimine manualmente este archivo");
  EXPECT_TRUE(NombreProyecto.isEmpty());
  // Values 1 to 30 stay in the state and the form; the lists keep what they held.
  EXPECT_EQ(TiempoAdicional, 45.0f);
  EXPECT_EQ(EscalaDibujo, "2.5");
  EXPECT_EQ(SelRecurrencia(0), 1);
  EXPECT_EQ(SelRecurrencia(1), 0);
  EXPECT_FALSE(form().CheckR5->isChecked());
  EXPECT_EQ(NroListaRec, 9);
  EXPECT_EQ(ListaRec(1), 77);
  EXPECT_EQ(ReadBytes(dir + "/Rio_Conf.pcn"), bytes);
}

TEST_P(LecturaTest, ValueOfTheWrongKindStopsTheReader) {
  QStringList values = RioValues(dir);
  values[25] = "abc";  // additional time
  WriteBytes(dir + "/Rio_Conf.pcn", FileBytes(values));
  dialogs.answer(vbOK);
  lee();
  sinVentana();
  EXPECT_EQ(onlyMessage(), "Error Nro. 13 ,No coinciden los tiposVerifique.");
  EXPECT_EQ(NombreProyecto, "Rio");
  EXPECT_EQ(NroListaRec, 0);
}

TEST_P(LecturaTest, AFolderThatIsGoneIsToldAndNothingIsRead) {
  WriteBytes(dir + "/Rio_Conf.pcn", FileBytes(RioValues(dir)));
  DirActual = path("no_existe");
  dialogs.answer(vbOK);
  lee();
  EXPECT_EQ(onlyMessage(), "Error Nro. 76 ,No se ha encontrado la ruta de accesoVerifique.");
  EXPECT_TRUE(TextoProyecto.isEmpty());
  sinVentana();
}

TEST_P(LecturaTest, MissingFileSwitchesToTheDefaultFolderAndShowsTheForm) {
  QDir(programDir()).mkdir("obras");
  DirActual = path("obras");
  NombreProyecto = "Nada";
  lee();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(DirActual, dir);
  EXPECT_EQ(CurDir(), dir);
  EXPECT_EQ(form().Dir1->path(), dir);
  EXPECT_EQ(NombreProyecto, "Nada");
  EXPECT_TRUE(form().isVisible());
}

TEST_F(ConfiguracionTest, WriterWithoutAProjectOnlyTakesTheFolder) {
  NombreProyecto.clear();
  form().cmdAplicar_Click();
  EXPECT_EQ(DirTrabajo, dir);
  EXPECT_EQ(UnidadTrabajo, "/");
  EXPECT_TRUE(QDir(dir).entryList(QDir::Files).isEmpty());
  EXPECT_FALSE(FileExists(path("PelcanDir.pcn")));
}

TEST_F(ConfiguracionTest, WriterFailureIsOneMessageAndNoSuccess) {
  QDir(dir).mkdir("Rio_Conf.pcn");  // a folder where the file should go
  dialogs.answer(vbOK);
  form().cmdAplicar_Click();
  EXPECT_EQ(onlyMessage(),
            "Error Nro. 75 ,Error de acceso a la ruta o el archivoVerifique. Puede que ya exista un "
            "Directorio con ese "
            "nombre...");
  EXPECT_FALSE(FileExists(path("PelcanDir.pcn")));
}

TEST_F(ConfiguracionTest, PictureCheckedWithoutAPictureIsClearedOnWrite) {
  form().chkImagenDibujo->setChecked(true);
  form().lblImagenDibujo->setText("Ninguno");
  ArchivoImagenFondo = "vieja.jpg";
  dialogs.answer(vbOK);
  form().cmdAplicar_Click();
  EXPECT_FALSE(form().chkImagenDibujo->isChecked());
  EXPECT_TRUE(ArchivoImagenFondo.isEmpty());
  const QStringList lines = DecodeWindows1252(ReadBytes(dir + "/Rio_Conf.pcn")).split("\r\n");
  EXPECT_EQ(lines[12], "0");
  EXPECT_EQ(lines[13], "\"Ninguno\"");
}

}  // namespace
}  // namespace tavo
