#include "project/frmConfigura.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTabBar>
#include <QTest>
#include <functional>

#include "platform/app.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "project/proyecto_fixture.h"
#include "shell/MDIForm1.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class FrmConfiguraTest : public test::ProyectoRioTest {
 protected:
  void show() {
    ShowModeless(&form(), false);
    QApplication::processEvents();
  }
  void type(QLineEdit* box, const QString& text) { test::Type(box, text); }
  void leave(QLineEdit* box) { test::Leave(box); }
  void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
  void clickFile(FileList* list, const QString& name) {
    const auto items = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
  }
  QStringList prompts() const {
    QStringList out;
    for (const auto& r : dialogs.records()) out << r.prompt;
    return out;
  }
  QString savedMessage() const { return SavedMessage(dir + "/Rio_Conf.pcn"); }
  QStringList fileLines(const QString& file) const {
    return DecodeWindows1252(ReadBytes(file)).split("\r\n");
  }
};

const QString kAdditionalTime = "Ingrese un valor numérico entre 10 y 30000";
const QString kScale = "Ingrese un valor numérico entre 0 y 50000";

TEST_F(FrmConfiguraTest, NumberBoxesCheckTheirTextWhenTheFocusLeaves) {
  struct Case {
    ValidatedBox* frmConfigura::*box;
    int tab;
    QString typed;
    QString message;  // empty: accepted
    QString shown;
    std::function<QString()> state;
    QString stateValue;
  };
  auto additional = [] { return PlainNumberText(TiempoAdicional); };
  auto scale = [] { return EscalaDibujo; };
  auto size = [] { return PlainNumberText(EscalaImagenFondo); };
  auto shiftX = [] { return PlainNumberText(PosXImagenFondo); };
  const QString screen = QString::number(ScreenWidthTwips());
  const Case cases[] = {
      {&frmConfigura::txtN0Dur, frmConfigura::kTabVer, "5", kAdditionalTime, "5", additional, "5"},
      {&frmConfigura::txtN0Dur, frmConfigura::kTabVer, "10", "", "10", additional, "10"},
      {&frmConfigura::txtN0Dur, frmConfigura::kTabVer, "30000", "", "30000", additional, "30000"},
      {&frmConfigura::txtN0Dur, frmConfigura::kTabVer, "30001", kAdditionalTime, "30001", additional,
       "30001"},
      {&frmConfigura::txtN0Dur, frmConfigura::kTabVer, "12,5", "", "12.5", additional, "12.5"},
      {&frmConfigura::txtN0Dur, frmConfigura::kTabVer, "20.5", "", "20.5", additional, "20.5"},
      {&frmConfigura::txtN0Dur, frmConfigura::kTabVer, "abc", kAdditionalTime, "0", additional, "0"},
      {&frmConfigura::txtEscalaImagen, frmConfigura::kTabVer, "60000", kScale, "60000", scale, "60000"},
      {&frmConfigura::txtEscalaImagen, frmConfigura::kTabVer, "-1", kScale, "-1", scale, "-1"},
      {&frmConfigura::txtEscalaImagen, frmConfigura::kTabVer, "0", "", "0", scale, "0"},
      {&frmConfigura::txtEscalaImagen, frmConfigura::kTabVer, "50000", "", "50000", scale, "50000"},
      {&frmConfigura::txtEscalaImagen, frmConfigura::kTabVer, "abc", "", "0", scale, "0"},
      {&frmConfigura::TexIMGEscala, frmConfigura::kTabImagenFondo, "1500", "", "1000", size, "1000"},
      {&frmConfigura::TexIMGEscala, frmConfigura::kTabImagenFondo, "-20", "", "0", size, "0"},
      {&frmConfigura::TexIMGEscala, frmConfigura::kTabImagenFondo, "100", "", "100", size, "100"},
      {&frmConfigura::TexIMGX0, frmConfigura::kTabImagenFondo, "99999999", "", screen, shiftX, screen},
      {&frmConfigura::TexIMGX0, frmConfigura::kTabImagenFondo, "-40", "", "-40", shiftX, "-40"},
  };
  show();
  for (const Case& c : cases) {
    ValidatedBox* box = form().*c.box;
    SCOPED_TRACE((box->objectName() + " " + c.typed).toStdString());
    dialogs.clear();
    if (!c.message.isEmpty()) dialogs.answer(vbOK);
    form().SSTab1->setCurrentIndex(c.tab);
    type(box, c.typed);
    leave(box);
    EXPECT_EQ(prompts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    EXPECT_EQ(box->text(), c.shown);
    EXPECT_EQ(c.state(), c.stateValue);
    EXPECT_EQ(box->hasFocus(), !c.message.isEmpty());
    if (!c.message.isEmpty()) {
      EXPECT_EQ(box->selectedText(), c.shown);
      // The box must hold an accepted value before the focus can go on.
      box->setText("10");
      leave(box);
    }
  }
}

TEST_F(FrmConfiguraTest, DrawingWidthIsCappedAsItIsTyped) {
  show();
  form().SSTab1->setCurrentIndex(frmConfigura::kTabVer);
  type(form().txtMaxUEHsPixel, "2000");
  EXPECT_EQ(form().txtMaxUEHsPixel->text(), "1024");
  type(form().txtMaxUEHsPixel, "300");
  EXPECT_EQ(form().txtMaxUEHsPixel->text(), "300");
  QTest::keyClick(form().txtMaxUEHsPixel, Qt::Key_End);
  for (int i = 0; i < 3; ++i) QTest::keyClick(form().txtMaxUEHsPixel, Qt::Key_Backspace);
  EXPECT_EQ(form().txtMaxUEHsPixel->text(), "");
}

TEST_F(FrmConfiguraTest, OkAndApplyCheckTheBoxBeingEditedFirst) {
  show();
  form().SSTab1->setCurrentIndex(frmConfigura::kTabVer);
  type(form().txtN0Dur, "5");
  dialogs.answer(vbOK);
  click(form().OKButton);
  EXPECT_EQ(prompts(), QStringList{kAdditionalTime});
  EXPECT_TRUE(form().isVisible());
  EXPECT_TRUE(form().txtN0Dur->hasFocus());
  EXPECT_FALSE(FileExists(dir + "/Rio_Conf.pcn"));

  // Nor does a click on another tab pass the refused box.
  dialogs.clear();
  dialogs.answer(vbOK);
  QTabBar* tabs = form().SSTab1->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(frmConfigura::kTabTitulos).center());
  EXPECT_EQ(prompts(), QStringList{kAdditionalTime});
  EXPECT_EQ(form().SSTab1->currentIndex(), frmConfigura::kTabVer);

  dialogs.clear();
  type(form().txtN0Dur, "20");
  dialogs.answer(vbOK);
  click(form().cmdAplicar);
  EXPECT_EQ(prompts(), QStringList{savedMessage()});
  EXPECT_TRUE(form().isVisible());
  EXPECT_EQ(fileLines(dir + "/Rio_Conf.pcn")[25], "20");

  // OK on an existing project writes and closes the form.
  dialogs.clear();
  type(form().txtN0Dur, "25");
  dialogs.answer(vbOK);
  click(form().OKButton);
  EXPECT_EQ(prompts(), QStringList{savedMessage()});
  EXPECT_FALSE(form().isVisible());
  EXPECT_EQ(fileLines(dir + "/Rio_Conf.pcn")[25], "25");
}

