// Coupling and uncoupling from the editor's context menu: the questions and messages, the receivers
// and link points written, the selections cleared, the one-link rule of dams and lakes and the
// refusal of loops.
#include <utility>
#include <vector>

#include "editor_fixture.h"

namespace tavo {
namespace {

const QString kCiclo = QStringLiteral(
    "No se puede acoplar un componente a su tributario; quite primero el acople | Operación Inconsistente");

class AcoplesTest : public test::EditorTest {
 protected:
  // c-1 and c-2 are outlets; c-9 receives lake l-1; c-3 drains into dam r-1; units u-1 (into c-1)
  // and u-2 (free).
  void SetUp() override {
    EditorTest::SetUp();
    open();
    Reach("c-1", "0", {{100, 100}, {100, 300}});
    Reach("c-2", "0", {{300, 100}, {300, 300}});
    Reach("c-9", "0", {{500, 100}, {500, 300}});
    Reach("c-3", "r-1", {{700, 100}, {700, 300}});
    Unit("u-1", "c-1", {150, 150}, {100, 300});
    Unit("u-2", "", {350, 150});
    Dam("r-1", "", {600, 600});
    Lake("l-1", "c-9", {800, 800}, {500, 300});
    fixedView(1000);
  }
  frmUEHs& editor() { return frmUEHs::object(); }
  // Runs a context-menu item on the selection given.
  void run(const char* item) { editor().ItemMenuDibujo(QString::fromLatin1(item))->trigger(); }
  static void select(int cauce, int ueh, int represa = 0, int lago = 0, int cauce2 = 0) {
    selCauce = static_cast<Integer>(cauce);
    selUEH = static_cast<Integer>(ueh);
    selRepresa = static_cast<Integer>(represa);
    selLago = static_cast<Integer>(lago);
    selCauce2 = static_cast<Integer>(cauce2);
    selVertice = 0;
  }
  static int selections() { return selCauce + selCauce2 + selUEH + selRepresa + selLago + selVertice; }
};

TEST_F(AcoplesTest, AUnitIsCoupledToAReachAfterTheQuestion) {
  // Already coupled: message A, which ends with the reach's name.
  select(1, 1);
  dialogs.answer(vbOK);
  run("mnu_acoplaUEHaCauce");
  EXPECT_EQ(shown(), QStringList{"La UEH <u-1> ya está acoplada al cauce <c-1 | "});
  EXPECT_EQ(selections(), 0);

  // No changes nothing, not even the drawing or the selection.
  select(2, 2);
  editor().picDibujo->clearLog();
  dialogs.answer(vbNo);
  run("mnu_acoplaUEHaCauce");
  EXPECT_EQ(shown(), QStringList{"Confirma el acople de la UEH <u-2> con el cauce <c-2> | Consulta"});
  EXPECT_TRUE(log().empty());
  EXPECT_EQ(selUEH, 2);
  EXPECT_EQ(selCauce, 2);
  EXPECT_EQ(vUEHs[2]->Cauce_aa, "");

  // Yes: the receiver and the reach's head; a unit coupled elsewhere simply changes its receiver.
  for (const int unit : {2, 1}) {
    select(2, unit);
    dialogs.answer(vbYes);
    run("mnu_acoplaUEHaCauce");
    EXPECT_EQ(shown().size(), 1);
    EXPECT_EQ(vUEHs[unit]->Cauce_aa, "c-2");
    EXPECT_EQ(vUEHs[unit]->XCauce, 300);
    EXPECT_EQ(vUEHs[unit]->YCauce, 300);
    EXPECT_EQ(selections(), 0);
  }
  EXPECT_FALSE(log().empty());

  // To a dam and to a lake: no question; the link point is the symbol's anchor.
  select(0, 1, 1, 0);
  run("mnu_acoplaUEHaRepresa");
  EXPECT_EQ(vUEHs[1]->Cauce_aa, "r-1");
  EXPECT_EQ(vUEHs[1]->XCauce, 600);
  select(0, 1, 0, 1);
  run("mnu_acoplaUEHaLago");
  EXPECT_EQ(vUEHs[1]->Cauce_aa, "l-1");
  EXPECT_EQ(vUEHs[1]->YCauce, 800);
  EXPECT_EQ(selections(), 0);

  // Uncoupled, the unit stays selected and has no link point.
  select(1, 1);
  run("mnu_desacoplaUEH");
  EXPECT_EQ(vUEHs[1]->Cauce_aa, "0");
  EXPECT_EQ(vUEHs[1]->XCauce, 0);
  EXPECT_EQ(vUEHs[1]->YCauce, 0);
  EXPECT_EQ(selUEH, 1);
  EXPECT_EQ(selCauce, 0);
  EXPECT_TRUE(shown().isEmpty());
}

TEST_F(AcoplesTest, DamsAndLakesGetOneReachEachAndNoLoop) {
  struct Case {
    const char* name;
    const char* item;
    int cauce, represa, lago;
    std::vector<int> answers;
    QStringList messages;
    QString receiver;  // of the dam or lake afterwards
  };
  const std::vector<int> yes{vbYes}, yesOk{vbYes, vbOK}, ok{vbOK};
  const Case cases[] = {
      {"dam onto the reach the lake drains into", "mnu_acoplaRepresaaCauce", 3, 1, 0, yesOk,
       QStringList{
           "Confirma el acople de la Represa <r-1> con el cauce <c-9> | Consulta",
           "Ya existe otro acople a ese tramo de cauce. Revise el diagrama de conexión de la represa r-1 | "},
       ""},
      {"dam onto a reach that drains into it", "mnu_acoplaRepresaaCauce", 4, 1, 0, yesOk,
       QStringList{"Confirma el acople de la Represa <r-1> con el cauce <c-3> | Consulta", kCiclo}, ""},
      {"dam onto a free reach", "mnu_acoplaRepresaaCauce", 2, 1, 0, yes,
       QStringList{"Confirma el acople de la Represa <r-1> con el cauce <c-2> | Consulta"}, "c-2"},
      {"lake onto the reach the dam now drains into", "mnu_acoplaLAGOaCauce", 2, 0, 1, yesOk,
       QStringList{
           "Confirma el acople de la LAGO <l-1> con el cauce <c-2> | Consulta",
           "Ya existe otro acople a ese tramo de cauce. Revise el diagrama de conexión del Lagol-1 | "},
       "c-9"},
      {"lake onto its own receiver", "mnu_acoplaLAGOaCauce", 3, 0, 1, ok,
       QStringList{"La LAGO <l-1> ya está acoplada al cauce <c-9 | "}, "c-9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    select(c.cauce, 1, c.represa, c.lago);
    for (const int a : c.answers) dialogs.answer(a);
    run(c.item);
    EXPECT_EQ(shown(), c.messages);
    EXPECT_EQ(c.represa ? vRepresas[1]->Cauce_aa : vLagos[1]->Cauce_aa, c.receiver);
    EXPECT_EQ(selCauce, 0);
    EXPECT_EQ(c.represa ? selRepresa : selLago, 0);
  }
  // The accepted dam links to the head of c-2.
  EXPECT_EQ(vRepresas[1]->XCauce, 300);
  EXPECT_EQ(vRepresas[1]->YCauce, 300);

  // A reach onto a dam or lake that drains into it is refused; onto one that does not, its end moves
  // onto the symbol.
  select(2, 0, 1);
  dialogs.answer(vbOK);
  run("mnu_acoplaCauceaRepresa");
  EXPECT_EQ(shown(), QStringList{kCiclo});
  EXPECT_EQ(vCauces[2]->Cauce_aa, "0");
  select(1, 0, 0, 1);
  run("mnu_acoplaCauceaLago");
  EXPECT_EQ(vCauces[1]->Cauce_aa, "l-1");
  EXPECT_EQ(QPointF(XVertice(1, 1), YVertice(1, 1)), QPointF(800, 800));
  EXPECT_EQ(selections(), 0);

  // Uncoupled, the reach keeps its end on the symbol; the dam loses its link point.
  select(1, 0);
  run("mnu_desacoplaCauce");
  EXPECT_EQ(vCauces[1]->Cauce_aa, "0");
  EXPECT_EQ(QPointF(XVertice(1, 1), YVertice(1, 1)), QPointF(800, 800));
  select(0, 0, 1);
  run("mnu_desacoplaRepresa");
  EXPECT_EQ(vRepresas[1]->Cauce_aa, "0");
  EXPECT_EQ(vRepresas[1]->XCauce, 0);
  EXPECT_TRUE(shown().isEmpty());
}

TEST_F(AcoplesTest, AReachDrainsIntoTheReachPickedLastUnlessItFeedsIt) {
  // c-2 picked first, c-9 last: c-2 drains into c-9, and the redraw hands it over to the lake that
  // drains into c-9.
  select(3, 0, 0, 0, 2);
  run("mnu_acoplaCauce1aCauce2");
  EXPECT_EQ(vCauces[2]->Cauce_aa, "l-1");
  EXPECT_EQ(QPointF(XVertice(2, 1), YVertice(2, 1)), QPointF(800, 800));
  EXPECT_EQ(selections(), 0);

  // The reverse link, and a longer loop (c-1 into c-2 into l-1 into c-9), are refused.
  vCauces[1]->Cauce_aa = "c-2";
  for (const auto& [first, last] : {std::pair{2, 1}, std::pair{3, 1}}) {
    select(last, 0, 0, 0, first);
    dialogs.answer(vbOK);
    run("mnu_acoplaCauce1aCauce2");
    EXPECT_EQ(shown(), QStringList{kCiclo});
    EXPECT_EQ(selections(), 0);
  }
  EXPECT_EQ(vCauces[2]->Cauce_aa, "l-1");
  EXPECT_EQ(vCauces[3]->Cauce_aa, "0");
}

}  // namespace
}  // namespace tavo
