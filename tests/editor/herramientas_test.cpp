// The editor's toolbar and view controls: tools that release each other, clearing and saving the
// network, the line width, the background picture, the stream-order labels, zoom and centring.
#include <QFile>
#include <QImage>
#include <QTest>

#include "editor_fixture.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "shell/frmImagenFondo.h"

namespace tavo {
namespace {

const QColor kCeleste(140, 255, 255);
const QString kSinImagen = QStringLiteral(
    "Para desplegar una imágen de fondo de trabajo debe cargar previamente el archivo imagen (tipo .jpg .gif "
    ".bmp y "
    ".wmf) desde el menú Opciones de Configuración");

class HerramientasTest : public test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    open();
    fixedView(800);
  }
  frmUEHs& editor() { return frmUEHs::object(); }
  bool pressed(const char* key) { return editor().BotonToolbar(QString::fromLatin1(key))->isChecked(); }
  bool networkFilesExist() const {
    return QFile::exists(dir + "/Rio_UEHs.pcn") || QFile::exists(dir + "/Rio_VerCau.pcn");
  }
};

TEST_F(HerramientasTest, ToolsReleaseEachOtherAndClearTheSelections) {
  EXPECT_FALSE(pressed("btn_toolbarUEH") || pressed("btn_toolbarSelecciona"));  // none at opening
  tool("btn_toolbarCauce");
  EXPECT_TRUE(pressed("btn_toolbarCauce"));
  EXPECT_EQ(editor().cursor().shape(), Qt::CrossCursor);
  selCauce = selUEH = 1;
  tool("btn_toolbarSelecciona");
  EXPECT_TRUE(pressed("btn_toolbarSelecciona"));
  EXPECT_FALSE(pressed("btn_toolbarCauce"));
  EXPECT_EQ(editor().cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(selCauce + selUEH, 0);
  tool("btn_toolbarCauce");
  EXPECT_FALSE(pressed("btn_toolbarSelecciona"));
  tool("btn_toolbarCauce");  // a tool stays pressed when clicked again
  EXPECT_TRUE(pressed("btn_toolbarCauce"));
  tool("btn_toolbarLAGO");
  EXPECT_FALSE(pressed("btn_toolbarCauce"));
  EXPECT_TRUE(pressed("btn_toolbarLAGO"));

  // The measuring tool starts a new polyline.
  nPuntosMedida = 3;
  tool("btn_toolbarLongArea");
  EXPECT_EQ(nPuntosMedida, 0);
  tool("btn_toolbarSelecciona");
  tool("btn_toolbarSelecciona");  // the select button toggles
  EXPECT_FALSE(pressed("btn_toolbarSelecciona"));
}

TEST_F(HerramientasTest, ClearingEmptiesTheNetworkInMemoryAndTheNextSaveDeletesItsFiles) {
  saveNetwork([] {
    Reach("c-1", "0", {{10, 10}, {20, 20}});
    Dam("r-1", "c-1", {30, 30}, {20, 20});
  });
  // The dams' table file in the working folder, and one of its name in the current folder.
  const QString tables[] = {dir + "/Rio_RHQ.pcn", programDir() + "/Rio_RHQ.pcn"};
  for (const QString& file : tables) test::WriteBytes(file, "tabla");
  frmUEHs::unload();
  open();
  ChDir(programDir());

  dialogs.answer(vbNo);
  tool("btn_toolbarBorraTodo");
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "¿Desea borrar todos los componentes de UEHs ?:");
  EXPECT_EQ(dialogs.records()[0].title, "ADVERTENCIA ! ");
  EXPECT_EQ(dialogs.records()[0].style, vbYesNo | vbQuestion);
  EXPECT_FALSE(pressed("btn_toolbarBorraTodo"));
  EXPECT_EQ(nCauces + nRepresas, 2);

  dialogs.answer(vbYes);
  tool("btn_toolbarBorraTodo");
  EXPECT_FALSE(pressed("btn_toolbarBorraTodo"));
  EXPECT_EQ(nCauces + nRepresas, 0);
  EXPECT_TRUE(colCauces.empty() && colRepresas.empty());
  redraw();
  EXPECT_TRUE(ops(DrawOp::Kind::Text).empty());
  // Nothing is deleted on disk until the save.
  EXPECT_TRUE(networkFilesExist());
  for (const QString& file : tables) EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
  tool("btn_toolbarGuardaUEHs");
  EXPECT_FALSE(networkFilesExist());
  for (const QString& file : tables) EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
  EXPECT_FALSE(pressed("btn_toolbarGuardaUEHs"));
  EXPECT_EQ(dialogs.records().size(), 2u);
}

