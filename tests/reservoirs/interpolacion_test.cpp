#include <functional>

#include "platform/app.h"
#include "reservoirs/funciones.h"
#include "reservoirs/red.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::AddLago;
using test::AddRepresa;

class InterpolacionTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    represa = AddRepresa(QStringLiteral("r-uno"));
    lago = AddLago(QStringLiteral("l-uno"));
    test::PutHSVRepresa(1, {{100, 10, 1000}, {102, 20, 3000}, {105, 30, 6000}});
    test::PutHSVQLago(1, {{100, 10, 1000, 0}, {102, 20, 3000, 4}, {105, 30, 6000, 10}});
    test::PutHQRepresa(1, {{100, 0}, {102, 20}});
  }
  std::shared_ptr<Represa> represa;
  std::shared_ptr<Lago> lago;
};

struct Caso {
  const char* funcion;
  std::function<Variant(Single)> f;
  bool deLago;
  Single x;
  Variant esperado;
};

// Row hits give the stored value with its type; values between rows are interpolated and come back
// in double or single precision as each function does.
TEST_F(InterpolacionTest, RowHitsAndInterpolationKeepTheirTypes) {
  const Caso casos[] = {
      {"SdeHRepresa", SdeHRepresa, false, 100, Variant(Long(1000))},
      {"SdeHRepresa", SdeHRepresa, false, 102, Variant(Long(3000))},
      {"SdeHRepresa", SdeHRepresa, false, 105, Variant(Long(6000))},
      {"SdeHRepresa", SdeHRepresa, false, 101, Variant(Double(2000))},
      {"SdeHRepresa", SdeHRepresa, false, 102.5f, Variant(Double(3500))},
      {"SdeHLago", SdeHLago, true, 104, Variant(Double(5000))},
      {"HdeSRepresa", HdeSRepresa, false, 1000, Variant(Single(100))},
      {"HdeSRepresa", HdeSRepresa, false, 2500, Variant(Double(101.5))},
      {"HdeSLago", HdeSLago, true, 4500, Variant(Double(103.5))},
      {"HdeSLago", HdeSLago, true, 6000, Variant(Single(105))},
      {"AdeHRepresa", AdeHRepresa, false, 101, Variant(Single(15))},
      {"AdeHRepresa", AdeHRepresa, false, 105, Variant(Single(30))},
      {"AdeHLago", AdeHLago, true, 103, Variant(CSng(20 + 10.0 / 3))},
      {"HdeARepresa", HdeARepresa, false, 25, Variant(Single(103.5))},
      {"QdeHLago", QdeHLago, true, 101, Variant(Single(2))},
      {"QdeHLago", QdeHLago, true, 100, Variant(Single(0))},
      {"QdeHRepresa", QdeHRepresa, false, 101.5f, Variant(Single(15))},
  };
  represa->optTabla = true;
  for (const Caso& c : casos) {
    ElementoActual = c.deLago ? ObjectRef(lago) : ObjectRef(represa);
    const Variant v = c.f(c.x);
    EXPECT_EQ(v, c.esperado) << c.funcion << "(" << c.x << ") = " << NumberText(v).toStdString();
  }
  ElementoActual = lago;
  EXPECT_EQ(NumberText(SdeHLago(101)), " 2000");
  EXPECT_EQ(NumberText(HdeSLago(1000.3f)), " 100.000299987793");
  EXPECT_EQ(NumberText(AdeHLago(100.3f)), " 11.50002");
}

struct Pregunta {
  const char* funcion;
  std::function<Variant(Single)> f;
  bool deLago;
  Single x;
  const char* titulo;
  const char* texto;
};

