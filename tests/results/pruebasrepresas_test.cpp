#include "results/pruebasrepresas.h"

#include <algorithm>

#include "engine/frmPp.h"
#include "project/estado.h"
#include "reservoirs/red.h"
#include "reservoirs/tablas.h"
#include "support/fixture.h"
#include "support/network.h"

namespace tavo {
namespace {

// A column of the reports: the text, then blanks up to the width.
QString Col(const char* text, int width) {
  return QString::fromUtf8(text).leftJustified(width);
}

// The project Presas and its dams: r-A with the rows (100 m, 10 ha, 0 m3) and (105 m, 60 ha,
// 1 000 000 m3), r-B from 0 to 10 m holding up to 12 345 678 m3, r-C without rows.
class SHVTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirActual = programDir();
    NombreProyecto = QStringLiteral("Presas");
    for (const char* name : {"r-A", "r-B", "r-C"}) test::AddRepresa(QString::fromLatin1(name));
    test::PutHSVRepresa(1, {{100, 10, 0}, {105, 60, 1000000}});
    test::PutHSVRepresa(2, {{0, 1, 0}, {10, 2, 12345678}});
    test::PutHSVRepresa(3, {});
    GuardaTablaHSVRepresa();
    // Nothing of the tables in memory is used: the command reads them from the file.
    ResetReservoirState();
  }
  // The report's lines; the first one is empty.
  static QStringList Lineas() { return ReportText().split(QStringLiteral("\r\n")); }
  // Runs the command with these answers.
  void Corre(std::initializer_list<const char*> answers) {
    for (const char* a : answers) dialogs.answerText(QString::fromUtf8(a));
    PruebaFuncionesSHVRepresas();
  }
};

TEST_F(SHVTest, LevelTableAtTheSuggestedStep) {
  Corre({"1", "1", " .25"});
  ASSERT_EQ(dialogs.records().size(), 3u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].title, "Verificación de funciones HSV en Represas: Nro. de Represa");
  EXPECT_EQ(dialogs.records()[0].prompt, "¿Número de Represa");
  EXPECT_EQ(dialogs.records()[0].request.fileName, "");
  EXPECT_EQ(dialogs.records()[1].title, "Lista y verificación de funciones HSV en Represar-A");
  EXPECT_EQ(
      dialogs.records()[1].prompt,
      "Opciones: \r\n1- Tabla h, A(h), S(h)\r\n2- Verificar todas las funciones S(h), h(S), A(h), h(A)\r\n"
      "0- Salir");
  EXPECT_EQ(dialogs.records()[2].title, "Incremento de Altura de Embalse)");
  EXPECT_EQ(dialogs.records()[2].prompt, "Ingrese un valor incremental dH [m]");
  EXPECT_EQ(dialogs.records()[2].request.fileName, " .25");

  ASSERT_TRUE(frmPp::isLoaded());
  EXPECT_TRUE(frmPp::instance().isVisible());
  EXPECT_TRUE(PizarraActiva);
  const QStringList lineas = Lineas();
  ASSERT_EQ(lineas.size(), 4 + 21);
  EXPECT_EQ(lineas[0], "");
  EXPECT_EQ(lineas[1], "Tabla de Altura h, Superficie A(h) y Almacenamiento S(h)");
  EXPECT_EQ(lineas[2], "Represa: r-A");
  EXPECT_EQ(lineas[3], " h[m]      A[has]       S[m3]");
  EXPECT_EQ(lineas[4], Col(" 100", 10) + Col(" 10", 15) + Col(" 0", 10));
  EXPECT_EQ(lineas[5], Col(" 100.25", 10) + Col(" 12.5", 15) + Col(" 50000", 10));
  EXPECT_EQ(lineas[24], Col(" 105", 10) + Col(" 60", 15) + Col(" 1000000", 10));
  EXPECT_EQ(selRepresa, 1);
}

