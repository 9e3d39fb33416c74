#include "reservoirs/dlgTablaReservorio.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include "components/dialog_fixture.h"
#include "components/dlgLago.h"
#include "components/dlgRepresas.h"
#include "platform/errors.h"
#include "reservoirs/tablas.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

const QString kFilas = QStringLiteral("Ingrese un valor numérico entero entre 0 y 999 ");
const QString kRecordatorio = QStringLiteral(
    "Asegurar los cambios producidos pulsando <Guardar> desde el formulario gráfico de de UEHs. De lo "
    "contrario se perderá la información cargada.");

// Lake l-1 and dam r-1 of the dialogs' network in project P, whose table files are in the working
// directory; the table windows are opened from their owner dialogs.
class TablaTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    NombreProyecto = QStringLiteral("P");
    DirActual = programDir();
  }
  QString file(const char* suffix) const { return path(QStringLiteral("P") + QLatin1String(suffix)); }

  dlgTablaSHVQ& OpenLakeTable() {
    dlgLago& owner = Open<dlgLago>();
    QTest::mouseClick(owner.cmdParametros, Qt::LeftButton);
    return Active<dlgTablaSHVQ>();
  }
  template <class Table>
  Table& OpenDamTable(QPushButton* dlgRepresas::*button) {
    dlgRepresas& owner = Open<dlgRepresas>();
    QTest::mouseClick(owner.*button, Qt::LeftButton);
    return Active<Table>();
  }
  template <class Table>
  static Table& Active() {
    Table& t = Table::object();
    QApplication::setActiveWindow(&t);
    QApplication::processEvents();
    return t;
  }
  // Types the row count as the user does and leaves the box.
  static void Rows(dlgTablaReservorio& t, const QString& text) {
    test::Type(t.txtNroFilas, text);
    test::Leave(t.txtNroFilas);
  }
  // Fills the grid's data cells, row by row.
  static void Fill(FlexGrid* grid, const std::vector<std::vector<const char*>>& rows) {
    for (size_t r = 0; r < rows.size(); ++r) {
      for (size_t c = 0; c < rows[r].size(); ++c)
        grid->setTextMatrix(static_cast<int>(r) + 1, static_cast<int>(c) + 1,
                            QString::fromLatin1(rows[r][c]));
    }
  }
  static QStringList Row(const FlexGrid* grid, int r) {
    QStringList texts;
    for (int c = 0; c < grid->Cols(); ++c) texts << grid->TextMatrix(r, c);
    return texts;
  }
};

