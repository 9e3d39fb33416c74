// The editor's measuring tool: points clicked with "L/Area", measured by a double click or Enter, as
// an open polyline or a closed polygon, at the project's drawing scale.
#include <QTest>
#include <vector>

#include "editor_fixture.h"
#include "project/configuracion.h"

namespace tavo {
namespace {

const QColor kMagenta(200, 0, 200);
const QString kPregunta = QStringLiteral(
    "¿Forzar el cierre del polígono para el cálculo de Perímetro y Area de la figura ? (No, para cálculo de "
    "longitud de la poligonal abierta) | Cálculo de Longitud de Poligonal Abierta o de Polígono y Area de "
    "Poligonal Cerrada");

class MedidaTest : public test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    open();
    fixedView(800);
    tool("btn_toolbarLongArea");
  }
  frmUEHs& editor() { return frmUEHs::object(); }
  static void points(const std::vector<QPointF>& ps) {
    for (const QPointF& p : ps) press(static_cast<Single>(p.x()), static_cast<Single>(p.y()));
  }
};

TEST_F(MedidaTest, OpenLengthsAndClosedPerimetersAndAreas) {
  struct Case {
    const char* name;
    const char* escala;
    std::vector<QPointF> points;
    bool cerrado;
    QString result;
  };
  const QString abierta = QStringLiteral(" | Longitud de Poligonal Abierta");
  const QString cerrada = QStringLiteral(" | Perímetro y Area de Poligonal Cerrada");
  const Case cases[] = {
      {"open", "10", {{0, 0}, {3, 0}, {3, 4}}, false, "Perímetro=70 metros" + abierta},
      {"closed",
       "10",
       {{0, 0}, {3, 0}, {3, 4}},
       true,
       "Perímetro=120 metros    -    Area = 0.06 Has" + cerrada},
      {"closed the other way round",
       "10",
       {{3, 4}, {3, 0}, {0, 0}},
       true,
       "Perímetro=120 metros    -    Area = 0.06 Has" + cerrada},
      {"the whole metres of 99.9",
       "10",
       {{0, 0}, {9.99f, 0}, {9.99f, 0}},
       false,
       "Perímetro=99 metros" + abierta},
      {"a drawing not scaled",
       "0",
       {{0, 0}, {3, 0}, {3, 4}},
       true,
       "Perímetro=0 metros    -    Area = 0 Has" + cerrada},
      {"a scale that starts with a number",
       "10 m",
       {{0, 0}, {3, 0}, {3, 4}},
       false,
       "Perímetro=70 metros" + abierta},
      {"a scale that is no number", "diez", {{0, 0}, {3, 0}, {3, 4}}, false, "Perímetro=0 metros" + abierta},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EscalaDibujo = QString::fromUtf8(c.escala);
    points(c.points);
    dialogs.answer(c.cerrado ? vbYes : vbNo).answer(vbOK);
    QTest::keyClick(editor().picDibujo, Qt::Key_Return);
    EXPECT_EQ(shown(), QStringList({kPregunta, c.result}));
    EXPECT_EQ(nPuntosMedida, 0);
  }
}

TEST_F(MedidaTest, EnterNeedsThreePointsADoubleClickMeasuresAnyAndTheNextClickStartsAfresh) {
  EscalaDibujo = "10";
  points({{0, 0}, {3, 0}});
  QTest::keyClick(editor().picDibujo, Qt::Key_Return);
  EXPECT_EQ(nPuntosMedida, 2);
  EXPECT_TRUE(shown().isEmpty());

  // A double click brings its press first, then measures.
  press(3, 4);
  dialogs.answer(vbNo).answer(vbOK);
  emit editor().picDibujo->dblClick();
  EXPECT_EQ(shown().value(1), "Perímetro=70 metros | Longitud de Poligonal Abierta");

  // One point closed measures 0; the tool stays in force, and its next point is a dot, not joined.
  press(100, 100);
  dialogs.answer(vbYes).answer(vbOK);
  emit editor().picDibujo->dblClick();
  EXPECT_EQ(shown().value(1),
            "Perímetro=0 metros    -    Area = 0 Has | Perímetro y Area de Poligonal Cerrada");
  EXPECT_TRUE(editor().HerramientaActiva("btn_toolbarLongArea"));
  editor().picDibujo->clearLog();
  press(200, 200);
  EXPECT_EQ(ops(DrawOp::Kind::Point, kMagenta).size(), 1u);
  EXPECT_TRUE(ops(DrawOp::Kind::Line, kMagenta).empty());
}

}  // namespace
}  // namespace tavo
