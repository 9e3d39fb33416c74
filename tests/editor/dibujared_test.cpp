// The redraw of the network, the symbols of units, dams and lakes, and the highlight of the selected
// reaches, asserted on the recorded drawing in drawing units.
#include <QImage>

#include "editor_fixture.h"
#include "project/configuracion.h"
#include "shell/frmImagenFondo.h"

namespace tavo {
namespace {

const QColor kCeleste(140, 255, 255);
const QColor kAzul(0, 0, 255);
const QColor kRojo(255, 0, 0);
const QColor kGris(160, 160, 160);
const QColor kVerde(0, 255, 0);
const QColor kNegro(0, 0, 0);
const QColor kTierra(150, 120, 100);
const QColor kMagenta(200, 0, 200);

QPointF Centre(const DrawOp& box) {
  return (box.p1 + box.p2) / 2;
}
double Side(const DrawOp& box) {
  return box.p2.x() - box.p1.x();
}

// The editor open on an empty network, the view at the origin and 800 units wide (T = 16).
class DibujaRedTest : public test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    open();
    fixedView();
  }
  static void fixedView() {
    ZoomTotal = false;
    CentrarVista = false;
    ExtensionDibujoNum = 800;
  }
  static void clearNetwork() {
    colCauces.clear();
    colUEHs.clear();
    colRepresas.clear();
    colLagos.clear();
    nCauces = nUEHs = nRepresas = nLagos = 0;
  }
  frmUEHs& editor() { return frmUEHs::object(); }
};

TEST_F(DibujaRedTest, ZoomFitsTheLargerSideWithinTheSlidersRange) {
  ZoomTotal = true;
  CentrarVista = true;
  struct Case {
    std::vector<QPointF> reach;  // empty: one unit and no reach
    int zoom;
  };
  const Case cases[] = {
      {{{100, 100}, {740, 300}}, 88},  // 640 wide, 200 high
      {{{100, 100}, {300, 740}}, 88},  // 200 wide, 640 high
      {{{0, 0}, {5, 0}}, 10},          // fits at 1 %: the slider's least
      {{{0, 0}, {50000, 0}}, 500},     // fits at 6875 %: the slider's most
      {{}, 100},                       // no reach: always 100
  };
  for (const Case& c : cases) {
    clearNetwork();
    if (c.reach.empty()) {
      Unit("u-1", "", {50, 50});
    } else {
      Reach("c-1", "0", {c.reach[0], c.reach[1]});
    }
    redraw();
    EXPECT_EQ(editor().sldEscala->value(), c.zoom) << c.zoom;
    // The drawing goes on after the zoom: the reach and the unit are drawn.
    EXPECT_EQ(ops(DrawOp::Kind::Line, kCeleste).size(), c.reach.empty() ? 0u : 1u) << c.zoom;
    EXPECT_EQ(ops(DrawOp::Kind::Text).size(), 1u) << c.zoom;
  }
  // The view is centred on the extent: 640 wide at 88 % of 800 leaves 32 on each side.
  clearNetwork();
  Reach("c-1", "0", {{100, 100}, {740, 300}});
  redraw();
  EXPECT_FLOAT_EQ(editor().picDibujo->scaleWidth(), 704);
  EXPECT_FLOAT_EQ(editor().picDibujo->scaleLeft(), 68);
  EXPECT_FLOAT_EQ(editor().picDibujo->scaleTop(), 100 - (704 - 200) / 2.0);
}

TEST_F(DibujaRedTest, PickToleranceIsTwoPercentOfTheView) {
  for (const auto& [view, tolerance] : {std::pair{800, 16}, {875, 18}, {120, 2}}) {
    ExtensionDibujoNum = view;
    redraw();
    EXPECT_EQ(TolSeleccion, tolerance) << view;
    EXPECT_EQ(editor().picDibujo->scaleLeft(), 0);
    EXPECT_EQ(editor().picDibujo->scaleWidth(), view);
  }
}

