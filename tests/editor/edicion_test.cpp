// Adding and deleting components in the editor: names, defaults, the position check and the limits
// of each kind; the tributary check, the renumbering of reaches with their vertices, and the save.
#include <QFile>
#include <QTest>

#include "components/dlgRepresas.h"
#include "editor_fixture.h"

namespace tavo {
namespace {

const QString kGuardado = QStringLiteral(
    "Los datos de componentes de Unidades Hidrológicas del proyecto se han guardado correctamente en el "
    "archivo ");

class EdicionTest : public test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    open();
    fixedView(800);
  }
  frmUEHs& editor() { return frmUEHs::object(); }
  // Draws a two-vertex reach with the reach tool and finishes it with Enter.
  static void drawReach(Single x) {
    tool("btn_toolbarCauce");
    press(x, 100);
    press(x, 200);
    QTest::keyClick(frmUEHs::object().picDibujo, Qt::Key_Return);
  }
  // Reopens the editor on the project's files.
  void reopen() {
    frmUEHs::unload();
    open();
    fixedView(800);
  }
  QStringList prompts() const {
    QStringList all;
    for (const auto& r : dialogs.records()) all << r.prompt;
    return all;
  }
  bool networkFilesExist() const {
    return QFile::exists(dir + "/Rio_UEHs.pcn") || QFile::exists(dir + "/Rio_VerCau.pcn");
  }
};

TEST_F(EdicionTest, NamesArePrefixedCutToFifteenAndUniqueWithinTheirKind) {
  Unit("u-x", "", {500, 500});
  Dam("u-z", "", {600, 600});  // a dam whose name has the unit prefix
  struct Case {
    const char* name;
    const char* tool;  // nullptr: a reach
    std::vector<const char*> answers;
    const char* stored;
  };
  const Case cases[] = {
      {"sixteen letters", nullptr, {"abcdefghijklmnop"}, "c-abcdefghijklm"},
      {"the prefix typed too", "btn_toolbarUEH", {"u-x"}, "u-u-x"},
      {"blanks are a name", nullptr, {"   "}, "c-   "},
      {"a unit's name taken: asked again, without a message", "btn_toolbarUEH", {"x", "y"}, "u-y"},
      {"a dam's name for a unit", "btn_toolbarUEH", {"z"}, "u-z"},
  };
  Single x = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.clear();
    for (const char* a : c.answers) dialogs.answerText(QString::fromUtf8(a));
    if (c.tool) {
      tool(c.tool);
      press(x, 300);
    } else {
      drawReach(x);
    }
    x += 50;
    ASSERT_EQ(dialogs.records().size(), c.answers.size()) << test::DescribeDialogs(dialogs).toStdString();
    for (const auto& r : dialogs.records()) EXPECT_EQ(r.kind, ScriptedDialogs::Kind::Input);
    EXPECT_EQ(NombreNuevo, c.stored);
  }
  EXPECT_EQ(vCauces[1]->NombreCauce, "c-abcdefghijklm");
  EXPECT_EQ(vCauces[2]->NombreCauce, "c-   ");
  EXPECT_EQ(vUEHs[3]->NombreUEH, "u-y");
  EXPECT_EQ(vUEHs[4]->NombreUEH, "u-z");
  EXPECT_EQ(dialogs.records()[0].prompt, "Nombre de la UEH ?");
  EXPECT_EQ(dialogs.records()[0].title, "Agregar una UEH");
}

