#include "platform/flexgrid.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include "support/fixture.h"

namespace tavo {
namespace {

class FlexGridTest : public test::TavoTest {};

using test::ErrorOf;

// A table window as the program builds them: a grid of 5 rows and 4 columns (row 0 and column 0
// fixed) whose key handlers hand the keys to the shared typing rule.
struct TableWindow {
  QWidget window;
  FlexGrid* grid = new FlexGrid(&window);
  Boolean pending = false;
  Integer row = 0;
  Integer col = 0;
  bool locked = false;
  GridTyping typing{grid, pending, row, col, options()};
  QStringList events;  // what the grid raised, in order

  TableWindow() {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(grid);
    grid->setRows(5);
    grid->setCols(4);
    grid->setFormatString(QStringLiteral("^Nro.|> P [mm]  |>D|<Nota"));
    QObject::connect(grid, &FlexGrid::KeyDown, [this](int key, int) {
      events << QStringLiteral("KeyDown %1").arg(key);
      typing.keyDown(key);
    });
    QObject::connect(grid, &FlexGrid::KeyPress, [this](int key) {
      events << QStringLiteral("KeyPress %1").arg(key);
      typing.keyPress(key);
    });
    QObject::connect(grid, &FlexGrid::LeaveCell, [this] {
      events << QStringLiteral("LeaveCell %1,%2").arg(grid->Row()).arg(grid->Col());
    });
    QObject::connect(grid, &FlexGrid::MouseDown, [this](int button, int, Single, Single) {
      events << QStringLiteral("MouseDown %1 at %2,%3").arg(button).arg(grid->Row()).arg(grid->Col());
    });
    window.resize(400, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    grid->setFocus();
    QApplication::processEvents();
  }
  // Columns 1 and 2 take characters.
  GridTyping::Options options() {
    GridTyping::Options o;
    o.columns = [](int c) { return c <= 2; };
    o.locked = [this] { return locked; };
    return o;
  }
  void at(int r, int c) {
    grid->setRow(r);
    grid->setCol(c);
  }
  void keys(const QString& typed) { QTest::keyClicks(grid, typed); }
  void key(Qt::Key k) { QTest::keyClick(grid, k); }
};

TEST_F(FlexGridTest, TypingRule) {
  TableWindow w;
  w.grid->setTextMatrix(1, 1, QStringLiteral("25"));
  w.grid->setTextMatrix(2, 1, QStringLiteral("25"));
  w.grid->setTextMatrix(3, 1, QStringLiteral("7"));
  struct Case {
    int row, col;
    QString typed;
    QString text;  // the cell's text afterwards
  };
  const Case cases[] = {
      {1, 1, "3", "253"},      // the very first character extends the text
      {1, 2, "12.5", "12.5"},  // another cell: replaced, then extended
      {2, 1, "x", ""},         // a letter empties the cell
      {3, 1, "1.", "1."},      // a point may end a number
      {3, 1, ".", ""},         // a second point spoils it
      {4, 1, ".", ""},         // so does a lone point
      {4, 2, "-", ""},         // and a lone sign: negative numbers cannot be typed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    w.at(c.row, c.col);
    w.keys(c.typed);
    EXPECT_EQ(w.grid->TextMatrix(c.row, c.col), c.text);
  }
  // Coming back to the cell of the last character extends it, even after another cell was current.
  w.at(4, 2);
  w.keys("4");
  w.at(1, 1);
  w.at(4, 2);
  w.keys("2");
  EXPECT_EQ(w.grid->TextMatrix(4, 2), "42");
  // Backspace and Esc arrive as characters and spoil the number.
  w.key(Qt::Key_Backspace);
  EXPECT_EQ(w.grid->TextMatrix(4, 2), "");
  w.keys("9");
  w.key(Qt::Key_Escape);
  EXPECT_EQ(w.grid->TextMatrix(4, 2), "");
  EXPECT_TRUE(w.window.isVisible());
  // Column 3 takes no characters.
  w.at(1, 3);
  w.keys("5");
  EXPECT_EQ(w.grid->TextMatrix(1, 3), "");
}

TEST_F(FlexGridTest, DeleteAndEnter) {
  TableWindow w;
  w.grid->setTextMatrix(2, 2, QStringLiteral("60"));
  w.grid->setTextMatrix(4, 2, QStringLiteral("abc"));
  w.at(2, 2);
  w.events.clear();
  w.key(Qt::Key_Delete);
  EXPECT_EQ(w.grid->TextMatrix(2, 2), "");
  EXPECT_EQ(w.events, QStringList{"KeyDown 46"});  // Delete types no character

  w.events.clear();
  w.key(Qt::Key_Return);
  EXPECT_EQ(w.events, (QStringList{"KeyDown 13", "KeyPress 13", "LeaveCell 2,2"}));
  EXPECT_EQ(w.grid->Row(), 3);
  EXPECT_EQ(w.grid->TextMatrix(3, 2), "0");  // an empty cell reached by Enter shows 0
  w.key(Qt::Key_Enter);
  EXPECT_EQ(w.grid->TextMatrix(4, 2), "0");
  w.key(Qt::Key_Return);  // from the last row to the first
  EXPECT_EQ(w.grid->Row(), 1);
  EXPECT_EQ(w.grid->Col(), 2);

  // A locked table keeps its cells.
  w.locked = true;
  w.grid->setTextMatrix(1, 2, QStringLiteral("5"));
  w.key(Qt::Key_Delete);
  w.keys("7");
  w.key(Qt::Key_Return);
  EXPECT_EQ(w.grid->TextMatrix(1, 2), "5");
  EXPECT_EQ(w.grid->Row(), 1);
}

TEST_F(FlexGridTest, ClicksAndArrowsMoveOnlyAmongDataCells) {
  TableWindow w;
  w.at(2, 2);
  w.events.clear();
  test::ClickCell(w.grid, 0, 3);  // a header cell
  test::ClickCell(w.grid, 3, 0);  // a row number
  EXPECT_EQ(w.grid->Row(), 2);
  EXPECT_EQ(w.grid->Col(), 2);
  EXPECT_EQ(w.events, (QStringList{"MouseDown 1 at 2,2", "MouseDown 1 at 2,2"}));

  // The clicked cell is current before MouseDown is raised, and LeaveCell names the cell left.
  w.events.clear();
  test::ClickCell(w.grid, 3, 1);
  EXPECT_EQ(w.events, (QStringList{"LeaveCell 2,2", "MouseDown 1 at 3,1"}));

  w.events.clear();
  w.key(Qt::Key_Left);
  w.key(Qt::Key_Up);
  w.key(Qt::Key_Up);
  w.key(Qt::Key_Up);
  EXPECT_EQ(w.grid->Row(), 1);
  EXPECT_EQ(w.grid->Col(), 1);
  EXPECT_EQ(w.events, (QStringList{"KeyDown 37", "KeyDown 38", "LeaveCell 3,1", "KeyDown 38", "LeaveCell 2,1",
                                   "KeyDown 38"}));
  w.key(Qt::Key_End);
  EXPECT_EQ(w.grid->Col(), 3);

  // The program may make a fixed cell current; the same cell raises no LeaveCell.
  w.events.clear();
  w.at(0, 0);
  w.at(0, 0);
  EXPECT_EQ(w.events, (QStringList{"LeaveCell 1,3", "LeaveCell 0,3"}));
  EXPECT_EQ(ErrorOf([&] { w.grid->setRow(5); }), kErrInvalidRow);
  EXPECT_EQ(ErrorOf([&] { w.grid->setCol(-1); }), kErrInvalidCol);
  EXPECT_EQ(ErrorOf([&] { w.grid->TextMatrix(5, 0); }), kErrInvalidPropertyIndex);
}

TEST_F(FlexGridTest, FormatStringSizeAndTheCurrentCellWhenTheGridShrinks) {
  TableWindow w;
  EXPECT_EQ(w.grid->TextMatrix(0, 1), " P [mm]  ");
  EXPECT_EQ(w.grid->ColAlignment(0), flexAlignCenterCenter);
  EXPECT_EQ(w.grid->ColAlignment(1), flexAlignRightCenter);
  EXPECT_EQ(w.grid->ColAlignment(3), flexAlignLeftCenter);
  EXPECT_GT(w.grid->ColWidth(1), w.grid->ColWidth(2));  // as wide as the field, blanks included
  EXPECT_TRUE(test::Shown(w.grid, 2, 1).alignment & Qt::AlignRight);
  EXPECT_FALSE(test::Shown(w.grid, 0, 1).flags & Qt::ItemIsSelectable);
  EXPECT_EQ(test::Shown(w.grid, 0, 1).background, ButtonFaceColor());
  EXPECT_EQ(test::Shown(w.grid, 2, 1).background, WindowBackgroundColor());

  // Rows dropped lose their texts; the current cell stays inside, and on a data row once there is one.
  w.at(4, 2);
  w.grid->setTextMatrix(4, 2, QStringLiteral("9"));
  w.grid->setRows(3);
  EXPECT_EQ(w.grid->Row(), 2);
  w.grid->setRows(1);
  EXPECT_EQ(w.grid->Row(), 0);
  w.keys("5");  // the header row takes nothing
  EXPECT_EQ(w.grid->TextMatrix(0, 2), "D");
  w.grid->setRows(5);
  EXPECT_EQ(w.grid->Row(), 1);
  EXPECT_EQ(w.grid->TextMatrix(4, 2), "");
  EXPECT_EQ(ErrorOf([&] { w.grid->setRows(0); }), kErrInvalidPropertyValue);
}

// A large fill tells the views once, when the program next waits for events, of the whole block it
// changed; rows added later are fixed or data cells like the others, with their column's alignment.
TEST_F(FlexGridTest, AFillReachesTheViewsAsOneBlockAndNewRowsTakeTheirColumnsLook) {
  TableWindow w;
  std::vector<std::pair<QModelIndex, QModelIndex>> avisos;
  QObject::connect(w.grid->model(), &QAbstractItemModel::dataChanged,
                   [&](const QModelIndex& a, const QModelIndex& b) { avisos.emplace_back(a, b); });
  w.grid->setRows(400);
  for (int r = 1; r < 400; ++r) w.grid->setTextMatrix(r, 1, QString::number(r));
  w.grid->setTextMatrix(3, 3, QStringLiteral("nota"));
  EXPECT_TRUE(avisos.empty());
  QApplication::processEvents();
  ASSERT_EQ(avisos.size(), 1u);
  EXPECT_LE(avisos[0].first.row(), 1);
  EXPECT_LE(avisos[0].first.column(), 1);
  EXPECT_EQ(avisos[0].second.row(), 399);
  EXPECT_EQ(avisos[0].second.column(), 3);

  const test::CellShown nueva = test::Shown(w.grid, 399, 1);
  EXPECT_TRUE(nueva.alignment & Qt::AlignRight);
  EXPECT_TRUE(nueva.flags & Qt::ItemIsSelectable);
  EXPECT_EQ(nueva.background, WindowBackgroundColor());
  EXPECT_TRUE(test::Shown(w.grid, 399, 3).alignment & Qt::AlignLeft);
  EXPECT_EQ(test::Shown(w.grid, 399, 0).background, ButtonFaceColor());
  EXPECT_FALSE(test::Shown(w.grid, 399, 0).flags & Qt::ItemIsSelectable);
  // Each cell holds its own text.
  w.grid->setTextMatrix(398, 2, QStringLiteral("7"));
  EXPECT_EQ(w.grid->TextMatrix(397, 2), "");
}

// A number is kept as a number and shows as its plain number text, aligned as a number; a text
// that shows the same leaves the cell as it is.
TEST_F(FlexGridTest, ValuesShowAsTheirPlainNumberText) {
  TableWindow w;
  struct Case {
    Variant value;
    const char* text;
  };
  const Case cases[] = {{Single{0.5f}, "0.5"},    {Single{1234567.f}, "1234567"},
                        {Single{1e-5f}, "1E-05"}, {Double{2.0 / 3}, "0.666666666666667"},
                        {Integer{-7}, "-7"},      {Long{123456789}, "123456789"},
                        {Variant(), ""},          {QStringLiteral("12,5"), "12,5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    w.grid->setValueMatrix(2, 3, c.value);
    EXPECT_EQ(w.grid->TextMatrix(2, 3), c.text);
    EXPECT_EQ(test::Shown(w.grid, 2, 3).text, c.text);
    EXPECT_TRUE(w.grid->ValueMatrix(2, 3) == c.value);
  }
  w.grid->setColAlignment(3, flexAlignGeneral);
  w.grid->setValueMatrix(2, 3, Single{0.5f});
  EXPECT_TRUE(test::Shown(w.grid, 2, 3).alignment & Qt::AlignRight);
  w.grid->setTextMatrix(2, 3, QStringLiteral("0.5"));
  EXPECT_TRUE(w.grid->ValueMatrix(2, 3) == Variant(Single{0.5f}));
  w.grid->setTextMatrix(2, 3, QStringLiteral("x"));
  EXPECT_TRUE(test::Shown(w.grid, 2, 3).alignment & Qt::AlignLeft);
  EXPECT_EQ(ErrorOf([&] { w.grid->setValueMatrix(5, 0, Single{1}); }), kErrInvalidPropertyIndex);
}

TEST_F(FlexGridTest, CellFormatAppliesToTheMarkedBlock) {
  TableWindow w;
  w.at(0, 0);
  w.grid->setRowSel(0);
  w.grid->setColSel(3);
  w.grid->setCellFontBold(true);
  w.grid->setCellBackColor(QColor(227, 227, 227));
  w.at(2, 1);  // moving collapses the block
  w.grid->setCellAlignment(flexAlignCenterCenter);
  for (int c = 0; c < 4; ++c) {
    EXPECT_TRUE(test::Shown(w.grid, 0, c).font.bold());
    EXPECT_EQ(test::Shown(w.grid, 0, c).background, QColor(227, 227, 227));
  }
  EXPECT_FALSE(test::Shown(w.grid, 1, 0).font.bold());
  EXPECT_EQ(w.grid->CellAlignment(), flexAlignCenterCenter);
  w.grid->setCol(2);
  EXPECT_EQ(w.grid->CellAlignment(), flexAlignRightCenter);  // its column's
  // A colour of its own outlives a change of the grid's colours.
  w.grid->setBackColorFixed(Qt::blue);
  EXPECT_EQ(test::Shown(w.grid, 0, 1).background, QColor(227, 227, 227));
  EXPECT_EQ(test::Shown(w.grid, 1, 0).background, QColor(Qt::blue));
}

TEST_F(FlexGridTest, EqualNeighboursMerge) {
  TableWindow w;
  w.grid->setRows(6);
  const char* rows[][4] = {{"", "Titulo", "Titulo", "Titulo"},
                           {"u-A", "1", "10", "x"},
                           {"u-A", "1", "10", "y"},
                           {"u-B", "1", "10", "y"}};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) w.grid->setTextMatrix(r + 1, c, QString::fromLatin1(rows[r][c]));
  }
  w.grid->setMergeRow(1, true);
  for (int c = 0; c < 4; ++c) w.grid->setMergeCol(c, true);

