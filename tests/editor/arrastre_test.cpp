// Pointer moves and releases on the editor's drawing, through the drawing's pointer events in drawing
// units: dragging a vertex and storing it, the downstream-end question and the snap onto a head,
// symbols following the pointer, and linking units, dams and lakes by dragging their handles.
#include <functional>
#include <utility>

#include "editor_fixture.h"

namespace tavo {
namespace {

const QColor kRojo(255, 0, 0);
const QColor kBlanco(255, 255, 255);
const QString kCiclo = QStringLiteral(
    "No se puede acoplar un componente a su tributario; quite primero el acople | Operación Inconsistente");

class ArrastreTest : public test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    open();
  }
  frmUEHs& editor() { return frmUEHs::object(); }
  // The select tool, with the view from the origin 1000 units wide (T = 20, symbol size 10).
  void selectTool() {
    fixedView(1000);
    tool("btn_toolbarSelecciona");
    ASSERT_EQ(TolSeleccion, 20);
    ASSERT_EQ(TamIcono, 10);
  }
  // Selects reach `at` lies on, then picks the vertex at `vertex`, as the user does with two presses.
  void pickVertex(QPointF at, QPointF vertex) {
    selCauce = selCauce2 = selUEH = selRepresa = selLago = 0;
    press(static_cast<Single>(at.x()), static_cast<Single>(at.y()));
    release();
    press(static_cast<Single>(vertex.x()), static_cast<Single>(vertex.y()));
  }
  static QPointF vertex(int k, int j) { return {XVertice(k, j), YVertice(k, j)}; }
};

TEST_F(ArrastreTest, AVertexDraggedIsStoredWhereTheLastMoveHeldIt) {
  Reach("c-1", "0", {{100, 100}, {200, 100}, {300, 100}});
  selectTool();
  pickVertex({300, 100}, {205, 103});
  ASSERT_EQ(selCauce, 1);
  ASSERT_EQ(selVertice, 2);

  // The first move draws the band in red; the next one draws it over in white first.
  editor().picDibujo->clearLog();
  move(250, 150);
  EXPECT_TRUE(ops(DrawOp::Kind::Line, kBlanco).empty());
  const auto bands = ops(DrawOp::Kind::Line, kRojo);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[0].p1, QPointF(100, 100));
  EXPECT_EQ(bands[0].p2, QPointF(250, 150));
  EXPECT_EQ(bands[1].p2, QPointF(300, 100));
  EXPECT_EQ(bands[0].style, PenStyle::DashDot);
  EXPECT_EQ(editor().lblX->text(), "250");
  editor().picDibujo->clearLog();
  move(260, 160);
  const auto erased = ops(DrawOp::Kind::Line, kBlanco);
  ASSERT_EQ(erased.size(), 2u);
  EXPECT_EQ(erased[0].p2, QPointF(250, 150));
  EXPECT_EQ(vertex(1, 2), QPointF(200, 100));  // nothing stored while dragging

  // The release stores the last move's position, not its own, and keeps the vertex selected.
  release(999, 999);
  EXPECT_EQ(vertex(1, 2), QPointF(260, 160));
  EXPECT_EQ(selVertice, 2);
  EXPECT_FALSE(BotonAbajo);

  // A move without the button down holds nothing: the next drag erases nothing, and a release
  // without a move stores nothing.
  move(500, 500);
  press(262, 158);
  release(400, 400);
  EXPECT_EQ(vertex(1, 2), QPointF(260, 160));

  // A drop on X = 0 or Y = 0 is a position like any other.
  for (const QPointF drop : {QPointF(0, 50), QPointF(40, 0)}) {
    press(static_cast<Single>(XVertice(1, 2)), static_cast<Single>(YVertice(1, 2)));
    move(static_cast<Single>(drop.x()), static_cast<Single>(drop.y()));
    release();
    EXPECT_EQ(vertex(1, 2), drop);
  }
  EXPECT_TRUE(shown().isEmpty());
}