TEST_F(EdicionTest, EachKindGetsItsDefaults) {
  dialogs.answerText("uno").answerText("dos").answerText("u").answerText("r").answerText("l");
  tool("btn_toolbarCauce");
  for (Single y : {100, 200, 300}) press(100, y);
  QTest::keyClick(editor().picDibujo, Qt::Key_Return);
  drawReach(200);
  tool("btn_toolbarUEH");
  press(300, 300);
  EXPECT_EQ(XAcople, 0);
  tool("btn_toolbarRepresa");
  press(400, 300);
  tool("btn_toolbarLAGO");
  press(500, 300);
  ASSERT_TRUE(dialogs.unexpected().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].title, "Agrega un nuevo Cauce");
  EXPECT_EQ(dialogs.records()[0].prompt, "Nombre del cauce ?");
  EXPECT_EQ(dialogs.records()[3].prompt, "Nombre de la Represa ?");
  EXPECT_EQ(dialogs.records()[3].title, "Agregar una Represa");
  EXPECT_EQ(dialogs.records()[4].prompt, "Nombre de la depresión lagunar/lago/mallin ?");
  EXPECT_EQ(dialogs.records()[4].title, "Agregar una depresión lagunar");

  ASSERT_EQ(nCauces, 2);
  const Cauce& c = *vCauces[2];
  EXPECT_EQ(c.numCauce, 2);
  EXPECT_EQ(c.IndiceParInicial, 4);  // after the three vertices of reach 1
  EXPECT_EQ(c.numVertices, 2);
  EXPECT_EQ(c.Cauce_aa, "0");
  EXPECT_TRUE(c.optDirMusk);
  const UEH& u = *vUEHs[1];
  EXPECT_EQ(u.NombreUEH, "u-u");
  EXPECT_EQ(u.Metodo.toString(), "Directo");
  EXPECT_EQ(u.IconoUEHx, 300);
  EXPECT_EQ(u.Cauce_aa, "");
  const Represa& r = *vRepresas[1];
  EXPECT_EQ(r.Metodo.toString(), "Piscina Nivelada");
  EXPECT_TRUE(r.optTabla);
  EXPECT_EQ(r.IconoRepresaY, 300);
  const Lago& l = *vLagos[1];
  EXPECT_EQ(l.Metodo.toString(), "Directo");
  EXPECT_EQ(l.YCauce.toSingle(), 0);
  EXPECT_EQ(l.IconoLAGOx, 500);

  // Nothing is saved until the user saves; then everything reads back as it was.
  EXPECT_FALSE(networkFilesExist());
  dialogs.answer(vbOK);
  tool("btn_toolbarGuardaUEHs");
  reopen();
  ASSERT_EQ(nCauces, 2);
  EXPECT_EQ(vCauces[2]->IndiceParInicial, 4);
  EXPECT_EQ(vLagos[1]->Metodo.toString(), "Directo");
  EXPECT_TRUE(vRepresas[1]->optTabla);
}

TEST_F(EdicionTest, AnAbandonedComponentLeavesTheNetworkInMemoryAndTheFilesAsTheyWere) {
  saveNetwork([] {
    Unit("u-a", "", {100, 100});
    Dam("r-a", "", {200, 200});
  });
  reopen();
  const QByteArray files = test::ReadBytes(dir + "/Rio_UEHs.pcn") + test::ReadBytes(dir + "/Rio_VerCau.pcn");
  vUEHs[1]->Area = 7;  // an edit not saved yet

  // The position of another unit: its message, and the new unit is gone again.
  dialogs.answer(vbOK);
  tool("btn_toolbarUEH");
  press(100, 100);
  EXPECT_EQ(prompts(),
            QStringList({"Ya existe la UEH <u-a> en esa posición. Cambie la posición con el mouse"}));
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(nUEHs, 1);
  EXPECT_EQ(colUEHs.size(), 1u);
  EXPECT_EQ(vUEHs[2], nullptr);
  EXPECT_EQ(selUEH, 0);

  // An empty name for a dam: no recommendation, no dam dialog, nothing saved.
  dialogs.clear();
  dialogs.answerText("");
  tool("btn_toolbarRepresa");
  press(300, 300);
  EXPECT_EQ(prompts(), QStringList({"Nombre de la Represa ?"}));
  EXPECT_EQ(nRepresas, 1);
  EXPECT_EQ(colRepresas.size(), 1u);
  EXPECT_FALSE(dlgRepresas::isLoaded());

  // An empty reach name: nothing of the reach is left in memory.
  dialogs.clear();
  dialogs.answerText("");
  drawReach(400);
  EXPECT_EQ(prompts(), QStringList({"Nombre del cauce ?"}));
  EXPECT_EQ(nCauces, 0);
  EXPECT_TRUE(colCauces.empty());

  // The files are as they were saved; the edit waits in memory for Guarda or the closing question.
  EXPECT_EQ(test::ReadBytes(dir + "/Rio_UEHs.pcn") + test::ReadBytes(dir + "/Rio_VerCau.pcn"), files);
  EXPECT_EQ(vUEHs[1]->Area, 7);
  dialogs.clear();
  dialogs.answerText("b");
  tool("btn_toolbarUEH");
  press(300, 100);
  EXPECT_EQ(nUEHs, 2);
  EXPECT_EQ(vUEHs[2]->NombreUEH, "u-b");
  EXPECT_EQ(vUEHs[2]->numUEH, 2);
}

