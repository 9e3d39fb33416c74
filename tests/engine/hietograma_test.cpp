#include "engine/hietograma.h"

#include <vector>

#include "engine/frmPp.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "rainfall/distribuciones.h"
#include "rainfall/tormenta.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class HietogramaTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirPrograma = DirActual = programDir();
  }
  static void Storm(Integer forma, Integer distri, Single p, Integer d, Integer step) {
    FormaPp = forma;
    DistriPp = distri;
    PpTormenta = p;
    DurTormenta = d;
    PasoPp = step;
  }
  // The rain of steps 1..n of one pass.
  static std::vector<Single> Pass(int n) {
    std::vector<Single> rain;
    for (int k = 1; k <= n; ++k) rain.push_back(PpDelPaso(static_cast<Integer>(k)));
    return rain;
  }
  // User table 1 with the given shares, valid from 5 to 1440 minutes; tables 2 and 3 empty.
  void WriteUserTable(const std::vector<int>& shares) {
    QByteArray bytes = QByteArray::number(static_cast<int>(shares.size())) + ",0,0\r\n\"\"\r\n5,1440\r\n";
    for (int s : shares) bytes += QByteArray::number(s) + "\r\n";
    bytes += "\"\"\r\n5,1440\r\n\"\"\r\n5,1440\r\n";
    test::WriteBytes(path("distriPp_dpt.pcn"), bytes);
  }
};

void ExpectValues(const char* what, const std::vector<Single>& actual, const std::vector<Single>& expected) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], 1e-4) << what << " " << i + 1;
}

std::vector<Single> Periods(const Array1<Single>& values) {
  std::vector<Single> out;
  for (int k = 1; k <= nPerDistri; ++k) out.push_back(values(k));
  return out;
}

