#include "reservoirs/tablas.h"

#include <QDir>

#include "components/dlgLago.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "project/redfiles.h"
#include "reservoirs/red.h"
#include "support/fixture.h"
#include "support/projectfiles.h"

namespace tavo {
namespace {

using test::AddLago;
using test::AddRepresa;
using test::ReadBytes;
using test::WriteBytes;

class TablasTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    QDir(programDir()).mkdir(QStringLiteral("proj"));
    DirActual = path("proj");
    NombreProyecto = QStringLiteral("p");
  }
  QString file(const char* suffix) const { return DirActual + QStringLiteral("/p") + QLatin1String(suffix); }
  void expectMessage(size_t i, const QString& text) {
    ASSERT_LT(i, dialogs.records().size());
    EXPECT_EQ(dialogs.records()[i].prompt, text);
    EXPECT_EQ(dialogs.records()[i].style, vbOKOnly);
    EXPECT_EQ(dialogs.records()[i].title, QString());
  }
};

// The three writers in their exact layout, and the readers bringing every value back: headers with
// their fillers, an element with 0 rows, storages as whole numbers, the data-file number form.
TEST_F(TablasTest, WritersLayOutTheFilesAndReadersBringThemBack) {
  AddLago(QStringLiteral("l-uno"));
  AddLago(QStringLiteral("l-vacío"));
  AddRepresa(QStringLiteral("r-a"));
  AddRepresa(QStringLiteral("r-b"));
  test::PutHSVQLago(1, {{100, 1.5f, 1000, 0}, {101.25f, 2, 16777216, 0.5f}});
  test::PutHSVQLago(2, {});
  test::PutHSVRepresa(1, {});
  test::PutHSVRepresa(2, {{-1.5f, 0.25f, -20}});
  test::PutHQRepresa(1, {{100, 0}, {102, 1e-5f}});
  test::PutHQRepresa(2, {});

  GuardaTablaHSVQLago();
  EXPECT_EQ(RutaArchivo, "p_LHASQ.pcn");
  GuardaTablaHSVRepresa();
  EXPECT_EQ(RutaArchivo, "p_RHAS.pcn");
  GuardaTablaHQRepresa();
  EXPECT_EQ(RutaArchivo, "p_RHQ.pcn");
  EXPECT_EQ(CurDir(), DirActual);

  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")),
            QByteArray("\"*l-uno\",2,\"*\",\"*\"\r\n100,1.5,1000,0\r\n101.25,2,16777216,.5\r\n"
                       "\"*l-vac\xed\x6f\",0,\"*\",\"*\"\r\n"));
  EXPECT_EQ(ReadBytes(file("_RHAS.pcn")),
            QByteArray("\"*r-a\",0,\"*\"\r\n\"*r-b\",1,\"*\"\r\n-1.5,.25,-20\r\n"));
  EXPECT_EQ(ReadBytes(file("_RHQ.pcn")), QByteArray("\"*r-a\",2\r\n100,0\r\n102,1E-05\r\n\"*r-b\",0\r\n"));

  ResetReservoirState();
  ChDir(programDir());
  LeeTablaHSVQLago();
  LeeTablaHSVRepresa();
  LeeTablaHQRepresa();
  EXPECT_EQ(CurDir(), DirActual);
  EXPECT_EQ(RutaArchivo, "p_RHQ.pcn");
  EXPECT_EQ(ElementoActual, colRepresas.back());
  ASSERT_EQ(NFilasHSVQLago.upper(), 2);
  EXPECT_EQ(NFilasHSVQLago(1), 2);
  EXPECT_EQ(NFilasHSVQLago(2), 0);
  EXPECT_EQ(HTablaHSVQLago(1, 2), 101.25f);
  EXPECT_EQ(ATablaHSVQLago(1, 1), 1.5f);
  EXPECT_EQ(STablaHSVQLago(1, 2), 16777216);
  EXPECT_EQ(QTablaHSVQLago(1, 2), 0.5f);
  EXPECT_EQ(NFilasHSVRepresa(1), 0);
  EXPECT_EQ(NFilasHSVRepresa(2), 1);
  EXPECT_EQ(STablaHSVRepresa(2, 1), -20);
  EXPECT_EQ(ATablaHSVRepresa(2, 1), 0.25f);
  EXPECT_EQ(NFilasHQRepresa(1), 2);
  EXPECT_EQ(QTablaHQRepresa(1, 2), 1e-5f);
  EXPECT_EQ(NFilasHQRepresa(2), 0);
  EXPECT_EQ(HTablaHQRepresa.upper2(), 11);
  EXPECT_EQ(QTablaHSVQLago.upper2(), 11);
}

