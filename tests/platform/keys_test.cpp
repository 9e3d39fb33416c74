#include "platform/keys.h"

#include <QTest>

#include "platform/flexgrid.h"
#include "platform/picturebox.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class KeysTest : public test::TavoTest {};

TEST_F(KeysTest, OneTableOfKeyCodes) {
  struct Case {
    int key;
    bool keypad;
    int code;
  };
  const Case cases[] = {
      {Qt::Key_A, false, 65},     {Qt::Key_5, false, 53},           {Qt::Key_5, true, 101},
      {Qt::Key_0, true, 96},      {Qt::Key_F1, false, 112},         {Qt::Key_F24, false, 135},
      {Qt::Key_Delete, true, 46}, {Qt::Key_Insert, false, 45},      {Qt::Key_Enter, true, 13},
      {Qt::Key_Plus, true, 107},  {Qt::Key_Plus, false, 187},       {Qt::Key_Asterisk, false, 0},
      {Qt::Key_Slash, true, 111}, {Qt::Key_Apostrophe, false, 222}, {Qt::Key_Menu, false, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VbKeyCode(c.key, c.keypad), c.code) << c.key << " keypad " << c.keypad;
}

// The grids take the keypad's own codes; the other windows take the main key of the same character.
TEST_F(KeysTest, KeypadFiveIsItsOwnKeyInAGridAndTheDigitElsewhere) {
  FlexGrid grid;
  grid.setRows(2);
  grid.setCols(2);
  int enGrilla = 0;
  QObject::connect(&grid, &FlexGrid::KeyDown, [&](int key, int) { enGrilla = key; });
  QTest::keyClick(&grid, Qt::Key_5, Qt::KeypadModifier);

  PictureBox dibujo;
  int enDibujo = 0;
  QObject::connect(&dibujo, &PictureBox::keyDown, [&](int key, int) { enDibujo = key; });
  QTest::keyClick(&dibujo, Qt::Key_5, Qt::KeypadModifier);

  EXPECT_EQ(enGrilla, 101);
  EXPECT_EQ(enDibujo, 53);
}

}  // namespace
}  // namespace tavo