TEST_F(FrmConfiguraTest, NewProjectIsWrittenAtOnceAndStaysOpenOnTheTitles) {
  form();
  ProyectoNuevo = true;
  DirTrabajo = dir;
  dialogs.answer(vbOK);
  show();
  EXPECT_EQ(prompts(), QStringList{savedMessage()});
  EXPECT_TRUE(form().isVisible());
  EXPECT_EQ(form().SSTab1->currentIndex(), frmConfigura::kTabTitulos);
  EXPECT_FALSE(ProyectoNuevo);
  EXPECT_TRUE(FileExists(dir + "/Rio_Conf.pcn"));
  EXPECT_EQ(form().filArchivoConfigura->fileName(), "Rio_Conf.pcn");
  EXPECT_EQ(form().lblMiArchivoConf->text(), "Rio_Conf.pcn");
  EXPECT_EQ(form().lblnombreproyecto->text(), "Rio");
}

TEST_F(FrmConfiguraTest, CancelKeepsTheEditsInTheFormButWritesNothing) {
  MDIForm1& main = FormInstance<MDIForm1>::instance();
  show();
  form().SSTab1->setCurrentIndex(frmConfigura::kTabTitulos);
  type(form().TextProyecto, "Crecida 2026");
  click(form().CancelButton);
  EXPECT_FALSE(form().isVisible());
  EXPECT_FALSE(FileExists(dir + "/Rio_Conf.pcn"));
  EXPECT_EQ(main.lblTitulo->text(), "Crecida 2026");
  EXPECT_EQ(main.lblProyecto->text(), "Rio");
  EXPECT_EQ(main.lblFilesTrabajo->text(), "Rio_UEHs.pcn\nRio_VerCau.pcn");
  show();
  EXPECT_EQ(form().TextProyecto->text(), "Crecida 2026");
  // Esc closes it likewise.
  QTest::keyClick(form().SSTab1->tabBar(), Qt::Key_Escape);
  EXPECT_FALSE(form().isVisible());
}

