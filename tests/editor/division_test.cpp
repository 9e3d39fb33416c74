// Dividing a reach at its selected vertex from the editor's context menu: the two pieces, their
// names and vertices, the tributaries of the old reach, the refusals, and the network saved after.
#include "editor_fixture.h"

namespace tavo {
namespace {

class DivisionTest : public test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    open();
  }
  frmUEHs& editor() { return frmUEHs::object(); }
  // Picks reach `reach`, then its vertex `vertex`, and runs the division from the context menu.
  void divide(int reach, int vertex) {
    selCauce = selCauce2 = selUEH = selRepresa = selLago = 0;
    selCauce = static_cast<Integer>(reach);
    selVertice = static_cast<Integer>(vertex);
    editor().ItemMenuDibujo("mnu_DivideCauce")->trigger();
  }
  static std::vector<QPointF> vertices(int k) {
    std::vector<QPointF> v;
    for (int j = 1; j <= numVerticesCauce(k); ++j) v.emplace_back(XVertice(k, j), YVertice(k, j));
    return v;
  }
};

TEST_F(DivisionTest, TheReachKeepsTheDownstreamPieceAndANewLastReachTakesTheUpstreamOne) {
  // c-x drains into c-0; a reach and a unit drain into c-x; c-largo has more vertices.
  Reach("c-0", "0", {{100, 0}, {100, 100}});
  Reach("c-x", "c-0", {{100, 100}, {200, 200}, {300, 300}});
  Reach("c-t", "c-x", {{300, 300}, {400, 300}});
  Reach("c-largo", "0", {{0, 500}, {100, 500}, {200, 500}, {300, 500}, {400, 500}, {500, 500}});
  Unit("u-1", "c-x", {400, 100}, {300, 300});
  fixedView(1000);

  // Picked with the select tool, the inner vertex makes the division available.
  tool("btn_toolbarSelecciona");
  press(200, 200);
  release();
  press(202, 198);
  release();
  ASSERT_EQ(selCauce, 2);
  ASSERT_EQ(selVertice, 2);
  press(202, 198, 2);
  release();
  ASSERT_TRUE(editor().ItemMenuDibujo("mnu_DivideCauce")->isEnabled());
  editor().ItemMenuDibujo("mnu_DivideCauce")->trigger();

  ASSERT_EQ(nCauces, 5);
  const Cauce& abajo = *vCauces[2];
  const Cauce& arriba = *vCauces[5];
  EXPECT_EQ(abajo.NombreCauce, "c-x-.-b");
  EXPECT_EQ(abajo.Cauce_aa, "c-0");
  EXPECT_EQ(abajo.numVertices, 2);
  EXPECT_EQ(vertices(2), std::vector<QPointF>({{100, 100}, {200, 200}}));
  EXPECT_EQ(arriba.NombreCauce, "c-x-.-a");
  EXPECT_EQ(arriba.numCauce, 5);
  EXPECT_EQ(arriba.Cauce_aa, "c-x-.-b");
  EXPECT_EQ(arriba.numVertices, 2);
  EXPECT_EQ(vertices(5), std::vector<QPointF>({{200, 200}, {300, 300}}));
  EXPECT_EQ(vertices(4).size(), 6u);
  EXPECT_EQ(vertices(4).back(), QPointF(500, 500));
  // What drained into the old reach drains into the upstream piece, whose head is the old head.
  EXPECT_EQ(vCauces[3]->Cauce_aa, "c-x-.-a");
  EXPECT_EQ(vUEHs[1]->Cauce_aa, "c-x-.-a");
  EXPECT_EQ(vertices(3).front(), QPointF(300, 300));
  EXPECT_EQ(selCauce, 0);
  EXPECT_EQ(selVertice, 0);

  // Saved and read back, every reach is whole and numbered by its first vertex in the file.
  dialogs.answer(vbOK);
  tool("btn_toolbarGuardaUEHs");
  ASSERT_EQ(nCauces, 5);
  EXPECT_EQ(vCauces[5]->NombreCauce, "c-x-.-a");
  EXPECT_EQ(vertices(5), std::vector<QPointF>({{200, 200}, {300, 300}}));
  EXPECT_EQ(vertices(4).back(), QPointF(500, 500));
  const int first[] = {1, 3, 5, 7, 13};
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(vCauces[k]->IndiceParInicial, first[k - 1]) << k;
  shown();
}

TEST_F(DivisionTest, NamesGrowWithEveryDivisionAndFifteenCharactersGiveNineteen) {
  Reach("c-abcdefghijklm", "0", {{0, 0}, {10, 0}, {20, 0}, {30, 0}});
  divide(1, 3);
  ASSERT_EQ(nCauces, 2);
  EXPECT_EQ(vCauces[1]->NombreCauce, "c-abcdefghijklm-.-b");
  EXPECT_EQ(vCauces[2]->NombreCauce, "c-abcdefghijklm-.-a");
  EXPECT_EQ(vCauces[2]->NombreCauce.size(), 19);
  divide(1, 2);
  ASSERT_EQ(nCauces, 3);
  EXPECT_EQ(vCauces[1]->NombreCauce, "c-abcdefghijklm-.-b-.-b");
  EXPECT_EQ(vCauces[3]->NombreCauce, "c-abcdefghijklm-.-b-.-a");
  EXPECT_EQ(vCauces[3]->Cauce_aa, "c-abcdefghijklm-.-b-.-b");
  EXPECT_EQ(vCauces[2]->Cauce_aa, "c-abcdefghijklm-.-b-.-a");
}

TEST_F(DivisionTest, AnEndVertexATakenNameOrASeventyFirstReachIsRefused) {
  Reach("c-x", "0", {{0, 0}, {10, 0}, {20, 0}});
  Reach("c-y", "0", {{0, 50}, {10, 50}});
  struct Case {
    const char* name;
    int reach, vertex;
  };
  const Case cases[] = {
      {"the downstream end", 1, 1},
      {"the head", 1, 3},
      {"a reach of two vertices", 2, 1},
      {"no vertex", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    divide(c.reach, c.vertex);
    EXPECT_EQ(nCauces, 2);
  }
  vCauces[2]->NombreCauce = "c-x-.-a";
  dialogs.answer(vbOK);
  divide(1, 2);
  EXPECT_EQ(shown(),
            QStringList{"Ya existe el cauce <c-x-.-a>: cambie su nombre antes de dividir el cauce <c-x> | "});
  EXPECT_EQ(nCauces, 2);
  EXPECT_EQ(vCauces[1]->NombreCauce, "c-x");
  EXPECT_EQ(numVerticesCauce(1), 3);

  vCauces[2]->NombreCauce = "c-y";
  for (int k = 3; k <= 70; ++k) Reach(QString("c-%1").arg(k), "0", {{0, 100.0 * k}, {10, 100.0 * k}});
  dialogs.answer(vbOK);
  divide(1, 2);
  EXPECT_EQ(shown(), QStringList{"No se pueden ingresar más de 70 tramos de cauce | "});
  EXPECT_EQ(nCauces, 70);
  EXPECT_EQ(numVerticesCauce(1), 3);
}

}  // namespace
}  // namespace tavo
