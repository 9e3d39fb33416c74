// The editor window: opening from the main window, loading, resizing, activation and closing through
// the network check and the save question.
#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include "editor_fixture.h"
#include "project/listacomponentes.h"
#include "project/redfiles.h"

namespace tavo {
namespace {

const QString kGuardar =
    QStringLiteral("¿Desea guardar los cambios realizados en los componentes de UEHs ? ");
const QString kTituloGuardar = QStringLiteral("Resguardo de datos de componentes UEHs");
const QString kSinSalida = QStringLiteral(
    "Error, ningun componente ingresado es una sección final de control o de salida del sistema.");
const QString kSinAportes = QStringLiteral("Hay tramos de Cauces sin aportes de UEHs.");
const QString kRepresaSinAportes = QStringLiteral("Hay represas sin aportes de UEHs.");
const QString kGuardado = QStringLiteral(
    "Los datos de componentes de Unidades Hidrológicas del proyecto se han guardado correctamente en el "
    "archivo ");

class FrmUEHsTest : public test::EditorTest {
 protected:
  QByteArray networkFile() const { return test::ReadBytes(dir + "/Rio_UEHs.pcn"); }
  static void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

TEST_F(FrmUEHsTest, MenuOpensTheEditorOnTheProjectShowingEveryComponent) {
  saveNetwork([] {
    Reach("c-Alto", "r-Dique", {{300, 250}, {450, 50}});
    Reach("c-Bajo", "0", {{100, 300}, {250, 200}, {400, 100}});
    Unit("u-Ladera", "l-Laguna", {470, 20}, {450, 50});
    Dam("r-Dique", "c-Bajo", {300, 250}, {400, 100});
    Lake("l-Laguna", "c-Alto", {420, 80}, {450, 50});
  });
  frmUEHs& editor = open();

  ASSERT_TRUE(frmUEHs::isLoaded());
  EXPECT_TRUE(editor.isVisible());
  EXPECT_TRUE(editor.isWindow());  // beside the main window, not inside it
  EXPECT_EQ(editor.windowTitle(), "Diagrama de Unidades Hidrológicas de Estudio y sus componentes");
  EXPECT_TRUE(test::ClippedControls(&editor).isEmpty())
      << test::ClippedControls(&editor).join('\n').toStdString();
  EXPECT_EQ(editor.lblEstado->text(),
            "UEHs : Rio_UEHs.pcn     Proyecto: Rio     Dir: " + dir + "   Config. : Rio_Conf.pcn");
  QStringList names;
  for (const DrawOp& op : ops(DrawOp::Kind::Text)) names << op.text;
  for (const char* name : {"c-Alto ", "c-Bajo ", "u-Ladera", "r-Dique", "l-Laguna"})
    EXPECT_TRUE(names.contains(QString::fromLatin1(name))) << name;
  EXPECT_FLOAT_EQ(TamIcono, 14.8f);  // from the line width 4 that the save's opening left
  EXPECT_EQ(EspesorLinea, 4);
  // The network's 370 units across (reaches and units) fill the view at 51 % of 800.
  EXPECT_EQ(editor.sldEscala->value(), 51);

  // While the editor is the active window the main window is disabled.
  EXPECT_FALSE(main().PrincipalHabilitado());
  main().activateWindow();
  QCoreApplication::processEvents();
  EXPECT_TRUE(main().PrincipalHabilitado());
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(FrmUEHsTest, WithoutAProjectTheMenuShowsTheMessageAndNoEditor) {
  NombreProyecto.clear();
  dialogs.answer(vbOK);
  open();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt,
            "No existe un Proyecto asociado. Debe cargar un Proyecto desde el Menu Opciones de Configuración "
            "o bien "
            "crear un proyecto nuevo");
  EXPECT_EQ(dialogs.records()[0].title, "Proyecto Inexistente...");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_FALSE(frmUEHs::isLoaded());
  EXPECT_TRUE(main().PrincipalHabilitado());
}

TEST_F(FrmUEHsTest, ClosingGoesThroughTheNetworkCheckAndTheSaveQuestion) {
  enum How { kEsc, kSalir, kCloseBox };
  // Besides the unit and reach c-1: nothing, a reach c-2 into c-1 that receives nothing, or that
  // reach and a dam r-2 that receives nothing either, draining through c-3 into c-1 (warnings with c-1
  // still the one outlet).
  enum Extra { kNada, kCauceSinAportes, kCauceYRepresaSinAportes };
  struct Case {
    const char* name;
    const char* outlet;  // receiver of reach c-1; nullptr: an empty network
    Extra extra;
    bool edit;  // the unit's area changed in memory
    How how;
    std::vector<int> answers;
    std::vector<QString> prompts;  // the start of each message, in order
    bool closed;
    bool saved;
  };
  const Case cases[] = {
      {"one outlet, No", "0", kNada, true, kEsc, {vbNo}, {kGuardar}, true, false},
      {"one outlet, Yes", "0", kNada, true, kSalir, {vbYes, vbOK}, {kGuardar, kGuardado}, true, true},
      {"no outlet, go back", "c-1", kNada, true, kEsc, {vbYes}, {kSinSalida}, false, false},
      {"no outlet, go on", "c-1", kNada, true, kEsc, {vbNo, vbNo}, {kSinSalida, kGuardar}, true, false},
      {"close box asks too", "0", kNada, true, kCloseBox, {vbNo}, {kGuardar}, true, false},
      {"close box, go back", "c-1", kNada, true, kCloseBox, {vbYes}, {kSinSalida}, false, false},
      {"empty network: nothing to save", nullptr, kNada, false, kEsc, {}, {}, true, false},
      {"nothing changed since the save", "0", kNada, false, kEsc, {}, {}, true, false},
      {"nothing changed, a warning gone on",
       "0",
       kCauceSinAportes,
       false,
       kEsc,
       {vbNo},
       {kSinAportes},
       true,
       false},
      {"one outlet, a warning, go back",
       "0",
       kCauceSinAportes,
       true,
       kEsc,
       {vbYes},
       {kSinAportes},
       false,
       false},
      {"one outlet, a warning, go on",
       "0",
       kCauceSinAportes,
       true,
       kEsc,
       {vbNo, vbNo},
       {kSinAportes, kGuardar},
       true,
       false},
      {"go back at the first warning: nothing more",
       "0",
       kCauceYRepresaSinAportes,
       true,
       kSalir,
       {vbYes},
       {kSinAportes},
       false,
       false},
      {"go on, then go back",
       "0",
       kCauceYRepresaSinAportes,
       true,
       kEsc,
       {vbNo, vbYes},
       {kSinAportes, kRepresaSinAportes},
       false,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(dir + "/Rio_UEHs.pcn");
    QFile::remove(dir + "/Rio_VerCau.pcn");
    if (c.outlet) {
      saveNetwork([&c] {
        Reach("c-1", c.outlet, {{100, 300}, {200, 200}, {300, 100}});
        Unit("u-1", "c-1", {250, 50}, {300, 100});
        if (c.extra != kNada) Reach("c-2", "c-1", {{300, 100}, {400, 50}});
        if (c.extra == kCauceYRepresaSinAportes) {
          Reach("c-3", "c-1", {{300, 100}, {350, 200}});
          Dam("r-2", "c-3", {350, 250}, {350, 200});
        }
      });
    }
    const QByteArray before = networkFile();
    frmUEHs& editor = open();
    ASSERT_TRUE(frmUEHs::isLoaded());
    if (c.edit) vUEHs[1]->Area = 12;  // an edit in memory

    for (int a : c.answers) dialogs.answer(a);
    if (c.how == kEsc) QTest::keyClick(editor.picDibujo, Qt::Key_Escape);
    if (c.how == kSalir) editor.BotonToolbar("btn_toolbarSalir")->trigger();
    if (c.how == kCloseBox) editor.close();
    settle();

    ASSERT_EQ(dialogs.records().size(), c.prompts.size()) << test::DescribeDialogs(dialogs).toStdString();
    for (size_t i = 0; i < c.prompts.size(); ++i)
      EXPECT_TRUE(dialogs.records()[i].prompt.startsWith(c.prompts[i])) << i;
    for (const auto& r : dialogs.records()) {
      if (r.prompt != kGuardar) continue;
      EXPECT_EQ(r.title, kTituloGuardar);
      EXPECT_EQ(r.style, vbYesNo | vbQuestion);
    }
    EXPECT_EQ(frmUEHs::isLoaded(), !c.closed);
    EXPECT_EQ(networkFile() != before, c.saved);
    if (c.closed) {
      EXPECT_TRUE(main().PrincipalHabilitado());
    } else {
      EXPECT_EQ(vUEHs[1]->Area, 12);  // the edits are still there to go back to
    }
    frmUEHs::unload();
    dialogs.clear();
  }
}

TEST_F(FrmUEHsTest, LoadingSetsTheLineWidthAndTheDrawingExtent) {
  frmUEHs& editor = open();
  EXPECT_EQ(TamIcono, 10.0f);  // from the line width 0 of a first opening
  EXPECT_EQ(editor.sldEscala->value(), 100);
  EXPECT_EQ(editor.picDibujo->scaleWidth(), 800);
  EspesorLinea = 6;
  frmUEHs::unload();
  open();
  EXPECT_FLOAT_EQ(TamIcono, 17.2f);
  EXPECT_EQ(EspesorLinea, 4);

  for (const auto& [extent, view] : {std::pair{"800.5", 800}, {"801.5", 802}, {"1000", 1000}}) {
    frmUEHs::unload();
    writeSettings(QString::fromLatin1(extent));
    open();
    EXPECT_EQ(ExtensionDibujoNum, view) << extent;
    EXPECT_EQ(frmUEHs::object().picDibujo->scaleWidth(), view) << extent;
  }
}

TEST_F(FrmUEHsTest, ResizingMovesThePictureAndTheStatusLineWithinLimits) {
  frmUEHs& editor = open();
  editor.resize(1200, 800);
  settle();
  EXPECT_EQ(editor.picDibujo->geometry(), QRect(40, 26, 1100, 753));
  EXPECT_EQ(editor.lblEstado->y(), 780);
  EXPECT_EQ(editor.ToolbarUEHs->geometry().right(), 1199);
  EXPECT_GT(editor.ToolbarUEHs->x(), editor.picDibujo->geometry().right());

  editor.resize(110, 40);  // 1650 by 600 twips: the picture keeps its size
  settle();
  EXPECT_EQ(editor.picDibujo->size(), QSize(1100, 753));
  EXPECT_EQ(editor.lblEstado->y(), 20);
  editor.resize(110, 30);  // 450 twips high: the status line stays
  settle();
  EXPECT_EQ(editor.lblEstado->y(), 20);
}

TEST_F(FrmUEHsTest, MenuBringsAnOpenEditorToTheFrontWithItsNetworkInMemory) {
  open();
  Unit("u-nueva", "", {10, 10});
  open();
  ASSERT_EQ(colUEHs.size(), 1u);
  EXPECT_EQ(colUEHs[0]->NombreUEH, "u-nueva");
}

}  // namespace
}  // namespace tavo