TEST_F(FrmConfiguraTest, DefaultSelectionButtons) {
  show();
  std::vector<bool> before;
  for (QCheckBox* c : form().checksR) before.push_back(c->isChecked());
  form().SSTab1->setCurrentIndex(frmConfigura::kTabRecurrencias);
  click(form().BtnRecuDef);
  for (int k = 0; k < kNroRecurrencias; ++k) {
    // On a fresh form only 1000 years changes, from clear to set.
    EXPECT_EQ(form().checksR[k]->isChecked(), kRecurrencias[k] == 1000 ? true : bool(before[k]))
        << kRecurrencias[k];
  }
  EXPECT_FALSE(before[10]);

  form().CheckD5->setChecked(true);
  form().CheckD60->setChecked(false);
  form().CheckD2880->setChecked(true);
  form().SSTab1->setCurrentIndex(frmConfigura::kTabDuracion);
  click(form().BtnDurDef);
  for (int k = 0; k < kNroDuraciones; ++k) {
    const Integer d = kDuraciones[k];
    EXPECT_EQ(form().checksD[k]->isChecked(), d != 5 && d != 15 && d != 2880) << d;
  }
}

TEST_F(FrmConfiguraTest, TitleBoxes) {
  show();
  form().SSTab1->setCurrentIndex(frmConfigura::kTabTitulos);
  // A double quote cannot be typed: the file could not hold it.
  type(form().TextProyecto, "Rio \"Negro\", tramo 2");
  EXPECT_EQ(form().TextProyecto->text(), "Rio Negro, tramo 2");
  type(form().TextProyecto, QString(70, 'x'));
  EXPECT_EQ(form().TextProyecto->text().size(), 60);
  // A click selects the whole text.
  click(form().TextUbica);
  EXPECT_EQ(form().TextUbica->selectedText(), "Ubicación del Proyecto");
  // A double click puts today's date.
  SetFixedClock(QDateTime(QDate(2026, 5, 24), QTime(9, 30)));
  QTest::mouseDClick(form().txtFecha, Qt::LeftButton);
  EXPECT_EQ(form().txtFecha->text(), "24/05/2026");
}

TEST_F(FrmConfiguraTest, NothingIsClippedOnAnyTab) {
  show();
  for (int tab = 0; tab < form().SSTab1->count(); ++tab) {
    SCOPED_TRACE(form().SSTab1->tabText(tab).toStdString());
    form().SSTab1->setCurrentIndex(tab);
    QApplication::processEvents();
    const QStringList clipped = test::ClippedControls(&form());
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join('\n').toStdString();
  }
}

TEST_F(FrmConfiguraTest, TitleLimitIsForTypingOnly) {
  // A settings file may hold a title longer than the 60 characters the box takes when typed.
  const QString longTitle =
      "Estudio de crecidas de la cuenca alta del arroyo Las Tapias, 2026";  // 66 characters
  ASSERT_GT(longTitle.size(), 60);
  dialogs.answer(vbOK);
  form().cmdAplicar_Click();
  QStringList lines = fileLines(dir + "/Rio_Conf.pcn");
  lines[1] = "\"" + longTitle + "\"";
  WriteBytes(dir + "/Rio_Conf.pcn", EncodeWindows1252(lines.join("\r\n")));

  form().leoConf();
  EXPECT_EQ(form().TextProyecto->text(), longTitle);
  // Typing adds nothing to it; it can be shortened, and then not lengthened again.
  show();
  form().SSTab1->setCurrentIndex(frmConfigura::kTabTitulos);
  QLineEdit* box = form().TextProyecto;
  box->setFocus();
  box->end(false);
  QTest::keyClicks(box, "xyz");
  EXPECT_EQ(box->text(), longTitle);
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, "s");
  EXPECT_EQ(box->text(), longTitle.chopped(1));
  // Saved, it is written whole.
  dialogs.answer(vbOK);
  form().cmdAplicar_Click();
  EXPECT_EQ(fileLines(dir + "/Rio_Conf.pcn")[1], "\"" + longTitle.chopped(1) + "\"");
  // A short title takes 60 typed characters.
  type(box, QString(70, 'x'));
  EXPECT_EQ(box->text(), QString(60, 'x'));
}

