#include <gtest/gtest.h>

#include "engine/almacenamiento.h"
#include "engine/almacenamiento_fixture.h"
#include "platform/app.h"
#include "reservoirs/funciones.h"

namespace tavo {
namespace {

using test::AddLago;
using test::AddRepresa;
using test::AddUEH;

class LevelPool : public test::StorageFixture {};

TEST_F(LevelPool, StartsFromTheInitialLevelAndItsOutflow) {
  // Q = 10·H and S = 10000·H from 0 to 10 m.
  auto lago = AddLago(QStringLiteral("l-1"), QString());
  lago->Metodo = QStringLiteral("Piscina Nivelada");
  lago->HInicialEmb = 2;
  test::PutHSVQLago(1, {{0, 1, 0, 0}, {10, 1, 100000, 100}});
  AddUEH(QStringLiteral("u-1"), QStringLiteral("l-1"))->Q0Recesion = 1.5f;
  Prepare(3, 10);
  Proceso_en_Lago(2);

  // Step 0: level, storage and outflow of the initial level, and the units' initial flow as inflow;
  // X = 2·S0/dt − Q0.
  EXPECT_EQ(QEntraCompo(2, 0), 1.5f);
  EXPECT_EQ(QSaleCompo(2, 0), 20);
  EXPECT_EQ(HEmbalseLago(1, 0), 2);
  EXPECT_EQ(SEmbalseLago(1, 0), 20000);
  // clang-format off
  const QString row0 = QStringLiteral(
      "\r\n 0" "   " " 0" "   " " 1.5" "   " " 0" "   " " 46.66666" "   " " 0" "        " " 20" "  " " 2" "  " " 20000");
  // clang-format on
  EXPECT_TRUE(TextoProceso.contains(row0)) << TextoProceso.toStdString();
  // Step 1 ends where 2S/dt + Q = 43.33·H reaches X + 1.5 + 0.
  EXPECT_NEAR(HEmbalseLago(1, 1), 48.16666 / 43.33333, 0.005);
  EXPECT_NEAR(QSaleCompo(2, 1), 10 * HEmbalseLago(1, 1), 0.001);
  EXPECT_NEAR(SEmbalseLago(1, 1), 10000 * HEmbalseLago(1, 1), 0.1);
  EXPECT_LT(QSaleCompo(2, 3), QSaleCompo(2, 2));
  // The initial outflow counts in the peak and in the outflow volume.
  EXPECT_EQ(QpSerie(2, 1), 20);
  EXPECT_NEAR(VolSale, 600 * (20 + QSaleCompo(2, 1) + QSaleCompo(2, 2) + QSaleCompo(2, 3)), 0.5);
}

TEST_F(LevelPool, DetailTableWhateverTheReportAndSummaryOnlyWithIt) {
  // A table of one row leaves no bracket to halve: the step-0 level holds and F stays 0.
  auto lago = AddLago(QStringLiteral("l-1"), QString());
  lago->Metodo = QStringLiteral("Piscina Nivelada");
  lago->HInicialEmb = 5;
  test::PutHSVQLago(1, {{5, 1, 50000, 7}});
  AddUEH(QStringLiteral("u-1"), QStringLiteral("l-1"));
  // clang-format off
  const QString detail = QStringLiteral(
      "\r\nPlanilla detallada de cálculo de propagación en Lago "
      "\r\nk - t[mi] - qe(i, k)[m3/s] - I1+I2 - 2S1/dt+Q1  2S2/dt+Q2    q(i, k)[m3/s] -  H[m]    S[m3]"
      "\r\nComponente: Lago l-1     Método de Propagación: Piscina Nivelada"
      "\r\n 0" "   " " 0" "   " " 0" "   " " 0" "   " " 159.6667" "   " " 0" "        " " 7" "  " " 5" "  " " 50000"
      "\r\n 1" "   " " 10" "   " " 0" "   " " 0" "   " " 145.6667" "   " " 0" "        " " 7" "  " " 5" "  " " 50000"
      "\r\n 2" "   " " 20" "   " " 3" "   " " 3" "   " " 134.6667" "   " " 0" "        " " 7" "  " " 5" "  " " 50000"
      "\r\n Fin detalle cálculo proaga en Lago ");
  // clang-format on
  // clang-format off
  const QString summary = QStringLiteral(
      "\r\n"
      "\r\nComponente: Lago l-1     Método de Propagación: Piscina Nivelada"
      "\r\nPer.k  t[min]  Qentra[m3/s] Qsale[m3/s]   H[m]     Vol.Alm.[m3]"
      "\r\n " " 0     " " 0     " " 0         " " 7           " " 5        " " 50000    "
      "\r\n " " 1     " " 10    " " 0         " " 7           " " 5        " " 50000    "
      "\r\n " " 2     " " 20    " " 3         " " 7           " " 5        " " 50000    "
      "\r\nVolumen Escurrido. Entra =  1800 m3 ; Sale =  12600 m3"
      "\r\nCaudal Máximo =  7 m3/s \r\n");
  // clang-format on

  for (bool report : {false, true}) {
    SCOPED_TRACE(report ? "report on" : "report off");
    PizarraActiva = report;
    TextoProceso.clear();
    Prepare(2, 10);
    SetOutflow(QStringLiteral("u-1"), {0, 3});
    Proceso_en_Lago(2);
    EXPECT_EQ(TextoProceso, report ? detail + summary : detail);
  }
}

TEST_F(LevelPool, AnInflowBeyondTheTableKeepsTheLevelAtItsTop) {
  auto represa = AddRepresa(QStringLiteral("r-1"), QString());
  represa->Metodo = QStringLiteral("Piscina Nivelada");
  represa->optTabla = true;
  test::PutHSVRepresa(1, {{0, 1, 0}, {10, 1, 100000}});
  test::PutHQRepresa(1, {{0, 0}, {10, 100}});
  AddUEH(QStringLiteral("u-1"), QStringLiteral("r-1"));
  Prepare(3, 10);
  SetOutflow(QStringLiteral("u-1"), {1000, 1000, 1000});
  Proceso_en_Represa(2);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_GT(HEmbalseRepresa(1, k), 10 - 0.005f);
    EXPECT_LE(HEmbalseRepresa(1, k), 10);
    EXPECT_NEAR(QSaleCompo(2, k), 100, 0.05);
  }
  EXPECT_TRUE(dialogs.records().empty());
}

// Each step's level is the one a search of its own over the whole table finds, with the same storage,
// outflow and detail row, however often later steps pass the same midpoints or go the way the step before
// went. The third case is a dam whose outflow table starts above its storage table: the midpoints below
// it are looked up, with their message, at every visit, as often as the plain search meets them.
TEST_F(LevelPool, EveryStepFindsTheLevelOfAFreshSearch) {
  enum Caso { kLago, kRepresa, kRepresaFueraDeTabla };
  for (Caso caso : {kLago, kRepresa, kRepresaFueraDeTabla}) {
    SCOPED_TRACE(caso);
    ResetEstadoProyecto();
    const std::vector<test::FilaHSV> hsv = {
        {0, 2, 0, 0}, {1.5f, 3, 37000, 6}, {3, 5, 95000, 21}, {4.2f, 6, 163000, 44}};
    StorageElement e;
    if (caso != kLago) {
      auto represa = AddRepresa(QStringLiteral("r-1"), QString());
      represa->Metodo = QStringLiteral("Piscina Nivelada");
      represa->optTabla = true;
      represa->HInicialEmb = 0.7f;
      test::PutHSVRepresa(1, hsv);
      if (caso == kRepresa) {
        test::PutHQRepresa(1, {{0, 0}, {2, 9.5f}, {4.2f, 47}});
      } else {
        represa->HInicialEmb = 1.15f;
        test::PutHQRepresa(1, {{1.1f, 0}, {2, 9.5f}, {4.2f, 47}});
      }
      AddUEH(QStringLiteral("u-1"), QStringLiteral("r-1"));
      e = {.lake = false,
           .word = QStringLiteral("Represa"),
           .name = QStringLiteral("r-1"),
           .number = 1,
           .method = QStringLiteral("Piscina Nivelada"),
           .initialLevel = represa->HInicialEmb,
           .levels = &HEmbalseRepresa,
           .storages = &SEmbalseRepresa,
           .S = SdeHRepresaSimple,
           .Q = QdeHRepresaSimple};
    } else {
      auto lago = AddLago(QStringLiteral("l-1"), QString());
      lago->Metodo = QStringLiteral("Piscina Nivelada");
      lago->HInicialEmb = 0.7f;
      test::PutHSVQLago(1, hsv);
      AddUEH(QStringLiteral("u-1"), QStringLiteral("l-1"));
      e = {.word = QStringLiteral("Lago"),
           .name = QStringLiteral("l-1"),
           .number = 1,
           .method = QStringLiteral("Piscina Nivelada"),
           .initialLevel = 0.7f,
           .levels = &HEmbalseLago,
           .storages = &SEmbalseLago,
           .S = SdeHLagoSimple,
           .Q = QdeHLagoSimple};
    }
    const int nq = 120;
    Prepare(nq, 5);
    // Rising, falling to nothing, a second smaller wave and a long flat tail: the level climbs, drains
    // below the outflow table's start and settles.
    std::vector<Single> inflow;
    for (int k = 1; k <= nq; ++k) {
      inflow.push_back(k < 30   ? 1.3f * k
                       : k < 72 ? std::max(0.0f, 38 - 0.9f * (k - 30))
                       : k < 90 ? 0.4f * static_cast<Single>(k - 72) * static_cast<Single>(90 - k) / 9
                                : 0.0f);
    }
    SetOutflow(QStringLiteral("u-1"), inflow);
    PizarraActiva = false;
    TextoProceso.clear();
    if (caso != kLago) {
      Proceso_en_Represa(2);
    } else {
      Proceso_en_Lago(2);
    }
    const size_t mensajes = dialogs.records().size();
    EXPECT_EQ(mensajes > 0, caso == kRepresaFueraDeTabla);

    // The plain search, step by step, and the rows it gives.
    ElementoActual = caso != kLago ? ObjectRef(colRepresas[0]) : ObjectRef(colLagos[0]);
    Single h = e.initialLevel;
    Single S = e.S(h);
    Single q = e.Q(h);
    Single x = (S + S) / PasoQ / 60 - q;
    Single f = 0;
    TextBuffer rows;
    for (int k = 1; k <= nq; ++k) {
      const Single entradas = QEntraCompo(2, k - 1) + QEntraCompo(2, k);
      const Single objetivo = x + entradas;
      Single inferior = hsv.front().h;
      Single superior = hsv.back().h;
      while (std::abs(superior - inferior) > 0.005f) {
        h = (superior - inferior) / 2 + inferior;
        S = e.S(h);
        q = e.Q(h);
        f = (S + S) / PasoQ / 60 + q;
        (f <= objetivo ? inferior : superior) = h;
      }
      x = objetivo - 2 * q;
      EXPECT_EQ((*e.levels)(1, k), h) << k;
      EXPECT_EQ((*e.storages)(1, k), S) << k;
      EXPECT_EQ(QSaleCompo(2, k), q) << k;
      AppendDetailRow(rows, static_cast<Integer>(k), static_cast<Integer>(5 * k), QEntraCompo(2, k), entradas,
                      x, f, q, h, S);
    }
    EXPECT_TRUE(TextoProceso.contains(rows.toString()));
    EXPECT_EQ(dialogs.records().size(), 2 * mensajes);
    dialogs.clear();
  }
}

TEST_F(LevelPool, ABracketThatCannotNarrowEndsTheProgram) {
  // At 70000 m consecutive single-precision levels lie 0.0078 m apart.
  auto represa = AddRepresa(QStringLiteral("r-1"), QString());
  represa->Metodo = QStringLiteral("Piscina Nivelada");
  represa->HInicialEmb = 70000;
  test::PutHSVRepresa(1, {{70000, 1, 0}, {70010, 1, 100000}});
  Prepare(2, 10);
  dialogs.answer(vbOK);
  EXPECT_THROW(Proceso_en_Represa(1), ProgramEnded);
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      QStringLiteral("Error <Proceso_en_Represa>, inconsistencia en el cálculo de <2S/dt + Q> en propagación "
                     "Represa r-1. Es posible que deba ampliar el rango de altura-caudal o altura-superficie "
                     "-volumen de embalse"));
  EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Error,..."));
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
}

}  // namespace
}  // namespace tavo