TEST_F(ArrastreTest, TheDownstreamEndAsksOnceAndSnapsOntoAHeadDownstream) {
  // c-2 drains into c-1; c-3 drains into c-2 and has its head 5 units from c-4's head.
  Reach("c-1", "0", {{100, 100}, {100, 300}});
  Reach("c-2", "c-1", {{100, 300}, {200, 350}, {300, 300}});
  Reach("c-3", "c-2", {{300, 300}, {500, 305}});
  Reach("c-4", "0", {{700, 100}, {500, 300}});
  selectTool();
  const QString pregunta = QStringLiteral(
      "El tramo de cauce c-2 es tributario del tramo c-1 , Desea redefinir el destino final del tramo ?  | "
      "Consulta");

  // No deselects the reach and leaves its receiver.
  pickVertex({200, 350}, {101, 299});
  ASSERT_EQ(selVertice, 1);
  dialogs.answer(vbNo);
  move(150, 320);
  EXPECT_EQ(shown(), QStringList{pregunta});
  EXPECT_EQ(selCauce, 0);
  EXPECT_EQ(selVertice, 0);
  EXPECT_EQ(vCauces[2]->Cauce_aa, "c-1");
  release();

  // Yes makes the reach an outlet, and the later moves ask nothing more.
  pickVertex({200, 350}, {101, 299});
  dialogs.answer(vbYes);
  move(150, 320);
  move(400, 310);
  EXPECT_EQ(shown(), QStringList{pregunta});
  EXPECT_EQ(vCauces[2]->Cauce_aa, "0");

  // Dropped on its own head nothing is offered; dropped within T of the heads of c-3 (upstream of it)
  // and c-4, only c-4 is offered, and Yes puts the end exactly on c-4's head.
  move(295, 305);
  release();
  EXPECT_TRUE(shown().isEmpty());
  EXPECT_EQ(vertex(2, 1), QPointF(295, 305));
  press(295, 305);
  ASSERT_EQ(selVertice, 1);
  move(502, 302);
  dialogs.answer(vbYes);
  release();
  EXPECT_EQ(shown(), QStringList{"¿El tramo de cauce c-2 es tributario del tramo c-4 ? | Consulta"});
  EXPECT_EQ(vCauces[2]->Cauce_aa, "c-4");
  EXPECT_EQ(vertex(2, 1), QPointF(500, 300));
}

