#include "engine/simulacion.h"

#include <cmath>

#include "engine/frmPp.h"
#include "engine/hietograma.h"
#include "engine/resultados.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "support/fixture.h"
#include "support/network.h"

namespace tavo {
namespace {

class SimulacionTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirPrograma = programDir();
  }
  // A storm of constant intensity.
  void Tormenta(Single P, Integer D, Integer pasoPp, Integer pasoQ, Single adicional) {
    PpTormenta = P;
    DurTormenta = D;
    PasoPp = pasoPp;
    PasoQ = pasoQ;
    TiempoAdicional = adicional;
    FormaPp = 0;
    DistriPp = 0;
  }
  // A unit draining into `into`, without retention, infiltration or base flow; its travel time is
  // `tc` minutes at 1 m/s.
  std::shared_ptr<UEH> Unidad(const QString& name, Single area, Single tcMinutes,
                              const QString& into = QString()) {
    auto u = test::AddUEH(name, into);
    u->Area = area;
    u->VelMedia = 1;
    u->LongitudMax = tcMinutes * 60;
    u->Metodo = QStringLiteral("Directo");
    return u;
  }
  // An empty network, between the cases of one test.
  void Limpia() {
    ResetEstadoProyecto();
    DirPrograma = programDir();
  }
  void Corre(bool unica = true) {
    DistribucionTemporalPp();
    Proceso_Simulacion(unica);
  }
  // The unit lines of the report (those of section I that start with a step number).
  QStringList LineasUEH() {
    QStringList out;
    const QStringList lines = TextoProceso.split(QStringLiteral("\r\n"));
    bool inUnits = false;
    for (const QString& l : lines) {
      if (l.startsWith(QStringLiteral("Per.k  t[min]   UEH"))) {
        inUnits = true;
        continue;
      }
      if (inUnits && l.isEmpty()) break;
      if (inUnits) out << l;
    }
    return out;
  }
};

TEST_F(SimulacionTest, HorizonCoversTheStormAndTheExtraTime) {
  Unidad(QStringLiteral("u-A"), 10, 1);
  Tormenta(60, 60, 30, 10, 10);
  Corre();
  EXPECT_EQ(NPasosLluvia, 3);
  EXPECT_EQ(nPasosSalida, 7);
  EXPECT_EQ(RelacionPasos, 3);
  EXPECT_FLOAT_EQ(PpUEH(1), 60);
  EXPECT_EQ(QSaleCompo.upper2(), 8);
}

TEST_F(SimulacionTest, EveryRainStepOfTheStormIsSimulated) {
  // D = 50 with 10 minutes after it and rain steps of 30: minutes 30 to 50 are simulated too.
  Unidad(QStringLiteral("u-A"), 10, 1);
  Tormenta(50, 50, 30, 10, 10);
  Corre();
  EXPECT_EQ(NPasosLluvia, 2);
  EXPECT_FLOAT_EQ(PpUEHPaso(1, 1), 30);
  EXPECT_FLOAT_EQ(PpUEHPaso(1, 2), 20);
  EXPECT_FLOAT_EQ(PpUEH(1), 50);
  EXPECT_FLOAT_EQ(PpMediaAcum, 50);
}

TEST_F(SimulacionTest, RetentionAndInfiltrationStepByStep) {
  // A measured storm of 2, 2 and 4 mm over 5 mm of retention, then Kostiakov with b = 1.
  auto u = Unidad(QStringLiteral("u-A"), 100, 1);
  u->RetensionZ = 5;
  u->KostiakovA = 0.1f;
  u->KostiakovB = 1;
  Tormenta(8, 30, 10, 10, 0);
  FormaPp = 4;
  PpPeriodo.redim(0, 3);
  PpPeriodo(1) = 2;
  PpPeriodo(2) = 2;
  PpPeriodo(3) = 4;
  NumPer = 3;
  DistribucionTemporalPp();
  PizarraActiva = true;
  Proceso_Simulacion(false);
  // Retained 2, 2 and 1; the third step is the first with net rain: 3 mm less 1 mm of infiltration,
  // 0.2 mm/min on 100 ha.
  EXPECT_EQ(LineasUEH(), QStringList({
                             "    1    10     u-A         2            2                0                0",
                             "    2    20     u-A         2            2                0                0",
                             "    3    30     u-A         4            1                1             3.33",
                         }));
  EXPECT_EQ(nPasosInfiltra(1), 2);
  EXPECT_EQ(RetencionRestante(1), 0);
}

