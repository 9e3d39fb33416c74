// The table control of the program's windows, and the typing rule its editable tables share.
//
// FlexGrid is a grid of cells without an in-cell editor: a typed key reaches the window as a KeyDown
// and then a KeyPress event, and the window's own handlers decide what it does to the current cell
// (most hand it to GridTyping). The grid is a view over a model that holds each cell's value (a text,
// or a number kept as a number) and its look; a cell's text is made only when something asks for it
// (the view painting the cell, TextMatrix), so a table of any size fills in the time its values take.
// Tests and assistive tools read the cells through the model with Qt's item roles (the text, the
// alignment, the background, the font); the program itself reads and writes them through TextMatrix,
// ValueMatrix and Text.
//
// Rows and columns are numbered from 0. The first FixedRows() rows and FixedCols() columns are fixed:
// they have the header look, stay in view while the grid scrolls, and the user can never make one of
// their cells current (a click on them leaves the current cell where it is; the arrow keys stop at the
// data cells). The program may make a fixed cell current, to format it.
//
// The current cell (Row, Col) moves by clicks, by the arrow, Home, End, Page Up and Page Down keys, and
// by the program. Each time it is about to change, the grid raises LeaveCell while Row and Col still name
// the cell being left. A click makes the clicked cell current before MouseDown is raised.
//
// The marked block runs from the current cell to (RowSel, ColSel); moving the current cell collapses
// it onto the current cell. The Cell... properties format the marked block, so that formatting a single
// cell is making it current and setting them.
#pragma once

#include <QColor>
#include <QString>
#include <QTableView>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "platform/vb.h"

namespace tavo {

// Key codes of KeyDown.
constexpr int vbKeyBack = 8;
constexpr int vbKeyReturn = 13;
constexpr int vbKeyEscape = 27;
constexpr int vbKeyDelete = 46;

// Alignment of cells and columns.
enum FlexAlignment : int {
  flexAlignLeftTop = 0,
  flexAlignLeftCenter = 1,
  flexAlignLeftBottom = 2,
  flexAlignCenterTop = 3,
  flexAlignCenterCenter = 4,
  flexAlignCenterBottom = 5,
  flexAlignRightTop = 6,
  flexAlignRightCenter = 7,
  flexAlignRightBottom = 8,
  flexAlignGeneral = 9,  // numbers to the right, other texts to the left
};

// How equal neighbouring cells of the rows and columns marked by MergeRow / MergeCol show as one.
enum FlexMerge : int {
  flexMergeNever = 0,
  flexMergeFree = 1,             // marked rows and columns merge wherever neighbours are equal
  flexMergeRestrictRows = 2,     // marked rows merge freely; a column merges two rows only where the
                                 // column to its left merges them too
  flexMergeRestrictColumns = 3,  // marked columns merge freely; a row merges two columns only where the
                                 // row above merges them too
  flexMergeRestrictAll = 4,      // both restrictions
};

// The system's colours of the two cell kinds: the background of windows' data (white) and the face of
// buttons (grey).
QColor WindowBackgroundColor();
QColor ButtonFaceColor();

class FlexGridCells;

class FlexGrid : public QTableView {
  Q_OBJECT
 public:
  // A grid of 2 rows and 2 columns, one of each fixed.
  explicit FlexGrid(QWidget* parent = nullptr);
  ~FlexGrid() override;

  // ---- size; a count outside its range raises error 380 ----
  int Rows() const;
  void setRows(int rows);  // at least FixedRows(); rows added are empty, rows dropped lose their texts
  int Cols() const;
  void setCols(int cols);  // at least FixedCols()
  int FixedRows() const;
  void setFixedRows(int rows);  // 0 to Rows()
  int FixedCols() const;
  void setFixedCols(int cols);  // 0 to Cols()