TEST_F(SHVTest, TheStepDecidesTheRows) {
  struct Case {
    const char* step;
    int rows;
  };
  for (const Case& c :
       {Case{"0.2", 26}, Case{"0", 1}, Case{"", 1}, Case{"-1", 0}, Case{"6", 1}, Case{"0,5", 11}}) {
    SCOPED_TRACE(c.step);
    dialogs.clear();
    Corre({"1", "1", c.step});
    EXPECT_EQ(Lineas().size(), 4 + c.rows);
    if (c.rows > 0) {
      EXPECT_TRUE(Lineas()[4].startsWith(" 100 ")) << Lineas()[4].toStdString();
    }
  }

  // A step that would list more than a thousand steps is asked for again.
  dialogs.clear();
  dialogs.answerText("1").answerText("1").answerText("0.001").answer(vbOK);
  Corre({"1"});
  ASSERT_EQ(dialogs.records().size(), 5u);
  EXPECT_EQ(dialogs.records()[3].prompt, "Elija un intervalo mayor");
  EXPECT_EQ(dialogs.records()[3].title, "El intervalo elegido para H es muy pequeño...");
  EXPECT_EQ(dialogs.records()[3].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(dialogs.records()[4].request.fileName, " .25");
  EXPECT_EQ(Lineas().size(), 4 + 6);
  dialogs.clear();
  dialogs.answerText("1").answerText("1").answerText("0.00000001").answer(vbOK);
  Corre({"0"});
  EXPECT_EQ(Lineas().size(), 4 + 1);
}

TEST_F(SHVTest, VerificationOfTheFourFunctions) {
  Corre({"1", "2"});
  const QStringList lineas = Lineas();
  ASSERT_EQ(lineas.size(), 3 + 50);
  EXPECT_EQ(lineas[1], "Verificar todas las funciones S(h), h(S), A(h) y h(A) de la Represa r-A");
  EXPECT_EQ(lineas[2], " h[m]   A[has]   S[m3]          A(has)     h[m]           S(m3)     h(m)    ");
  EXPECT_EQ(lineas[2].size(), 76);
  EXPECT_EQ(lineas[3], Col(" 100", 7) + Col(" 10", 10) + Col(" 0", 13) + Col(" 10", 13) + Col(" 100", 15) +
                           Col(" 0", 10) + Col(" 100", 15));
  EXPECT_EQ(lineas[52], Col(" 104.9", 7) + Col(" 59", 10) + Col(" 980000", 13) + Col(" 59", 13) +
                            Col(" 104.9", 15) + Col(" 980000", 10) + Col(" 104.9", 15));
}

TEST_F(SHVTest, TheDamAndTheOption) {
  struct Case {
    const char* dam;
    const char* name;  // the dam worked on; nothing shown when empty
    Integer selected;
  };
  const Case cases[] = {{"7", "r-C", 3}, {"2.5", "r-B", 2}, {"1.5", "r-B", 2}, {"1,9", "r-B", 2},
                        {"0", "", 0},    {"-2", "", 0},     {"", "", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dam);
    dialogs.clear();
    if (*c.name) {
      Corre({c.dam, "3"});  // an option that is neither 1 nor 2 shows nothing
      ASSERT_EQ(dialogs.records().size(), 2u);
      EXPECT_EQ(dialogs.records()[1].title,
                "Lista y verificación de funciones HSV en Represa" + QString(c.name));
    } else {
      Corre({c.dam});
    }
    EXPECT_EQ(selRepresa, c.selected);
    EXPECT_FALSE(frmPp::isLoaded());
  }

  // Option 1.6 rounds to 2.
  dialogs.clear();
  Corre({"1", "1.6"});
  EXPECT_EQ(Lineas()[1], "Verificar todas las funciones S(h), h(S), A(h) y h(A) de la Represa r-A");

  // A dam number beyond 16 bits is the common error message.
  dialogs.clear();
  dialogs.answerText("40000").answer(vbOK);
  PruebaFuncionesSHVRepresas();
  ASSERT_EQ(dialogs.records().size(), 2u);
  EXPECT_TRUE(dialogs.records()[1].prompt.startsWith("Error Nro. 6"));
  EXPECT_TRUE(dialogs.records()[1].prompt.endsWith(" ,Verifique"));
}

TEST_F(SHVTest, StoragesInExponentFormAndADamWithoutRows) {
  Corre({"2", "1", "10"});
  QStringList lineas = Lineas();
  ASSERT_EQ(lineas.size(), 4 + 2);
  EXPECT_EQ(lineas[5], Col(" 10", 10) + Col(" 2", 15) + " 1.234568E+07");

  dialogs.clear();
  Corre({"3", "1", "5"});
  EXPECT_EQ(dialogs.records()[2].request.fileName, " 0");
  lineas = Lineas();
  ASSERT_EQ(lineas.size(), 4 + 1);
  EXPECT_EQ(lineas[4], Col(" 0", 10) + Col(" 0", 15) + Col(" 0", 10));
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

// Dams whose outflow comes from their ranges or their height-discharge tables.
class HQTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirActual = programDir();
    NombreProyecto = QStringLiteral("Presas");
  }
  // A dam with range `k` on from `desde` to `hasta` m: Q = a·(H − desde)^b.
  static std::shared_ptr<Represa> Presa(const char* name, int k = 1, Single a = 2.5f, Single b = 1.5f,
                                        Single desde = 100, Single hasta = 102) {
    auto r = test::AddRepresa(QString::fromLatin1(name));
    r->chkFQ(k) = 1;
    r->FQa(k) = a;
    r->FQb(k) = b;
    r->FQmin(k) = desde;
    r->FQMax(k) = hasta;
    return r;
  }
  static QStringList Lineas() { return ReportText().split(QStringLiteral("\r\n")); }
};