TEST_F(HerramientasTest, LineWidthCyclesWithTheSymbolSize) {
  Reach("c-1", "0", {{10, 10}, {100, 100}});
  const struct {
    int width;
    float size;
  } steps[] = {{6, 13}, {9, 17.5f}, {14, 25}, {2, 7}, {3, 8.5f}, {4, 10}};
  for (const auto& step : steps) {
    editor().picDibujo->clearLog();
    QTest::mouseClick(editor().cmdAnchoLineaDib, Qt::LeftButton);
    EXPECT_EQ(EspesorLinea, step.width);
    EXPECT_FLOAT_EQ(TamIcono, step.size);
    const auto under = ops(DrawOp::Kind::Line, kCeleste);  // redrawn at the new width
    ASSERT_EQ(under.size(), 1u);
    EXPECT_EQ(under[0].width, step.width);
  }
}

TEST_F(HerramientasTest, ViewControlsSetTheViewFlagsAndSomeSelections) {
  Reach("c-1", "0", {{100, 100}, {300, 300}});
  Lake("l-1", "", {500, 500});
  const QColor kRojo(255, 0, 0);
  auto lakeHighlighted = [&] {
    for (const DrawOp& op : ops(DrawOp::Kind::Circle)) {
      if (op.arc && op.color == kRojo) return true;
    }
    return false;
  };

  selCauce = selLago = 1;
  editor().picDibujo->clearLog();
  editor().mnu_DibujoSec->findChild<QAction*>("mnu_ZoomAll")->trigger();
  EXPECT_TRUE(CentrarVista && ZoomTotal);
  EXPECT_EQ(selCauce, 0);
  EXPECT_EQ(selLago, 1);
  EXPECT_TRUE(lakeHighlighted());
  EXPECT_EQ(editor().sldEscala->value(), 28);  // 200 units across fill 1 / 1.1 of the view

  // A scroll bar turns both flags off: the zoom stays where the slider is.
  editor().ScrEscalaVer->setValue(editor().ScrEscalaVer->value() + 20);
  EXPECT_FALSE(CentrarVista || ZoomTotal);
  redraw();
  EXPECT_EQ(editor().sldEscala->value(), 28);

  editor().picDibujo->clearLog();
  editor().mnu_DibujoSec->findChild<QAction*>("mnu_CentrarDibujo")->trigger();
  EXPECT_TRUE(CentrarVista);
  EXPECT_FALSE(ZoomTotal);
  EXPECT_EQ(selLago, 0);
  EXPECT_FALSE(lakeHighlighted());

  // Moving the slider centres at the chosen zoom.
  ZoomTotal = true;
  QTest::keyClick(editor().sldEscala, Qt::Key_PageDown);
  QCoreApplication::processEvents();
  EXPECT_TRUE(CentrarVista);
  EXPECT_FALSE(ZoomTotal);
  EXPECT_NE(editor().sldEscala->value(), 28);
  EXPECT_FLOAT_EQ(editor().picDibujo->scaleWidth(), editor().sldEscala->value() * 8.0);
}

