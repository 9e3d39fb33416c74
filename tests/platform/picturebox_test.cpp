#include "platform/picturebox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "support/fixture.h"

namespace tavo {
namespace {

// A 400 x 200 pixel surface showing the world from (100, 50), 200 wide and 100 high: two pixels a unit.
class PictureBoxTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    box.resize(400, 200);
    box.setScaleLeft(100);
    box.setScaleTop(50);
    box.setScaleWidth(200);
    box.setScaleHeight(100);
    box.setRecording(true);
  }
  QColor at(double x, double y) const {
    const QPointF p = box.toPixels(QPointF(x, y));
    return box.image().pixelColor(static_cast<int>(p.x()), static_cast<int>(p.y()));
  }
  PictureBox box;
};

TEST_F(PictureBoxTest, DrawsInWorldUnitsAndRecordsEachOperation) {
  EXPECT_EQ(box.toPixels(QPointF(150, 75)), QPointF(100, 50));
  EXPECT_EQ(box.toWorld(QPointF(100, 50)), QPointF(150, 75));

  box.setDrawWidth(3);
  box.line(110, 60, 190, 60, Qt::red);
  EXPECT_EQ(at(150, 60), QColor(Qt::red));
  EXPECT_EQ(box.currentX(), 190);
  box.lineTo(190, 140);  // from the current point, in the fore colour
  EXPECT_EQ(at(190, 100), QColor(Qt::black));

  box.setFillStyle(FillStyle::Solid);
  box.setFillColor(Qt::green);
  box.box(120, 100, 140, 120, Qt::blue);
  EXPECT_EQ(at(130, 110), QColor(Qt::green));
  box.setFillStyle(FillStyle::Transparent);
  box.filledBox(150, 100, 160, 110, Qt::yellow);
  EXPECT_EQ(at(155, 105), QColor(Qt::yellow));
  box.setCurrent(200, 130);
  box.print(QStringLiteral("c-1 "));

  const std::vector<DrawOp>& log = box.log();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0].kind, DrawOp::Kind::Line);
  EXPECT_EQ(log[0].p1, QPointF(110, 60));
  EXPECT_EQ(log[0].p2, QPointF(190, 60));
  EXPECT_EQ(log[0].width, 3);
  EXPECT_EQ(log[1].p1, QPointF(190, 60));
  EXPECT_EQ(log[1].color, QColor(Qt::black));
  EXPECT_EQ(log[2].kind, DrawOp::Kind::Box);
  EXPECT_EQ(log[2].fill, FillStyle::Solid);
  EXPECT_EQ(log[3].kind, DrawOp::Kind::FilledBox);
  EXPECT_EQ(log[3].fillColor, QColor(Qt::yellow));
  EXPECT_EQ(log[4].kind, DrawOp::Kind::Text);
  EXPECT_EQ(log[4].text, "c-1 ");
  EXPECT_EQ(log[4].p1, QPointF(200, 130));
  EXPECT_EQ(box.currentX(), 100);  // the next text starts on the line below
  EXPECT_GT(box.currentY(), 130);
}

TEST_F(PictureBoxTest, CirclesAreRoundOnScreenAndArcsRunCounterClockwise) {
  // A world twice as wide per pixel across as down: the circle stays round in pixels.
  box.setScaleHeight(50);
  box.circle(200, 75, 20, Qt::blue);
  const QPointF c = box.toPixels(QPointF(200, 75));
  EXPECT_EQ(box.image().pixelColor(int(c.x()) + 40, int(c.y())), QColor(Qt::blue));
  EXPECT_EQ(box.image().pixelColor(int(c.x()), int(c.y()) + 40), QColor(Qt::blue));
  EXPECT_EQ(box.currentX(), 200);

  // From 3 to 6 radians: the lower half of a flat ellipse (vertical radius 0.6 of the horizontal).
  box.cls();
  box.arc(200, 75, 20, Qt::red, 3, 6, 0.6);
  EXPECT_EQ(box.image().pixelColor(int(c.x()), int(c.y()) + 24), QColor(Qt::red));
  EXPECT_EQ(box.image().pixelColor(int(c.x()), int(c.y()) - 24), QColor(Qt::white));
  const DrawOp& arc = box.log().back();
  EXPECT_TRUE(arc.arc);
  EXPECT_EQ(arc.radius, 20);
  EXPECT_EQ(arc.aspect, 0.6);
}