TEST_F(FrmConfiguraTest, MessageBoxClosingIsNoNewActivation) {
  MDIForm1& main = FormInstance<MDIForm1>::instance();
  main.show();
  main.activateWindow();
  QApplication::processEvents();
  show();
  form().SSTab1->setCurrentIndex(frmConfigura::kTabTitulos);

  QMessageBox box(&form());
  box.setText("Aviso");
  box.show();
  box.activateWindow();
  QApplication::processEvents();
  box.hide();
  form().activateWindow();
  QApplication::processEvents();
  EXPECT_EQ(form().SSTab1->currentIndex(), frmConfigura::kTabTitulos);

  // Going to the main window refreshes its panel; coming back initialises the form again.
  form().TextCuenca->setText("Cuenca del Sur");
  main.activateWindow();
  QApplication::processEvents();
  EXPECT_EQ(main.lblCuenca->text(), "Cuenca del Sur");
  form().activateWindow();
  QApplication::processEvents();
  EXPECT_EQ(form().SSTab1->currentIndex(), frmConfigura::kTabDirectorios);
}

TEST_F(FrmConfiguraTest, ChoosingASettingsFileLoadsThatProject) {
  WriteBytes(
      dir + "/Rio2_Conf.pcn",
      EncodeWindows1252("\"Rio\"\r\n\"Crecida\"\r\n\"U\"\r\n\"C\"\r\n\"S\"\r\n\"O\"\r\n\"F\"\r\n\"/\"\r\n\"" +
                        dir + "\"\r\n\"\"\r\n1\r\n\"Rio_Conf.pcn\"\r\n0\r\n\"Ninguno\"\r\n\"0\"\r\n\"\"\r\n" +
                        "#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n0\r\n0\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n"
                        "30\r\n\"800\"\r\n\"0\"\r\n" +
                        QString("1\r\n").repeated(31)));
  WriteBytes(dir + "/Conf.pcn", "");
  WriteBytes(dir + "/RioConf.pcn", "");
  show();
  NombreProyecto.clear();

  dialogs.answer(vbOK);
  clickFile(form().filArchivoConfigura, "Rio2_Conf.pcn");
  EXPECT_EQ(
      prompts(),
      QStringList{"Se han cargado los datos de configuración del archivo Rio2_Conf.pcn del proyecto Rio"});
  EXPECT_EQ(NombreProyecto, "Rio");
  EXPECT_EQ(TextoProyecto, "Crecida");
  EXPECT_EQ(NroListaRec, 14);
  EXPECT_EQ(form().lblMiArchivoConf->text(), "Rio2_Conf.pcn");
  EXPECT_EQ(form().lblnombreproyecto->text(), "Rio2");

  // "Conf.pcn" alone names no project.
  dialogs.clear();
  dialogs.answer(vbOK);
  clickFile(form().filArchivoConfigura, "Conf.pcn");
  EXPECT_EQ(prompts(),
            QStringList{"El archivo Conf.pcn no es un archivo de configuración válido. Los archivos de "
                        "configuración tienen el formato nnConf.pcn, donde nn es el nombre del proyecto"});
  EXPECT_EQ(form().lblMiArchivoConf->text(), "debe cargar el archivo Conf.");

  // RioConf.pcn loses its last nine characters: project Ri, whose file is missing.
  dialogs.clear();
  dialogs.answer(vbOK);
  clickFile(form().filArchivoConfigura, "RioConf.pcn");
  EXPECT_EQ(prompts(),
            QStringList{"Se han cargado los datos de configuración del archivo RioConf.pcn del proyecto Ri"});
  EXPECT_EQ(NombreProyecto, "Ri");
  EXPECT_EQ(DirActual, dir);
}