TEST_F(TablaTest, EachWindowShowsItsElementsTableUnderItsOwnTitles) {
  WriteBytes(file("_LHASQ.pcn"), "\"*l-1\",2,\"*\",\"*\"\r\n100.5,1.25,100,0\r\n110,2,2500,3.5\r\n");
  WriteBytes(file("_RHAS.pcn"), "\"*r-1\",1,\"*\"\r\n100,1,0\r\n");
  WriteBytes(file("_RHQ.pcn"), "\"*r-1\",3\r\n100,0\r\n101,2.5\r\n102,10\r\n");

  dlgTablaSHVQ& lago = OpenLakeTable();
  EXPECT_TRUE(lago.isVisible());
  EXPECT_EQ(lago.windowTitle(),
            "Tabla Altura H[m]- Area A[has]-Almacenamiento S[m3]- Caudal Q[m3/s] en Lago / Laguna / Mallin");
  EXPECT_TRUE(test::ClippedControls(&lago).isEmpty())
      << test::ClippedControls(&lago).join('\n').toStdString();
  EXPECT_EQ(lago.Frame1->title(), "Identificación de la depresión lagunar/mallin");
  EXPECT_EQ(lago.Label1->text(), "Nro. laguna/mallin:");
  EXPECT_EQ(lago.Frame2->title(), "Altura H[m] - Area [has] - Almacenamiento S[m3] - Caudal Q[m3/s]");
  EXPECT_EQ(lago.Frame2->toolTip(),
            "Ingresar los datos tabulados para la función de descarga en la forma H[m]-Q[m3/s]");
  EXPECT_EQ(lago.lblNroLago->objectName(), "lblNroLago");
  EXPECT_EQ(lago.lblNroLago->text(), "1");
  EXPECT_EQ(lago.lblNombreLago->text(), "l-1");
  EXPECT_EQ(lago.txtNroFilas->text(), "2");
  FlexGrid* g = lago.MSFlexGridHSVQ;
  EXPECT_EQ(g->objectName(), "MSFlexGridHSVQ");
  EXPECT_EQ(g->FormatString(),
            "^Indice|>H [m]          |> Area A[has]          |> Almacenamiento S[m3] |> Q[m3/s]          ");
  EXPECT_EQ(g->Rows(), 3);
  EXPECT_EQ(Row(g, 1), QStringList({"1", "100.5", "1.25", "100", "0"}));
  EXPECT_EQ(Row(g, 2), QStringList({"2", "110", "2", "2500", "3.5"}));
  // The owner takes no input while its table is open, not even its close box, and gets it back with
  // the focus after.
  EXPECT_FALSE(dlgLago::object().isEnabled());
  dlgLago::object().close();
  EXPECT_TRUE(dlgLago::isLoaded());
  QTest::keyClick(g, Qt::Key_Escape);
  EXPECT_FALSE(dlgTablaSHVQ::isLoaded());
  EXPECT_TRUE(dlgLago::object().isEnabled());
  dlgLago::object().CancelButton->click();

  dlgTablaSHV& shv = OpenDamTable<dlgTablaSHV>(&dlgRepresas::cmdHSV);
  EXPECT_EQ(shv.windowTitle(), "Tabla Altura H[m]- Area A[has] - Almacenamiento S[m3], en Represa");
  EXPECT_EQ(shv.Frame1->title(), "Identificación de la Represa");
  EXPECT_EQ(shv.Frame2->title(), "Altura H[m] - Area [has] - Almacenamiento [m3]");
  EXPECT_EQ(shv.lblNombreRepresa->text(), "r-1");
  EXPECT_EQ(shv.MSFlexGridFQ->FormatString(),
            "^Indice|>H [m]          |> Area A[has]          |> Almacenamiento S[m3]");
  EXPECT_EQ(Row(shv.MSFlexGridFQ, 1), QStringList({"1", "100", "1", "0"}));
  EXPECT_FALSE(dlgRepresas::object().isEnabled());
  shv.CancelButton->click();
  EXPECT_TRUE(dlgRepresas::object().isEnabled());

  // The height-discharge table opens only while the outflow comes from the table.
  dlgRepresas& dam = dlgRepresas::object();
  dam.optTablaQ->click();
  QTest::mouseClick(dam.cmdTablaQ, Qt::LeftButton);
  dlgTablaFQ& fq = Active<dlgTablaFQ>();
  EXPECT_EQ(fq.windowTitle(), "Tabla H-Q en Represa");
  EXPECT_EQ(fq.Frame2->title(), "Descarga: Tabla de Altura H[m] - Caudal Q[m3/s]");
  EXPECT_EQ(fq.MSFlexGridFQ->FormatString(), "^Indice|>H [m]          |> Q[m3/s]          ");
  EXPECT_EQ(fq.MSFlexGridFQ->Cols(), 3);
  EXPECT_EQ(Row(fq.MSFlexGridFQ, 3), QStringList({"3", "102", "10"}));
  EXPECT_TRUE(test::ClippedControls(&fq).isEmpty()) << test::ClippedControls(&fq).join('\n').toStdString();
  fq.CancelButton->click();
  dam.CancelButton->click();
}

TEST_F(TablaTest, WithoutAnElementTheWindowShowsItsEmptyGridAndStoresNothing) {
  colLagos.clear();
  nLagos = 0;
  dlgTablaSHVQ& t = dlgTablaSHVQ::instance();
  EXPECT_EQ(t.MSFlexGridHSVQ->Rows(), 10);
  EXPECT_EQ(t.MSFlexGridHSVQ->Cols(), 5);
  EXPECT_EQ(t.MSFlexGridHSVQ->TextMatrix(0, 1), "");
  dialogs.answer(vbOK);
  t.OKButton->click();
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kRecordatorio});
  EXPECT_FALSE(QFile::exists(file("_LHASQ.pcn")));
}