TEST_F(HQTest, OutflowOfARangeAgainstTheLevel) {
  Presa("r-Presa1");
  dialogs.answerText("0.1");
  PruebaFuncionesHQRepresas();
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].title, "Represa 1 r-Presa1: Tabla Altura H -Caudal Salida Q ");
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      "HMáximo =  102    HMinimo =  100     Rango =  2\r  Ingrese un incrementao de altura dH, en la Presa "
      "r-Presa1");
  EXPECT_EQ(dialogs.records()[0].request.fileName, "0.1");

  ASSERT_TRUE(frmPp::isLoaded());
  EXPECT_TRUE(frmPp::instance().isVisible());
  const QStringList lineas = Lineas();
  ASSERT_EQ(lineas.size(), 4 + 21 + 1);
  EXPECT_EQ(lineas[0], "FUNCIONES H-Q EN REPRESAS");
  EXPECT_EQ(lineas[1], "REPRESA:  1  r-Presa1");
  EXPECT_EQ(lineas[2], "Q[m3/s]=  2.5 * (H[m]-HMin[m])^ 1.5     ; para,  100[m] <=H[m]<=  102");
  EXPECT_EQ(lineas[3], "     i      H[m]    Q[m3/s]");
  EXPECT_EQ(lineas[4], "     1      " + Col(" 100", 12) + Col(" 0", 12));
  EXPECT_EQ(lineas[5], "     2      " + Col(" 100.1", 12) + Col(" .079", 12));
  EXPECT_EQ(lineas[14], "    11      " + Col(" 101", 12) + Col(" 2.5", 12));
  EXPECT_EQ(lineas[24], "    21      " + Col(" 102", 12) + Col(" 7.071", 12));
  EXPECT_EQ(lineas[25], "");
}

TEST_F(HQTest, TheLevelRangeOfTheActiveRanges) {
  struct Case {
    int k;  // the range on; 0 for none
    Single desde, hasta;
    const char* prompt;
    int rows;           // at a step of 1 m
    const char* first;  // the level of the first row
  };
  const Case cases[] = {
      {1, 100, 102.3f, "HMáximo =  102.3    HMinimo =  100     Rango =  2.300003", 3, " 100"},
      {2, 10, 12, "HMáximo =  12    HMinimo =  0     Rango =  12", 13, " 0"},  // range 1 off: from 0
      {0, 10, 12, "HMáximo =  0    HMinimo =  0     Rango =  0", 1, " 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.prompt);
    colRepresas.clear();
    nRepresas = 0;
    auto r = Presa("r-Presa1", std::max(c.k, 1), 2.5f, 1.5f, c.desde, c.hasta);
    if (c.k == 0) r->chkFQ(1) = 0;
    dialogs.clear();
    dialogs.answerText("1");
    PruebaFuncionesHQRepresas();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].prompt.section(QLatin1Char('\r'), 0, 0), c.prompt);
    const int formulas = c.k == 0 ? 0 : 1;
    ASSERT_EQ(Lineas().size(), 3 + formulas + c.rows + 1);
    // Below the lowest range the outflow is 0.
    EXPECT_EQ(Lineas()[3 + formulas], "     1      " + Col(c.first, 12) + Col(" 0", 12));
  }
}