TEST_F(FrmConfiguraTest, PictureFileChoice) {
  for (const char* name : {"FOTO.JPG", "foto.jpg", "notas.txt"}) WriteBytes(dir + "/" + name, "x");
  show();
  FileList* list = form().filArchivoImagenDib;
  EXPECT_EQ(list->count(), 2);
  EXPECT_FALSE(list->isEnabled());
  form().chkImagenDibujo->setChecked(true);
  ASSERT_TRUE(list->isEnabled());

  dialogs.answer(vbOK);
  clickFile(list, "FOTO.JPG");
  EXPECT_EQ(prompts(),
            QStringList{"El archivo FOTO.JPG no es un archivo de Imágen válido. Los archivos de Imágen "
                        "son extensión .bmp .gif .jpg y.wmf"});
  EXPECT_EQ(form().lblImagenDibujo->text(), "Ninguno");
  EXPECT_TRUE(ArchivoImagenFondo.isEmpty());
  EXPECT_FALSE(form().chkImagenDibujo->isChecked());
  EXPECT_FALSE(list->isEnabled());

  form().chkImagenDibujo->setChecked(true);
  clickFile(list, "foto.jpg");
  EXPECT_EQ(form().lblImagenDibujo->text(), "foto.jpg");
  EXPECT_EQ(ArchivoImagenFondo, "foto.jpg");
  EXPECT_TRUE(form().chkImagenDibujo->isChecked());
  EXPECT_TRUE(list->isEnabled());
}

TEST_F(FrmConfiguraTest, CreatingAWorkingFolder) {
  const QString exists75 =
      "Error Nro. 75 ,Error de acceso a la ruta o el archivoVerifique. Puede que ya exista un Directorio con "
      "ese "
      "nombre...";
  show();
  click(form().CheckDirNv);
  ASSERT_TRUE(form().TextDirNv->isEnabled());
  type(form().TextDirNv, "nueva");
  click(form().BtnDirNv);
  EXPECT_TRUE(dialogs.records().empty());
  EXPECT_TRUE(DirExists(dir + "/nueva"));
  EXPECT_EQ(form().Dir1->path(), dir + "/nueva");
  EXPECT_EQ(DirActual, dir + "/nueva");
  EXPECT_EQ(CurDir(), dir + "/nueva");
  EXPECT_EQ(form().filArchivoConfigura->path(), dir + "/nueva");

  // An existing folder is reported and entered.
  form().Dir1->setPath(dir);
  dialogs.answer(vbOK);
  click(form().BtnDirNv);
  EXPECT_EQ(prompts(), QStringList{exists75});
  EXPECT_EQ(form().Dir1->path(), dir + "/nueva");

  // An empty name: the same message, and the list stays.
  form().Dir1->setPath(dir);
  dialogs.clear();
  type(form().TextDirNv, "");
  QTest::keyClick(form().TextDirNv, Qt::Key_Delete);
  dialogs.answer(vbOK);
  click(form().BtnDirNv);
  EXPECT_EQ(prompts(), QStringList{exists75});
  EXPECT_EQ(form().Dir1->path(), dir);

  click(form().CheckDirNv);
  EXPECT_FALSE(form().TextDirNv->isEnabled());
}

TEST_F(FrmConfiguraTest, DefaultsButtonUsesTheProgramFolder) {
  QDir(dir).removeRecursively();
  QDir(programDir()).mkdir("obras");
  DirActual = path("obras");
  show();
  form().CheckDistriPp->setChecked(false);
  for (int press = 0; press < 2; ++press) {
    click(form().BtnDefecto);
    EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_EQ(DirActual, dir);
    EXPECT_EQ(CurDir(), dir);
    EXPECT_EQ(form().Dir1->path(), dir);
    EXPECT_TRUE(form().CheckDistriPp->isChecked());
    EXPECT_FALSE(form().TextDirNv->isEnabled());
  }
}

TEST_F(FrmConfiguraTest, OpeningAFolderMovesBothFileListsAndTheWorkingDirectory) {
  QDir(dir).mkdir("sub");
  WriteBytes(dir + "/sub/Otro_Conf.pcn", "");
  show();
  DirList* folders = form().Dir1;
  const auto items = folders->findItems("sub", Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1);
  const QPoint at = folders->visualItemRect(items[0]).center();
  QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(folders->path(), dir + "/sub");
  EXPECT_EQ(DirActual, dir + "/sub");
  EXPECT_EQ(form().filArchivoImagenDib->path(), dir + "/sub");
  ASSERT_EQ(form().filArchivoConfigura->count(), 1);
  EXPECT_EQ(form().filArchivoConfigura->item(0)->text(), "Otro_Conf.pcn");
}

}  // namespace
}  // namespace tavo