TEST_F(HietogramaTest, DistributionsGiveTheirPeriodsAndStepRains) {
  const Single shape2Step5 = 100 * 0.34f * 48 / 288 + 100 * 0.31f * 12 / 288;
  struct Case {
    const char* name;
    Integer forma, distri;
    Single p;
    Integer d, step;
    std::vector<Single> depths;  // PpPeriodo(1..NP)
    std::vector<Single> rain;    // PpDelPaso(1..n)
  };
  const std::vector<Case> cases = {
      {"constant 60 mm in 120 min", 0, 0, 60, 120, 10, {60}, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 0}},
      {"constant, duration not a whole number of steps",
       0,
       0,
       60,
       125,
       10,
       {60},
       {4.8f, 4.8f, 4.8f, 4.8f, 4.8f, 4.8f, 4.8f, 4.8f, 4.8f, 4.8f, 4.8f, 4.8f, 2.4f, 0}},
      {"theoretical 100 mm in 180 min", 0, 1, 100, 180, 30, {20, 60, 20}, {10, 10, 30, 30, 10, 10, 0}},
      {"theoretical, a step longer than a period ends the storm",
       0,
       1,
       100,
       180,
       130,
       {20, 60, 20},
       {83.33333f, 16.66667f, 0}},
      {"shape 2 in 1440 min",
       1,
       2,
       100,
       1440,
       60,
       {34, 31, 18, 9, 8},
       {100 * 0.34f * 60 / 288, 100 * 0.34f * 60 / 288, 100 * 0.34f * 60 / 288, 100 * 0.34f * 60 / 288,
        shape2Step5}},
      {"shape 4", 0, 4, 50, 50, 10, {3, 10, 9, 17, 11}, {3, 10, 9, 17, 11, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Storm(c.forma, c.distri, c.p, c.d, c.step);
    DistribucionTemporalPp();
    EXPECT_EQ(NumPer, static_cast<Integer>(c.depths.size()));
    ExpectValues("depth", Periods(PpPeriodo), c.depths);
    ExpectValues("rain", Pass(static_cast<int>(c.rain.size())), c.rain);
  }
}

TEST_F(HietogramaTest, TheoreticalClassesByDuration) {
  const std::pair<Integer, Integer> classes[] = {{150, 1}, {151, 3}, {210, 3}, {211, 4},  {270, 4},
                                                 {271, 5}, {331, 6}, {719, 6}, {720, 24}, {2880, 24}};
  for (auto [d, periods] : classes) {
    Storm(0, 1, 100, d, 1);
    DistribucionTemporalPp();
    EXPECT_EQ(NumPer, periods) << d;
    EXPECT_NEAR(PpAcumPer(periods), 100, 0.001) << d;
  }
}

TEST_F(HietogramaTest, MeasuredStormKeepsItsIntervals) {
  const Single depths[] = {1, 4, 10, 3, 0, 2};
  PpPeriodo.redim(0, 6);
  for (int k = 1; k <= 6; ++k) PpPeriodo(k) = depths[k - 1];
  PpPeriodo(0) = 7;  // left there by the storm dialog; a measured storm keeps it
  Storm(4, 7, 20, 60, 10);
  DistribucionTemporalPp();
  EXPECT_EQ(NumPer, 6);
  EXPECT_EQ(PpPeriodo(0), 7.0f);
  ExpectValues("cumulative", Periods(PpAcumPer), {1, 5, 15, 18, 18, 20});
  ExpectValues("intensity", Periods(IntensidadPer), {.1f, .4f, 1, .3f, 0, .2f});
  ExpectValues("rain", Pass(7), {1, 4, 10, 3, 0, 2, 0});
}

TEST_F(HietogramaTest, UserTables) {
  // A table with more periods than the storm has steps, read for the first time in the run.
  WriteUserTable({10, 40, 30, 20});
  Storm(0, 5, 100, 60, 30);
  DistribucionTemporalPp();
  EXPECT_EQ(NumPer, 4);
  ExpectValues("depth", Periods(PpPeriodo), {10, 40, 30, 20});
  ExpectValues("rain", Pass(3), {50, 50, 0});

  // A table whose shares fall short of 100 %, after a longer hyetograph left intensities above its
  // periods: the step past the storm's end gets only the rest of the table's own curve.
  Storm(0, 1, 100, 720, 10);
  DistribucionTemporalPp();
  WriteUserTable({45, 45});
  Storm(0, 5, 100, 70, 20);
  DistribucionTemporalPp();
  const std::vector<Single> rain = Pass(5);
  Single total = 0;
  for (Single r : rain) total += r;
  EXPECT_NEAR(total, 90, 1e-3);
}

TEST_F(HietogramaTest, OneDepthPerUnitSpreadsEachUnitsOwnDepth) {
  Storm(3, 1, 100, 180, 30);
  DistribucionTemporalPp();
  std::vector<Single> first, second;
  for (Integer k = 1; k <= 7; ++k) {
    PpTormenta = 50;
    first.push_back(PpDelPaso(k));
    PpTormenta = 200;
    second.push_back(PpDelPaso(k));
  }
  ExpectValues("unit of 50 mm", first, {5, 5, 15, 15, 5, 5, 0});
  ExpectValues("unit of 200 mm", second, {20, 20, 60, 60, 20, 20, 0});
}

TEST_F(HietogramaTest, ReportRowsByteForByte) {
  PizarraActiva = true;
  Storm(0, 0, 60, 120, 10);
  DistribucionTemporalPp();
  const QString header =
      "\r\nEntrada: PRECIPITACION\r\nPp=  60 [mm]   120 [min]\r\nDistribución temporal de la Pp:\r\n"
      "Per.k t[min] Pp[mm]  Pp Acumulada[mm]  Intensidad de Pp[mm/min]";
  // The time column shows the end of each period of the hyetograph, here the storm's one period.
  EXPECT_EQ(ReportText(), header + "\r\n  1    120   60         60                       .5");

  SetReportText(QString());
  Storm(0, 1, 100, 180, 30);
  DistribucionTemporalPp();
  EXPECT_EQ(ReportText(),
            "\r\nEntrada: PRECIPITACION\r\nPp=  100 [mm]   180 [min]\r\nDistribución temporal de la Pp:\r\n"
            "Per.k t[min] Pp[mm]  Pp Acumulada[mm]  Intensidad de Pp[mm/min]"
            "\r\n  1    60    20         20                       .33"
            "\r\n  2    120   60         80                       1"
            "\r\n  3    180   20         100                      .33");

  // Periods that do not end on a whole minute show their end to hundredths; a text as wide as its
  // column gets no blanks after it.
  SetReportText(QString());
  Storm(0, 1, 100, 200, 10);
  DistribucionTemporalPp();
  EXPECT_EQ(ReportText(),
            "\r\nEntrada: PRECIPITACION\r\nPp=  100 [mm]   200 [min]\r\nDistribución temporal de la Pp:\r\n"
            "Per.k t[min] Pp[mm]  Pp Acumulada[mm]  Intensidad de Pp[mm/min]"
            "\r\n  1    66.67 20         20                       .3"
            "\r\n  2    133.33 60         80                       .9"
            "\r\n  3    200   20         100                      .3");

  // With the report off the window is not touched.
  SetReportText(QStringLiteral("x"));
  PizarraActiva = false;
  DistribucionTemporalPp();
  EXPECT_EQ(ReportText(), "x");
}

TEST_F(HietogramaTest, NoStormBuildsNothing) {
  PizarraActiva = true;
  NumPer = 9;
  Storm(0, 0, 0, 120, 10);
  DistribucionTemporalPp();
  EXPECT_EQ(NumPer, 9);
  EXPECT_EQ(PpAcumPer.upper(), 12);
  EXPECT_EQ(ReportText(), "");
}

TEST_F(HietogramaTest, ARainStepOfZeroFailsWithTheDivisionError) {
  dialogs.answer(vbOK);
  Storm(0, 0, 60, 120, 0);
  DistribucionTemporalPp();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 11División por cero ,Verifique");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly);
  EXPECT_EQ(PpTormenta, 0.0f);
  EXPECT_EQ(DurTormenta, 0);
}

TEST_F(HietogramaTest, StormsTheDistributionCannotSpreadAreRefusedBeforeTheRun) {
  struct Case {
    const char* name;
    Integer distri, d;
    const char* message;
  };
  const Case cases[] = {
      {"theoretical beyond 48 hours", 1, 2881, "hasta 48 horas"},
      {"user table without periods", 6, 120, "La distribución personalizada 2 no tiene períodos"},
  };
  WriteUserTable({100});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.clear();
    dialogs.answer(vbOK);
    Storm(0, 1, 100, 180, 30);
    DistribucionTemporalPp();  // a hyetograph that a refused storm must not leave behind
    ASSERT_GT(NumPer, 0);
    PizarraActiva = true;
    SetReportText(QString());
    Storm(0, c.distri, 100, c.d, 10);
    DistribucionTemporalPp();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].prompt.contains(QString::fromUtf8(c.message)))
        << dialogs.records()[0].prompt.toStdString();
    EXPECT_EQ(dialogs.records()[0].title, "Advertencia !");
    EXPECT_TRUE(HyetographRefused);
    EXPECT_EQ(NumPer, 0);
    EXPECT_EQ(PpTormenta, 100.0f);  // not the sign of a failure that ends the program
    EXPECT_EQ(DurTormenta, c.d);
    EXPECT_EQ(ReportText(), "");
    PizarraActiva = false;
  }
  Storm(0, 5, 100, 120, 10);
  DistribucionTemporalPp();
  EXPECT_FALSE(HyetographRefused);
}

}  // namespace
}  // namespace tavo