// Beyond either end of a table each function asks its own question; Yes goes on with the whole
// number 0 and No ends the program.
TEST_F(InterpolacionTest, OutOfRangeQuestions) {
  const Pregunta preguntas[] = {
      {"SdeHRepresa", SdeHRepresa, false, 105.01f, "Error, la función HSV es inconsistente...",
       "Error, la altura de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento de la "
       "Represa "
       "r-uno. Corrija la tabla y vuelva a procesar. ¿Desea Continuar? "},
      {"SdeHRepresa", SdeHRepresa, false, 99.99f, "Error, la función HSV es inconsistente...",
       "Error, la tabla Altura-Superficie-Almacenamiento de la Represa r-uno tiene un valor inicial más "
       "elevado que "
       "el de cálculo. Corrija la tabla y vuelva a procesar. ¿Desea continuar ?"},
      {"SdeHLago", SdeHLago, true, 106, "Error, la función HSV es inconsistente...",
       "Error, la altura de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento del Lago "
       "l-uno. Corrija la tabla y vuelva a procesar. ¿Desea Continuar? "},
      {"SdeHLago", SdeHLago, true, 0, "Error, la función HSV es inconsistente...",
       "Error, la tabla Altura-Superficie-Almacenamiento del Lago l-uno tiene un valor inicial más elevado "
       "que "
       "el de cálculo. Corrija la tabla y vuelva a procesar. ¿Desea continuar ?"},
      {"HdeSRepresa", HdeSRepresa, false, 6001, "Error, la tabla HSV es inconsistente...",
       "Error, el volumen de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento de la "
       "Represa "
       "r-uno. Corrija la tabla y vuelva a procesar. ¿Desea continuar?"},
      {"HdeSRepresa", HdeSRepresa, false, 999, "Error, la tabla HSV es inconsistente...",
       "Error, la tabla Altura-Superficie-Almacenamiento de la Represa r-uno tiene un valor inicial del "
       "volumen "
       "almacenado más elevado que el de cálculo. Corrija la tabla y vuelva a procesar. ¿Desea continuar? "},
      {"AdeHRepresa", AdeHRepresa, false, 200, "Error, la tabla SHV es inconsistente",
       "Error, la altura de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento de la "
       "Represa "
       "r-uno. Corrija la tabla y vuelva a procesar. ¿Desea continuar? "},
      {"AdeHRepresa", AdeHRepresa, false, -1, "Error, la tabla HSV es inconsistente...",
       "Error, la tabla Altura-Superficie-Almacenamiento de la Represa r-uno tiene un valor inicial más "
       "elevado que "
       "el de cálculo. Corrija la tabla y vuelva a procesar. ¿Desea continaur? "},
      {"AdeHLago", AdeHLago, true, 200, "Error, la tabla SHV es inconsistente",
       "Error, la altura de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento de la Lago "
       "l-uno. Corrija la tabla y vuelva a procesar. ¿Desea continuar? "},
      {"AdeHLago", AdeHLago, true, -1, "Error, la tabla HSV es inconsistente...",
       "Error, la tabla Altura-Superficie-Almacenamiento de la Lago l-uno tiene un valor inicial más elevado "
       "que "
       "el de cálculo. Corrija la tabla y vuelva a procesar. ¿Desea continaur? "},
      {"HdeARepresa", HdeARepresa, false, 31, "Error, la tabla HSV es inconsistente...",
       "Error, la superficie de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento de la "
       "Represa "
       "r-uno. Corrija la tabla y vuelva a procesar. ¿Desea continuar?"},
      {"HdeARepresa", HdeARepresa, false, 9, "Error, la tabla HSV es inconsistente...",
       "Error, la tabla Altura-Superficie-Almacenamiento de la Represa r-uno tiene un valor inicial de la "
       "superficie "
       "más elevado que el de cálculo. Corrija la tabla y vuelva a procesar. ¿Desea continuar? "},
      {"HdeSLago", HdeSLago, true, 7000, "Error, la tabla HSV es inconsistente...",
       "Error, el volumen de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento del Lago "
       "l-uno. Corrija la tabla y vuelva a procesar. ¿Desea continuar?"},
      {"HdeSLago", HdeSLago, true, 10, "Error, la tabla HSV es inconsistente...",
       "Error, la tabla Altura-Superficie-Almacenamiento del Lago l-uno tiene un valor inicial del volumen "
       "almacenado más elevado que el de cálculo. Corrija la tabla y vuelva a procesar. ¿Desea continuar? "},
      {"QdeHLago", QdeHLago, true, 105.5f, "Error, la tabla HQ es inconsistente...",
       "Error, la altura de embalse supera el máximo de la Tabla H-Q dada para la Lago l-uno. Corrija la "
       "tabla y "
       "vuelva a procesar. ¿Desea continuar? "},
      {"QdeHLago", QdeHLago, true, 50, "Error, la tabla HQ es inconsistente...",
       "Error, la tabla H-Q de la Lago l-uno tiene un valor inicial más elevado que el de cálculo. Corrija "
       "la tabla "
       "y vuelva a procesar"},
      {"QdeHRepresa", QdeHRepresa, false, 102.001f, "Error, la tabla HQ es inconsistente...",
       "Error, la altura de embalse supera el máximo de la Tabla H-Q dada para la Represa r-uno. Corrija la "
       "tabla y "
       "vuelva a procesar. ¿Desea continuar? "},
      {"QdeHRepresa", QdeHRepresa, false, 99, "Error, la tabla HQ es inconsistente...",
       "Error, la tabla H-Q de la Represa r-uno tiene un valor inicial más elevado que el de cálculo. "
       "Corrija la "
       "tabla y vuelva a procesar"},
  };
  represa->optTabla = true;
  for (const Pregunta& p : preguntas) {
    SCOPED_TRACE(std::string(p.funcion) + " " + std::to_string(p.x));
    ElementoActual = p.deLago ? ObjectRef(lago) : ObjectRef(represa);
    dialogs.clear();
    dialogs.answer(vbYes);
    EXPECT_EQ(p.f(p.x), Variant(Integer(0)));
    dialogs.answer(vbNo);
    EXPECT_THROW(p.f(p.x), ProgramEnded);
    ASSERT_EQ(dialogs.records().size(), 2u);
    for (const auto& r : dialogs.records()) {
      EXPECT_EQ(r.prompt, QString::fromUtf8(p.texto));
      EXPECT_EQ(r.title, QString::fromUtf8(p.titulo));
      EXPECT_EQ(r.style, vbYesNo + vbExclamation);
    }
  }
}