TEST_F(TablaTest, RowCountIsTakenOnItsValueAndRefusedOutsideZeroTo999) {
  struct Case {
    const char* typed;
    const char* shown;
    int rows;  // -1: refused
  };
  const Case cases[] = {{"abc", "0", 0},        {"2.5", "2", 2},      {"3.5", "4", 4},
                        {"999", "999", 999},    {"1500", "1500", -1}, {"-3", "-3", -1},
                        {"40000", "40000", -1}, {"1e40", "1E+40", -1}};
  for (bool lake : {true, false}) {
    dlgTablaReservorio& t = lake ? static_cast<dlgTablaReservorio&>(OpenLakeTable())
                                 : OpenDamTable<dlgTablaSHV>(&dlgRepresas::cmdHSV);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.typed);
      Rows(t, "1");
      dialogs.clear();
      if (c.rows < 0) dialogs.answer(vbOK);
      Rows(t, QString::fromLatin1(c.typed));
      EXPECT_EQ(t.txtNroFilas->text(), c.shown);
      FlexGrid* g = t.findChild<FlexGrid*>();
      if (c.rows >= 0) {
        EXPECT_TRUE(dialogs.records().empty());
        EXPECT_EQ(g->Rows(), c.rows + 1);
        EXPECT_EQ(g->TextMatrix(c.rows, 0), c.rows ? QString::number(c.rows) : QString("Indice"));
        continue;
      }
      ASSERT_EQ(test::Prompts(dialogs), QStringList{kFilas});
      EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | (lake ? vbExclamation : 0));
      EXPECT_EQ(QApplication::focusWidget(), t.txtNroFilas);
      EXPECT_EQ(g->Rows(), 2);
    }
    Rows(t, "1");
    t.CancelButton->click();
    QApplication::processEvents();
    (lake ? static_cast<ComponentDialog&>(dlgLago::object()) : dlgRepresas::object()).CancelButton->click();
  }
}

TEST_F(TablaTest, ApplyStoresTheRowsAndWritesTheWholeFamily) {
  auto l2 = test::AddLago(QStringLiteral("l-2"));
  WriteBytes(file("_LHASQ.pcn"),
             "\"*l-1\",0,\"*\",\"*\"\r\n\"*l-2\",2,\"*\",\"*\"\r\n1,2,3,4\r\n5,6,7,8\r\n");
  dlgTablaSHVQ& t = OpenLakeTable();
  FlexGrid* g = t.MSFlexGridHSVQ;
  ASSERT_EQ(g->Rows(), 1);

  // Zero rows: the header with 0, the other lake's table kept.
  QTest::mouseClick(t.cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")),
            "\"*l-1\",0,\"*\",\"*\"\r\n\"*l-2\",2,\"*\",\"*\"\r\n1,2,3,4\r\n5,6,7,8\r\n");

  // Ten rows typed, then cut to three: the grid drops rows 4 to 10 and three are stored. The lake's Q
  // is neither tested nor ordered; equal areas pass; S is kept as a whole number.
  Rows(t, "10");
  std::vector<std::vector<const char*>> rows(10, {"200", "9", "9", "9"});
  rows[0] = {"100.5", "1.5", "100.5", ""};
  rows[1] = {"105", "1.5", "2500", "7"};
  rows[2] = {"110", "4", "1E6", "3"};
  Fill(g, rows);
  Rows(t, "3");
  EXPECT_EQ(g->Rows(), 4);
  EXPECT_EQ(Row(g, 3), QStringList({"3", "110", "4", "1E6", "3"}));
  QTest::mouseClick(t.cmdAplicar, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")),
            "\"*l-1\",3,\"*\",\"*\"\r\n100.5,1.5,100,0\r\n105,1.5,2500,7\r\n110,4,1000000,3\r\n"
            "\"*l-2\",2,\"*\",\"*\"\r\n1,2,3,4\r\n5,6,7,8\r\n");
  EXPECT_EQ(NFilasHSVQLago(1), 3);
  EXPECT_EQ(HTablaHSVQLago(1, 3), 110.0f);
  EXPECT_EQ(STablaHSVQLago(1, 1), 100);  // 100.5 to the even neighbour
  EXPECT_EQ(QTablaHSVQLago(1, 1), 0.0f);
  EXPECT_EQ(g->Row(), 1);
  EXPECT_EQ(g->Col(), 1);

  // Close applies, closes, gives the owner back and reminds the user to save the network.
  dialogs.answer(vbOK);
  QTest::mouseClick(t.OKButton, Qt::LeftButton);
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kRecordatorio});
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_FALSE(dlgTablaSHVQ::isLoaded());
  EXPECT_TRUE(dlgLago::object().isEnabled());
  dlgLago::object().CancelButton->click();
}