TEST_F(HQTest, StepsThatNeverEndOrListTooManyLevelsAreAskedAgain) {
  Presa("r-Presa1", 1, 1, 1, 100, 200.01f);
  dialogs.answerText("0.1").answer(vbOK);
  dialogs.answerText("-0.5").answer(vbOK);
  dialogs.answerText("0.004").answer(vbOK);
  dialogs.answerText("0.11");
  PruebaFuncionesHQRepresas();
  ASSERT_EQ(dialogs.records().size(), 7u) << test::DescribeDialogs(dialogs).toStdString();
  for (int i : {1, 3, 5}) {
    EXPECT_EQ(dialogs.records()[static_cast<size_t>(i)].prompt, "Elija un intervalo mayor");
    EXPECT_EQ(dialogs.records()[static_cast<size_t>(i)].title,
              "El intervalo elegido para H es muy pequeño...");
    EXPECT_EQ(dialogs.records()[static_cast<size_t>(i + 1)].request.fileName, "0.1");
  }
  EXPECT_EQ(Lineas().size(), 4 + 910 + 1);

  // A thousand steps are accepted.
  colRepresas.clear();
  nRepresas = 0;
  Presa("r-Presa1", 1, 1, 1, 100, 200);
  dialogs.clear();
  dialogs.answerText("0.1");
  PruebaFuncionesHQRepresas();
  EXPECT_EQ(Lineas().size(), 4 + 1001 + 1);
}

TEST_F(HQTest, CancelEndsTheCommandQuietly) {
  Presa("r-Presa1");
  SetReportText(QStringLiteral("informe de una corrida"));
  dialogs.answerText("");
  PruebaFuncionesHQRepresas();
  EXPECT_EQ(dialogs.records().size(), 1u);
  EXPECT_TRUE(frmPp::instance().isVisible());
  EXPECT_EQ(ReportText(), "");
}

TEST_F(HQTest, EveryDamInTurn) {
  Presa("r-Presa1");
  auto vacia = test::AddRepresa(QStringLiteral("r-Vacia"));
  vacia->optTabla = true;
  auto tabla = Presa("r-Tabla", 5, 1, 2, 10, 12);
  tabla->FQc(5) = 0.5f;
  tabla->optTabla = true;
  test::PutHQRepresa(3, {{10, 0}, {12, 4}});
  GuardaTablaHQRepresa();
  ResetReservoirState();

  dialogs.answerText("1").answer(vbOK).answerText("1");
  PruebaFuncionesHQRepresas();
  ASSERT_EQ(dialogs.records().size(), 3u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(
      dialogs.records()[1].prompt,
      "La Represa r-Vacia toma el caudal de salida de su Tabla H-Q, que no tiene datos: sus funciones h-Q no "
      "se listan. Cargue la Tabla H-Q de la Represa para verificarlas.");
  EXPECT_EQ(dialogs.records()[1].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(dialogs.records()[2].title, "Represa 3 r-Tabla: Tabla Altura H -Caudal Salida Q ");

  const QStringList lineas = Lineas();
  ASSERT_EQ(lineas.size(), 1 + 6 + 1 + 6 + 1);
  EXPECT_EQ(lineas[7], "");  // an empty line between two dams
  EXPECT_EQ(lineas[8], "REPRESA:  3  r-Tabla");
  // The formulas of the ranges that are on are listed, though the outflow comes from the table.
  EXPECT_EQ(lineas[9],
            "Q[m3/s]=  1 +  2 * (H[m]-HMin[m]) +  .5 * (H[m]-HMin[m])^2     ; para,  10[m] <=H[m]<=  12");
  EXPECT_EQ(lineas[12], "     2      " + Col(" 11", 12) + Col(" 2", 12));
}

}  // namespace
}  // namespace tavo
