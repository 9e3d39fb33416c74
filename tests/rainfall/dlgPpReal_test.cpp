#include "rainfall/dlgPpReal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "engine/hietograma.h"
#include "engine/resultados.h"
#include "project/estado.h"
#include "rainfall/cuenca_fixture.h"
#include "rainfall/dlgPp.h"
#include "rainfall/tormenta.h"
#include "rainfall/tormentareal.h"
#include "results/dlgChart1.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

const QByteArray kTres =
    "\"tres "
    "intervalos\"\r\n3,10\r\n\"12/12/2004\",\"20:30\"\r\n\"12/12/2004\",\"21:00\"\r\n2.5\r\n4\r\n0\r\n";
const QByteArray kVacia = "\"\"\r\n0,10\r\n\"01/01/1001\",\"00:00\"\r\n\"01/01/1001\",\"00:00\"\r\n";
const QString kCuenta = "Ingrese un valor numérico entero entre 0 y 999 ";
const QString kDuracion =
    "La duración de la tormenta (Nro. de intervalos x paso) no puede superar los 32767 minutos. Verifique";
const QString kFecha = "Ingrese una fecha formato dd/mm/aaaa, Ej: 01/04/2004 ";
const QString kHora = "Ingrese una hora formato <hh:nn>, Ej:  <01:20>   ";
const QString kFinal = "El tiempo final ingresado es menor al inicial, Verifique";
const QString kSinTormenta = "No ha ingresado datos de Pp y Duración de la tormenta.";

// The editor opened from the storm dialog over the working folder "obra".
class DlgPpRealTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirPrograma = programDir();
    QDir(programDir()).mkdir("obra");
    DirActual = path("obra");
    NombreProyecto = "Cuenca";
  }
  QString file(const QString& name) const { return path("obra/" + name); }
  dlgPpReal& form() { return dlgPpReal::instance(); }
  dlgPp& pp() { return dlgPp::instance(); }
  FlexGrid* grid() { return form().MSFlexGridTablaPpReal; }
  static void activate(QWidget* window) {
    QApplication::setActiveWindow(window);
    QApplication::processEvents();
  }
  // The storm dialog in mode e) on the storm `name`, and the editor opened from it.
  void open(const QString& name) {
    FormaPp = 4;
    dlgPp::MiFilePpReal = name;
    ShowModeless(&pp(), false);
    activate(&pp());
    QTest::mouseClick(pp().cmdPpReal, Qt::LeftButton);
    ASSERT_TRUE(dlgPpReal::isLoaded());
    activate(&form());
  }
  void type(QLineEdit* box, const QString& text) {
    test::Type(box, text);
    test::Leave(box);
  }
  void pickStep(const QString& step) {
    const int i = form().cmbPasot->findText(step);
    form().cmbPasot->setCurrentIndex(i);
    emit form().cmbPasot->activated(i);
  }
  QStringList column(int col) {
    QStringList out;
    for (int r = 1; r < grid()->Rows(); ++r) out << grid()->TextMatrix(r, col);
    return out;
  }
  // Types a depth into an emptied cell.
  void depth(int row, const QString& typed) {
    test::ClickCell(grid(), row, 3);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QTest::keyClicks(grid(), typed);
  }
};

