// Presses, double clicks and keys on the editor's drawing, through the drawing's pointer events in
// drawing units: picking with the select tool, drawing a reach vertex by vertex, Enter and Delete.
#include <QTest>

#include "editor_fixture.h"

namespace tavo {
namespace {

const QColor kAzul(0, 0, 255);
const QString kGuardado = QStringLiteral(
    "Los datos de componentes de Unidades Hidrológicas del proyecto se han guardado correctamente en el "
    "archivo ");

class PunteroTest : public test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    open();
  }
  frmUEHs& editor() { return frmUEHs::object(); }
  static void key(Qt::Key k) { QTest::keyClick(frmUEHs::object().picDibujo, k); }
};

TEST_F(PunteroTest, SelectToolPicksTheLastReachWithAVertexWithinHalfTheTolerance) {
  // Reach k runs from (100 k, 100) to (100 k, 300); reach 5 has a vertex 8 units from reach 3's end.
  for (int k = 1; k <= 4; ++k) Reach(QString("c-%1").arg(k), "0", {{100.0 * k, 100}, {100.0 * k, 300}});
  Reach("c-5", "0", {{308, 300}, {500, 500}});
  fixedView(1000);  // T = 20
  tool("btn_toolbarSelecciona");
  ASSERT_EQ(TolSeleccion, 20);

  struct Case {
    const char* name;
    QPointF at;
    int selected;  // selCauce after the press, from none selected
  };
  const Case cases[] = {
      {"exactly on reach 3, within T/2 of reach 5", {300, 300}, 5},
      {"9.9 away in both directions", {409.9f, 290.1f}, 4},
      {"10 away in X", {410, 300}, 0},
      {"10 away in Y", {400, 310}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    selCauce = selCauce2 = 0;
    press(static_cast<Single>(c.at.x()), static_cast<Single>(c.at.y()));
    EXPECT_EQ(selCauce, c.selected);
  }

  // Reach 2, then reach 4: the first moves to selCauce2; a press on empty space keeps the selection.
  selCauce = selCauce2 = 0;
  press(200, 200 - 100);
  press(400, 100);
  EXPECT_EQ(selCauce, 4);
  EXPECT_EQ(selCauce2, 2);
  press(700, 700);
  EXPECT_EQ(selCauce, 4);

  // The second press on the selected reach, within T of its second vertex, picks that vertex and looks
  // at no other reach, not even reach 5 with a vertex within T/2.
  selCauce = 3;
  CauceYaSeleccionado = true;
  press(306, 295);
  EXPECT_EQ(selCauce, 3);
  EXPECT_EQ(selVertice, 2);
}

TEST_F(PunteroTest, PressesAddUnitsDamsAndLakesToTheSelectionInPairs) {
  Reach("c-1", "0", {{100, 100}, {100, 300}});
  Unit("u-1", "c-1", {300, 100}, {100, 300});
  Dam("r-1", "", {500, 100});
  Lake("l-1", "", {700, 100});
  fixedView(1000);
  TamIcono = 10;
  tool("btn_toolbarSelecciona");

  struct Case {
    const char* name;
    std::vector<QPointF> presses;
    int reach, unit, dam, lake;
  };
  const Case cases[] = {
      {"a unit inside its box", {{310, 110}}, 0, 1, 0, 0},
      {"a unit's box starts below its anchor", {{310, 100}}, 0, 0, 0, 0},
      {"a reach, then a unit", {{100, 200 - 100}, {310, 110}}, 1, 1, 0, 0},
      {"a unit, then a dam", {{310, 110}, {510, 110}}, 0, 1, 1, 0},
      {"a unit, then a lake", {{310, 110}, {695, 85}}, 0, 1, 0, 1},
      {"a dam, then a lake", {{510, 110}, {695, 85}}, 0, 0, 0, 1},
      {"a reach, then a dam", {{100, 300}, {510, 110}}, 1, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    selCauce = selCauce2 = selUEH = selRepresa = selLago = 0;
    ArrastraAcopleUEH = ArrastraAcopleRepresa = ArrastraAcopleLago = false;
    for (const QPointF& p : c.presses) press(static_cast<Single>(p.x()), static_cast<Single>(p.y()));
    EXPECT_EQ(selCauce, c.reach);
    EXPECT_EQ(selUEH, c.unit);
    EXPECT_EQ(selRepresa, c.dam);
    EXPECT_EQ(selLago, c.lake);
  }

  // With the unit selected: a left press on its symbol starts dragging it; a right press does not;
  // a press on its link handle (3.5 sizes below the anchor) grabs the link.
  selCauce = selRepresa = selLago = 0;
  selUEH = 1;
  press(312, 112);
  EXPECT_TRUE(ArrastraUEH);
  press(312, 112, 2);
  EXPECT_FALSE(ArrastraUEH);
  EXPECT_EQ(selUEH, 1);
  press(300, 134);
  EXPECT_TRUE(ArrastraAcopleUEH);
  // A press shows the anchor of the symbol placed or drawn last, not the pointer.
  XIcono = 12.5f;
  YIcono = 7;
  press(0, 0, 4);
  EXPECT_EQ(editor().lblX->text(), "12.5");
  EXPECT_EQ(editor().lblY->text(), "7");
  // Coordinates of many digits show whole beside the buttons.
  XIcono = -14.052631f;
  YIcono = -1234.5678f;
  press(0, 0, 4);
  EXPECT_EQ(editor().lblX->text(), "-14.05263");
  EXPECT_EQ(editor().lblY->text(), "-1234.568");
  EXPECT_TRUE(test::ClippedControls(&editor()).isEmpty())
      << test::ClippedControls(&editor()).join('\n').toStdString();
}

TEST_F(PunteroTest, ReachToolDrawsADraftThatJoinsTheNetworkWhenFinished) {
  fixedView(800);
  tool("btn_toolbarCauce");
  editor().picDibujo->clearLog();
  press(100, 100);
  press(200, 150);
  // The draft is drawn in blue from the vertex before, and is not part of the network yet.
  const auto blue = ops(DrawOp::Kind::Line, kAzul);
  ASSERT_EQ(blue.size(), 1u);
  EXPECT_EQ(blue[0].p1, QPointF(100, 100));
  EXPECT_EQ(blue[0].p2, QPointF(200, 150));
  EXPECT_EQ(ops(DrawOp::Kind::Point, kAzul).size(), 1u);
  EXPECT_EQ(nCauces, 0);
  EXPECT_TRUE(colCauces.empty());
  // A redraw keeps showing it.
  redraw();
  EXPECT_EQ(ops(DrawOp::Kind::Line, kAzul).size(), 1u);

  // A double click brings one more press, then finishes the reach: its name is asked.
  dialogs.answerText("Alto");
  press(300, 150);
  emit editor().picDibujo->dblClick();
  ASSERT_EQ(nCauces, 1);
  const Cauce& c = *vCauces[1];
  EXPECT_EQ(c.NombreCauce, "c-Alto");
  EXPECT_EQ(c.numVertices, 3);
  EXPECT_EQ(numVerticesCauce(1), 3);
  EXPECT_EQ(XVertice(1, 3), 300);
  EXPECT_EQ(YVertice(1, 2), 150);
  EXPECT_EQ(nVerticesTrazado, 0);

  // A tool change discards a draft: nothing of it is left, drawn or counted.
  press(500, 500);
  press(600, 600);
  tool("btn_toolbarUEH");
  EXPECT_EQ(nVerticesTrazado, 0);
  redraw();
  EXPECT_EQ(ops(DrawOp::Kind::Line, kAzul).size(), 2u);  // the two segments of c-Alto
  EXPECT_EQ(nCauces, 1);

  // So does closing the editor.
  tool("btn_toolbarCauce");
  press(500, 500);
  press(600, 600);
  ASSERT_EQ(nVerticesTrazado, 2);
  dialogs.clear();
  dialogs.answer(vbNo).answer(vbNo);  // c-Alto has no inflow: go on; then do not save
  frmUEHs::object().close();
  EXPECT_EQ(dialogs.records().size(), 2u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_FALSE(frmUEHs::isLoaded());
  EXPECT_EQ(nVerticesTrazado, 0);
  EXPECT_EQ(nCauces, 1);
}

TEST_F(PunteroTest, TwentyFirstClickFinishesTheReachWithTwentyVertices) {
  fixedView(800);
  tool("btn_toolbarCauce");
  dialogs.answerText("largo");
  for (int k = 1; k <= 21; ++k) press(static_cast<Single>(10 * k), 100);
  ASSERT_EQ(nCauces, 1);
  EXPECT_EQ(vCauces[1]->numVertices, 20);
  EXPECT_EQ(numVerticesCauce(1), 20);
  EXPECT_EQ(XVertice(1, 20), 200);
  EXPECT_EQ(nVerticesTrazado, 0);

  // Saved and read back, the reach is whole.
  dialogs.answer(vbOK);
  tool("btn_toolbarGuardaUEHs");
  ASSERT_EQ(nCauces, 1);
  EXPECT_EQ(numVerticesCauce(1), 20);
  EXPECT_EQ(XVertice(1, 20), 200);
  EXPECT_EQ(test::ReadBytes(dir + "/Rio_VerCau.pcn").count('\n'), 20);
}

TEST_F(PunteroTest, EnterPlacesAtHalfTheExtentOrFinishesAReach) {
  Reach("c-1", "0", {{100, 40}, {500, 240}});
  fixedView(800);

  // Half the width and half the height of the extent, not its middle.
  tool("btn_toolbarUEH");
  key(Qt::Key_A);  // other characters do nothing
  EXPECT_EQ(nUEHs, 0);
  dialogs.answerText("centro");
  key(Qt::Key_Return);
  ASSERT_EQ(nUEHs, 1);
  EXPECT_EQ(vUEHs[1]->IconoUEHx, 200);
  EXPECT_EQ(vUEHs[1]->IconoUEHy, 100);

  tool("btn_toolbarCauce");
  press(600, 600);
  key(Qt::Key_Return);  // one vertex: nothing to finish
  EXPECT_EQ(nCauces, 1);
  press(700, 600);
  dialogs.answerText("dos");
  key(Qt::Key_Return);
  EXPECT_EQ(nCauces, 2);
  EXPECT_EQ(vCauces[2]->NombreCauce, "c-dos");
  EXPECT_TRUE(dialogs.unexpected().empty());
}

TEST_F(PunteroTest, EnterWithoutAnExtentPlacesInTheMiddleOfTheView) {
  fixedView(800);
  Dam("r-1", "", {50, 50});  // dams do not count in the extent
  redraw();
  tool("btn_toolbarRepresa");
  dialogs.answerText("nueva");
  key(Qt::Key_Return);
  ASSERT_EQ(nRepresas, 2);
  EXPECT_EQ(vRepresas[2]->IconoRepresaX, 400);
  EXPECT_EQ(vRepresas[2]->IconoRepresaY, 400);
}

TEST_F(PunteroTest, DeleteKeyDeletesEachSelectionLeftByTheDeletionBefore) {
  // The unit drains into c-2; c-1 is free.
  saveNetwork([] {
    Reach("c-1", "0", {{10, 10}, {20, 20}});
    Reach("c-2", "0", {{30, 30}, {40, 40}});
    Unit("u-1", "c-2", {50, 50}, {40, 40});
  });
  frmUEHs::unload();
  open();

  // Reading the network back after the reach's deletion leaves the unit unselected.
  selCauce = 1;
  selUEH = 1;
  dialogs.answer(vbOK);
  key(Qt::Key_Delete);
  EXPECT_EQ(nCauces, 1);
  EXPECT_EQ(nUEHs, 1);
  EXPECT_EQ(selUEH, 0);

  // The reach the unit drains into is refused; the unit is still deleted.
  selCauce = 1;
  selUEH = 1;
  dialogs.answer(vbOK).answer(vbOK);
  key(Qt::Key_Delete);
  EXPECT_EQ(nCauces, 1);
  EXPECT_EQ(nUEHs, 0);
  ASSERT_EQ(dialogs.records().size(), 3u);
  EXPECT_TRUE(dialogs.records()[1].prompt.startsWith("Para eliminar el Cauce <c-2>"));
  EXPECT_TRUE(dialogs.records()[2].prompt.startsWith(kGuardado));
}

}  // namespace
}  // namespace tavo
