#include "project/listacomponentes.h"

#include <vector>

#include "editor/frmUEHs.h"
#include "support/fixture.h"
#include "support/network.h"

namespace tavo {
namespace {

using test::AddCauce;
using test::AddLago;
using test::AddRepresa;
using test::AddUEH;

class ListaComponentesTest : public test::TavoTest {
 protected:
  QStringList Outlets() const {
    QStringList names;
    for (int i = 1; i <= nComponentesFinales; ++i) names << ComponentesFinales(i);
    return names;
  }
  QStringList Names() const {
    QStringList names;
    for (int p = 0; p <= nComponentes; ++p) names << NombresComponentes(p);
    return names;
  }
};

const QString kTail =
    QStringLiteral("         ¿Desea volver a la ventana de edición  (SI) o continuar (No) ?");
const QString kAviso = QStringLiteral("Advertencia !!!");
const QString kError = QStringLiteral("Error, Verifique Componente final del sistema");

TEST_F(ListaComponentesTest, ListsUnitsThenReachesLakesAndDams) {
  AddRepresa("r-1", "c-2");
  AddLago("l-1", "c-2");
  AddCauce("c-1", "r-1");
  AddUEH("u-1", "c-1");
  AddCauce("c-2", "0");
  AddUEH("u-2", "l-1");
  frmUEHs::object().ComponenteFinal();
  EXPECT_EQ(nComponentes, 6);
  EXPECT_EQ(Names(), QStringList({"", "u-1", "u-2", "c-1", "c-2", "l-1", "r-1"}));
  EXPECT_EQ(Outlets(), QStringList({"c-2"}));
  EXPECT_TRUE(SalidaUnica);
  EXPECT_FALSE(RedConErrores);
  EXPECT_TRUE(dialogs.records().empty());
  // The run reaches the check through the editor's object, which is neither loaded nor shown.
  EXPECT_TRUE(frmUEHs::exists());
  EXPECT_FALSE(frmUEHs::isLoaded());
}

TEST_F(ListaComponentesTest, OutletsOfQuietNetworks) {
  struct Case {
    const char* name;
    void (*build)();
    QStringList outlets;
    bool single;
  };
  const Case cases[] = {
      {"empty network", [] {}, {}, false},
      {"one unit draining into 0", [] { AddUEH("u-1", "0"); }, {"u-1"}, true},
      {"a unit draining into a unit is an outlet",
       [] {
         AddUEH("u-1", "u-2");
         AddUEH("u-2", "c-1");
         AddCauce("c-1", "");
       },
       {"u-1", "c-1"},
       false},
      {"a reach draining into itself is no outlet and has inflow",
       [] {
         AddUEH("u-1", "");
         AddCauce("c-1", "c-1");
       },
       {"u-1"},
       true},
  };
  OmiteAvisoSalidas = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetEstadoProyecto();
    c.build();
    ComponenteFinal();
    EXPECT_EQ(Outlets(), c.outlets);
    EXPECT_EQ(SalidaUnica, c.single);
    EXPECT_FALSE(RedConErrores);
    EXPECT_FALSE(ContinuarConAvisos);
  }
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(ListaComponentesTest, FindingsAreAskedInOrderAndLeaveTheirFlags) {
  struct Question {
    QString title;
    QString text;
    int answer;
  };
  struct Case {
    const char* name;
    void (*build)();
    bool omitOutlets;
    std::vector<Question> questions;
    bool errors, goOn;
  };
  const std::vector<Case> cases = {
      {"two outlets",
       [] {
         AddUEH("u-1", "");
         AddUEH("u-2", "");
       },
       false,
       {{kAviso,
         "Hay más de un componente de descarga para el sistema (sección final de control). El sistema admite "
         "esta "
         "posibilidad para el cálculo para un máximo de 10 componentes, pero si el sistema es de salida "
         "final única "
         "debe verificar los campos <Drena a> de los siguientes componentes:    u-1    u-2" +
             kTail,
         vbNo}},
       false,
       true},
      {"two outlets, not asked after a single-storm run",
       [] {
         AddUEH("u-1", "");
         AddUEH("u-2", "");
       },
       true,
       {},
       false,
       false},
      {"a closed network",
       [] {
         AddUEH("u-1", "c-1");
         AddCauce("c-1", "c-1");
       },
       false,
       {{kError,
         "Error, ningun componente ingresado es una sección final de control o de salida del sistema. Al "
         "menos un "
         "componente debe tener el campo <Drena a< = <0> o <cadena nula>. ¿Desea volver a la ventana de "
         "edición  "
         "(SI) o continuar (No) ?",
         vbYes}},
       true,
       false},
      {"a reach and a dam without inflow; a receiver differing in letter case names nothing",
       [] {
         AddUEH("u-1", "C-1");
         AddCauce("c-1", "0");
         AddCauce("c-2", "0");
         AddRepresa("r-1", "");
       },
       true,
       {{kAviso,
         "Hay tramos de Cauces sin aportes de UEHs. Verifique los tramos siguientes y asigne sus UEH o "
         "componentes "
         "de aportes:     c-1    c-2" +
             kTail,
         vbYes},
        {kAviso,
         "Hay represas sin aportes de UEHs. Verifique las represas siguientes y asigne sus UEH o componentes "
         "de "
         "aportes:     r-1" +
             kTail,
         vbYes}},
       true,
       false},
      {"a lake without inflow",
       [] {
         AddUEH("u-1", "0");
         AddLago("l-1", "0");
       },
       true,
       {{kAviso,
         "Hay Lagos/Mallines sin aportes de UEHs. Verifique los Lagos/Mallines siguientes y asigne sus UEH o "
         "componentes de aportes:     l-1" +
             kTail,
         vbNo}},
       true,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetEstadoProyecto();
    dialogs.clear();
    c.build();
    OmiteAvisoSalidas = c.omitOutlets;
    for (const Question& q : c.questions) dialogs.answer(q.answer);
    ComponenteFinal();
    ASSERT_EQ(dialogs.records().size(), c.questions.size()) << test::DescribeDialogs(dialogs).toStdString();
    for (size_t i = 0; i < c.questions.size(); ++i) {
      EXPECT_EQ(dialogs.records()[i].title, c.questions[i].title);
      EXPECT_EQ(dialogs.records()[i].prompt, c.questions[i].text);
      EXPECT_EQ(dialogs.records()[i].style, vbYesNo | vbExclamation);
    }
    EXPECT_EQ(RedConErrores, c.errors);
    EXPECT_EQ(ContinuarConAvisos, c.goOn);
    EXPECT_FALSE(SalidaUnica);
  }
}

TEST_F(ListaComponentesTest, OutletsAboveTheCountKeepOlderNames) {
  OmiteAvisoSalidas = true;
  AddUEH("u-1", "");
  AddUEH("u-2", "");
  AddUEH("u-3", "");
  ComponenteFinal();
  ResetEstadoProyecto();
  AddUEH("u-9", "0");
  ComponenteFinal();
  EXPECT_EQ(nComponentesFinales, 1);
  EXPECT_EQ(ComponentesFinales(1), "u-9");
  EXPECT_EQ(ComponentesFinales(2), "u-2");
  EXPECT_EQ(ComponentesFinales(3), "u-3");
}

TEST_F(ListaComponentesTest, MoreThanTenOutletsAreRefused) {
  OmiteAvisoSalidas = true;  // the refusal is asked even when the several-outlets warning is not
  QString list;
  for (int i = 1; i <= 11; ++i) {
    AddUEH(QStringLiteral("u-%1").arg(i), "0");
    list += QStringLiteral("    u-%1").arg(i);
  }
  dialogs.answer(vbNo);
  ComponenteFinal();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].title, kError);
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      "Error, hay más de 10 componentes de descarga para el sistema (sección final de control). El sistema "
      "admite un máximo de 10 componentes de descarga; verifique los campos <Drena a> de los siguientes "
      "componentes:" +
          list + kTail);
  EXPECT_TRUE(RedConErrores);
  EXPECT_TRUE(ContinuarConAvisos);
  EXPECT_EQ(nComponentesFinales, 10);
  EXPECT_EQ(ComponentesFinales(10), "u-10");
  EXPECT_EQ(ComponentesFinales.upper(), 10);
}