TEST_F(HerramientasTest, BackgroundPictureShowsAndHidesWithoutLosingEdits) {
  // The setting "Ninguno", then a file that is missing: the message, and nothing shown.
  for (const QString& setting : {QStringLiteral("Ninguno"), QStringLiteral("falta.jpg")}) {
    ArchivoImagenFondo = setting;
    dialogs.answer(vbOK);
    QTest::mouseClick(editor().cmdImagenUEHs, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].prompt, kSinImagen);
    EXPECT_FALSE(ImagenVisible);
    EXPECT_EQ(editor().cmdImagenUEHs->text(), "Imágen");
    dialogs.clear();
  }

  QImage picture(96, 48, QImage::Format_RGB32);
  picture.fill(Qt::darkGreen);
  ASSERT_TRUE(picture.save(dir + "/plano.bmp"));
  ArchivoImagenFondo = dir + "/plano.bmp";
  Unit("u-sin-guardar", "", {40, 40});  // an edit not saved

  QTest::mouseClick(editor().cmdImagenUEHs, Qt::LeftButton);
  EXPECT_TRUE(ImagenVisible);
  EXPECT_EQ(editor().cmdImagenUEHs->text(), "Quitar Imágen");
  EXPECT_EQ(AnchoImagen, 169);  // 2540 HiMetric / 15 twips a pixel
  EXPECT_EQ(AltoImagen, 85);
  EXPECT_EQ(ops(DrawOp::Kind::Picture).size(), 1u);
  ASSERT_EQ(nUEHs, 1);

  editor().picDibujo->clearLog();
  QTest::mouseClick(editor().cmdImagenUEHs, Qt::LeftButton);
  EXPECT_FALSE(ImagenVisible);
  EXPECT_EQ(editor().cmdImagenUEHs->text(), "Mostrar Imágen");
  EXPECT_TRUE(ops(DrawOp::Kind::Picture).empty());
  ASSERT_EQ(nUEHs, 1);
  EXPECT_EQ(vUEHs[1]->NombreUEH, "u-sin-guardar");
}

TEST_F(HerramientasTest, StreamOrdersAreLabelledAtTheSecondVertexUntilTheNextRedraw) {
  Reach("c-1", "0", {{100, 100}, {200, 200}, {300, 300}});
  Reach("c-2", "c-1", {{300, 300}, {400, 500}});
  Reach("c-3", "c-1", {{300, 300}, {500, 400}});
  Reach("c-4", "0", {{600, 600}});  // one vertex: no label
  editor().picDibujo->clearLog();
  QTest::mouseClick(editor().cmdOrdenCauce, Qt::LeftButton);
  EXPECT_TRUE(MuestraOrden);
  EXPECT_EQ(vCauces[1]->OrdenCauce, 2);
  std::vector<DrawOp> labels;
  for (const DrawOp& op : ops(DrawOp::Kind::Text)) {
    if (!op.text.startsWith("c-")) labels.push_back(op);
  }
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0].text, " 2 ");
  EXPECT_EQ(labels[0].p1, QPointF(200 - 1.5 * 16, 200));
  EXPECT_TRUE(labels[0].bold);
  EXPECT_EQ(labels[1].text, " 1 ");
  EXPECT_FALSE(editor().picDibujo->fontBold());
  EXPECT_EQ(editor().cursor().shape(), Qt::ArrowCursor);

  // The widened reaches stay, the labels go with the next redraw; a second click turns orders off.
  redraw();
  EXPECT_EQ(ops(DrawOp::Kind::Text).size(), 3u);
  EXPECT_EQ(ops(DrawOp::Kind::Line, kCeleste)[2].width, 2);  // c-2, of order 1
  QTest::mouseClick(editor().cmdOrdenCauce, Qt::LeftButton);
  EXPECT_FALSE(MuestraOrden);
}

TEST_F(HerramientasTest, ReachAndMeasureToolsDrawOnFromTheirLastPoint) {
  Reach("c-1", "0", {{500, 500}, {600, 600}});
  const QColor kAzul(0, 0, 255);
  const QColor kMagenta(200, 0, 200);
  for (const auto& [key, colour] :
       {std::pair{"btn_toolbarCauce", kAzul}, std::pair{"btn_toolbarLongArea", kMagenta}}) {
    SCOPED_TRACE(key);
    tool(key);
    press(10, 10);
    QTest::mouseClick(editor().cmdOrdenCauce, Qt::LeftButton);  // redraws and prints a label elsewhere
    editor().picDibujo->clearLog();
    press(50, 50);
    const auto lines = ops(DrawOp::Kind::Line, colour);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].p1, QPointF(10, 10));
    EXPECT_EQ(lines[0].p2, QPointF(50, 50));
  }
  EXPECT_EQ(nPuntosMedida, 2);
  EXPECT_EQ(XMedida(2), 50);
}

}  // namespace
}  // namespace tavo