TEST_F(ArrastreTest, TheQuestionNamesTheLakeOrDamThatTakesOverTheReachDroppedOn) {
  // r-1 drains into c-1 (and, in the second case, l-1 as well: a lake comes before a dam).
  Reach("c-1", "0", {{100, 100}, {100, 300}});
  Reach("c-2", "0", {{400, 400}, {600, 400}});
  Dam("r-1", "c-1", {700, 100}, {100, 300});
  selectTool();
  struct Case {
    const char* name;
    const char* question;
    const char* receiver;  // of c-2 once the network is redrawn
  };
  const Case cases[] = {
      {"a dam drains into it",
       "¿El tramo de cauce c-2 es tributario de la represa r-1, que drena al tramo c-1 ? | Consulta", "r-1"},
      {"a lake and a dam drain into it",
       "¿El tramo de cauce c-2 es tributario del lago l-1, que drena al tramo c-1 ? | Consulta", "l-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (QString::fromLatin1(c.receiver) == "l-1") Lake("l-1", "c-1", {700, 500}, {100, 300});
    vCauces[2]->Cauce_aa = "0";
    XVertice(2, 1) = 400;
    YVertice(2, 1) = 400;
    pickVertex({600, 400}, {400, 400});
    ASSERT_EQ(selVertice, 1);
    move(102, 298);
    dialogs.answer(vbYes);
    release();
    EXPECT_EQ(shown(), QStringList{QString::fromUtf8(c.question)});
    EXPECT_EQ(vCauces[2]->Cauce_aa, c.receiver);
  }
}

TEST_F(ArrastreTest, UnitsFollowThePointerDamsAndLakesOnlyWithinThreeSymbolSizes) {
  Unit("u-1", "", {300, 100});
  Dam("r-1", "", {500, 100});
  Lake("l-1", "", {700, 100});
  selectTool();

  press(310, 110);
  ASSERT_EQ(selUEH, 1);
  press(312, 112);  // on the selected unit's symbol
  ASSERT_TRUE(ArrastraUEH);
  move(800, 600);
  EXPECT_EQ(vUEHs[1]->IconoUEHx, 800);
  EXPECT_EQ(vUEHs[1]->IconoUEHy, 600);
  release();
  EXPECT_FALSE(ArrastraUEH);
  move(100, 100);
  EXPECT_EQ(vUEHs[1]->IconoUEHx, 800);

  auto anchor = [](bool dam) {
    return dam ? QPointF(vRepresas[1]->IconoRepresaX, vRepresas[1]->IconoRepresaY)
               : QPointF(vLagos[1]->IconoLAGOx, vLagos[1]->IconoLAGOy);
  };
  for (const bool dam : {true, false}) {
    SCOPED_TRACE(dam ? "dam" : "lake");
    selUEH = selRepresa = selLago = 0;
    const QPointF a = anchor(dam);
    press(static_cast<Single>(a.x() + 5), static_cast<Single>(a.y() + 5));
    ASSERT_EQ(dam ? selRepresa : selLago, 1);
    move(static_cast<Single>(a.x() + 29), static_cast<Single>(a.y() - 29));
    EXPECT_EQ(anchor(dam), a + QPointF(29, -29));
    // One move 30 units ahead leaves it; moving back near it picks it up again.
    move(static_cast<Single>(a.x() + 29), static_cast<Single>(a.y() + 1));
    EXPECT_EQ(anchor(dam), a + QPointF(29, -29));
    move(static_cast<Single>(a.x() + 40), static_cast<Single>(a.y() - 20));
    EXPECT_EQ(anchor(dam), a + QPointF(40, -20));
    release();
  }
}

TEST_F(ArrastreTest, AUnitDraggedByItsHandleIsOfferedTheHeadThenDamsAndLakes) {
  Reach("c-1", "0", {{100, 100}, {100, 300}});
  Dam("r-1", "", {95, 295});  // its symbol also lies within reach of the pointer at c-1's head
  Dam("r-2", "", {595, 595});
  Dam("r-3", "", {600, 600});
  Unit("u-1", "", {300, 100});
  selectTool();
  press(310, 110);
  press(300, 135);  // the link handle, 3.5 symbol sizes below the anchor
  ASSERT_TRUE(ArrastraAcopleUEH);

  // The band runs from the symbol to the pointer.
  editor().picDibujo->clearLog();
  move(200, 200);
  const auto band = ops(DrawOp::Kind::Line, kRojo);
  ASSERT_EQ(band.size(), 1u);
  EXPECT_EQ(band[0].p1, QPointF(300, 115));
  EXPECT_EQ(band[0].p2, QPointF(200, 200));

  // Near the head only the reach is offered; No ends that move, and the next move asks again.
  const QString alCauce = QStringLiteral("Confirma el acople de la UEH <u-1> con el cauce <c-1> | Consulta");
  dialogs.answer(vbNo);
  move(102, 298);
  EXPECT_EQ(shown(), QStringList{alCauce});
  EXPECT_EQ(vUEHs[1]->Cauce_aa, "");
  dialogs.answer(vbYes);
  move(101, 299);
  EXPECT_EQ(shown(), QStringList{alCauce});
  EXPECT_EQ(vUEHs[1]->Cauce_aa, "c-1");
  EXPECT_EQ(vUEHs[1]->XCauce, 100);
  EXPECT_EQ(vUEHs[1]->YCauce, 300);
  EXPECT_EQ(selUEH + selCauce + selRepresa + selLago + selVertice, 0);
  release();
  EXPECT_FALSE(ArrastraAcopleUEH);

  // Away from any head, the dams in range are offered one after the other.
  press(310, 110);
  press(300, 135);
  dialogs.answer(vbNo).answer(vbYes);
  move(603, 603);
  EXPECT_EQ(shown(), QStringList({"Confirma el acople de la UEH <u-1> con la Represa <r-2> | Consulta",
                                  "Confirma el acople de la UEH <u-1> con la Represa <r-3> | Consulta"}));
  EXPECT_EQ(vUEHs[1]->Cauce_aa, "r-3");
  EXPECT_EQ(vUEHs[1]->XCauce, 600);
  release();
}

TEST_F(ArrastreTest, AfterALinkMadeByDraggingOneClickSelectsAnotherUnit) {
  Reach("c-1", "0", {{100, 100}, {100, 300}});
  Unit("u-1", "", {300, 100});
  Unit("u-2", "", {500, 100});
  selectTool();
  // The release that ends the drag reaches the drawing, or goes to the question box instead.
  for (const bool releaseSeen : {true, false}) {
    SCOPED_TRACE(releaseSeen);
    vUEHs[1]->Cauce_aa.clear();
    selUEH = 0;
    press(310, 110);
    release();
    press(300, 135);
    ASSERT_TRUE(ArrastraAcopleUEH);
    dialogs.answer(vbYes);
    move(101, 299);
    EXPECT_EQ(shown().size(), 1);
    ASSERT_EQ(vUEHs[1]->Cauce_aa, "c-1");
    if (releaseSeen) release();
    editor().picDibujo->clearLog();
    press(510, 110);
    EXPECT_EQ(selUEH, 2);
    bool marco = false;  // the selected unit's red frame
    for (const DrawOp& op : ops(DrawOp::Kind::Box, kRojo)) marco = marco || op.p1 == QPointF(500, 100);
    EXPECT_TRUE(marco);
    release();
  }
}

TEST_F(ArrastreTest, ADamOrLakeIsRefusedByAReachThatHasOneOrThatFeedsIt) {
  // l-1 drains into c-1; c-2 drains into r-1; c-3 and c-4 are free.
  Reach("c-1", "0", {{100, 100}, {100, 300}});
  Reach("c-2", "r-1", {{300, 100}, {300, 300}});
  Reach("c-3", "0", {{500, 100}, {500, 300}});
  Dam("r-1", "", {700, 100});
  Lake("l-1", "c-1", {700, 500}, {100, 300});
  selectTool();
  const QString otroRepresa = QStringLiteral(
      "Ya existe otro acople a ese tramo de cauce. Revise el diagrama de conexión de la represa r-1 | ");

  struct Case {
    const char* name;
    bool dam;
    QPointF head;
    QStringList messages;  // after the question, answered Yes
    QString receiver;      // the dragged component's receiver afterwards
  };
  const Case cases[] = {
      {"dam onto a reach a lake drains into", true, {100, 300}, {otroRepresa}, ""},
      {"dam onto a reach that drains into it", true, {300, 300}, {kCiclo}, ""},
      {"lake onto its own receiver again", false, {100, 300}, {}, "c-1"},
      {"dam onto a free reach", true, {500, 300}, {}, "c-3"},
      {"lake onto a reach a dam drains into",
       false,
       {500, 300},
       {"Ya existe otro acople a ese tramo de cauce. Revise el diagrama de conexión del Lagol-1 | "},
       "c-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    selUEH = selCauce = selRepresa = selLago = 0;
    ArrastraAcopleRepresa = ArrastraAcopleLago = false;
    if (c.dam) {
      press(705, 105);
      press(700, 135);
    } else {
      press(700, 495);
      press(700, 535);
    }
    ASSERT_TRUE(c.dam ? ArrastraAcopleRepresa : ArrastraAcopleLago);
    dialogs.answer(vbYes);
    for (int k = 0; k < c.messages.size(); ++k) dialogs.answer(vbOK);
    move(static_cast<Single>(c.head.x() + 3), static_cast<Single>(c.head.y() - 3));
    const QStringList messages = shown();
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages[0].startsWith(c.dam ? "Confirma el acople de la Represa <r-1> con el cauce <"
                                             : "Confirma el acople del LAGO <l-1> con el cauce <"));
    EXPECT_EQ(messages.mid(1), c.messages);
    EXPECT_EQ(c.dam ? vRepresas[1]->Cauce_aa : vLagos[1]->Cauce_aa, c.receiver);
    release();
  }
  EXPECT_EQ(vRepresas[1]->XCauce, 500);
  EXPECT_EQ(vRepresas[1]->YCauce, 300);
}

TEST_F(ArrastreTest, MovesWhileAQuestionWaitsAreNotHandled) {
  Reach("c-1", "0", {{100, 100}, {100, 300}});
  Reach("c-2", "c-1", {{100, 300}, {300, 300}});
  selectTool();
  pickVertex({300, 300}, {100, 300});
  ASSERT_EQ(selVertice, 1);
  // A move arrives while the question is open, as the window system delivers events to the program
  // while a message waits for its answer.
  bool movido = false;
  test::WhenAsked during(dialogs, [&movido](const QString&) {
    if (!std::exchange(movido, true)) move(200, 200);
  });
  InstallDialogs(&during);
  dialogs.answer(vbYes);
  move(150, 320);
  InstallDialogs(&dialogs);
  EXPECT_EQ(shown().size(), 1);
  // The band is where the handled move put it.
  EXPECT_EQ(XVerticeNuevo, 150);
  EXPECT_EQ(YVerticeNuevo, 320);
}

}  // namespace
}  // namespace tavo