TEST_F(EdicionTest, AddingKeepsTheViewUnlessTheNewComponentLiesOutsideIt) {
  saveNetwork([] {
    Reach("c-1", "0", {{1000, 1000}, {1400, 1200}});
    Unit("u-1", "c-1", {1200, 1100}, {1400, 1200});
  });
  frmUEHs::unload();
  open();  // the view fits the whole network, as every opening does
  frmUEHs& ed = editor();
  struct Vista {
    double left, top, width, height;
    int zoom;
    bool operator==(const Vista&) const = default;
  };
  auto vista = [&ed] {
    const PictureBox* p = ed.picDibujo;
    return Vista{p->scaleLeft(), p->scaleTop(), p->scaleWidth(), p->scaleHeight(), ed.sldEscala->value()};
  };
  const Vista abierta = vista();
  ASSERT_LT(abierta.left, 1000);
  ASSERT_GT(abierta.top, 850);

  // A unit and a dam placed inside the view but beyond the network's extent: the view, and every
  // place on it, stays where it was.
  dialogs.answerText("nueva").answerText("dique").answerText("lejos").answerText("corto");
  tool("btn_toolbarUEH");
  press(1010, 890);
  EXPECT_EQ(vista(), abierta);
  tool("btn_toolbarRepresa");
  press(1350, 1250);
  EXPECT_EQ(vista(), abierta);

  // Enter places a unit at half the extent's width and height, outside the view: the view shows it.
  tool("btn_toolbarUEH");
  QTest::keyClick(ed.picDibujo, Qt::Key_Return);
  ASSERT_EQ(nUEHs, 3);
  EXPECT_EQ(vUEHs[3]->IconoUEHx, 200);
  EXPECT_LE(ed.picDibujo->scaleLeft(), 200);
  EXPECT_LE(ed.picDibujo->scaleTop(), 155);
  const Vista toda = vista();

  // A reach drawn inside that view keeps it too, and so do the redraws after it until a view control
  // changes it: the next click selects the first new unit where it was placed.
  tool("btn_toolbarCauce");
  press(1300, 1250);
  press(1350, 1300);
  QTest::keyClick(ed.picDibujo, Qt::Key_Return);
  ASSERT_EQ(nCauces, 2);
  EXPECT_EQ(vista(), toda);
  ASSERT_TRUE(dialogs.unexpected().empty()) << test::DescribeDialogs(dialogs).toStdString();
  tool("btn_toolbarSelecciona");
  press(1015, 895);
  EXPECT_EQ(selUEH, 2);
  EXPECT_EQ(vista(), toda);
  ed.mnu_ZoomAll_Click();
  EXPECT_NE(vista(), toda);
}

