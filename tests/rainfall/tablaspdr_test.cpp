#include "rainfall/tablaspdr.h"

#include <QDir>

#include "platform/seqfile.h"
#include "project/estado.h"
#include "rainfall/carpetas_fixture.h"
#include "rainfall/dlgTablasPDRs.h"
#include "rainfall/tormenta.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class TablasPDRTest : public test::CarpetasTest {
 protected:
  // A series loaded earlier, which a failed reading must not leave behind.
  static void LoadOldSeries() {
    NroTormentasSerie = 2;
    PpSerie.redim(0, 2);
    DurSerie.redim(0, 2);
    RecSerie.redim(0, 2);
    PpSerie(1) = 99;
    DurSerie(1) = 30;
  }
};

const QByteArray kExample = "2,0,0,0\r\n\"\"\r\n25,60,2\r\n40,120,2\r\n\"\"\r\n\"\"\r\n\"\"\r\n";

TEST_F(TablasPDRTest, ExampleFileWrittenByteForByteAndReadBackAsTheSeries) {
  NroFilasTablaPDR = {2, 0, 0, 0};
  PpTablaPDR.redim(0, 3, 0, 3);
  DurTablaPDR.redim(0, 3, 0, 3);
  RecTablaPDR.redim(0, 3, 0, 3);
  PpTablaPDR(0, 1) = 25, DurTablaPDR(0, 1) = 60, RecTablaPDR(0, 1) = 2;
  PpTablaPDR(0, 2) = 40, DurTablaPDR(0, 2) = 120, RecTablaPDR(0, 2) = 2;
  FormInstance<dlgTablasPDRs>::object().GuardaTablasPDRs();
  EXPECT_EQ(test::ReadBytes(path("TablasPDRs_pdr.pcn")), kExample);
  EXPECT_EQ(RutaArchivo, "TablasPDRs_pdr.pcn");
  EXPECT_FALSE(FormInstance<dlgTablasPDRs>::isLoaded());

  ResetTablasPDRState();
  LeeTablaPDRs();
  EXPECT_EQ(NroFilasTablaPDR, (std::array<Integer, 4>{2, 0, 0, 0}));
  ASSERT_EQ(NroTormentasSerie, 2);
  EXPECT_EQ(PpSerie.upper(), 2);
  EXPECT_EQ(PpSerie(2), 40.0f);
  EXPECT_EQ(DurSerie(2), 120);
  EXPECT_EQ(RecSerie(1), 2);
  EXPECT_EQ(CurDir(), path("obra"));
}

TEST_F(TablasPDRTest, TheChosenTableBecomesTheSeries) {
  test::WriteBytes(
      path("TablasPDRs_pdr.pcn"),
      "1,0,2,0\r\n\"regional\"\r\n25,60,2\r\n\"\"\r\n\"mis notas\"\r\n30,45,5\r\n50,90,10\r\n\"\"\r\n");
  struct Case {
    Integer table;  // NroTablaPDR before the reading
    Integer used;   // the table that becomes the series
    Integer storms;
  };
  for (const Case c : {Case{2, 2, 2}, Case{7, 0, 1}, Case{-1, 0, 1}, Case{1, 1, 0}}) {
    SCOPED_TRACE(c.table);
    NroTablaPDR = c.table;
    LoadOldSeries();
    LeeTablaPDRs();
    EXPECT_EQ(NroTablaPDR, c.used);
    EXPECT_EQ(NroTormentasSerie, c.storms);
    EXPECT_EQ(PpSerie.upper(), c.storms);
    EXPECT_EQ(PpSerie(0), 0.0f);
    if (c.storms > 0) {
      EXPECT_EQ(PpSerie(c.storms), c.used == 2 ? 50.0f : 25.0f);
    }
  }
  EXPECT_EQ(NotasTablaPDR[0], "regional");
  EXPECT_EQ(DurTablaPDR(2, 1), 45);
}