TEST_F(DibujaRedTest, ReachIsDrawnWithItsNameAndEndSquares) {
  Reach("c-1", "0", {{100, 100}, {200, 150}, {300, 100}});
  redraw();
  const auto under = ops(DrawOp::Kind::Line, kCeleste);
  const auto stroke = ops(DrawOp::Kind::Line, kAzul);
  ASSERT_EQ(under.size(), 2u);
  ASSERT_EQ(stroke.size(), 2u);
  EXPECT_EQ(under[1].p1, QPointF(200, 150));
  EXPECT_EQ(under[1].p2, QPointF(300, 100));
  EXPECT_EQ(under[0].width, 4);
  EXPECT_EQ(stroke[0].width, 2);
  const auto names = ops(DrawOp::Kind::Text);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].text, "c-1 ");
  EXPECT_EQ(names[0].p1, QPointF(200, 150));
  const auto squares = ops(DrawOp::Kind::Box, kAzul);
  ASSERT_EQ(squares.size(), 2u);
  EXPECT_EQ(Centre(squares[0]), QPointF(100, 100));
  EXPECT_NEAR(Side(squares[0]), 16.0 / 6, 1e-4);
  EXPECT_EQ(Centre(squares[1]), QPointF(300, 100));
  EXPECT_NEAR(Side(squares[1]), 16.0 / 3, 1e-4);
  EXPECT_TRUE(ops(DrawOp::Kind::Box, kRojo).empty());
  EXPECT_EQ(EspesorLinea, 4);
}

TEST_F(DibujaRedTest, ReceiverDecidesTheDrainMarkAndTheEnd) {
  struct Case {
    const char* receiver;
    bool mark;
    QPointF end;  // vertex 1 after the redraw
  };
  const Case cases[] = {
      {"0", false, {100, 100}},
      {"", true, {100, 100}},
      {"c-nada", true, {100, 100}},
      {"c-1", true, {300, 100}},  // itself: its end jumps to its own head
  };
  for (const Case& c : cases) {
    clearNetwork();
    Reach("c-1", c.receiver, {{100, 100}, {300, 100}});
    redraw();
    EXPECT_EQ(QPointF(XVertice(1, 1), YVertice(1, 1)), c.end) << c.receiver;
    const auto marks = ops(DrawOp::Kind::Box, kRojo);
    ASSERT_EQ(marks.size(), c.mark ? 1u : 0u) << c.receiver;
    if (c.mark) {
      EXPECT_EQ(Centre(marks[0]), c.end);
      EXPECT_NEAR(Side(marks[0]), 16.0 / 3, 1e-4);
    }
  }
}

TEST_F(DibujaRedTest, EndGoesToTheHeadOfTheLastReachOfThatName) {
  Reach("c-A", "0", {{0, 0}, {10, 10}});
  Reach("c-A", "0", {{0, 0}, {20, 20}});
  Reach("c-B", "c-A", {{50, 50}, {90, 90}});
  redraw();
  EXPECT_EQ(QPointF(XVertice(3, 1), YVertice(3, 1)), QPointF(20, 20));
}

TEST_F(DibujaRedTest, OneVertexReachIsTwoConcentricSquares) {
  Reach("c-1", "0", {{150, 150}});
  redraw();
  EXPECT_TRUE(ops(DrawOp::Kind::Line).empty());
  EXPECT_TRUE(ops(DrawOp::Kind::Text).empty());
  const auto squares = ops(DrawOp::Kind::Box, kAzul);
  ASSERT_EQ(squares.size(), 2u);
  EXPECT_EQ(Centre(squares[0]), QPointF(150, 150));
  EXPECT_EQ(Centre(squares[1]), QPointF(150, 150));
  EXPECT_NEAR(Side(squares[1]), 2 * Side(squares[0]), 1e-4);
}

TEST_F(DibujaRedTest, LakeOrDamOnAReachTakesOverItsInflows) {
  struct Case {
    bool dam;
    const char* outlet;  // receiver of the lake or dam
    const char* after;   // receiver of reach C after one redraw
  };
  for (const Case& c : {Case{false, "c-R", "l-L"}, Case{true, "c-R", "r-D"}, Case{false, "0", "c-R"}}) {
    clearNetwork();
    Reach("c-R", "0", {{0, 0}, {100, 0}});
    Reach("c-C", "c-R", {{50, 50}, {80, 200}});
    if (c.dam) {
      Dam("r-D", c.outlet, {60, 30});
    } else {
      Lake("l-L", c.outlet, {60, 30});
    }
    redraw();
    EXPECT_EQ(vCauces[2]->Cauce_aa, c.after) << c.after;
    const QPointF end(XVertice(2, 1), YVertice(2, 1));
    const bool routed = QString::fromLatin1(c.after) != "c-R";
    EXPECT_EQ(end, routed ? QPointF(60, 30) : QPointF(100, 0)) << c.after;
    // The next redraw shows the moved end with its drain mark.
    redraw();
    const auto marks = ops(DrawOp::Kind::Box, kRojo);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(Centre(marks[0]), end);
  }
}