TEST_F(DlgPpRealTest, TimeFieldsKeepStartCountAndEndTogether) {
  WriteBytes(file("Base_pt.pcn"), kVacia);
  open("Base_pt.pcn");
  EXPECT_EQ(form().windowTitle(), "Edición de Tormentas Reales (Pp-t)");
  EXPECT_EQ(form().lblMiFilePpReal->text(), "Base_pt.pcn");
  EXPECT_TRUE(test::ClippedControls(&form()).isEmpty())
      << test::ClippedControls(&form()).join('\n').toStdString();
  EXPECT_EQ(grid()->Rows(), 1);  // no interval: the heading alone
  EXPECT_EQ(grid()->TextMatrix(0, 1), "                    t [hs:min]  ");
  // No steps chosen in the settings: the standard steps are offered.
  QStringList pasos;
  for (int i = 0; i < form().cmbPasot->count(); ++i) pasos << form().cmbPasot->itemText(i);
  EXPECT_EQ(pasos, QStringList(
                       {"5", "10", "15", "20", "30", "60", "120", "180", "240", "300", "360", "540", "720"}));

  type(form().txtDateI, "12122004");
  type(form().txtTimeI, "2030");
  type(form().txtNroPpReal, "3");
  EXPECT_EQ(form().txtDateI->text(), "12/12/2004");
  EXPECT_EQ(form().txtDateF->text(), "12/12/2004");
  EXPECT_EQ(form().txtTimeF->text(), "21:00");
  EXPECT_EQ(column(1), QStringList({"12/12/2004 20:40", "12/12/2004 20:50", "12/12/2004 21:00"}));
  EXPECT_EQ(column(2), QStringList({"10", "20", "30"}));

  type(form().txtTimeI, "23:00");
  pickStep("60");
  EXPECT_EQ(form().txtDateF->text(), "13/12/2004");
  EXPECT_EQ(form().txtTimeF->text(), "02:00");

  // The end fixed, N follows from it, halves going to the even count.
  form().optNroPpReal[0]->setChecked(true);
  EXPECT_FALSE(form().txtNroPpReal->isEnabled());
  EXPECT_TRUE(form().txtTimeF->isEnabled());
  pickStep("10");
  type(form().txtTimeI, "20:30");
  for (const auto& [end, n] : {std::pair{"21:05", 4}, std::pair{"20:55", 2}}) {
    type(form().txtTimeF, end);
    EXPECT_EQ(NumPer, n) << end;
    EXPECT_EQ(form().txtNroPpReal->text(), QString::number(n));
    EXPECT_EQ(grid()->Rows(), n + 1);
  }
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();

  // An end before the start.
  dialogs.answer(vbOK);
  type(form().txtTimeF, "20:00");
  ASSERT_EQ(test::Prompts(dialogs), QStringList{kFinal});
  EXPECT_EQ(dialogs.records()[0].title, "Advertencia !");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(NumPer, 0);
  EXPECT_EQ(grid()->Rows(), 1);

  // An end with a date against a start without one gives no count (it would be millions).
  dialogs.clear();
  type(form().txtNroPpReal, "2");
  type(form().txtDateI, "0");
  EXPECT_EQ(form().txtDateI->text(), "01/01/1001");
  EXPECT_EQ(form().txtDateF->text(), "01/01/1001");
  EXPECT_EQ(form().txtTimeF->text(), "00:20");
  type(form().txtDateF, "12/12/2004");
  EXPECT_EQ(NumPer, 2);
  EXPECT_EQ(grid()->Rows(), 3);
  // Each date's check touches only the date it checks.
  EXPECT_EQ(form().txtDateI->text(), "01/01/1001");
  type(form().txtDateI, "12/12/2004");
  type(form().txtDateF, "0");
  EXPECT_EQ(form().txtDateF->text(), "01/01/1001");
  EXPECT_EQ(form().txtDateI->text(), "12/12/2004");
  EXPECT_EQ(NumPer, 2);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgPpRealTest, RefusedDatesTimesAndCounts) {
  WriteBytes(file("Tres_pt.pcn"), kTres);
  open("Tres_pt.pcn");
  struct Case {
    ValidatedBox* box;
    const char* typed;
    QString message;
    const char* reset;  // what the box holds afterwards
  };
  const Case cases[] = {
      {form().txtNroPpReal, "1000", kCuenta, "3"},
      {form().txtNroPpReal, "-1", kCuenta, "3"},
      {form().txtDateI, "31/02/2004", kFecha, "01/01/1001"},
      {form().txtDateF, "15/13/2004", kFecha, "01/01/0001"},
      {form().txtTimeI, "24:01", kHora, "00:00"},
      {form().txtTimeF, "8:30", kHora, "00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.clear();
    dialogs.answer(vbOK);
    type(c.box, c.typed);
    ASSERT_EQ(test::Prompts(dialogs), QStringList{c.message});
    EXPECT_EQ(c.box->text(), c.reset);
    EXPECT_TRUE(c.box->hasFocus());
    if (c.box == form().txtNroPpReal) {
      EXPECT_EQ(NumPer, 3);  // a refused count keeps the one before
    }
    // The box holds an accepted text now, so leaving it passes.
    test::Leave(c.box);
    EXPECT_EQ(dialogs.records().size(), 1u);
  }
  // The end time refused is the empty time, and the count follows from it.
  EXPECT_EQ(form().txtTimeI->text(), "00:00");
  EXPECT_EQ(NumPer, 0);
  dialogs.clear();
  type(form().txtNroPpReal, "3");

  // A duration beyond 32767 minutes cannot be read back: neither the count nor the step giving it.
  dialogs.answer(vbOK);
  pickStep("60");
  type(form().txtNroPpReal, "600");
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kDuracion});
  EXPECT_EQ(NumPer, 3);
  dialogs.clear();
  pickStep("10");
  type(form().txtNroPpReal, "999");
  ASSERT_EQ(NumPer, 999);
  dialogs.answer(vbOK);
  pickStep("60");
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kDuracion});
  EXPECT_EQ(form().cmbPasot->currentText(), "10");
  EXPECT_EQ(form().PasoPpReal, 10);
}