// Each element is found by name wherever it stands; rows of elements no longer in the network are
// passed over whatever they hold (areas above 32767 included); an element the file lacks has no
// table; storages pass through single precision; a long table widens the whole family.
TEST_F(TablasTest, ReaderFindsEveryElementByName) {
  WriteBytes(file("_RHAS.pcn"),
             "\"*r-vieja\",2,\"*\"\r\n1,40000,5\r\n2,50000.5,6\r\n"
             "\"*r-b\",1,\"*\"\r\n10,1.5,16777217\r\n"
             "\"*r-a\",12,\"*\"\r\n"
             "1,1,1\r\n2,2,2\r\n3,3,3\r\n4,4,4\r\n5,5,5\r\n6,6,6\r\n7,7,7\r\n8,8,8\r\n9,9,9\r\n10,10,10\r\n"
             "11,11,11\r\n12,12,12.5\r\n"
             "\"*r-b\",1,\"*\"\r\n99,99,99\r\n");  // a second table under a name: the first counts
  AddRepresa(QStringLiteral("r-a"));
  AddRepresa(QStringLiteral("r-b"));
  AddRepresa(QStringLiteral("r-c"));
  AddRepresa(QStringLiteral("r-B"));
  nRepresas = 0;

  LeeTablaHSVRepresa();

  EXPECT_EQ(nRepresas, 4);
  ASSERT_EQ(NFilasHSVRepresa.upper(), 4);
  EXPECT_EQ(NFilasHSVRepresa(1), 12);
  EXPECT_EQ(NFilasHSVRepresa(2), 1);
  EXPECT_EQ(NFilasHSVRepresa(3), 0);
  EXPECT_EQ(NFilasHSVRepresa(4), 0);
  EXPECT_EQ(HTablaHSVRepresa(2, 1), 10.0f);
  EXPECT_EQ(STablaHSVRepresa(2, 1), 16777216);
  EXPECT_EQ(STablaHSVRepresa(1, 12), 12);  // a half goes to the even neighbour
  EXPECT_EQ(HTablaHSVRepresa(1, 12), 12.0f);
  EXPECT_EQ(HTablaHSVRepresa.upper2(), 13);
  EXPECT_EQ(STablaHSVRepresa.upper2(), 13);
}

// A name holding a double quote is stored with a single quote, as the network file stores it: the
// table is found under the name as typed and under the name the network reads back.
TEST_F(TablasTest, NameWithADoubleQuoteKeepsItsTable) {
  auto presa = AddRepresa(QStringLiteral("r-\"A\""));
  test::PutHQRepresa(1, {{100, 2}});
  GuardaTablaHQRepresa();
  EXPECT_EQ(ReadBytes(file("_RHQ.pcn")), QByteArray("\"*r-'A'\",1\r\n100,2\r\n"));
  for (const QString& name : {QStringLiteral("r-\"A\""), QStringLiteral("r-'A'")}) {
    presa->NombreRepresa = name;
    ResetReservoirState();
    LeeTablaHQRepresa();
    EXPECT_EQ(NFilasHQRepresa(1), 1) << name.toStdString();
    EXPECT_EQ(QTablaHQRepresa(1, 1), 2.0f);
  }
}

// A file that ends inside an element's rows leaves that element without a table, silently; the
// elements before and after it keep theirs, so writing the family back loses none of them.
TEST_F(TablasTest, TruncatedElementReadsAsEmptyAndOthersSurvive) {
  WriteBytes(file("_RHQ.pcn"),
             "\"*r-c\",1\r\n5,0.5\r\n"
             "\"*r-a\",1\r\n1,1\r\n"
             "\"*r-b\",3\r\n2,2\r\n");
  AddRepresa(QStringLiteral("r-a"));
  AddRepresa(QStringLiteral("r-b"));
  AddRepresa(QStringLiteral("r-c"));

  LeeTablaHQRepresa();
  EXPECT_EQ(NFilasHQRepresa(1), 1);
  EXPECT_EQ(NFilasHQRepresa(2), 0);
  EXPECT_EQ(NFilasHQRepresa(3), 1);
  EXPECT_EQ(QTablaHQRepresa(3, 1), 0.5f);

  // The write keeps the file as it was beside it, once.
  dialogs.answer(vbOK);
  GuardaTablaHQRepresa();
  EXPECT_EQ(ReadBytes(file("_RHQ.pcn")),
            QByteArray("\"*r-a\",1\r\n1,1\r\n\"*r-b\",0\r\n\"*r-c\",1\r\n5,.5\r\n"));
  EXPECT_EQ(ReadBytes(file("_RHQ.pcn") + ".dañado"),
            "\"*r-c\",1\r\n5,0.5\r\n\"*r-a\",1\r\n1,1\r\n\"*r-b\",3\r\n2,2\r\n");
  EXPECT_EQ(test::Prompts(dialogs), QStringList{test::DamagedCopyMessage("p_RHQ.pcn", "p_RHQ.pcn.dañado")});
}