TEST_F(DibujaRedTest, StreamOrderWidensTheReaches) {
  MuestraOrden = true;
  Reach("c-1", "0", {{0, 0}, {100, 0}})->OrdenCauce = 3;
  Reach("c-2", "c-1", {{0, 50}, {100, 50}})->OrdenCauce = 0;
  redraw();
  const auto under = ops(DrawOp::Kind::Line, kCeleste);
  const auto stroke = ops(DrawOp::Kind::Line, kAzul);
  ASSERT_EQ(under.size(), 2u);
  EXPECT_EQ(under[0].width, 6);
  EXPECT_EQ(stroke[0].width, 3);
  EXPECT_EQ(under[1].width, 2);
  EXPECT_EQ(stroke[1].width, 1);
  EXPECT_EQ(EspesorLinea, 4);
}

TEST_F(DibujaRedTest, UnitSymbolAndItsLink) {
  struct Case {
    const char* receiver;
    QPointF link;
    bool redDot;
  };
  for (const Case& c : {Case{"c-1", {5, 7}, true}, Case{"0", {5, 7}, false}, Case{"", {5, 7}, false},
                        Case{"c-1", {0, 0}, false}}) {
    clearNetwork();
    Unit("u-1", c.receiver, {100, 100}, c.link);
    redraw();
    const bool linked = c.link != QPointF(0, 0);
    const QPointF end = linked ? c.link : QPointF(100, 135);  // else the stub below the symbol
    const auto green = ops(DrawOp::Kind::Line, kVerde);
    ASSERT_EQ(green.size(), 2u);
    EXPECT_EQ(green[0].p1, QPointF(114, 101));  // the diagonal, 3 pixels wide
    EXPECT_EQ(green[0].width, 3);
    EXPECT_EQ(green[1].p1, QPointF(100, 115));
    EXPECT_EQ(green[1].p2, end);
    EXPECT_EQ(green[1].width, 1);
    const auto rings = ops(DrawOp::Kind::Circle, linked ? kAzul : kVerde);
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(rings[0].p1, end);
    EXPECT_EQ(rings[0].radius, 2.5);
    const auto dots = ops(DrawOp::Kind::Circle, kRojo);
    ASSERT_EQ(dots.size(), c.redDot ? 1u : 0u);
    if (c.redDot) {
      EXPECT_FLOAT_EQ(dots[0].radius, 10.0f / 3);
      EXPECT_EQ(dots[0].fill, FillStyle::Solid);
      EXPECT_EQ(dots[0].fillColor, kRojo);
    }
  }
  // The brown slope: 17 rows from the symbol's top, each one unit longer.
  const auto slope = ops(DrawOp::Kind::Line, kTierra);
  ASSERT_EQ(slope.size(), 17u);
  EXPECT_EQ(slope[0].p1, QPointF(115, 100));
  EXPECT_EQ(slope[16].p1, QPointF(115, 116));
  EXPECT_EQ(slope[16].p2, QPointF(99, 116));
  const auto square = ops(DrawOp::Kind::FilledBox);
  ASSERT_EQ(square.size(), 1u);
  EXPECT_EQ(square[0].p2, QPointF(115, 115));
  EXPECT_EQ(ops(DrawOp::Kind::Text)[0].p1, QPointF(105, 120));
}

TEST_F(DibujaRedTest, UnitDrainingIntoADamOrLakeLinksToItsSymbol) {
  Unit("u-1", "x-1", {100, 100}, {5, 7});
  Dam("x-1", "0", {300, 300});
  redraw();
  EXPECT_EQ(ops(DrawOp::Kind::Line, kVerde)[1].p2, QPointF(300, 300));
  Lake("x-1", "0", {400, 400});  // a lake of the same name wins
  redraw();
  EXPECT_EQ(ops(DrawOp::Kind::Line, kVerde)[1].p2, QPointF(400, 400));
}