  w.grid->setMergeCells(flexMergeFree);
  QApplication::processEvents();
  EXPECT_EQ(w.grid->columnSpan(1, 1), 3);
  EXPECT_EQ(w.grid->rowSpan(2, 0), 2);
  EXPECT_EQ(w.grid->rowSpan(2, 1), 3);  // free: "1" merges across both units
  EXPECT_EQ(w.grid->rowSpan(3, 3), 2);

  w.grid->setMergeCells(flexMergeRestrictRows);
  QApplication::processEvents();
  EXPECT_EQ(w.grid->columnSpan(1, 1), 3);
  EXPECT_EQ(w.grid->rowSpan(2, 1), 2);  // only as far as the column to its left merges
  EXPECT_EQ(w.grid->rowSpan(2, 2), 2);
  EXPECT_EQ(w.grid->rowSpan(3, 3), 1);

  w.grid->setMergeCells(flexMergeNever);
  QApplication::processEvents();
  EXPECT_EQ(w.grid->columnSpan(1, 1), 1);
}

TEST_F(FlexGridTest, FixedRowStaysInViewAndTakesNoClick) {
  TableWindow w;
  w.grid->setRows(60);
  w.at(1, 1);
  w.key(Qt::Key_PageDown);
  w.key(Qt::Key_PageDown);
  QApplication::processEvents();
  ASSERT_GT(w.grid->verticalScrollBar()->value(), 0);
  const int current = w.grid->Row();
  // Clicked where the header is drawn, the header takes the click: no row under it becomes current.
  QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, QPoint(w.grid->columnViewportPosition(1) + 5, 3));
  EXPECT_EQ(w.grid->Row(), current);
  // A cell moved to is scrolled out from under the header.
  w.key(Qt::Key_Up);
  w.at(w.grid->Row() - 20, 1);
  QApplication::processEvents();
  EXPECT_GE(w.grid->rowViewportPosition(w.grid->Row()), w.grid->rowHeight(0));
}

}  // namespace
}  // namespace tavo