// As a user does: the slider zooms in, the reach tool is chosen on the toolbar, a click and a double
// click draw a reach inside the view. The view stays; a double click on empty drawing fits it again.
TEST_F(EdicionTest, AReachFinishedByDoubleClickKeepsTheZoomTheUserChose) {
  saveNetwork([] { Reach("c-1", "0", {{1000, 1000}, {1400, 1200}}); });
  frmUEHs::unload();
  open();
  frmUEHs& ed = editor();
  const PictureBox* p = ed.picDibujo;
  auto vista = [&] { return QRectF(p->scaleLeft(), p->scaleTop(), p->scaleWidth(), p->scaleHeight()); };
  auto at = [&](double fx, double fy) {
    const QRectF v = vista();
    return p->toPixels(QPointF(v.left() + fx * v.width(), v.top() + fy * v.height())).toPoint();
  };
  auto toolbar = [&](const char* key) {
    QTest::mouseClick(ed.ToolbarUEHs->widgetForAction(ed.BotonToolbar(key)), Qt::LeftButton);
  };
  const QRectF ajustada = vista();
  QTest::keyClick(ed.sldEscala, Qt::Key_PageDown);
  QCoreApplication::processEvents();
  const QRectF elegida = vista();
  ASSERT_NE(elegida, ajustada);

  toolbar("btn_toolbarCauce");
  dialogs.answerText("nuevo");
  // A double click is a click, then the second press that the toolkit turns into the double click.
  auto doubleClick = [&](QPoint p) {
    QTest::mouseClick(ed.picDibujo, Qt::LeftButton, {}, p);
    QTest::mouseDClick(ed.picDibujo, Qt::LeftButton, {}, p);
  };
  QTest::mouseClick(ed.picDibujo, Qt::LeftButton, {}, at(0.2, 0.2));
  doubleClick(at(0.3, 0.25));
  ASSERT_EQ(nCauces, 2);
  EXPECT_EQ(vCauces[2]->NombreCauce, "c-nuevo");
  EXPECT_EQ(numVerticesCauce(2), 2);
  EXPECT_EQ(vista(), elegida);

  toolbar("btn_toolbarSelecciona");
  doubleClick(at(0.9, 0.9));
  EXPECT_EQ(selCauce, 0);
  const QRectF toda = vista();
  EXPECT_NE(toda, elegida);
  ed.ItemMenuDibujo("mnu_ZoomAll")->trigger();
  EXPECT_EQ(vista(), toda);
  EXPECT_TRUE(dialogs.unexpected().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(EdicionTest, AKindBeyondItsLimitIsRefusedBeforeAnyChange) {
  struct Case {
    const char* tool;
    const char* message;
    std::function<void(int)> add;
    Integer* count;
    int limit;
  };
  const Case cases[] = {
      {"btn_toolbarUEH", "No se pueden ingresar más de 70 UEHs",
       [](int k) {
         Unit(QString("u-%1").arg(k), "", {1.0 * k, 1});
       },
       &nUEHs, 70},
      {"btn_toolbarLAGO", "No se pueden ingresar más de 70 lagos",
       [](int k) {
         Lake(QString("l-%1").arg(k), "", {1.0 * k, 1});
       },
       &nLagos, 70},
      {"btn_toolbarRepresa", "No se pueden ingresar más de 20 represas",
       [](int k) {
         Dam(QString("r-%1").arg(k), "", {1.0 * k, 1});
       },
       &nRepresas, 20},
      {"btn_toolbarCauce", "No se pueden ingresar más de 70 tramos de cauce",
       [](int k) {
         Reach(QString("c-%1").arg(k), "0", {{1.0 * k, 1}, {1.0 * k, 2}});
       },
       &nCauces, 70},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    for (int k = 1; k <= c.limit; ++k) c.add(k);
    dialogs.clear();
    dialogs.answer(vbOK);
    tool(c.tool);
    press(700, 700);
    ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_EQ(dialogs.records()[0].prompt, c.message);
    EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
    EXPECT_EQ(*c.count, c.limit);
    EXPECT_EQ(nVerticesTrazado, 0);
  }
  EXPECT_EQ(colUEHs.size(), 70u);
  EXPECT_EQ(colRepresas.size(), 20u);
  EXPECT_EQ(colCauces.size(), 70u);
}

TEST_F(EdicionTest, AComponentSomethingDrainsIntoIsNotDeleted) {
  Reach("c-1", "0", {{10, 10}, {20, 20}});
  Reach("c-2", "r-1", {{30, 30}, {40, 40}});
  Unit("u-1", "c-1", {50, 50}, {20, 20});
  Dam("r-1", "", {60, 60});
  Lake("l-1", "", {70, 70});
  Unit("u-2", "l-1", {80, 80}, {70, 70});
  Unit("u-3", "", {90, 90});  // an empty receiver names nothing
  redraw();
  struct Case {
    Integer* selection;
    const char* prompt;
    const char* title;
  };
  const Case cases[] = {
      {&selCauce,
       "Para eliminar el Cauce <c-1> debe desacoplarse primero todo componente tributario (UEH o Cauce)",
       "Desacoplar el Cauce a eliminar"},
      {&selRepresa,
       "Para eliminar el Represa <r-1> debe desacoplarse primero todo componente tributario (UEH o Cauce)",
       "Desacoplar el Represa a eliminar"},
      {&selLago,
       "Para eliminar el Lago <l-1> debe desacoplarse primero todo componente tributario (UEH o Cauce)",
       "Desacoplar el Lago a eliminar"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    dialogs.clear();
    dialogs.answer(vbOK);
    *c.selection = 1;
    QTest::keyClick(editor().picDibujo, Qt::Key_Delete);
    ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_EQ(dialogs.records()[0].prompt, c.prompt);
    EXPECT_EQ(dialogs.records()[0].title, c.title);
    EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
    *c.selection = 0;
  }
  EXPECT_EQ(nCauces + nUEHs + nRepresas + nLagos, 2 + 3 + 1 + 1);
  EXPECT_FALSE(networkFilesExist());
}

TEST_F(EdicionTest, DeletingAReachMovesTheLaterReachesDownWithTheirVertices) {
  auto fourReaches = [](bool withSecond) {
    Reach("c-1", "0", {{10, 10}, {20, 20}})->optDirMusk = true;
    if (withSecond) Reach("c-2", "0", {{30, 30}, {40, 40}, {50, 50}})->optDirMusk = true;
    Reach("c-3", "c-1", {{20, 20}, {60, 60}})->optDirMusk = true;
    auto c4 = Reach("c-4", "0", {{70, 70}, {80, 80}, {90, 90}, {95, 95}});
    c4->LongCauce = 1500;
    c4->VelMediaCauce = 1.5f;
    c4->Cauce_k_Musk = 30;
    c4->Cauce_n_Musk = 0.2f;
    Unit("u-1", "c-4", {100, 100}, {95, 95});
  };
  saveNetwork([&] { fourReaches(true); });
  reopen();
  selCauce = 2;
  dialogs.answer(vbOK);
  QTest::keyClick(editor().picDibujo, Qt::Key_Delete);
  ASSERT_EQ(prompts().size(), 1);
  EXPECT_TRUE(prompts()[0].startsWith(kGuardado));
  EXPECT_EQ(selCauce, 0);
  ASSERT_EQ(nCauces, 3);
  EXPECT_EQ(vCauces[3]->NombreCauce, "c-4");
  EXPECT_EQ(vCauces[3]->IndiceParInicial, 5);

  // The files are those of the three reaches saved from the start, each first vertex counted anew.
  EXPECT_EQ(test::ReadBytes(dir + "/Rio_VerCau.pcn"),
            "10,10\r\n20,20\r\n20,20\r\n60,60\r\n70,70\r\n80,80\r\n90,90\r\n95,95\r\n");
  const QByteArray saved = test::ReadBytes(dir + "/Rio_UEHs.pcn");
  frmUEHs::unload();
  QDir(dir).mkdir("esperado");
  DirTrabajo = dir + "/esperado";
  saveNetwork([&] {
    fourReaches(false);
    vCauces[2]->IndiceParInicial = 3;
    vCauces[3]->IndiceParInicial = 5;
  });
  EXPECT_EQ(saved, test::ReadBytes(DirTrabajo + "/Rio_UEHs.pcn"));
}

TEST_F(EdicionTest, DeletingTheOnlyComponentLeavesNoNetworkFiles) {
  saveNetwork([] { Unit("u-1", "", {100, 100}); });
  reopen();
  ASSERT_TRUE(networkFilesExist());
  selUEH = 1;
  QTest::keyClick(editor().picDibujo, Qt::Key_Delete);
  EXPECT_TRUE(dialogs.records().empty());
  EXPECT_FALSE(networkFilesExist());
  EXPECT_EQ(nUEHs, 0);
  redraw();
  EXPECT_TRUE(ops(DrawOp::Kind::Text).empty());
}

TEST_F(EdicionTest, DeletingADamWhileOthersRemainRecommendsCheckingThemAndOpensTheirDialog) {
  saveNetwork([] {
    Dam("r-1", "", {100, 100});
    Dam("r-2", "", {200, 200});
  });
  reopen();
  for (int left : {1, 0}) {
    dialogs.clear();
    if (left > 0) dialogs.answer(vbOK).answer(vbOK);
    selRepresa = 1;
    QTest::keyClick(editor().picDibujo, Qt::Key_Delete);
    EXPECT_EQ(nRepresas, left);
    // The dam dialog opens on the dams left, over the disabled editor.
    ASSERT_EQ(dlgRepresas::isLoaded(), left > 0);
    if (left > 0) {
      EXPECT_EQ(dlgRepresas::object().lblNombreRepresa->text(), "r-2");
      EXPECT_FALSE(editor().isEnabled());
      dlgRepresas::object().CancelButton->click();
      EXPECT_TRUE(editor().isEnabled());
    }
  }
  EXPECT_EQ(vRepresas[1]->NombreRepresa, "r-2");
}

// A user builds a network from nothing, saves it and opens the project again.
TEST_F(EdicionTest, ANetworkDrawnFromNothingIsTheSameAfterReopeningTheProject) {
  frmUEHs& ed = editor();
  auto click = [&](Single x, Single y) {
    QTest::mouseClick(ed.picDibujo, Qt::LeftButton, {}, ed.picDibujo->toPixels(QPointF(x, y)).toPoint());
  };
  dialogs.answerText("Ladera").answerText("Principal").answerText("Dique").answer(vbOK);
  QTest::mouseClick(ed.ToolbarUEHs->widgetForAction(ed.BotonToolbar("btn_toolbarUEH")), Qt::LeftButton);
  click(100, 100);
  QTest::mouseClick(ed.ToolbarUEHs->widgetForAction(ed.BotonToolbar("btn_toolbarCauce")), Qt::LeftButton);
  click(400, 500);
  click(300, 300);
  click(200, 150);
  QTest::keyClick(ed.picDibujo, Qt::Key_Return);
  QTest::mouseClick(ed.ToolbarUEHs->widgetForAction(ed.BotonToolbar("btn_toolbarRepresa")), Qt::LeftButton);
  click(450, 550);
  QTest::mouseClick(ed.ToolbarUEHs->widgetForAction(ed.BotonToolbar("btn_toolbarGuardaUEHs")),
                    Qt::LeftButton);
  ASSERT_TRUE(dialogs.unexpected().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(prompts().last().startsWith(kGuardado));
  EXPECT_FALSE(ed.BotonToolbar("btn_toolbarGuardaUEHs")->isChecked());

  struct Red {
    QStringList names;
    std::vector<Single> positions;
    bool operator==(const Red&) const = default;
  };
  auto network = [] {
    Red red;
    for (const auto& c : colCauces) {
      red.names << c->NombreCauce << c->Cauce_aa << QString::number(c->numVertices);
      for (int j = 1; j <= numVerticesCauce(c->numCauce); ++j) {
        red.positions.push_back(XVertice(c->numCauce, j));
        red.positions.push_back(YVertice(c->numCauce, j));
      }
    }
    for (const auto& u : colUEHs) {
      red.names << u->NombreUEH << u->Cauce_aa << u->Metodo.toString();
      red.positions.insert(red.positions.end(), {u->IconoUEHx, u->IconoUEHy, u->XCauce, u->YCauce});
    }
    for (const auto& r : colRepresas) {
      red.names << r->NombreRepresa << r->Cauce_aa << r->Metodo.toString();
      red.positions.insert(red.positions.end(), {r->IconoRepresaX, r->IconoRepresaY});
    }
    return red;
  };
  const Red drawn = network();
  EXPECT_EQ(drawn.names, QStringList({"c-Principal", "0", "3", "u-Ladera", "", "Directo", "r-Dique", "",
                                      "Piscina Nivelada"}));

  // Closed with each finding of the check answered "go on" and no save question, since nothing
  // changed after the save; then the project is opened from the main window and the editor with it.
  for (int k = 0; k < 3; ++k) dialogs.answer(vbNo);
  QTest::keyClick(ed.picDibujo, Qt::Key_Escape);
  QCoreApplication::processEvents();
  ASSERT_FALSE(frmUEHs::isLoaded()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.pendingAnswers(), 0);
  dialogs.answerText(dir + "/Rio_Conf.pcn");
  main().mnuAbrirProyecto->trigger();
  EXPECT_TRUE(colCauces.empty());
  open();
  EXPECT_EQ(network(), drawn);
  EXPECT_TRUE(dialogs.unexpected().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

}  // namespace
}  // namespace tavo