TEST_F(DibujaRedTest, DamInItsNormalAndSelectedLooks) {
  Dam("r-1", "c-1", {200, 200}, {300, 300});
  redraw();
  const auto black = ops(DrawOp::Kind::Line, kNegro);
  ASSERT_EQ(black.size(), 1u);
  EXPECT_EQ(black[0].p1, QPointF(200, 220));
  EXPECT_EQ(black[0].width, 1);
  ASSERT_EQ(ops(DrawOp::Kind::Circle, kRojo).size(), 1u);
  EXPECT_EQ(ops(DrawOp::Kind::Circle, kRojo)[0].radius, 2.5);
  EXPECT_EQ(ops(DrawOp::Kind::Text)[0].p1, QPointF(205, 220.5));

  selRepresa = 1;
  redraw();
  const auto mark = ops(DrawOp::Kind::Box, kRojo);
  ASSERT_EQ(mark.size(), 1u);
  EXPECT_EQ(mark[0].p1, QPointF(200, 200));
  EXPECT_EQ(mark[0].p2, QPointF(220, 220));
  EXPECT_EQ(mark[0].width, 3);
  const auto line = ops(DrawOp::Kind::Line, kRojo);
  ASSERT_EQ(line.size(), 1u);
  EXPECT_EQ(line[0].p1, QPointF(200, 220));
  EXPECT_EQ(line[0].p2, QPointF(300, 300));
  const auto rings = ops(DrawOp::Kind::Circle, kRojo);
  ASSERT_EQ(rings.size(), 1u);
  EXPECT_EQ(rings[0].fill, FillStyle::Transparent);  // a ring, no red dot
  EXPECT_TRUE(ops(DrawOp::Kind::Line, kNegro).empty());
}

TEST_F(DibujaRedTest, LakeSymbolAndTheLakeNumberZero) {
  Lake("l-1", "c-1", {200, 200});
  selLago = 1;
  redraw();
  const auto circles = ops(DrawOp::Kind::Circle);
  ASSERT_EQ(circles.size(), 9u);  // three circles twice, the bowl, the red bowl, the red stub ring
  EXPECT_EQ(circles[0].style, PenStyle::Dash);
  EXPECT_EQ(circles[0].fill, FillStyle::UpwardDiagonal);
  EXPECT_EQ(circles[1].color, QColor(255, 255, 255));
  EXPECT_EQ(circles[6].color, kAzul);
  EXPECT_TRUE(circles[6].arc);
  EXPECT_EQ(circles[6].radius, 20);
  EXPECT_EQ(circles[6].aspect, 0.6);
  EXPECT_TRUE(circles[7].arc);
  EXPECT_EQ(circles[7].color, kRojo);

  editor().picDibujo->clearLog();
  iLago = 0;
  editor().DibujaIconoLago();
  EXPECT_TRUE(log().empty());
}

TEST_F(DibujaRedTest, SelectedReachesAreMarked) {
  Reach("c-1", "0", {{100, 100}, {200, 100}, {300, 100}});
  Reach("c-2", "c-1", {{300, 100}, {300, 300}});
  selCauce2 = 2;
  editor().picDibujo->clearLog();
  editor().ResaltaCauceSeleccionado();
  EXPECT_TRUE(log().empty());
  EXPECT_EQ(selCauce2, 0);

  selCauce = 1;
  selCauce2 = 2;
  selVertice = 3;
  redraw();
  const auto grey = ops(DrawOp::Kind::Box, kGris);
  ASSERT_EQ(grey.size(), 4u);
  EXPECT_EQ(Centre(grey[0]), QPointF(100, 100));
  EXPECT_EQ(Side(grey[0]), 8);
  EXPECT_EQ(Centre(grey[1]), QPointF(300, 100));
  EXPECT_EQ(Side(grey[1]), 16);
  EXPECT_EQ(Centre(grey[3]), QPointF(300, 300));
  EXPECT_EQ(ops(DrawOp::Kind::Line, kGris).size(), 3u);
  const auto vertex = ops(DrawOp::Kind::Box, kRojo);
  ASSERT_EQ(vertex.size(), 2u);  // the drain mark of c-2, then the selected vertex
  EXPECT_EQ(Centre(vertex[1]), QPointF(300, 100));
  EXPECT_EQ(Side(vertex[1]), 16);
}