TEST_F(ListaComponentesTest, ALoopIsNamedAndRefused) {
  AddUEH("u-1", "c-a");
  AddUEH("u-2", "0");
  AddUEH("u-3", "c-c");
  AddCauce("c-a", "c-b");
  AddCauce("c-b", "r-1");
  AddCauce("c-c", "c-a");  // drains into the loop without being part of it
  AddRepresa("r-1", "c-a");
  dialogs.answer(vbNo);
  ComponenteFinal();
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].title, kAviso);
  EXPECT_TRUE(
      dialogs.records()[0].prompt.endsWith("de los componentes siguientes:     c-a    c-b    r-1" + kTail));
  EXPECT_TRUE(RedConErrores);
  EXPECT_TRUE(ContinuarConAvisos);
  EXPECT_FALSE(SalidaUnica);
  EXPECT_EQ(ComponentsInLoops(), QStringList({"c-a", "c-b", "r-1"}));

  // A loop that leaves the network without an outlet: the loop's message alone says so.
  ResetEstadoProyecto();
  dialogs.clear();
  AddUEH("u-1", "c-a");
  AddCauce("c-a", "c-b");
  AddCauce("c-b", "c-a");
  dialogs.answer(vbYes);
  ComponenteFinal();
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(dialogs.records()[0].prompt.endsWith("de los componentes siguientes:     c-a    c-b" + kTail));
  EXPECT_EQ(nComponentesFinales, 0);
  EXPECT_TRUE(RedConErrores);
}

}  // namespace
}  // namespace tavo
