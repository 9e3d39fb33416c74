#include "rainfall/distribuciones.h"

#include <QDir>
#include <QFileInfo>

#include "platform/seqfile.h"
#include "project/estado.h"
#include "rainfall/carpetas_fixture.h"
#include "rainfall/dlgDisPpPer.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class DistribucionesTest : public test::CarpetasTest {
 protected:
  // Table 1 with four periods, tables 2 and 3 cleared.
  void FillExample() {
    NroFilasTablaPp = {0, 4, 0, 0};
    DisPer.redim(0, 3, 0, 5);
    const Single shares[] = {10, 40, 30, 20};
    for (int j = 1; j <= 4; ++j) DisPer(1, j) = shares[j - 1];
    DurMinDisPer = {0, 30, 5, 5};
    DurMaxDisPer = {0, 360, 1440, 1440};
    NotasDisPer = {};
  }
};

const QByteArray kExample =
    "4,0,0\r\n\"\"\r\n30,360\r\n10\r\n40\r\n30\r\n20\r\n\"\"\r\n5,1440\r\n\"\"\r\n5,1440\r\n";

TEST_F(DistribucionesTest, ExampleFileWrittenByteForByteAndReadBack) {
  FillExample();
  GuardaTablaDisTemPer();
  EXPECT_EQ(test::ReadBytes(path("distriPp_dpt.pcn")), kExample);
  EXPECT_EQ(RutaArchivo, "distriPp_dpt.pcn");
  EXPECT_EQ(CurDir(), programDir());  // a write leaves the program folder current

  ResetDistribucionesState();
  LeeTablaDisTemPer();
  EXPECT_EQ(NroFilasTablaPp, (std::array<Integer, 4>{0, 4, 0, 0}));
  EXPECT_EQ(DisPer(1, 2), 40.0f);
  EXPECT_EQ(DisPer(1, 4), 20.0f);
  EXPECT_EQ(DisPer.upper2(), 5);  // the largest count + 1
  EXPECT_EQ(DurMinDisPer[1], 30);
  EXPECT_EQ(DurMaxDisPer[3], 1440);
  EXPECT_EQ(CurDir(), path("obra"));  // a good read makes the working directory current again
}

TEST_F(DistribucionesTest, FractionalSharesAndNotesRoundTrip) {
  NroFilasTablaPp = {0, 1, 3, 0};
  DisPer.redim(0, 3, 0, 4);
  DisPer(1, 1) = 100;
  DisPer(2, 1) = 12.5f;
  DisPer(2, 2) = 33.33333f;
  DisPer(2, 3) = 0.5f;
  NotasDisPer[2] = QStringLiteral("Estación \"Norte\"\r\nserie 1990-2000");
  GuardaTablaDisTemPer();
  const QByteArray bytes = test::ReadBytes(path("distriPp_dpt.pcn"));
  EXPECT_TRUE(bytes.contains("\r\n100\r\n")) << bytes.toStdString();  // whole values without a point
  EXPECT_TRUE(bytes.contains("\r\n12.5\r\n33.33333\r\n.5\r\n")) << bytes.toStdString();

  ResetDistribucionesState();
  LeeTablaDisTemPer();
  ASSERT_EQ(NroFilasTablaPp[2], 3);
  EXPECT_EQ(DisPer(2, 1), 12.5f);
  EXPECT_EQ(DisPer(2, 2), 33.33333f);
  EXPECT_EQ(DisPer(2, 3), 0.5f);
  // A double quote of the note would end it in the file; it comes back as a single quote.
  EXPECT_EQ(NotasDisPer[2], QStringLiteral("Estación 'Norte'\r\nserie 1990-2000"));
  // Loading again gives the same store.
  LeeTablaDisTemPer();
  EXPECT_EQ(NroFilasTablaPp, (std::array<Integer, 4>{0, 1, 3, 0}));
  EXPECT_EQ(DisPer(2, 2), 33.33333f);
}

TEST_F(DistribucionesTest, AFailedReadLeavesThreeEmptyTablesSilently) {
  struct Case {
    const char* name;
    QByteArray bytes;  // empty: no file
  };
  const Case cases[] = {
      {"no file", QByteArray()},
      {"table 3 announces more values than it holds",
       "1,1,2\r\n\"a\"\r\n5,60\r\n100\r\n\"\"\r\n5,60\r\n100\r\n\"\"\r\n5,60\r\n100\r\n"},
      {"a share that is not a number", "1,0,0\r\n\"\"\r\n5,60\r\ncien\r\n\"\"\r\n5,60\r\n\"\"\r\n5,60\r\n"},
      {"a negative count", "-1,0,0\r\n\"\"\r\n5,60\r\n\"\"\r\n5,60\r\n\"\"\r\n5,60\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RmFile(path("distriPp_dpt.pcn"));
    if (!c.bytes.isEmpty()) test::WriteBytes(path("distriPp_dpt.pcn"), c.bytes);
    NroFilasTablaPp = {0, 2, 2, 2};
    ChDir(DirActual);
    FormInstance<dlgDisPpPer>::object().LeeTablaDisTemPer();
    EXPECT_EQ(NroFilasTablaPp, (std::array<Integer, 4>{0, 0, 0, 0}));
    EXPECT_EQ(CurDir(), programDir());  // a failed read leaves the program folder current
    EXPECT_EQ(RutaArchivo, "distriPp_dpt.pcn");
  }
  EXPECT_TRUE(dialogs.records().empty());
  // The loading procedure of the editor does not load its window.
  EXPECT_TRUE(FormInstance<dlgDisPpPer>::exists());
  EXPECT_FALSE(FormInstance<dlgDisPpPer>::isLoaded());
}

TEST_F(DistribucionesTest, ASaveThatCannotCreateTheFileReportsOnce) {
  FillExample();
  QDir(programDir()).mkdir(QStringLiteral("distriPp_dpt.pcn"));  // a folder stands where the file goes
  dialogs.answer(vbOK);
  GuardaTablaDisTemPer();
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 75Error de acceso a la ruta o el archivo ,Verifique");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly);
  EXPECT_TRUE(dialogs.records()[0].title.isEmpty());

  // A program folder that is gone: one message, and no file lands in the current folder instead.
  DirPrograma = path("gone");
  dialogs.answer(vbOK);
  GuardaTablaDisTemPer();
  ASSERT_EQ(dialogs.records().size(), 2u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(dialogs.records()[1].prompt.startsWith(QStringLiteral("Error Nro. 76")));
  EXPECT_TRUE(QFileInfo(path("distriPp_dpt.pcn")).isDir());
}

}  // namespace
}  // namespace tavo