TEST_F(SimulacionTest, RainEqualToTheRemainingRetentionIsAllRetained) {
  auto u = Unidad(QStringLiteral("u-A"), 100, 1);
  u->RetensionZ = 10;
  Tormenta(10, 10, 10, 10, 0);
  Corre();
  EXPECT_EQ(RetencionRestante(1), 0);
  EXPECT_EQ(nPasosInfiltra(1), 1);
  EXPECT_EQ(QpSerie(1, 1), 0);
  EXPECT_EQ(VolEscUEH(1), 0);
  EXPECT_EQ(CoefEscUEH(1), 0);
}

TEST_F(SimulacionTest, InfiltrationAboveTheNetRainLeavesNoExcess) {
  auto u = Unidad(QStringLiteral("u-A"), 100, 1);
  u->KostiakovA = 2;  // I = a · PasoPp = 20 mm a step
  u->KostiakovB = 1;
  Tormenta(30, 30, 10, 10, 0);
  Corre();
  EXPECT_EQ(QpSerie(1, 1), 0);
  EXPECT_EQ(nPasosInfiltra(1), 4);
}

TEST_F(SimulacionTest, TravelTimeSpreadsTheStepOnATrapezoid) {
  struct Case {
    Single seconds;  // LongitudMax at 1 m/s
    Integer pasoPp, pasoQ;
    std::vector<double> shares;  // of q, output step by output step
  };
  const Case cases[] = {
      {900, 10, 10, {2.0 / 3, 1.0 / 3, 0}},      // Tc 15: q = 3 reaches the outlet as 2 and 1
      {150, 1, 1, {0.5, 0.5, 0}},                // 2.5 minutes round to Tc 2
      {210, 1, 1, {0.25, 0.25, 0.25, 0.25, 0}},  // 3.5 minutes round to Tc 4
      {20, 10, 5, {1, 1, 0}},                    // no travel time: q at each output step of the rain step
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    Limpia();
    auto u = Unidad(QStringLiteral("u-A"), 60, 0);
    u->LongitudMax = c.seconds;
    Tormenta(c.pasoPp, c.pasoPp, c.pasoPp, c.pasoQ, 20);
    Corre();
    const double q = 1.0 * 0.166667 * 60;  // 1 mm/min on 60 ha
    for (size_t k = 0; k < c.shares.size(); ++k) {
      EXPECT_NEAR(QSaleCompo(1, static_cast<int>(k) + 1), q * c.shares[k], 1e-4) << "step " << k + 1;
    }
  }
}

TEST_F(SimulacionTest, FlowBeyondTheHorizonGrowsIt) {
  Unidad(QStringLiteral("u-A"), 60, 30);
  Tormenta(10, 10, 10, 10, 0);
  Corre();
  // Tc 30 after one rain step of 10 minutes: flow at steps 1 to 3, beyond NQ = 1.
  EXPECT_EQ(nPasosSalida, 3);
  EXPECT_EQ(HEmbalseLago.upper2(), 4);
  const double q = 1.0 * 0.166667 * 60;
  EXPECT_NEAR(VolEscUEH(1), q * 600, 0.1);
  EXPECT_NEAR(CoefEscUEH(1), 100, 0.01);
}