  // ---- the current cell and the marked block ----
  int Row() const { return row_; }
  int Col() const { return col_; }
  // Make another row or column current (LeaveCell first); a value outside the grid raises error 30009
  // (row) or 30010 (column).
  void setRow(int row);
  void setCol(int col);
  int RowSel() const { return rowSel_; }
  int ColSel() const { return colSel_; }
  // Extend the marked block to this corner; error 30009 / 30010 outside the grid.
  void setRowSel(int row);
  void setColSel(int col);

  // ---- texts; a cell outside the grid raises error 381 ----
  QString Text() const;  // of the current cell
  void setText(const QString& text);
  QString TextMatrix(int row, int col) const;
  void setTextMatrix(int row, int col, const QString& text);
  // "|"-separated fields, one per column from column 0: each field's text goes into row 0, a leading
  // "<", "^" or ">" aligns the column (its fixed and its data cells) left, centred or right, and the
  // column becomes as wide as the field's text, blanks included. Columns are added when there are more
  // fields than columns.
  void setFormatString(const QString& format);
  // A cell's value: a number keeps its type and shows as its plain number text; a text shows as it
  // is; the empty text and Empty are the same. Reading gives Empty, a String or the number as set.
  Variant ValueMatrix(int row, int col) const;
  void setValueMatrix(int row, int col, const Variant& value);
  QString FormatString() const { return format_; }

  // ---- columns ----
  // The width in pixels of the widest text of the column, each in its cell's font; rows marked for
  // merging are left out (their text shows across the columns).
  int WidestText(int col) const;
  int ColWidth(int col) const;  // twips
  void setColWidth(int col, int twips);
  int ColAlignment(int col) const;  // a FlexAlignment, of the data cells
  void setColAlignment(int col, int alignment);

  // ---- format of the marked block (the current cell unless RowSel / ColSel were set after it);
  // reading gives the current cell's ----
  QColor CellBackColor() const;
  void setCellBackColor(const QColor& color);
  bool CellFontBold() const;
  void setCellFontBold(bool bold);
  double CellFontSize() const;  // points
  void setCellFontSize(double points);
  int CellAlignment() const;  // a FlexAlignment
  void setCellAlignment(int alignment);

  // ---- colours of the whole grid ----
  void setBackColor(const QColor& color);       // data cells without a colour of their own
  void setBackColorFixed(const QColor& color);  // fixed cells without a colour of their own
  void setBackColorBkg(const QColor& color);    // the area beyond the last row and column
  QColor BackColor() const;
  QColor BackColorFixed() const;

  // ---- merging of equal neighbouring cells ----
  int MergeCells() const { return merge_; }
  void setMergeCells(int mode);  // a FlexMerge
  bool MergeCol(int col) const;
  void setMergeCol(int col, bool merge);
  bool MergeRow(int row) const;
  void setMergeRow(int row, bool merge);

  // ---- scroll bars: 0 none, 1 horizontal, 2 vertical, 3 both (the default) ----
  int ScrollBars() const { return scrollBars_; }
  void setScrollBars(int bars);

 signals:
  // A key went down while the grid had the focus; `Shift` adds 1 for Shift, 2 for Ctrl, 4 for Alt.
  void KeyDown(int KeyCode, int Shift);
  // A key typed a character (Enter 13, Backspace 8 and Esc 27 included; Delete types none).
  void KeyPress(int KeyAscii);
  // The current cell is about to change; Row() and Col() still name the cell being left.
  void LeaveCell();
  // A mouse button went down or up over the grid: button 1 left, 2 right, 4 middle; the position in
  // twips from the grid's top left corner.
  void MouseDown(int Button, int Shift, Single X, Single Y);
  void MouseUp(int Button, int Shift, Single X, Single Y);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  void updateGeometries() override;