TEST_F(DlgPpRealTest, TypedDepthsGoIntoTheStormAndApplyWritesThemBeforeTheDialogReadsTheFile) {
  WriteBytes(file("Tres_pt.pcn"), kTres);
  open("Tres_pt.pcn");
  ASSERT_EQ(grid()->Rows(), 4);
  EXPECT_EQ(column(3), QStringList({"2.5", "4", "0"}));
  EXPECT_EQ(column(4), QStringList({"2.5", "6.5", "6.5"}));
  EXPECT_EQ(test::Shown(grid(), 1, 3).background, QColor(230, 254, 255));
  EXPECT_EQ(test::Shown(grid(), 2, 4).background, QColor(227, 227, 227));

  depth(3, "12.5");
  EXPECT_EQ(grid()->TextMatrix(3, 3), "12.5");
  QTest::keyClick(grid(), Qt::Key_Return);  // from the last row to the first
  EXPECT_EQ(grid()->Row(), 1);
  EXPECT_EQ(PpPeriodo(3), 12.5f);
  EXPECT_EQ(grid()->TextMatrix(3, 4), "19");

  // Delete empties the cell, not the depth: the next refill shows it again. A lone "." is no number.
  test::ClickCell(grid(), 2, 3);
  QTest::keyClick(grid(), Qt::Key_Delete);
  EXPECT_EQ(grid()->TextMatrix(2, 3), "");
  pickStep("10");
  EXPECT_EQ(grid()->TextMatrix(2, 3), "4");
  depth(2, ".");
  EXPECT_EQ(grid()->TextMatrix(2, 3), "");

  // A depth typed and not left yet is stored by Apply, which writes the file and then has the storm
  // dialog read it back.
  depth(1, "7");
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(
      ReadBytes(file("Tres_pt.pcn")),
      "\"tres "
      "intervalos\"\r\n3,10\r\n\"12/12/2004\",\"20:30\"\r\n\"12/12/2004\",\"21:00\"\r\n7\r\n0\r\n12.5\r\n");
  EXPECT_EQ(pp().lblMiFilePpReal->text(), "Tres_pt.pcn");
  EXPECT_EQ(pp().lblNumPer->text(), "3");
  EXPECT_EQ(pp().txtPp->text(), "19.5");
  EXPECT_EQ(PpTormenta, 19.5f);
  EXPECT_EQ(DurTormenta, 30);

  // Cancel after edits: the file stays, the edited depths stay in the storm.
  depth(1, "9");
  QTest::keyClick(grid(), Qt::Key_Return);
  QTest::mouseClick(form().CancelButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(dlgPpReal::isLoaded());
  EXPECT_TRUE(ReadBytes(file("Tres_pt.pcn")).endsWith("\r\n7\r\n0\r\n12.5\r\n"));
  EXPECT_EQ(PpPeriodo(1), 9.0f);
}

// The "0" an empty cell shows once Enter reaches it gives way to the first digit typed into it.
TEST_F(DlgPpRealTest, DigitsTypedIntoTheZeroEnterLeftReplaceIt) {
  WriteBytes(file("Tres_pt.pcn"), kTres);
  open("Tres_pt.pcn");
  // The third depth is 0; an emptied cell shows "0" once Enter reaches it.
  for (const char* typed : {"15", "2"}) {
    SCOPED_TRACE(typed);
    test::ClickCell(grid(), 2, 3);
    QTest::keyClick(grid(), Qt::Key_Return);
    ASSERT_EQ(grid()->TextMatrix(3, 3), "0");
    QTest::keyClicks(grid(), typed);
    EXPECT_EQ(grid()->TextMatrix(3, 3), typed);
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(PpPeriodo(3), QString::fromLatin1(typed).toFloat());
    test::ClickCell(grid(), 3, 3);
    QTest::keyClick(grid(), Qt::Key_Delete);
  }
  EXPECT_EQ(grid()->TextMatrix(3, 4), "8.5");
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgPpRealTest, ANoteReadsBackAsTypedInTheEncodingItWasWrittenIn) {
  struct Case {
    const char* note;
    QByteArray firstLine;  // as the file holds it
  };
  const Case cases[] = {
      // Windows-1252 whose bytes happen to form UTF-8 is still read as Windows-1252.
      {"PERÚ–BOLIVIA",
       "\"PER\xDA\x96"
       "BOLIVIA\"\r\n"},
      // Text the code page cannot hold makes the file UTF-8, after the byte-order mark.
      {"Łódź–Río",
       "\xEF\xBB\xBF\"\xC5\x81\xC3\xB3"
       "d\xC5\xBA\xE2\x80\x93R\xC3\xADo\"\r\n"},
  };
  WriteBytes(file("Tres_pt.pcn"), kTres);
  open("Tres_pt.pcn");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    // Typed key by key, each key giving its character.
    form().txtNotas->setFocus();
    form().txtNotas->selectAll();
    for (QChar ch : QString::fromUtf8(c.note))
      QTest::sendKeyEvent(QTest::Click, form().txtNotas, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
    EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_TRUE(ReadBytes(file("Tres_pt.pcn")).startsWith(c.firstLine));
    EXPECT_EQ(pp().lblNotasPpReal->text(), QString::fromUtf8(c.note));
  }
}

TEST_F(DlgPpRealTest, ActivationReloadsTheStormButNotAfterItsOwnChart) {
  WriteBytes(file("Tres_pt.pcn"), kTres);
  open("Tres_pt.pcn");
  depth(1, "5");
  QTest::keyClick(grid(), Qt::Key_Return);
  QTest::mouseClick(form().cmdVerGrafico, Qt::LeftButton);
  ASSERT_TRUE(dlgChart1::isLoaded());
  EXPECT_EQ(dlgChart1::instance().MSChartPp->model().rowCount(), 3);
  EXPECT_EQ(dlgChart1::titulo, "tres intervalos");
  activate(&dlgChart1::instance());
  activate(&form());
  EXPECT_EQ(grid()->TextMatrix(1, 3), "5");

  // Another window and back: the file as it stands, edits not applied dropped.
  activate(&pp());
  activate(&form());
  EXPECT_EQ(grid()->TextMatrix(1, 3), "2.5");
  EXPECT_EQ(PpPeriodo(1), 2.5f);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgPpRealTest, WithTheStormDialogClosedApplySetsTheStormItself) {
  WriteBytes(file("Tres_pt.pcn"), kTres);
  WriteBytes(file("Largo_pt.pcn"),
             "\"\"\r\n2,45\r\n\"01/01/1001\",\"00:00\"\r\n\"01/01/1001\",\"01:30\"\r\n3\r\n1.5\r\n");
  open("Tres_pt.pcn");
  QTest::mouseClick(pp().CancelButton, Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_FALSE(dlgPp::isLoaded());
  FormaPp = 0;
  PasoPp = 10;
  QListWidgetItem* item = form().FilePpReal->findItems("Largo_pt.pcn", Qt::MatchExactly).value(0);
  ASSERT_NE(item, nullptr);
  QTest::mouseClick(form().FilePpReal->viewport(), Qt::LeftButton, {},
                    form().FilePpReal->visualItemRect(item).center());
  EXPECT_EQ(form().cmbPasot->currentText(), "45");  // a step the list lacks is shown all the same
  depth(2, "2");
  QTest::mouseClick(form().OKButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(dlgPp::isLoaded());
  EXPECT_EQ(FormaPp, 4);
  EXPECT_EQ(DistriPp, 7);
  EXPECT_EQ(PasoPp, 45);
  EXPECT_EQ(PpTormenta, 5.0f);
  EXPECT_EQ(DurTormenta, 90);
  // The dialog opens again on that storm.
  EXPECT_EQ(pp().lblMiFilePpReal->text(), "Largo_pt.pcn");
  EXPECT_EQ(pp().txtPp->text(), "5");
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

// A storm named at length: both windows show the name shortened in the middle, with the whole name in
// the label's tooltip, and still read the storm by its whole name.
TEST_F(DlgPpRealTest, ALongStormNameIsShortenedInItsLabelsAndReadWhole) {
  const QString nombre = "Tormenta del 12 de diciembre de 2004 sobre la cuenca alta del río Claro_pt.pcn";
  WriteBytes(file(nombre), kTres);
  WriteBytes(file("Tres_pt.pcn"), kTres);
  open(nombre);
  auto muestraAbreviado = [&](ElidedLabel* label) {
    EXPECT_EQ(label->fullText(), nombre);
    EXPECT_EQ(label->toolTip(), nombre);
    EXPECT_TRUE(label->text().contains(QChar(0x2026))) << label->text().toStdString();
    EXPECT_TRUE(label->text().startsWith("Tormenta")) << label->text().toStdString();
    EXPECT_TRUE(label->text().endsWith("_pt.pcn")) << label->text().toStdString();
    EXPECT_TRUE(test::ClippedControls(label->window()).isEmpty())
        << test::ClippedControls(label->window()).join('\n').toStdString();
  };
  muestraAbreviado(form().lblMiFilePpReal);
  muestraAbreviado(pp().lblMiFilePpReal);
  EXPECT_EQ(pp().lblNumPer->text(), "3");
  EXPECT_EQ(pp().txtPp->text(), "6.5");

  // Apply hands the storm to the storm dialog, which reads it again by the name its label holds.
  depth(3, "1");
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(ReadBytes(file(nombre)).endsWith("\r\n2.5\r\n4\r\n1\r\n"));
  EXPECT_EQ(dlgPp::MiFilePpReal, nombre);
  EXPECT_EQ(pp().txtPp->text(), "7.5");
  muestraAbreviado(pp().lblMiFilePpReal);

  // A short name is shown whole, without a tooltip.
  QListWidgetItem* item = form().FilePpReal->findItems("Tres_pt.pcn", Qt::MatchExactly).value(0);
  ASSERT_NE(item, nullptr);
  QTest::mouseClick(form().FilePpReal->viewport(), Qt::LeftButton, {},
                    form().FilePpReal->visualItemRect(item).center());
  EXPECT_EQ(form().lblMiFilePpReal->text(), "Tres_pt.pcn");
  EXPECT_EQ(form().lblMiFilePpReal->toolTip(), "");
}

TEST_F(DlgPpRealTest, NewStorm) {
  for (const char* name : {"Pelcan_pt.pcn", "Pelcan2_pt.pcn", "Pelcan7x_pt.pcn"})
    WriteBytes(file(name), kVacia);
  WriteBytes(file("Tres_pt.pcn"), kTres);
  open("Tres_pt.pcn");

  dialogs.answerText("Rio");
  QTest::mouseClick(form().cmdNuevaPpReal, Qt::LeftButton);
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Ingrese un nombre de archivo para la nueva tormenta");
  EXPECT_EQ(dialogs.records()[0].title, "Asignar un nombre de archivo para la tormenta a ingresar");
  EXPECT_EQ(dialogs.records()[0].request.fileName, "Pelcan8");
  EXPECT_EQ(ReadBytes(file("Rio_pt.pcn")),
            "\"describa brevemente aqu\xed la tormenta \"\r\n0,10\r\n\"01/01/1001\",\"00:00\"\r\n"
            "\"01/01/1001\",\"00:00\"\r\n");
  EXPECT_EQ(form().lblMiFilePpReal->text(), "Rio_pt.pcn");
  EXPECT_EQ(form().FilePpReal->fileName(), "Rio_pt.pcn");
  EXPECT_EQ(grid()->Rows(), 1);

  // Refused names keep the storm shown: none given (or Cancel), a character no file name may hold,
  // a name whose file would be hidden from every list, one too long for a file name (249 characters
  // and "_pt.pcn" make 256 bytes), the name of a sample storm, an existing storm the user does not
  // want to lose.
  const QString largo = QString(249, QLatin1Char('x'));
  struct Case {
    QString answer;
    QString message;  // the start of the message after the question; empty: none
    int reply;        // to that message
  };
  const Case refused[] = {{"", "", 0},
                          {"a/b", "El nombre de la tormenta no puede contener", vbOK},
                          {"no:sí", "El nombre de la tormenta no puede contener", vbOK},
                          {".oculta", "El nombre de la tormenta no puede empezar con un punto", vbOK},
                          {largo, "El nombre de la tormenta es demasiado largo", vbOK},
                          {"EjemploFrontal", "La tormenta EjemploFrontal_pt.pcn es un ejemplo", vbOK},
                          {"Tres", "Ya existe la tormenta Tres_pt.pcn", vbNo}};
  const QStringList antes = QDir(DirActual).entryList(QDir::Files | QDir::Hidden);
  for (const Case& c : refused) {
    SCOPED_TRACE(c.answer.left(20).toStdString());
    dialogs.clear();
    dialogs.answerText(c.answer);
    if (c.reply) dialogs.answer(c.reply);
    QTest::mouseClick(form().cmdNuevaPpReal, Qt::LeftButton);
    const QStringList prompts = test::Prompts(dialogs);
    ASSERT_EQ(prompts.size(), c.message.isEmpty() ? 1 : 2) << test::DescribeDialogs(dialogs).toStdString();
    if (!c.message.isEmpty()) {
      EXPECT_TRUE(prompts[1].startsWith(c.message)) << prompts[1].toStdString();
    }
    EXPECT_EQ(form().MiFilePpReal, "Rio_pt.pcn");
  }
  EXPECT_EQ(ReadBytes(file("Tres_pt.pcn")), kTres);
  EXPECT_EQ(QDir(DirActual).entryList(QDir::Files | QDir::Hidden), antes);
  // A long name that leaves room for the endings of the file's temporary and damaged copies is taken.
  dialogs.clear();
  dialogs.answerText(largo.left(200));
  QTest::mouseClick(form().cmdNuevaPpReal, Qt::LeftButton);
  EXPECT_TRUE(QFile::exists(file("") + largo.left(200) + "_pt.pcn"));

  // Replacing an existing storm is asked for, then done.
  dialogs.clear();
  dialogs.answerText("Tres").answer(vbYes);
  QTest::mouseClick(form().cmdNuevaPpReal, Qt::LeftButton);
  EXPECT_TRUE(ReadBytes(file("Tres_pt.pcn")).startsWith("\"describa brevemente"));

  // Without default names the proposal is "Pelcan1".
  for (const char* name : {"Pelcan_pt.pcn", "Pelcan2_pt.pcn", "Pelcan7x_pt.pcn"}) QFile::remove(file(name));
  dialogs.clear();
  dialogs.answerText("");
  form().ValidaArchivoPpReal();
  QTest::mouseClick(form().cmdNuevaPpReal, Qt::LeftButton);
  EXPECT_EQ(dialogs.records()[0].request.fileName, "Pelcan1");
}

TEST_F(DlgPpRealTest, SampleStormIsShownButNeverWritten) {
  const QString sample = "EjemploFrontal_pt.pcn";
  QFile::copy(TAVO_FIXTURES_DIR "/../../data/Proyectos/" + sample, file(sample));
  const QByteArray bytes = ReadBytes(file(sample));
  open(sample);
  EXPECT_TRUE(form().ArchivoProtegido);
  ASSERT_EQ(grid()->Rows(), 13);
  EXPECT_EQ(test::Shown(grid(), 1, 3).background, QColor(227, 227, 227));
  for (QWidget* w : std::initializer_list<QWidget*>{form().txtNroPpReal, form().cmbPasot, form().txtDateI,
                                                    form().txtTimeF, form().optNroPpReal[0], form().txtNotas})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

  test::ClickCell(grid(), 1, 3);
  QTest::keyClick(grid(), Qt::Key_Delete);
  QTest::keyClicks(grid(), "9");
  QTest::keyClick(grid(), Qt::Key_Return);
  EXPECT_EQ(grid()->TextMatrix(1, 3), "2.1");

  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(ReadBytes(file(sample)), bytes);
  EXPECT_EQ(pp().txtPp->text(), "54.2");
  EXPECT_EQ(PasoPp, 60);

  // Clear empties the view only: no question, nothing written.
  QTest::mouseClick(form().cmdBorraTablaDisPer, Qt::LeftButton);
  EXPECT_EQ(grid()->Rows(), 1);
  EXPECT_EQ(ReadBytes(file(sample)), bytes);
  QTest::mouseClick(form().OKButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(dlgPpReal::isLoaded());
  EXPECT_EQ(ReadBytes(file(sample)), bytes);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgPpRealTest, ClearWritesTheEmptyStormOrDeletesTheFile) {
  WriteBytes(file("Tres_pt.pcn"), kTres);
  WriteBytes(file("Otra_pt.pcn"), kTres);
  open("Tres_pt.pcn");
  dialogs.answer(vbNo);
  QTest::mouseClick(form().cmdBorraTablaDisPer, Qt::LeftButton);
  ASSERT_EQ(test::Prompts(dialogs),
            QStringList{"La Tabla ha sido borrada. ¿Desea borrar tambien el archivo Tres_pt.pcn ?"});
  EXPECT_EQ(dialogs.records()[0].title, "¿Eliminar el archivo?");
  EXPECT_EQ(dialogs.records()[0].style, vbYesNo | vbQuestion);
  EXPECT_EQ(ReadBytes(file("Tres_pt.pcn")),
            "\"\"\r\n0,10\r\n\"01/01/0001\",\"00:00\"\r\n\"01/01/0001\",\"00:00\"\r\n");

  // Deleting: both lists lose the file, the storm left is shown, and nothing writes the file again.
  dialogs.clear();
  dialogs.answer(vbYes);
  QTest::mouseClick(form().cmdBorraTablaDisPer, Qt::LeftButton);
  EXPECT_FALSE(QFile::exists(file("Tres_pt.pcn")));
  EXPECT_EQ(form().FilePpReal->count(), 1);
  EXPECT_EQ(form().FilePpReal->fileName(), "Otra_pt.pcn");
  EXPECT_EQ(form().lblMiFilePpReal->text(), "Otra_pt.pcn");
  EXPECT_EQ(grid()->Rows(), 4);
  EXPECT_EQ(pp().FilePpReal->count(), 1);
  EXPECT_EQ(pp().FilePpReal->fileName(), "Otra_pt.pcn");
  QTest::mouseClick(form().OKButton, Qt::LeftButton);
  EXPECT_FALSE(QFile::exists(file("Tres_pt.pcn")));

  // The last storm deleted: none is left, the empty view shows the default name.
  open("Otra_pt.pcn");
  dialogs.clear();
  dialogs.answer(vbYes);
  QTest::mouseClick(form().cmdBorraTablaDisPer, Qt::LeftButton);
  EXPECT_EQ(form().FilePpReal->count(), 0);
  EXPECT_EQ(form().lblMiFilePpReal->text(), "Pelcan_pt.pcn");
  EXPECT_EQ(NumPer, 0);
  EXPECT_EQ(PpTormenta, 0.0f);
}

// ---------------------------------------------------------------------------------------------------
// Mode e) of the storm dialog

TEST_F(DlgPpRealTest, StormDialogReadsTheChosenFile) {
  // No file chosen before and no file at all: the default name, nothing to run.
  PpTormenta = 40;
  DurTormenta = 60;
  pp().optformaPp[4]->setChecked(true);
  EXPECT_EQ(pp().lblMiFilePpReal->text(), "Pelcan_pt.pcn");
  EXPECT_EQ(pp().lblNumPer->text(), "0");
  EXPECT_TRUE(test::ClippedControls(&pp()).isEmpty())
      << test::ClippedControls(&pp()).join('\n').toStdString();
  EXPECT_EQ(pp().txtPp->text(), "0");
  EXPECT_EQ(PpTormenta, 0.0f);
  EXPECT_EQ(PasoPp, 10);  // the step is never taken from a file that gave none

  struct Case {
    const char* name;
    QByteArray bytes;
    const char* n;
    const char* p;
    Integer paso;
  };
  const Case cases[] = {
      {"Largo_pt.pcn", "\"\"\r\n2,45\r\n\"01/01/1001\",\"00:00\"\r\n\"01/01/1001\",\"01:30\"\r\n3\r\n1.5\r\n",
       "2", "4.5", 45},
      {"Corto_pt.pcn",
       "\"\"\r\n5,20\r\n\"01/01/1001\",\"00:00\"\r\n\"01/01/1001\",\"01:40\"\r\n1\r\n2\r\n3\r\n", "0", "0",
       20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(file(c.name), c.bytes);
    pp().FilePpReal->refresh();
    pp().FilePpReal->setFileName(c.name);
    pp().FilePpReal_Click();
    EXPECT_EQ(pp().lblMiFilePpReal->text(), c.name);
    EXPECT_EQ(pp().lblNumPer->text(), c.n);
    EXPECT_EQ(pp().txtPp->text(), c.p);
    EXPECT_EQ(PasoPp, c.paso);
    EXPECT_EQ(pp().cmbPasoPp->currentText(), QString::number(c.paso));
    EXPECT_EQ(DistriPp, 7);
  }
  // A storm that could not be read is refused by Apply.
  dialogs.answer(vbOK);
  QTest::mouseClick(pp().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kSinTormenta});
  QApplication::processEvents();

  // The storm chosen stays chosen when the dialog is opened again.
  pp().FilePpReal->setFileName("Largo_pt.pcn");
  pp().FilePpReal_Click();
  dlgPp::unload();
  EXPECT_EQ(pp().lblMiFilePpReal->text(), "Largo_pt.pcn");
  EXPECT_EQ(pp().cmbPasoPp->currentText(), "45");
  EXPECT_EQ(pp().lblTimeF->text(), "01:30");
}

// From the main window: a measured storm chosen in the storm dialog, edited and run.
class MeasuredStormRunTest : public DlgPpRealTest {
 protected:
  void SetUp() override {
    DlgPpRealTest::SetUp();
    test::OpenCuencaInMainWindow(programDir(), dialogs);
  }
};

TEST_F(MeasuredStormRunTest, ModeEFromTheMainMenuRunsTheFilesDepths) {
  const float depths[] = {1, 2, 3.5f, 6, 8, 5, 4, 3, 2, 1.5f, 1, 0.5f};  // 37.5 mm
  QByteArray bytes =
      "\"Tormenta de prueba\"\r\n12,10\r\n\"05/03/2010\",\"14:00\"\r\n\"05/03/2010\",\"16:00\"\r\n";
  for (float d : depths) bytes += QByteArray::number(d) + "\r\n";
  WriteBytes(path("Proyectos/Marzo_pt.pcn"), bytes);
  MDIForm1& main = FormInstance<MDIForm1>::instance();
  main.mnufrmPp->trigger();
  activate(&pp());
  pp().optformaPp[4]->setChecked(true);
  QListWidgetItem* item = pp().FilePpReal->findItems("Marzo_pt.pcn", Qt::MatchExactly).value(0);
  ASSERT_NE(item, nullptr);
  QTest::mouseClick(pp().FilePpReal->viewport(), Qt::LeftButton, {},
                    pp().FilePpReal->visualItemRect(item).center());
  EXPECT_EQ(pp().lblNumPer->text(), "12");
  EXPECT_EQ(pp().txtPp->text(), "37.5");
  EXPECT_EQ(pp().txtDur->text(), "120");
  EXPECT_EQ(pp().lblNotasPpReal->text(), "Tormenta de prueba");
  EXPECT_EQ(PasoPp, 10);
  EXPECT_EQ(DistriPp, 7);

  // The editor changes the sixth interval; Close writes it and the dialog takes it.
  QTest::mouseClick(pp().cmdPpReal, Qt::LeftButton);
  activate(&form());
  EXPECT_EQ(form().lblMiFilePpReal->text(), "Marzo_pt.pcn");
  depth(6, "7");
  QTest::mouseClick(form().OKButton, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(dlgPpReal::isLoaded());
  activate(&pp());
  EXPECT_EQ(pp().txtPp->text(), "39.5");
  QTest::mouseClick(pp().OKButton, Qt::LeftButton);
  EXPECT_EQ(FormaPp, 4);
  EXPECT_EQ(PpTormenta, 39.5f);
  EXPECT_EQ(DurTormenta, 120);

  dialogs.answer(vbOK);  // the flood is still passing when the run ends
  main.mnuCorre1->trigger();
  EXPECT_TRUE(test::OnlyCutNotice(dialogs)) << test::DescribeDialogs(dialogs).toStdString();
  // Each rain step of a unit gets its interval's depth (through the running sums of the storm).
  for (int k = 1; k <= 12; ++k) EXPECT_NEAR(PpUEHPaso(1, k), k == 6 ? 7.0f : depths[k - 1], 1e-4) << k;
}

}  // namespace
}  // namespace tavo