TEST_F(TablasPDRTest, AFailedReadingKeepsTheRegionalTableAsReadAndLoadsNoSeries) {
  struct Case {
    const char* name;
    QByteArray bytes;              // empty: no file
    Integer regional;              // the regional table's count afterwards
    std::array<Integer, 3> first;  // its first storm
  };
  const Case cases[] = {
      {"no file", QByteArray(), 5, {0, 0, 0}},
      {"a line of counts cut short", "3,0\r\n", 5, {0, 0, 0}},
      {"table 0 announces more storms than follow", "3,0,0,0\r\n\"\"\r\n25,60,2\r\n", 3, {25, 60, 2}},
      {"a value that is not a number",
       "2,0,0,0\r\n\"\"\r\n25,x,2\r\n30,90,5\r\n\"\"\r\n\"\"\r\n\"\"\r\n",
       2,
       {25, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RmFile(path("TablasPDRs_pdr.pcn"));
    if (!c.bytes.isEmpty()) test::WriteBytes(path("TablasPDRs_pdr.pcn"), c.bytes);
    NroFilasTablaPDR = {5, 1, 1, 1};
    DimensionaTablasPDRs();
    PpTablaPDR(0, 2) = DurTablaPDR(0, 2) = RecTablaPDR(0, 2) = 7;
    LoadOldSeries();
    LeeTablaPDRs();
    EXPECT_EQ(NroFilasTablaPDR, (std::array<Integer, 4>{c.regional, 0, 0, 0}));
    EXPECT_EQ(PpTablaPDR(0, 1), c.first[0]);
    EXPECT_EQ(DurTablaPDR(0, 1), c.first[1]);
    EXPECT_EQ(RecTablaPDR(0, 1), c.first[2]);
    // A storm the file announced and did not give is 0; one of a reading that never began stays.
    EXPECT_EQ(PpTablaPDR(0, 2), c.regional == 5 ? 7 : 0);
    EXPECT_EQ(NroTormentasSerie, 0);
    EXPECT_EQ(PpSerie.upper(), 0);
    EXPECT_EQ(CurDir(), programDir());
  }
  EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(TablasPDRTest, ASaveThatCannotCreateTheFileReportsOnce) {
  NroFilasTablaPDR = {1, 0, 0, 0};
  QDir(programDir()).mkdir(QStringLiteral("TablasPDRs_pdr.pcn"));
  dialogs.answer(vbOK);
  GuardaTablasPDRs();
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 75Error de acceso a la ruta o el archivo ,Verifique");

  // Over a file already there, a save that cannot be written keeps that file as it was.
  QDir(programDir()).rmdir(QStringLiteral("TablasPDRs_pdr.pcn"));
  const QByteArray old("1,0,0,0\r\n\"Notas\"\r\n10,60,2\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
  test::WriteBytes(path("TablasPDRs_pdr.pcn"), old);
  QDir(programDir())
      .mkdir(TemporaryPath(QStringLiteral("TablasPDRs_pdr.pcn")));  // where the new text would go
  dialogs.clear();
  dialogs.answer(vbOK);
  GuardaTablasPDRs();
  EXPECT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(test::ReadBytes(path("TablasPDRs_pdr.pcn")), old);
}

TEST_F(TablasPDRTest, TheDeliveredTableReads) {
  FileCopy(QStringLiteral(TAVO_FIXTURES_DIR "/../../data/TablasPDRs_pdr.pcn"), path("TablasPDRs_pdr.pcn"));
  LeeTablaPDRs();
  ASSERT_EQ(NroTormentasSerie, 100);
  EXPECT_EQ(NroFilasTablaPDR, (std::array<Integer, 4>{100, 0, 0, 0}));
  for (int k = 1; k <= 100; ++k) {
    EXPECT_GT(PpSerie(k), 0.0f) << k;
    EXPECT_TRUE(DurSerie(k) >= 10 && DurSerie(k) <= 1440) << k;
    EXPECT_TRUE(RecSerie(k) >= 2 && RecSerie(k) <= 1000) << k;
  }
}

}  // namespace
}  // namespace tavo
