#include "engine/secuencia.h"

#include <vector>

#include "engine/frmPp.h"
#include "project/listacomponentes.h"
#include "support/fixture.h"
#include "support/network.h"

namespace tavo {
namespace {

using test::AddCauce;
using test::AddRepresa;
using test::AddUEH;

class SecuenciaTest : public test::TavoTest {
 protected:
  // Lists the network as the run does before ordering it (no question is expected).
  static void List() {
    OmiteAvisoSalidas = true;
    ComponenteFinal();
  }
  static QStringList Order() {
    QStringList names;
    for (int p = 1; p <= nComponentes; ++p) names << NombresComponentes(p);
    return names;
  }
};

TEST_F(SecuenciaTest, ReachesLakesAndDamsComeAfterWhatDrainsIntoThem) {
  struct Case {
    const char* name;
    void (*build)();
    QStringList order;
  };
  const Case cases[] = {
      {"units only",
       [] {
         AddUEH("u-1", "0");
         AddUEH("u-2", "0");
       },
       {"u-1", "u-2"}},
      {"one reach fed by two units",
       [] {
         AddUEH("u-1", "c-1");
         AddUEH("u-2", "c-1");
         AddCauce("c-1", "0");
       },
       {"u-1", "u-2", "c-1"}},
      {"already in order",
       [] {
         AddUEH("u-1", "c-1");
         AddCauce("c-1", "c-2");
         AddCauce("c-2", "0");
       },
       {"u-1", "c-1", "c-2"}},
      {"one swap",
       [] {
         AddUEH("u-1", "c-1");
         AddCauce("c-2", "0");
         AddCauce("c-1", "c-2");
       },
       {"u-1", "c-1", "c-2"}},
      {"a dam between two reaches",
       [] {
         AddUEH("u-1", "c-a");
         AddCauce("c-a", "r-1");
         AddCauce("c-b", "0");
         AddRepresa("r-1", "c-b");
       },
       {"u-1", "c-a", "r-1", "c-b"}},
      {"three reaches listed upside down",
       [] {
         AddUEH("u-1", "c-1");
         AddCauce("c-3", "0");
         AddCauce("c-2", "c-3");
         AddCauce("c-1", "c-2");
       },
       {"u-1", "c-1", "c-2", "c-3"}},
      {"units keep their places, also one draining into another",
       [] {
         AddUEH("u-2", "u-1");
         AddUEH("u-1", "c-2");
         AddCauce("c-2", "0");
         AddCauce("c-1", "c-2");
         AddUEH("u-3", "c-1");
       },
       {"u-2", "u-1", "u-3", "c-1", "c-2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetEstadoProyecto();
    c.build();
    List();
    ASSERT_FALSE(RedConErrores);
    SecuenciaCalculo();
    EXPECT_EQ(Order(), c.order);
  }
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(SecuenciaTest, ALoopEndsTheOrderingUntouched) {
  const std::vector<std::pair<const char*, QStringList>> loops = {
      {"two reaches draining into each other in the last places", {"c-1", "c-2"}},
      {"three components in a ring", {"c-1", "c-2", "r-1"}},
  };
  for (const auto& [name, ring] : loops) {
    SCOPED_TRACE(name);
    ResetEstadoProyecto();
    AddUEH("u-1", "c-1");
    AddUEH("u-2", "c-0");
    AddCauce("c-0", "0");
    for (int i = 0; i < ring.size(); ++i) {
      const QString receiver = ring[(i + 1) % ring.size()];
      if (ring[i].startsWith("r-")) {
        AddRepresa(ring[i], receiver);
      } else {
        AddCauce(ring[i], receiver);
      }
    }
    dialogs.clear();
    dialogs.answer(vbYes);
    ComponenteFinal();
    const QStringList before = Order();
    RedConErrores = false;  // even when called without the check, the ordering ends
    SecuenciaCalculo();
    EXPECT_EQ(Order(), before);
    EXPECT_TRUE(RedConErrores);
  }
}

TEST_F(SecuenciaTest, OrderListedInTheReport) {
  AddUEH("u-1", "c-1");
  AddCauce("c-2", "0");
  AddCauce("c-1", "c-2");
  List();
  PizarraActiva = true;
  SetReportText(QStringLiteral("antes"));
  SecuenciaCalculo();
  EXPECT_EQ(ReportText(),
            "antes\r\n\r\nComponentes y Secuencia de cálculo\r\nNroUEH   Nombre UEH"
            "\r\n     1          u-1\r\n     2          c-1\r\n     3          c-2");
  PizarraActiva = false;
  SetReportText(QString());
  SecuenciaCalculo();
  EXPECT_EQ(ReportText(), "");
}

}  // namespace
}  // namespace tavo