TEST_F(SimulacionTest, BaseFlowRecedesFromItsInitialValue) {
  auto u = Unidad(QStringLiteral("u-A"), 10, 1);
  u->RetensionZ = 1000;
  u->Q0Recesion = 2;
  u->KRecesion = 1;
  auto tenue = Unidad(QStringLiteral("u-B"), 10, 1);
  tenue->RetensionZ = 1000;
  tenue->Q0Recesion = 0.0001f;
  tenue->KRecesion = 1;
  dialogs.answer(vbNo);  // two outlets
  Tormenta(10, 60, 60, 60, 120);
  Corre(false);
  EXPECT_EQ(NumberText(QSaleCompo(1, 1)), " .735754");
  EXPECT_EQ(QSaleCompo(1, 1), static_cast<Single>(2 * std::pow(2.7183f, -1.0)));
  EXPECT_EQ(VolBaseUEH(1), CLng(QSaleCompo(1, 1) * 3600.0) + CLng(QSaleCompo(1, 2) * 3600.0) +
                               CLng(QSaleCompo(1, 3) * 3600.0));
  // Below half a cubic metre a step the rounded volume never leaves 0.
  EXPECT_GT(QSaleCompo(2, 1), 0);
  EXPECT_EQ(VolBaseUEH(2), 0);
}

// A storm whose rain is all retained leaves only the base flow: its runoff is never below nothing
// (the base flow's volume is summed in whole cubic metres and the outflow's in single precision, which
// differ by a few cubic metres either way), in the series' results and in the report.
TEST_F(SimulacionTest, AStormWithoutRunoffHasNoNegativeRunoff) {
  for (const Single q0 : {0.37f, 1.23f, 2.16f, 7.9f}) {
    SCOPED_TRACE(q0);
    Limpia();
    auto u = Unidad(QStringLiteral("u-A"), 53, 1);
    u->RetensionZ = 1000;
    u->Q0Recesion = q0;
    u->KRecesion = 3;
    Tormenta(20, 720, 10, 10, 600);
    PizarraActiva = true;
    Corre(false);
    EXPECT_GT(VolBaseUEH(1), 0);
    EXPECT_GE(ESerie(1, 1), 0);
    EXPECT_GE(CESerie(1, 1), 0);
    EXPECT_GE(ETotalSerie(1), 0);
    EXPECT_FALSE(TextoProceso.contains(QStringLiteral("Escorrentía     UEH  1 u-A   -")));
    EXPECT_FALSE(TextoProceso.contains(QStringLiteral("Escorrentía total[m3]    = -")));
  }
}

TEST_F(SimulacionTest, DirectReachesDelayByTheirLag) {
  struct Case {
    Single length;
    Integer lag;
  };
  // 880 m: 14.67 min round to 15, and 1.5 steps to 2; rounding 1.467 steps once would give 1.
  for (const Case& c : {Case{1000, 2}, Case{1500, 2}, Case{2100, 4}, Case{300, 0}, Case{880, 2}}) {
    SCOPED_TRACE(c.length);
    Limpia();
    Unidad(QStringLiteral("u-A"), 60, 20, QStringLiteral("c-R"));
    auto r = test::AddCauce(QStringLiteral("c-R"));
    r->optDirMusk = true;
    r->LongCauce = c.length;
    r->VelMediaCauce = 1;
    Tormenta(30, 30, 10, 10, 60);
    Corre();
    EXPECT_EQ(RetardoMaximo, c.lag);
    EXPECT_EQ(QSaleCompo.upper2(), nPasosSalida + 1 + c.lag);
    for (int k = 1; k <= nPasosSalida; ++k) EXPECT_EQ(QSaleCompo(2, k + c.lag), QEntraCompo(2, k)) << k;
  }
}

TEST_F(SimulacionTest, MuskingumReach) {
  Unidad(QStringLiteral("u-A"), 60, 10, QStringLiteral("c-R"));
  auto r = test::AddCauce(QStringLiteral("c-R"));
  r->Cauce_k_Musk = 10;
  Tormenta(10, 10, 10, 10, 30);
  Corre();
  // K 10, x 0, step 10: O(k) = (I(k) + I(k − 1) + O(k − 1)) / 3.
  for (int k = 2; k <= nPasosSalida; ++k) {
    const Single expected = static_cast<Single>(static_cast<double>(C0Musk) * QEntraCompo(2, k) +
                                                static_cast<double>(C1Musk) * QEntraCompo(2, k - 1) +
                                                static_cast<double>(C2Musk) * QSaleCompo(2, k - 1));
    EXPECT_EQ(QSaleCompo(2, k), expected);
  }
  EXPECT_EQ(QSaleCompo(2, 1), QEntraCompo(2, 1));
  EXPECT_NEAR(QSaleCompo(2, 2), (QEntraCompo(2, 2) + QEntraCompo(2, 1) + QSaleCompo(2, 1)) / 3, 1e-5);
}