// A value that does not read as a number is reported with the common message; its element gets no
// table and the reader goes on with the next element.
TEST_F(TablasTest, BadValueIsReportedAndReadingGoesOn) {
  WriteBytes(file("_RHQ.pcn"), "\"*r-a\",2\r\n1,uno\r\n2,2\r\n\"*r-b\",x\r\n\"*r-c\",1\r\n3,3\r\n");
  AddRepresa(QStringLiteral("r-a"));
  AddRepresa(QStringLiteral("r-b"));
  AddRepresa(QStringLiteral("r-c"));
  dialogs.answer(vbOK).answer(vbOK);

  LeeTablaHQRepresa();

  ASSERT_EQ(dialogs.records().size(), 2u);
  expectMessage(0, QStringLiteral("Error Nro. 13No coinciden los tipos ,Verifique"));
  expectMessage(1, QStringLiteral("Error Nro. 13No coinciden los tipos ,Verifique"));
  EXPECT_EQ(NFilasHQRepresa(1), 0);
  EXPECT_EQ(NFilasHQRepresa(2), 0);
  EXPECT_EQ(NFilasHQRepresa(3), 1);
  EXPECT_EQ(QTablaHQRepresa(3, 1), 3.0f);
}

// A missing file and an empty network read as no tables, without a message.
TEST_F(TablasTest, MissingFileAndEmptyNetworkGiveNoTables) {
  LeeTablaHSVQLago();
  EXPECT_EQ(NFilasHSVQLago.upper(), 0);
  EXPECT_EQ(NFilasHSVQLago(0), 0);
  EXPECT_EQ(HTablaHSVQLago.upper2(), 10);
  EXPECT_EQ(QTablaHSVQLago.upper2(), 11);
  EXPECT_EQ(nLagos, 0);

  AddLago(QStringLiteral("l-a"));
  AddLago(QStringLiteral("l-b"));
  LeeTablaHSVQLago();
  EXPECT_EQ(NFilasHSVQLago(1), 0);
  EXPECT_EQ(NFilasHSVQLago(2), 0);
  EXPECT_EQ(nLagos, 2);

  colLagos.clear();
  GuardaTablaHSVQLago();
  EXPECT_TRUE(FileExists(file("_LHASQ.pcn")));
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")), QByteArray());
}

// A write that fails half way is reported and leaves the old file as it was.
TEST_F(TablasTest, FailedWriteKeepsTheOldFile) {
  const QByteArray old("\"*r-a\",1\r\n1,1\r\n");
  WriteBytes(file("_RHQ.pcn"), old);
  AddRepresa(QStringLiteral("r-a"));
  AddRepresa(QStringLiteral("r-b"));
  LeeTablaHQRepresa();
  NFilasHQRepresa(2) = 30;  // more rows than the columns hold
  dialogs.answer(vbOK);

  GuardaTablaHQRepresa();

  expectMessage(0, QStringLiteral("Error Nro. 9El subíndice está fuera del intervalo ,Verifique"));
  EXPECT_EQ(ReadBytes(file("_RHQ.pcn")), old);
}

// A working folder that is gone is reported once by each reader and writer, which then stop: the
// elements keep no table and no file is written anywhere else.
TEST_F(TablasTest, AMissingWorkingFolderIsReportedOnce) {
  AddRepresa(QStringLiteral("r-a"));
  AddRepresa(QStringLiteral("r-b"));
  DirActual = path("gone");
  const struct {
    const char* name;
    void (*action)();
  } cases[] = {{"read", LeeTablaHQRepresa}, {"write", [] { EXPECT_FALSE(GuardaTablaHQRepresa()); }}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.clear();
    dialogs.answer(vbOK);
    c.action();
    ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_TRUE(dialogs.records()[0].prompt.startsWith(QStringLiteral("Error Nro. 76")));
    EXPECT_EQ(RutaArchivo, "p_RHQ.pcn");
  }
  EXPECT_EQ(NFilasHQRepresa(2), 0);
  EXPECT_FALSE(FileExists(path("p_RHQ.pcn")));
}