// Tables of one row and of no rows: only the row's own value is inside; without rows the outflow
// functions give an empty result and the others compare with the zeros of rows 0 and 1.
TEST_F(InterpolacionTest, OneRowAndEmptyTables) {
  test::PutHSVRepresa(2, {{50, 5, 500}});
  represa->numRepresa = 2;
  ElementoActual = represa;
  EXPECT_EQ(SdeHRepresa(50), Variant(Long(500)));
  dialogs.answer(vbYes).answer(vbYes);
  EXPECT_EQ(SdeHRepresa(50.5f), Variant(Integer(0)));
  EXPECT_EQ(AdeHRepresa(49.5f), Variant(Integer(0)));
  ASSERT_EQ(dialogs.records().size(), 2u);
  EXPECT_TRUE(dialogs.records()[0].prompt.startsWith("Error, la altura de embalse supera"));
  EXPECT_TRUE(dialogs.records()[1].prompt.startsWith("Error, la tabla Altura"));

  dialogs.clear();
  represa->numRepresa = 3;  // no rows in any table
  represa->optTabla = true;
  EXPECT_TRUE(QdeHRepresa(101).isEmpty());
  EXPECT_EQ(SdeHRepresa(0), Variant(Long(0)));
  dialogs.answer(vbYes).answer(vbYes);
  EXPECT_EQ(SdeHRepresa(1), Variant(Integer(0)));
  EXPECT_EQ(SdeHRepresa(-1), Variant(Integer(0)));
  EXPECT_TRUE(dialogs.records()[0].prompt.startsWith("Error, la altura de embalse supera"));
  EXPECT_TRUE(dialogs.records()[1].prompt.startsWith("Error, la tabla Altura"));

  lago->numLAGO = 3;
  ElementoActual = lago;
  EXPECT_TRUE(QdeHLago(101).isEmpty());
}

// A record of the wrong kind or tables never read: QdeHLago reports and gives an empty result;
// the other functions pass the failure to their caller.
TEST_F(InterpolacionTest, FailuresOfTheWrongRecordOrUnreadTables) {
  ElementoActual = lago;
  EXPECT_THROW(SdeHRepresa(100), VbError);
  ElementoActual = represa;
  try {
    SdeHLago(100);
    ADD_FAILURE() << "no error";
  } catch (const VbError& e) {
    EXPECT_EQ(e.number, 438);
  }
  dialogs.answer(vbOK).answer(vbOK);
  EXPECT_TRUE(QdeHLago(100).isEmpty());
  ResetReservoirState();
  ElementoActual = lago;
  EXPECT_TRUE(QdeHLago(100).isEmpty());
  ASSERT_EQ(dialogs.records().size(), 2u);
  EXPECT_EQ(dialogs.records()[0].prompt,
            "Error Nro. 438El objeto no acepta esta propiedad o método ,Verifique");
  EXPECT_EQ(dialogs.records()[1].prompt, "Error Nro. 9El subíndice está fuera del intervalo ,Verifique");
  EXPECT_EQ(dialogs.records()[1].style, vbOKOnly);
  EXPECT_EQ(dialogs.records()[1].title, QString());
}

}  // namespace
}  // namespace tavo