TEST_F(PictureBoxTest, DrawingPersistsUntilClsAndXorDrawingTwiceLeavesNoTrace) {
  box.setDrawWidth(2);
  box.line(110, 60, 190, 60, Qt::red);
  const QImage drawn = box.image().copy();

  box.setDrawMode(DrawMode::Xor);
  box.line(110, 55, 190, 90, Qt::green);
  EXPECT_NE(box.image(), drawn);
  box.line(110, 55, 190, 90, Qt::green);
  EXPECT_EQ(box.image(), drawn);
  box.setDrawMode(DrawMode::Copy);

  // Covering the surface or enlarging it keeps what was drawn; the new part is blank.
  box.resize(500, 300);
  EXPECT_EQ(box.image().pixelColor(100, 20), QColor(Qt::red));
  EXPECT_EQ(box.image().pixelColor(450, 250), QColor(Qt::white));
  box.cls();
  EXPECT_EQ(box.image().pixelColor(100, 20), QColor(Qt::white));
  EXPECT_EQ(box.log().back().kind, DrawOp::Kind::Clear);
}

TEST_F(PictureBoxTest, ZeroScaleOrPenIsRefused) {
  EXPECT_EQ(test::ErrorOf([&] { box.setScaleWidth(0); }), kErrInvalidPropertyValue);
  EXPECT_EQ(test::ErrorOf([&] { box.setScaleHeight(0); }), kErrInvalidPropertyValue);
  EXPECT_EQ(test::ErrorOf([&] { box.setDrawWidth(0); }), kErrInvalidPropertyValue);
  EXPECT_EQ(box.scaleWidth(), 200);
  box.resetScale();
  EXPECT_EQ(box.scaleLeft(), 0);
  EXPECT_EQ(box.scaleWidth(), 400);
}

TEST_F(PictureBoxTest, PictureIsScaledIntoItsWorldRectangle) {
  QImage picture(10, 10, QImage::Format_RGB32);
  picture.fill(Qt::darkGreen);
  box.paintPicture(picture, 120, 60, 40, 20);
  EXPECT_EQ(at(140, 70), QColor(Qt::darkGreen));
  EXPECT_EQ(at(170, 70), QColor(Qt::white));
  EXPECT_EQ(box.log().back().p2, QPointF(160, 80));
}

TEST_F(PictureBoxTest, PointerEventsArriveInWorldUnitsAndADoubleClickPressesOnce) {
  box.show();
  QStringList events;
  auto note = [&](const char* what) {
    return [&events, what](int button, int shift, Single x, Single y) {
      events << QStringLiteral("%1 %2 %3 %4 %5").arg(what).arg(button).arg(shift).arg(x).arg(y);
    };
  };
  QObject::connect(&box, &PictureBox::mouseDown, note("down"));
  QObject::connect(&box, &PictureBox::mouseUp, note("up"));
  QObject::connect(&box, &PictureBox::dblClick, [&] { events << QStringLiteral("dbl"); });

  QTest::mouseClick(&box, Qt::RightButton, Qt::ShiftModifier, QPoint(100, 50));
  // A double click as the system sends it: press, release, double click, release.
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                            QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, QPointF(20, 10), box.mapToGlobal(QPointF(20, 10)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &event);
  }
  EXPECT_EQ(events, QStringList({"down 2 1 150 75", "up 2 1 150 75", "down 1 0 110 55", "up 1 0 110 55",
                                 "dbl", "up 1 0 110 55"}));
}

}  // namespace
}  // namespace tavo