// A row count below nothing is a damaged file: the window opens on an empty table without a
// message, and the first apply keeps the file beside it and says so.
TEST_F(TablaTest, ARowCountBelowNothingIsADamagedFile) {
  for (bool lake : {true, false}) {
    SCOPED_TRACE(lake ? "lake" : "dam");
    const char* suffix = lake ? "_LHASQ.pcn" : "_RHAS.pcn";
    const QByteArray damaged =
        lake ? "\"*l-1\",-3,\"*\",\"*\"\r\n1,2,3,4\r\n" : "\"*r-1\",-2,\"*\"\r\n1,2,3\r\n";
    WriteBytes(file(suffix), damaged);
    dlgTablaReservorio& t = lake ? static_cast<dlgTablaReservorio&>(OpenLakeTable())
                                 : OpenDamTable<dlgTablaSHV>(&dlgRepresas::cmdHSV);
    EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_EQ(t.txtNroFilas->text(), "0");
    EXPECT_EQ(t.findChild<FlexGrid*>()->Rows(), 1);
    dialogs.answer(vbOK);
    QTest::mouseClick(t.cmdAplicar, Qt::LeftButton);
    const QString name = QStringLiteral("P") + QLatin1String(suffix);
    EXPECT_EQ(test::Prompts(dialogs), QStringList{test::DamagedCopyMessage(name, name + ".dañado")});
    EXPECT_EQ(ReadBytes(file(suffix) + ".dañado"), damaged);
    dialogs.clear();
    t.CancelButton->click();
    QApplication::processEvents();
    (lake ? static_cast<ComponentDialog&>(dlgLago::object()) : dlgRepresas::object()).CancelButton->click();
  }
}

TEST_F(TablaTest, ATableFileNotReadWholeIsKeptBesideTheFirstApply) {
  // The lake's rows end before its count: it reads with no table, silently.
  const QByteArray damaged = "\"*l-1\",3,\"*\",\"*\"\r\n1,2,3,4\r\n";
  WriteBytes(file("_LHASQ.pcn"), damaged);
  dlgTablaSHVQ& t = OpenLakeTable();
  ASSERT_EQ(t.MSFlexGridHSVQ->Rows(), 1);
  Rows(t, "1");
  Fill(t.MSFlexGridHSVQ, {{"100", "1", "100", "0"}});

  // Applied on a full disk: one message, the file as it was, no copy.
  dialogs.answer(vbOK);
  test::WithFullDisk(20, [&] { QTest::mouseClick(t.cmdAplicar, Qt::LeftButton); });
  EXPECT_EQ(test::Prompts(dialogs), QStringList{"Error Nro. 61" + ErrorDescription(61) + " ,Verifique"});
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")), damaged);
  EXPECT_FALSE(QFile::exists(file("_LHASQ.pcn") + ".dañado"));

  dialogs.clear();
  dialogs.answer(vbOK);
  QTest::mouseClick(t.cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(test::Prompts(dialogs),
            QStringList{test::DamagedCopyMessage("P_LHASQ.pcn", "P_LHASQ.pcn.dañado")});
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")), "\"*l-1\",1,\"*\",\"*\"\r\n100,1,100,0\r\n");
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn") + ".dañado"), damaged);
  dialogs.clear();
  QTest::mouseClick(t.cmdAplicar, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  t.CancelButton->click();
  dlgLago::object().CancelButton->click();
}

TEST_F(TablaTest, ApplyRefusesATableOutOfOrderWithAMessagePerRow) {
  struct Case {
    const char* what;
    std::vector<std::vector<const char*>> rows;
    QStringList messages;
    int row, col;  // the current cell after the refusal
  };
  const QString h = QStringLiteral("Error, la altura H debe ser creciente, Verifique la fila ");
  const QString a = QStringLiteral("Error, la Superficie S debe ser creciente, Verifique la fila ");
  const QString s = QStringLiteral("Error, el Volumen V debe ser creciente, Verifique la fila ");
  const Case cases[] = {
      {"three heights out of order",
       {{"5", "1", "1"}, {"4", "2", "2"}, {"3", "3", "3"}, {"3", "4", "4"}},
       {h + "2", h + "3", h + "4"},
       4,
       1},
      {"equal storage, falling area", {{"1", "2", "5"}, {"2", "1", "5"}}, {a + "2", s + "2"}, 2, 3},
      {"a letter: no message", {{"1", "1", "1"}, {"2", "1x", "2"}}, {}, 2, 2},
      // A number too large for its column names its row and column; an empty cell says nothing.
      {"a height beyond any Single, an empty storage",
       {{"1", "1", ""}, {"1E39", "2", "2"}},
       {"Error, el valor de la columna H [m] es demasiado grande, Verifique la fila 2"},
       1,
       3},
      {"a storage too large to keep",
       {{"1", "1", "1"}, {"2", "2", "3000000000"}},
       {"Error, el valor de la columna S[m3] es demasiado grande, Verifique la fila 2"},
       2,
       3},
  };
  const QByteArray before = "\"*r-1\",1,\"*\"\r\n1,1,1\r\n";
  dlgTablaSHV& t = OpenDamTable<dlgTablaSHV>(&dlgRepresas::cmdHSV);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(file("_RHAS.pcn"), before);
    LeeTablaHSVRepresa();
    dialogs.clear();
    Rows(t, QString::number(c.rows.size()));
    Fill(t.MSFlexGridFQ, c.rows);
    for (int k = 0; k < c.messages.size(); ++k) dialogs.answer(vbOK);
    QTest::mouseClick(t.cmdAplicar, Qt::LeftButton);
    EXPECT_EQ(test::Prompts(dialogs), c.messages);
    for (const auto& r : dialogs.records()) EXPECT_EQ(r.style, vbOKOnly | vbExclamation);
    EXPECT_EQ(t.MSFlexGridFQ->Row(), c.row);
    EXPECT_EQ(t.MSFlexGridFQ->Col(), c.col);
    EXPECT_TRUE(t.MSFlexGridFQ->hasFocus());
    EXPECT_EQ(ReadBytes(file("_RHAS.pcn")), before);
    EXPECT_EQ(NFilasHSVRepresa(1), 1);
  }

  // Close does not close over a refused table: the edits stay in the window.
  dialogs.clear();
  dialogs.answer(vbOK);
  QTest::mouseClick(t.OKButton, Qt::LeftButton);
  EXPECT_EQ(test::Prompts(dialogs), std::rbegin(cases)->messages);
  EXPECT_TRUE(dlgTablaSHV::isLoaded());
  EXPECT_FALSE(dlgRepresas::object().isEnabled());
  // Cancel drops them.
  t.CancelButton->click();
  EXPECT_EQ(ReadBytes(file("_RHAS.pcn")), before);
  dlgRepresas::object().CancelButton->click();
}