TEST_F(DibujaRedTest, MeasuringPolyline) {
  for (int n : {0, 1, 3}) {
    nPuntosMedida = static_cast<Integer>(n);
    XMedida.redimPreserve(n + 1);
    YMedida.redimPreserve(n + 1);
    for (int k = 1; k <= n; ++k) XMedida(k) = YMedida(k) = static_cast<Single>(10 * k);
    redraw();
    const auto lines = ops(DrawOp::Kind::Line, kMagenta);
    ASSERT_EQ(lines.size(), n == 0 ? 0u : static_cast<size_t>(n + 1)) << n;
    if (n == 0) continue;
    EXPECT_EQ(lines[0].p1, lines[0].p2);  // a dot on point 1
    EXPECT_EQ(lines[0].width, 2);
    EXPECT_EQ(lines.back().p2, QPointF(10 * n, 10 * n));
  }
}

TEST_F(DibujaRedTest, ScrollBarMovesTheViewForOneRedraw) {
  redraw();
  editor().ScrEscalaHor->setValue(editor().ScrEscalaHor->value() + 20);  // redraws
  EXPECT_EQ(editor().picDibujo->scaleLeft(), 20);
  EXPECT_EQ(editor().picDibujo->scaleWidth(), 800);
  redraw();
  EXPECT_EQ(editor().picDibujo->scaleLeft(), 0);
}

TEST_F(DibujaRedTest, BackgroundPictureUnderTheNetworkOrLeftOutWhenMissing) {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::darkGreen);
  ASSERT_TRUE(picture.save(dir + "/fondo.bmp"));
  frmImagenFondo::instance().LoadPicture(dir + "/fondo.bmp");
  ImagenVisible = true;
  AnchoImagen = 400;
  AltoImagen = 300;
  PosXImagenFondo = 10;
  PosYImagenFondo = 20;
  ZoomTotal = true;
  CentrarVista = true;

  // Without reaches the view fits the picture: 400 by 400 units, at 55 % of 800.
  redraw();
  ASSERT_GE(log().size(), 2u);
  EXPECT_EQ(log()[1].kind, DrawOp::Kind::Picture);
  EXPECT_EQ(log()[1].p1, QPointF(10, 20));
  EXPECT_NEAR(log()[1].p2.y(), 20 + 400, 1e-4);
  EXPECT_EQ(XMaxDibujo, 410);
  EXPECT_EQ(editor().sldEscala->value(), 55);

  // A picture that could not be loaded is left out; the network is drawn.
  frmImagenFondo::object().ClearPicture();
  Reach("c-1", "0", {{0, 0}, {100, 0}});
  redraw();
  EXPECT_TRUE(ops(DrawOp::Kind::Picture).empty());
  EXPECT_EQ(ops(DrawOp::Kind::Line, kCeleste).size(), 1u);
}

TEST_F(DibujaRedTest, PictureFileThatCannotBeReadCountsAsMissing) {
  frmImagenFondo& holder = frmImagenFondo::instance();
  test::WriteBytes(dir + "/plano.wmf", QByteArray("\xd7\xcd\xc6\x9a not a picture this program reads"));
  for (const QString& file : {dir + "/no-existe.jpg", dir + "/plano.wmf"}) {
    EXPECT_EQ(test::ErrorOf([&] { holder.LoadPicture(file); }), kErrFileNotFound) << file.toStdString();
  }
  QImage picture(96, 48, QImage::Format_RGB32);
  picture.fill(Qt::white);
  ASSERT_TRUE(picture.save(path("fondo.bmp")));
  holder.LoadPicture("fondo.bmp");  // relative to the current folder
  EXPECT_EQ(holder.PictureWidthHiMetric(), 2540);
  EXPECT_EQ(holder.PictureHeightHiMetric(), 1270);
}

}  // namespace
}  // namespace tavo