// Lakes renamed in memory keep their tables under the names the network file gave them, until the
// network is saved: then the file takes the new names, a swap of names included, drops a record that
// would hide a renamed lake's table, and stores a double quote as the network file does. A lake added
// under a name another lake had gets none of that lake's table.
TEST_F(TablasTest, RenamesReachTheTableFileWithTheNetworkSave) {
  DirTrabajo = DirActual;
  WriteBytes(file("_Conf.pcn"), test::SettingsFile(NombreProyecto, DirTrabajo, QStringLiteral("p")));
  for (const char* name : {"l-a", "l-b", "l-c", "l-e", "l-f"}) AddLago(QString::fromLatin1(name));
  QStringList confirmaciones;
  ASSERT_TRUE(EscribeRedProyecto(&confirmaciones));
  const QByteArray tablas =
      "\"*l-d\",1,\"*\",\"*\"\r\n9,9,9,9\r\n"
      "\"*l-a\",1,\"*\",\"*\"\r\n1,1,1,1\r\n"
      "\"*l-b\",1,\"*\",\"*\"\r\n2,2,2,2\r\n"
      "\"*l-c\",1,\"*\",\"*\"\r\n3,3,3,3\r\n"
      "\"*l-e\",1,\"*\",\"*\"\r\n5,5,5,5\r\n"
      "\"*l-f\",1,\"*\",\"*\"\r\n6,6,6,6\r\n"
      "\"*l-x\",1,\"*\",\"*\"\r\n7,7,7,7\r\n";
  WriteBytes(file("_LHASQ.pcn"), tablas);

  vLagos[1]->NombreLAGO = QStringLiteral("l-b");
  vLagos[2]->NombreLAGO = QStringLiteral("l-a");
  vLagos[3]->NombreLAGO = QStringLiteral("l-d");
  vLagos[5]->NombreLAGO = QStringLiteral("l-\"g\"");
  AddLago(QStringLiteral("l-c"));
  // Each lake, as numbered now, and the level of its table's only row (0: no table).
  auto expectLevels = [](std::initializer_list<Single> levels) {
    ResetReservoirState();
    LeeTablaHSVQLago();
    int n = 0;
    for (const Single h : levels) {
      ++n;
      EXPECT_EQ(NFilasHSVQLago(n), h == 0 ? 0 : 1) << n;
      EXPECT_EQ(HTablaHSVQLago(n, 1), h) << n;
    }
  };
  expectLevels({1, 2, 3, 5, 6, 0});
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")), tablas);

  ASSERT_TRUE(EscribeRedProyecto(&confirmaciones));
  EXPECT_EQ(ReadBytes(file("_LHASQ.pcn")), QByteArray("\"*l-b\",1,\"*\",\"*\"\r\n1,1,1,1\r\n"
                                                      "\"*l-a\",1,\"*\",\"*\"\r\n2,2,2,2\r\n"
                                                      "\"*l-d\",1,\"*\",\"*\"\r\n3,3,3,3\r\n"
                                                      "\"*l-e\",1,\"*\",\"*\"\r\n5,5,5,5\r\n"
                                                      "\"*l-'g'\",1,\"*\",\"*\"\r\n6,6,6,6\r\n"
                                                      "\"*l-x\",1,\"*\",\"*\"\r\n7,7,7,7\r\n"));
  ASSERT_EQ(vLagos[5]->NombreLAGO, "l-'g'");
  expectLevels({1, 2, 3, 5, 6, 0});
}

// The lake reader tells the open lake dialog whether the selected lake has a table; it neither
// loads that dialog nor touches it when the file is missing.
TEST_F(TablasTest, LakeReaderSetsTheLakeDialogLabel) {
  AddLago(QStringLiteral("l-a"));
  AddLago(QStringLiteral("l-b"));
  selLago = 2;
  LeeTablaHSVQLago();
  EXPECT_FALSE(FormInstance<dlgLago>::exists());

  dlgLago& dialog = FormInstance<dlgLago>::instance();
  dialog.lblParametros->setText(QStringLiteral("sin leer"));
  LeeTablaHSVQLago();
  EXPECT_EQ(dialog.lblParametros->text(), "sin leer");

  WriteBytes(file("_LHASQ.pcn"), "\"*l-b\",1,\"*\",\"*\"\r\n1,2,3,4\r\n\"*l-a\",0,\"*\",\"*\"\r\n");
  LeeTablaHSVQLago();
  EXPECT_EQ(dialog.lblParametros->text(), "Datos HSVQ en Tabla");
  selLago = 1;
  LeeTablaHSVQLago();
  EXPECT_EQ(dialog.lblParametros->text(), "---");
}

}  // namespace
}  // namespace tavo