// A file that cannot take the table (here a folder in its place) keeps the window open with the
// edits, says why once and never that they are safe; the tables in memory stay those of the file.
TEST_F(TablaTest, CloseThatCannotWriteTheFileKeepsTheWindowAndItsEdits) {
  const QByteArray before = "\"*l-1\",1,\"*\",\"*\"\r\n1,1,1,1\r\n";
  WriteBytes(file("_LHASQ.pcn"), before);
  dlgTablaSHVQ& t = OpenLakeTable();
  Rows(t, "2");
  Fill(t.MSFlexGridHSVQ, {{"1", "1", "1", "1"}, {"2", "2", "2", "1E39"}});
  // The lake's discharges are not tested as numbers, but one too large for them is told.
  dialogs.answer(vbOK);
  QTest::mouseClick(t.OKButton, Qt::LeftButton);
  EXPECT_EQ(test::Prompts(dialogs),
            QStringList{"Error, el valor de la columna Q[m3/s] es demasiado grande, Verifique la fila 2"});
  ASSERT_TRUE(dlgTablaSHVQ::isLoaded());
  t.MSFlexGridHSVQ->setTextMatrix(2, 4, "5");

  ASSERT_TRUE(QFile::remove(file("_LHASQ.pcn")));
  ASSERT_TRUE(QDir(programDir()).mkdir(QStringLiteral("P_LHASQ.pcn")));
  for (QPushButton* button : {t.cmdAplicar, t.OKButton}) {
    dialogs.clear();
    dialogs.answer(vbOK);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_TRUE(dialogs.records()[0].prompt.startsWith("Error Nro. "))
        << dialogs.records()[0].prompt.toStdString();
    EXPECT_TRUE(dlgTablaSHVQ::isLoaded());
    EXPECT_FALSE(dlgLago::object().isEnabled());
    EXPECT_EQ(Row(t.MSFlexGridHSVQ, 2), QStringList({"2", "2", "2", "2", "5"}));
    EXPECT_EQ(NFilasHSVQLago(1), 1);
    EXPECT_EQ(HTablaHSVQLago(1, 2), 0.0f);
  }

  // Once the file can be written, Close writes it, closes and reminds the user to save the network.
  ASSERT_TRUE(QDir(programDir()).rmdir(QStringLiteral("P_LHASQ.pcn")));
  dialogs.clear();
  dialogs.answer(vbOK);
  QTest::mouseClick(t.OKButton, Qt::LeftButton);
  EXPECT_EQ(test::Prompts(dialogs), QStringList{kRecordatorio});
  EXPECT_FALSE(dlgTablaSHVQ::isLoaded());
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")), "\"*l-1\",2,\"*\",\"*\"\r\n1,1,1,1\r\n2,2,2,5\r\n");
  dlgLago::object().CancelButton->click();
}