 private:
  void checkCell(int row, int col) const;
  bool isFixed(int row, int col) const { return row < FixedRows() || col < FixedCols(); }
  // The cells of this block changed: the views hear of every block changed so, as one block, once the
  // program's statements have run.
  void cellsChanged(int row0, int col0, int row1, int col1);
  void allCellsChanged();
  // Applies a change of look to every cell of the marked block.
  template <class Change>
  void forMarkedBlock(Change change);
  // Makes (row, col) current, raising LeaveCell first when it is another cell.
  void moveTo(int row, int col);
  void keepCurrentInside();
  void showCurrent();
  // Moves the current cell for a movement key; false for any other key.
  bool moveByKey(int key, Qt::KeyboardModifiers modifiers);
  bool cellAtPoint(const QPoint& viewportPoint, int& row, int& col) const;
  void raiseMouse(QMouseEvent* event, bool down);
  void scheduleMerge();
  void applyMerges();
  void layoutFrozenPanes();

  std::unique_ptr<FlexGridCells> cells_;
  int row_ = 1;
  int col_ = 1;
  int rowSel_ = 1;
  int colSel_ = 1;
  // The current cell sits in a fixed row or column only because the grid had no data cell there; it
  // moves to the first data cell once the grid has one.
  bool parked_ = false;
  bool leaving_ = false;  // LeaveCell is being raised: a move made by its handler raises no other
  QString format_;
  int merge_ = flexMergeNever;
  std::vector<bool> mergeCol_;
  std::vector<bool> mergeRow_;
  bool mergePending_ = false;
  bool merged_ = false;           // some cells show merged
  bool scrollPending_ = false;    // the current cell is to be scrolled into view
  bool changePending_ = false;    // cells changed since the views last heard of it
  std::array<int, 4> changed_{};  // the block they lie in: first row and column, last row and column
  int scrollBars_ = 3;
  QTableView* frozenTop_ = nullptr;     // the fixed rows, kept in view
  QTableView* frozenLeft_ = nullptr;    // the fixed columns, kept in view
  QTableView* frozenCorner_ = nullptr;  // where both meet
};

// The typing rule of the editable tables. Delete empties the current cell. Enter makes the next row
// current, or the first data row after the last one, in the same column; a cell reached so whose text
// is not a number shows "0". Any other character (Backspace and Esc included) replaces the cell's text
// when it goes to another cell than the previous character did, and is appended to it otherwise; a
// comma goes in as the decimal point. A text that is then no longer a number empties the cell. A digit
// typed into the "0" a cell shows since Enter reached it replaces that "0".
//
// The window keeps, among its own fields, the pending flag (a character was typed) and the cell of the
// last character, and hands them to the helper, which reads and sets them. A window that takes the
// typed value into its data when the cell is left clears the pending flag itself at that moment; in the
// other windows only typing changes it.
class GridTyping {
 public:
  struct Options {
    // The columns whose cells take characters and Delete; every data column when not set.
    std::function<bool(int col)> columns;
    // While true the keys change nothing (a table shown read-only).
    std::function<bool()> locked;
    // The number test of the window's cells.
    std::function<bool(const QString&)> isNumber = IsDecimalNumber;
    // The last row Enter moves to before it wraps to the first; Rows() - 1 when not set.
    std::function<int()> lastRow;
    // Enter moves the current row in every column, not only in those that take characters.
    bool enterInEveryColumn = false;
    // A cell reached by Enter whose text is not a number shows "0".
    bool zeroOnEnter = true;
  };

  GridTyping(FlexGrid* grid, Boolean& pending, Integer& row, Integer& col, Options options);

  // The window's KeyDown handler hands its key here: Delete empties the current cell. True when the key
  // changed the cell.
  bool keyDown(int keyCode);
  // The window's KeyPress handler hands its character here. True when a character other than Enter
  // was put into the current cell (the window may check the cell further).
  bool keyPress(int keyAscii);

 private:
  bool takes(bool enter) const;

  FlexGrid* grid_;
  Boolean& pending_;
  Integer& row_;
  Integer& col_;
  Options options_;
  int zeroRow_ = -1;  // the cell Enter reached, showing "0"
  int zeroCol_ = -1;
};

}  // namespace tavo