TEST_F(SimulacionTest, WarningsStopTheRun) {
  struct Case {
    const char* name;
    std::function<void()> build;
    QString text;
  };
  const QString w3 = QStringLiteral(
      "Error en la carga de datos de UEHS Nro.  1. El dato de Longitud máxima de la gota en ladera es "
      "incorrecto. "
      "Revise desde Menú Principal: Entradas\\Editor de UEHS...");
  const Case cases[] = {
      {"no unit", [] {},
       QStringLiteral(
           "Debe haber al menos una Unidad de Estudios Hidrólógicos (UEH) Cargada en el sistema. (Ingresar "
           "UEHs desde el Menú Principal  \\Entradas\\Editor UEHs (Gráfico)...")},
      {"first area 0",
       [this] {
         Unidad(QStringLiteral("u-A"), 0, 1, QStringLiteral("c-R"));
         Unidad(QStringLiteral("u-B"), 12, 1, QStringLiteral("c-R"));
       },
       QStringLiteral(
           "Error en la carga de datos de UEHS, posiblemente no ha cargado correctamente las superficies y "
           "demás parámetros, ...")},
      {"length before velocity",
       [this] {
         Unidad(QStringLiteral("u-A"), 10, 1)->LongitudMax = 0;
         Unidad(QStringLiteral("u-B"), 10, 1)->VelMedia = 0;
       },
       w3},
      {"velocity", [this] { Unidad(QStringLiteral("u-A"), 10, 1)->VelMedia = 0; },
       QStringLiteral(
           "Error en la carga de datos de UEHS Nro.  1. El dato de Velocidad media de la gota en ladera es "
           "incorrecto. Revise desde Menú Principal: Entradas\\Editor de UEHS...")},
      {"steps",
       [this] {
         Unidad(QStringLiteral("u-A"), 10, 1);
         PasoQ = 3;
       },
       QStringLiteral("El paso de cálculo de caudales debe dividir exactamente al paso de cálculo de la "
                      "precipitación. Corrija los pasos de la tormenta desde el Menú Principal: "
                      "Entradas\\Precipitaciones...")},
      {"reach length",
       [this] {
         Unidad(QStringLiteral("u-A"), 10, 1, QStringLiteral("c-R"));
         auto r = test::AddCauce(QStringLiteral("c-R"));
         r->optDirMusk = true;
         r->VelMediaCauce = 1;
       },
       QStringLiteral(
           "El parámetro de Longitud de Cauce del tramo c-R es '0'. Debe asignar un valor correcto a este "
           "parámetro desde el Editor de UEHs ")},
      {"reach velocity",
       [this] {
         Unidad(QStringLiteral("u-A"), 10, 1, QStringLiteral("c-R"));
         auto r = test::AddCauce(QStringLiteral("c-R"));
         r->optDirMusk = true;
         r->LongCauce = 100;
       },
       QStringLiteral(
           "El parámetro de Velocidad Media de propagación Directa en el tramo c-R es '0'. Debe asignar un "
           "valor correcto a este parámetro desde el Editor de UEHs ")},
      {"Muskingum",
       [this] {
         Unidad(QStringLiteral("u-A"), 10, 1, QStringLiteral("c-R"));
         test::AddCauce(QStringLiteral("c-R"))->Cauce_k_Musk = -5;
       },
       QStringLiteral(
           "Error, Los parámetros de Muskingum utilizados en el tramo de caucec-R son erróneos. Verifique, o "
           "cambie a propagación Directa desde el Editor de UEHs ")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Limpia();
    dialogs.clear();
    Tormenta(10, 10, 10, 10, 0);
    c.build();
    dialogs.answer(vbOK);
    Corre();
    ASSERT_FALSE(dialogs.records().empty());
    const auto& last = dialogs.records().back();
    EXPECT_EQ(last.prompt, c.text);
    EXPECT_EQ(last.title, "Advertencia !");
    EXPECT_EQ(last.style, vbOKOnly | vbExclamation);
    EXPECT_FALSE(QFile::exists(path("SalePizarra1_tem.txt")));
  }
}

TEST_F(SimulacionTest, UnitsWithAreaFirstPassTheAreaCheck) {
  Unidad(QStringLiteral("u-A"), 12, 1, QStringLiteral("c-R"));
  Unidad(QStringLiteral("u-B"), 0, 1, QStringLiteral("c-R"));
  Unidad(QStringLiteral("u-C"), 30, 1, QStringLiteral("c-R"));
  auto r = test::AddCauce(QStringLiteral("c-R"));
  r->Cauce_k_Musk = 10;
  Tormenta(10, 10, 10, 10, 0);
  Corre();
  EXPECT_FLOAT_EQ(AreaTotalUEHs, 42);
  EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(SimulacionTest, ANetworkFindingStopsTheRunAfterTheQuestion) {
  // A reach into which nothing drains: the check asks (twice for a single storm), then the run stops.
  Unidad(QStringLiteral("u-A"), 10, 1, QStringLiteral("c-R"));
  test::AddCauce(QStringLiteral("c-R"))->Cauce_k_Musk = 10;
  test::AddCauce(QStringLiteral("c-Seco"), QStringLiteral("c-R"))->Cauce_k_Musk = 10;
  Tormenta(10, 10, 10, 10, 0);
  NroTormentasSerie = 1;
  dialogs.answer(vbNo).answer(vbNo).answer(vbOK);
  Corre();
  ASSERT_EQ(dialogs.records().size(), 3u);
  EXPECT_EQ(dialogs.records()[2].prompt,
            QStringLiteral("Error en la carga de datos de UEHS. Revise desde Menú Principal: "
                           "Entradas\\Editor de UEHS..."));
  EXPECT_EQ(QSaleCompo(1, 1), 0);
}

TEST_F(SimulacionTest, OneDepthPerUnitKeepsTheStormDepth) {
  Unidad(QStringLiteral("u-A"), 10, 1, QStringLiteral("c-R"));
  Unidad(QStringLiteral("u-B"), 30, 1, QStringLiteral("c-R"));
  test::AddCauce(QStringLiteral("c-R"))->Cauce_k_Musk = 10;
  Tormenta(20, 20, 10, 10, 0);
  FormaPp = 3;
  PpUEH(1) = 10;
  PpUEH(2) = 30;
  Corre();
  EXPECT_EQ(PpTormenta, 20);
  EXPECT_FLOAT_EQ(PpUEHPaso(1, 1) + PpUEHPaso(1, 2), 10);
  EXPECT_FLOAT_EQ(PpUEHPaso(2, 1) + PpUEHPaso(2, 2), 30);
  EXPECT_FLOAT_EQ(PpMediaAcum, 25);  // (10·10 + 30·30) / 40
}

TEST_F(SimulacionTest, NoRainGivesNoBasinCoefficient) {
  auto u = Unidad(QStringLiteral("u-A"), 10, 1);
  u->Q0Recesion = 1;
  u->KRecesion = 2;
  Tormenta(10, 10, 10, 10, 50);
  FormaPp = 3;  // a depth of 0 on the only unit
  Corre();
  EXPECT_EQ(PpMediaAcum, 0);
  EXPECT_EQ(CoefEscTotal, 0);
  EXPECT_EQ(CETotalSerie(1), 0);
}

TEST_F(SimulacionTest, AFailureIsReportedOncePerPhaseAndTheRunGoesOn) {
  // Times of output steps beyond 32767 minutes overflow: in the base flow and again in the table.
  auto u = Unidad(QStringLiteral("u-A"), 10, 1);
  u->Q0Recesion = 1;
  u->KRecesion = 1;
  Tormenta(10, 32000, 1000, 1000, 2000);
  dialogs.answer(vbOK).answer(vbOK);
  Corre();
  ASSERT_EQ(dialogs.records().size(), 2u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 6Desbordamiento ,Verifique");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly);
  // The report file is still written.
  EXPECT_TRUE(QFile::exists(path("SalePizarra1_tem.txt")));
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

// A unit of 60 ha with a travel time of 20 minutes drains into a reach of 10 minutes; 30 mm fall in
// 30 minutes, steps of 10 minutes, 20 minutes after the storm.
class ProyectoPequeno : public SimulacionTest {
 protected:
  void SetUp() override {
    SimulacionTest::SetUp();
    Unidad(QStringLiteral("u-A"), 60, 20, QStringLiteral("c-R"));
    auto r = test::AddCauce(QStringLiteral("c-R"));
    r->optDirMusk = true;
    r->LongCauce = 600;
    r->VelMediaCauce = 1;
    Tormenta(30, 30, 10, 10, 20);
    PizarraActiva = true;
    Corre();
  }
};

TEST_F(ProyectoPequeno, ValuesCheckedByHand) {
  // q = 1 mm/min · 0.166667 · 60 ha; the trapezoid of Tc 20 hands each rain step as q/2 and q/2.
  const Single q = static_cast<Single>(1.0f * 0.166667 * 60);
  const Single half = static_cast<Single>(q / 20.0 * 10);
  const Single unit[] = {0, half, half + (q - half), q, half, 0};
  ASSERT_EQ(nPasosSalida, 5);
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(QSaleCompo(1, k), unit[k]) << k;
  // The reach delays by one step; its first step delivers the units' initial base flow, 0.
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(QEntraCompo(2, k), unit[k]) << k;
  EXPECT_EQ(QSaleCompo(2, 1), 0);
  for (int k = 2; k <= 6; ++k) EXPECT_EQ(QSaleCompo(2, k), unit[k - 1]) << k;
  EXPECT_EQ(QpSerie(1, 1), q);
  EXPECT_EQ(QpSerie(2, 1), q);
  EXPECT_FLOAT_EQ(VolEscUEH(1), 3 * q * 600);
  EXPECT_EQ(ESerie(1, 1), CLng(VolEscUEH(1)));
  EXPECT_NEAR(CESerie(1, 1), 100, 0.001);
  EXPECT_FLOAT_EQ(VolEntra, 3 * q * 600);
  EXPECT_FLOAT_EQ(VolSale, 3 * q * 600);
  EXPECT_EQ(ETotalSerie(1), CLng(VolEscUEH(1)));
  EXPECT_FLOAT_EQ(PpMediaAcum, 30);
}

TEST_F(ProyectoPequeno, ReportFileMatchesItsGoldenCopy) {
  const QByteArray written = test::ReadBytes(path("SalePizarra1_tem.txt"));
  const QByteArray golden =
      test::ReadBytes(QStringLiteral(TAVO_FIXTURES_DIR "/simulacion/SalePizarra1_tem.txt"));
  EXPECT_EQ(written, golden);
  EXPECT_EQ(RutaArchivo, "SalePizarra1_tem.txt");
  // The window shows the same report.
  EXPECT_EQ(ReportText(), TextoProceso);
}

TEST_F(ProyectoPequeno, ALongReportIsAnnouncedBeforeItIsSaved) {
  TextoProceso = QString(60000, QLatin1Char('x'));
  GuardaInformeSimulacion();
  EXPECT_TRUE(dialogs.records().empty());
  TextoProceso += QLatin1Char('x');
  dialogs.answer(vbOK);
  GuardaInformeSimulacion();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].title, "La tabla de resultados es muy extensa");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(test::ReadBytes(path("SalePizarra1_tem.txt")).size(), 60001 + 4);
}

}  // namespace
}  // namespace tavo