TEST_F(TablaTest, HeightDischargeTableTestsNumbersInBothColumnsAndOrdersOnlyHeights) {
  r1->optTabla = true;
  dlgRepresas& dam = Open<dlgRepresas>();
  QTest::mouseClick(dam.cmdTablaQ, Qt::LeftButton);
  dlgTablaFQ& t = Active<dlgTablaFQ>();
  Rows(t, "3");
  Fill(t.MSFlexGridFQ, {{"100", "5"}, {"101", "2"}, {"102", ""}});
  QTest::mouseClick(t.cmdAplicar, Qt::LeftButton);
  // An empty Q is no number: refused without a message, on its cell.
  EXPECT_TRUE(dialogs.records().empty());
  EXPECT_EQ(t.MSFlexGridFQ->Row(), 3);
  EXPECT_EQ(t.MSFlexGridFQ->Col(), 2);
  EXPECT_FALSE(QFile::exists(file("_RHQ.pcn")));
  // Falling discharges pass.
  t.MSFlexGridFQ->setTextMatrix(3, 2, "0.5");
  QTest::mouseClick(t.cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(ReadBytes(file("_RHQ.pcn")), "\"*r-1\",3\r\n100,5\r\n101,2\r\n102,.5\r\n");
  t.CancelButton->click();
  dam.CancelButton->click();
}

TEST_F(TablaTest, TypingReplacesOrExtendsACellAndRemovesWhatIsNoNumber) {
  WriteBytes(file("_LHASQ.pcn"), "\"*l-1\",2,\"*\",\"*\"\r\n1,2,3,4\r\n5,6,7,8\r\n");
  dlgTablaSHVQ& t = OpenLakeTable();
  FlexGrid* g = t.MSFlexGridHSVQ;
  // The first character typed since the start extends its cell; one typed into another cell replaces.
  test::ClickCell(g, 1, 1);
  QTest::keyClicks(g, "5");
  EXPECT_EQ(g->TextMatrix(1, 1), "15");
  test::ClickCell(g, 1, 2);
  QTest::keyClicks(g, "-");
  EXPECT_EQ(g->TextMatrix(1, 2), "");
  QTest::keyClicks(g, ".");
  EXPECT_EQ(g->TextMatrix(1, 2), "");
  QTest::keyClicks(g, "2.5");
  EXPECT_EQ(g->TextMatrix(1, 2), "2.5");
  QTest::keyClick(g, Qt::Key_Backspace);
  EXPECT_EQ(g->TextMatrix(1, 2), "");
  // Delete empties; Enter on the last row goes to row 1, where an empty cell shows "0".
  test::ClickCell(g, 2, 3);
  QTest::keyClick(g, Qt::Key_Delete);
  EXPECT_EQ(g->TextMatrix(2, 3), "");
  g->setTextMatrix(1, 3, "");
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(g->Row(), 1);
  EXPECT_EQ(g->TextMatrix(1, 3), "0");
  // Clear empties every data cell; the table changes only when applied.
  QTest::mouseClick(t.cmdBorraTablaHQ, Qt::LeftButton);
  EXPECT_EQ(Row(g, 2), QStringList({"2", "", "", "", ""}));
  EXPECT_EQ(HTablaHSVQLago(1, 2), 5.0f);
  t.CancelButton->click();
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")), "\"*l-1\",2,\"*\",\"*\"\r\n1,2,3,4\r\n5,6,7,8\r\n");
  dlgLago::object().CancelButton->click();
}

}  // namespace
}  // namespace tavo
