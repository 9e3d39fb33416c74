#include "platform/flexgrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

#include "platform/errors.h"
#include "platform/forms.h"

namespace tavo {

namespace {

constexpr int kOwnBackRole = Qt::UserRole + 1;       // the cell has a background colour of its own
constexpr int kOwnAlignmentRole = Qt::UserRole + 2;  // the cell's own alignment, a FlexAlignment
constexpr int kCellPadding = 3;                      // pixels between a cell's text and its border
constexpr int kDefaultColWidth = 960;                // twips
constexpr int kHeaderMargin = 14;                    // pixels a column adds to its header text's width

Qt::Alignment QtAlignment(int alignment, const QString& text) {
  if (alignment == flexAlignGeneral)
    return (IsNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
  const int across = alignment / 3;
  const int down = alignment % 3;
  const Qt::Alignment h = across == 0 ? Qt::AlignLeft : across == 1 ? Qt::AlignHCenter : Qt::AlignRight;
  const Qt::Alignment v = down == 0 ? Qt::AlignTop : down == 1 ? Qt::AlignVCenter : Qt::AlignBottom;
  return h | v;
}

void CheckAlignment(int alignment) {
  if (alignment < flexAlignLeftTop || alignment > flexAlignGeneral) Raise(kErrInvalidPropertyValue);
}

// The key code of a key as the program's KeyDown handlers know it.
int KeyCodeOf(const QKeyEvent* event) {
  const int key = event->key();
  const bool keypad = event->modifiers() & Qt::KeypadModifier;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return keypad ? 96 + (key - Qt::Key_0) : key;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return vbKeyBack;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vbKeyReturn;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return vbKeyEscape;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return vbKeyDelete;
    case Qt::Key_Asterisk:
      return keypad ? 106 : 0;
    case Qt::Key_Plus:
      return keypad ? 107 : 187;
    case Qt::Key_Minus:
      return keypad ? 109 : 189;
    case Qt::Key_Period:
      return keypad ? 110 : 190;
    case Qt::Key_Slash:
      return keypad ? 111 : 191;
    case Qt::Key_Semicolon:
      return 186;
    case Qt::Key_Equal:
      return 187;
    case Qt::Key_Comma:
      return 188;
    case Qt::Key_QuoteLeft:
      return 192;
    case Qt::Key_BracketLeft:
      return 219;
    case Qt::Key_Backslash:
      return 220;
    case Qt::Key_BracketRight:
      return 221;
    case Qt::Key_Apostrophe:
      return 222;
    default:
      return 0;
  }
}

// The character a key types, 0 for none (Delete, the arrows and the other keys that type nothing).
int CharacterOf(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vbKeyReturn;
    case Qt::Key_Backspace:
      return vbKeyBack;
    case Qt::Key_Escape:
      return vbKeyEscape;
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 0;
    default:
      break;
  }
  const QString text = event->text();
  return text.isEmpty() ? 0 : text.at(0).unicode();
}

int ShiftOf(Qt::KeyboardModifiers modifiers) {
  return ((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0) |
         ((modifiers & Qt::AltModifier) ? 4 : 0);
}

int ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

// A view over the grid's own cells that keeps the fixed rows or columns in view: it lies over the grid
// and lets the mouse through to it.
QTableView* MakeFrozenPane(QTableWidget* grid) {
  auto* pane = new QTableView(grid);
  pane->setModel(grid->model());
  pane->setSelectionModel(grid->selectionModel());
  pane->setFocusPolicy(Qt::NoFocus);
  pane->setAttribute(Qt::WA_TransparentForMouseEvents);
  pane->horizontalHeader()->hide();
  pane->verticalHeader()->hide();
  pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pane->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  pane->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  pane->setFrameShape(QFrame::NoFrame);
  pane->setEditTriggers(QAbstractItemView::NoEditTriggers);
  pane->setAutoScroll(false);
  pane->setWordWrap(false);
  pane->verticalHeader()->setMinimumSectionSize(1);
  pane->verticalHeader()->setDefaultSectionSize(grid->verticalHeader()->defaultSectionSize());
  pane->horizontalHeader()->setMinimumSectionSize(0);
  pane->hide();
  return pane;
}

}  // namespace

QColor WindowBackgroundColor() {
  return QApplication::palette().color(QPalette::Base);
}
QColor ButtonFaceColor() {
  return QApplication::palette().color(QPalette::Button);
}

// ---------------------------------------------------------------------------------------------------
// The grid

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
  backColor_ = WindowBackgroundColor();
  backColorFixed_ = ButtonFaceColor();
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(0);
  horizontalHeader()->setDefaultSectionSize(Px(kDefaultColWidth));
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2 * kCellPadding);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(ExtendedSelection);
  setTabKeyNavigation(false);
  setAutoScroll(false);
  setWordWrap(false);
  setHorizontalScrollMode(ScrollPerPixel);
  setVerticalScrollMode(ScrollPerPixel);
  setFocusPolicy(Qt::StrongFocus);

  frozenTop_ = MakeFrozenPane(this);
  frozenLeft_ = MakeFrozenPane(this);
  frozenCorner_ = MakeFrozenPane(this);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, frozenTop_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, frozenLeft_->verticalScrollBar(),
          &QScrollBar::setValue);

  setRowCount(2);
  setColumnCount(2);
  colAlignment_.assign(2, flexAlignGeneral);
  colAlignmentFixed_.assign(2, flexAlignGeneral);
  mergeRow_.assign(2, false);
  mergeCol_.assign(2, false);
  createItems(0, 0);
  showCurrent();
}

FlexGrid::~FlexGrid() {
  // The panes go before the cells they show.
  delete frozenCorner_;
  delete frozenLeft_;
  delete frozenTop_;
}

QTableWidgetItem* FlexGrid::cell(int row, int col) const {
  checkCell(row, col);
  return item(row, col);
}

void FlexGrid::checkCell(int row, int col) const {
  if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount()) Raise(kErrInvalidPropertyIndex);
}

void FlexGrid::createItems(int fromRow, int fromCol) {
  const QSignalBlocker quiet(model());
  // An empty cell differs from another only by its part (fixed or data) and its column's alignment:
  // each new item is a copy of the one of its kind, made complete before the grid takes it.
  std::vector<QTableWidgetItem> modelos;
  modelos.reserve(2 * static_cast<size_t>(columnCount()));
  for (int c = 0; c < columnCount(); ++c) {
    for (const bool fixed : {false, true}) {
      QTableWidgetItem& it = modelos.emplace_back();
      it.setData(kOwnAlignmentRole, -1);
      it.setFlags(fixed ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
      it.setBackground(fixed ? backColorFixed_ : backColor_);
      it.setTextAlignment(QtAlignment(fixed ? colAlignmentFixed_[c] : colAlignment_[c], QString()));
    }
  }
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = (r >= fromRow ? 0 : fromCol); c < columnCount(); ++c) {
      if (item(r, c)) continue;
      setItem(r, c, modelos[2 * static_cast<size_t>(c) + (isFixed(r, c) ? 1 : 0)].clone());
    }
  }
  cellsChanged(0, 0, rowCount() - 1, columnCount() - 1);
}

void FlexGrid::cellsChanged(int row0, int col0, int row1, int col1) {
  if (row1 < row0 || col1 < col0) return;
  if (changePending_) {
    changed_[0] = std::min(changed_[0], row0);
    changed_[1] = std::min(changed_[1], col0);
    changed_[2] = std::max(changed_[2], row1);
    changed_[3] = std::max(changed_[3], col1);
    return;
  }
  changePending_ = true;
  changed_ = {row0, col0, row1, col1};
  QTimer::singleShot(0, this, [this] {
    changePending_ = false;
    const int row1 = std::min(changed_[2], rowCount() - 1);
    const int col1 = std::min(changed_[3], columnCount() - 1);
    if (row1 < changed_[0] || col1 < changed_[1]) return;
    emit model()->dataChanged(model()->index(changed_[0], changed_[1]), model()->index(row1, col1));
  });
}

void FlexGrid::refreshCell(int row, int col) {
  QTableWidgetItem* it = item(row, col);
  if (!it) return;
  const bool fixed = isFixed(row, col);
  it->setFlags(fixed ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
  if (!it->data(kOwnBackRole).toBool()) it->setBackground(fixed ? backColorFixed_ : backColor_);
  applyAlignment(it, row, col);
}

void FlexGrid::refreshAllCells() {
  const QSignalBlocker quiet(model());
  cellsChanged(0, 0, rowCount() - 1, columnCount() - 1);
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = 0; c < columnCount(); ++c) refreshCell(r, c);
  }
}

void FlexGrid::applyAlignment(QTableWidgetItem* it, int row, int col) {
  const int own = it->data(kOwnAlignmentRole).toInt();
  const int alignment = own >= 0 ? own : isFixed(row, col) ? colAlignmentFixed_[col] : colAlignment_[col];
  it->setTextAlignment(QtAlignment(alignment, it->text()));
}

// ---- size ----

void FlexGrid::setRows(int rows) {
  if (rows < fixedRows_ || rows < 1) Raise(kErrInvalidPropertyValue);
  const int before = rowCount();
  if (rows == before) return;
  setRowCount(rows);
  mergeRow_.resize(rows, false);
  if (rows > before) createItems(before, columnCount());
  keepCurrentInside();
  scheduleMerge();
}

void FlexGrid::setCols(int cols) {
  if (cols < fixedCols_ || cols < 1) Raise(kErrInvalidPropertyValue);
  const int before = columnCount();
  if (cols == before) return;
  setColumnCount(cols);
  colAlignment_.resize(cols, flexAlignGeneral);
  colAlignmentFixed_.resize(cols, flexAlignGeneral);
  mergeCol_.resize(cols, false);
  if (cols > before) createItems(rowCount(), before);
  keepCurrentInside();
  scheduleMerge();
}

void FlexGrid::setFixedRows(int rows) {
  if (rows < 0 || rows > rowCount()) Raise(kErrInvalidPropertyValue);
  fixedRows_ = rows;
  refreshAllCells();
  if (row_ < fixedRows_) parked_ = true;
  keepCurrentInside();
  layoutFrozenPanes();
}

void FlexGrid::setFixedCols(int cols) {
  if (cols < 0 || cols > columnCount()) Raise(kErrInvalidPropertyValue);
  fixedCols_ = cols;
  refreshAllCells();
  if (col_ < fixedCols_) parked_ = true;
  keepCurrentInside();
  layoutFrozenPanes();
}

// ---- the current cell ----

void FlexGrid::setRow(int row) {
  if (row < 0 || row >= rowCount()) Raise(kErrInvalidRow);
  parked_ = false;
  moveTo(row, col_);
}

void FlexGrid::setCol(int col) {
  if (col < 0 || col >= columnCount()) Raise(kErrInvalidCol);
  parked_ = false;
  moveTo(row_, col);
}

void FlexGrid::setRowSel(int row) {
  if (row < 0 || row >= rowCount()) Raise(kErrInvalidRow);
  rowSel_ = row;
  showCurrent();
}

void FlexGrid::setColSel(int col) {
  if (col < 0 || col >= columnCount()) Raise(kErrInvalidCol);
  colSel_ = col;
  showCurrent();
}

void FlexGrid::moveTo(int row, int col) {
  if ((row != row_ || col != col_) && !leaving_) {
    // The handler may move the current cell or change the grid itself; the move asked for wins.
    QPointer<FlexGrid> self(this);
    leaving_ = true;
    emit LeaveCell();
    if (!self) return;
    leaving_ = false;
    row = std::min(row, rowCount() - 1);
    col = std::min(col, columnCount() - 1);
  }
  row_ = rowSel_ = row;
  col_ = colSel_ = col;
  showCurrent();
}

// After the grid shrank, grew or changed its fixed part: the current cell stays inside the grid, on a
// data cell whenever the grid has one where it stood.
void FlexGrid::keepCurrentInside() {
  int row = std::min(row_, rowCount() - 1);
  int col = std::min(col_, columnCount() - 1);
  const bool dataRows = rowCount() > fixedRows_;
  const bool dataCols = columnCount() > fixedCols_;
  if (parked_ || row != row_ || col != col_) {
    if (row < fixedRows_ && dataRows) row = fixedRows_;
    if (col < fixedCols_ && dataCols) col = fixedCols_;
    parked_ = (row < fixedRows_ && !dataRows) || (col < fixedCols_ && !dataCols);
  }
  row_ = row;
  col_ = col;
  rowSel_ = std::min(rowSel_, rowCount() - 1);
  colSel_ = std::min(colSel_, columnCount() - 1);
  showCurrent();
}

void FlexGrid::showCurrent() {
  QItemSelectionModel* selection = selectionModel();
  const QModelIndex current = model()->index(row_, col_);
  selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
  const QModelIndex from = model()->index(std::min(row_, rowSel_), std::min(col_, colSel_));
  const QModelIndex to = model()->index(std::max(row_, rowSel_), std::max(col_, colSel_));
  selection->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
  // Scrolled into view once the program's statements have run, so that a walk over many cells
  // scrolls once.
  if (scrollPending_) return;
  scrollPending_ = true;
  QTimer::singleShot(0, this, [this] {
    scrollPending_ = false;
    if (row_ < rowCount() && col_ < columnCount()) scrollTo(model()->index(row_, col_));
  });
}

// ---- texts ----

QString FlexGrid::Text() const {
  return TextMatrix(row_, col_);
}

void FlexGrid::setText(const QString& text) {
  setTextMatrix(row_, col_, text);
}

QString FlexGrid::TextMatrix(int row, int col) const {
  return cell(row, col)->text();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
  QTableWidgetItem* it = cell(row, col);
  if (it->text() == text) return;
  const QSignalBlocker quiet(model());
  it->setText(text);
  applyAlignment(it, row, col);
  cellsChanged(row, col, row, col);
  scheduleMerge();
}

void FlexGrid::setFormatString(const QString& format) {
  format_ = format;
  const QStringList fields = format.split(QLatin1Char('|'));
  if (fields.size() > columnCount()) setCols(static_cast<int>(fields.size()));
  for (int c = 0; c < fields.size(); ++c) {
    QString text = fields[c];
    int alignment = -1;
    if (!text.isEmpty()) {
      const QChar first = text.at(0);
      if (first == QLatin1Char('<')) alignment = flexAlignLeftCenter;
      if (first == QLatin1Char('^')) alignment = flexAlignCenterCenter;
      if (first == QLatin1Char('>')) alignment = flexAlignRightCenter;
      if (alignment >= 0) text.remove(0, 1);
    }
    if (alignment >= 0) colAlignment_[c] = colAlignmentFixed_[c] = alignment;
    setTextMatrix(0, c, text);
    setColumnWidth(c, fontMetrics().horizontalAdvance(text) + kHeaderMargin);
  }
  refreshAllCells();
}

// ---- columns ----

int FlexGrid::ColWidth(int col) const {
  checkCell(0, col);
  return Twips(columnWidth(col));
}

void FlexGrid::setColWidth(int col, int twips) {
  checkCell(0, col);
  setColumnWidth(col, Px(twips < 0 ? kDefaultColWidth : twips));
}

int FlexGrid::ColAlignment(int col) const {
  checkCell(0, col);
  return colAlignment_[col];
}

void FlexGrid::setColAlignment(int col, int alignment) {
  checkCell(0, col);
  CheckAlignment(alignment);
  colAlignment_[col] = alignment;
  const QSignalBlocker quiet(model());
  for (int r = fixedRows_; r < rowCount(); ++r) applyAlignment(item(r, col), r, col);
  cellsChanged(fixedRows_, col, rowCount() - 1, col);
}

// ---- cell format ----

template <class Action>
void FlexGrid::forMarkedBlock(Action action) {
  const QSignalBlocker quiet(model());
  const int row0 = std::min(row_, rowSel_);
  const int col0 = std::min(col_, colSel_);
  const int row1 = std::max(row_, rowSel_);
  const int col1 = std::max(col_, colSel_);
  for (int r = row0; r <= row1; ++r) {
    for (int c = col0; c <= col1; ++c) action(item(r, c), r, c);
  }
  cellsChanged(row0, col0, row1, col1);
}

QColor FlexGrid::CellBackColor() const {
  return cell(row_, col_)->background().color();
}

void FlexGrid::setCellBackColor(const QColor& color) {
  forMarkedBlock([&](QTableWidgetItem* it, int, int) {
    it->setData(kOwnBackRole, true);
    it->setBackground(color);
  });
}

bool FlexGrid::CellFontBold() const {
  const QVariant f = cell(row_, col_)->data(Qt::FontRole);
  return f.isValid() ? f.value<QFont>().bold() : font().bold();
}

void FlexGrid::setCellFontBold(bool bold) {
  forMarkedBlock([&](QTableWidgetItem* it, int, int) {
    QFont f = it->data(Qt::FontRole).isValid() ? it->font() : font();
    f.setBold(bold);
    it->setFont(f);
  });
}

double FlexGrid::CellFontSize() const {
  const QVariant f = cell(row_, col_)->data(Qt::FontRole);
  return f.isValid() ? f.value<QFont>().pointSizeF() : font().pointSizeF();
}

void FlexGrid::setCellFontSize(double points) {
  if (points <= 0) Raise(kErrInvalidPropertyValue);
  forMarkedBlock([&](QTableWidgetItem* it, int, int) {
    QFont f = it->data(Qt::FontRole).isValid() ? it->font() : font();
    f.setPointSizeF(points);
    it->setFont(f);
  });
}

int FlexGrid::CellAlignment() const {
  const int own = cell(row_, col_)->data(kOwnAlignmentRole).toInt();
  if (own >= 0) return own;
  return isFixed(row_, col_) ? colAlignmentFixed_[col_] : colAlignment_[col_];
}

void FlexGrid::setCellAlignment(int alignment) {
  CheckAlignment(alignment);
  forMarkedBlock([&](QTableWidgetItem* it, int r, int c) {
    it->setData(kOwnAlignmentRole, alignment);
    applyAlignment(it, r, c);
  });
}

// ---- colours ----

void FlexGrid::setBackColor(const QColor& color) {
  backColor_ = color;
  refreshAllCells();
}

void FlexGrid::setBackColorFixed(const QColor& color) {
  backColorFixed_ = color;
  refreshAllCells();
}

void FlexGrid::setBackColorBkg(const QColor& color) {
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(this), static_cast<QAbstractItemView*>(frozenTop_),
        static_cast<QAbstractItemView*>(frozenLeft_), static_cast<QAbstractItemView*>(frozenCorner_)}) {
    QPalette p = view->viewport()->palette();
    p.setColor(QPalette::Base, color);
    view->viewport()->setPalette(p);
  }
}

// ---- merging ----

void FlexGrid::setMergeCells(int mode) {
  if (mode < flexMergeNever || mode > flexMergeRestrictAll) Raise(kErrInvalidPropertyValue);
  merge_ = mode;
  scheduleMerge();
}

bool FlexGrid::MergeCol(int col) const {
  checkCell(0, col);
  return mergeCol_[col];
}

void FlexGrid::setMergeCol(int col, bool merge) {
  checkCell(0, col);
  mergeCol_[col] = merge;
  scheduleMerge();
}

bool FlexGrid::MergeRow(int row) const {
  checkCell(row, 0);
  return mergeRow_[row];
}

void FlexGrid::setMergeRow(int row, bool merge) {
  checkCell(row, 0);
  mergeRow_[row] = merge;
  scheduleMerge();
}

// The cells are merged once the program's statements have run, so that filling a grid cell by cell
// merges it once.
void FlexGrid::scheduleMerge() {
  if (mergePending_ || (merge_ == flexMergeNever && !merged_)) return;
  mergePending_ = true;
  QTimer::singleShot(0, this, [this] { applyMerges(); });
}

void FlexGrid::applyMerges() {
  mergePending_ = false;
  const int rows = rowCount();
  const int cols = columnCount();
  const QList<QTableView*> views = {this, frozenTop_, frozenLeft_, frozenCorner_};
  for (QTableView* view : views) view->clearSpans();
  merged_ = false;
  if (merge_ == flexMergeNever) return;
  const bool restrictRows = merge_ == flexMergeRestrictRows || merge_ == flexMergeRestrictAll;
  const bool restrictCols = merge_ == flexMergeRestrictColumns || merge_ == flexMergeRestrictAll;
  auto text = [this](int r, int c) { return item(r, c)->text(); };
  // The first cell of the run each cell belongs to, across (within its row) and down (within its
  // column).
  std::vector<std::vector<int>> across(rows, std::vector<int>(cols));
  std::vector<std::vector<int>> down(rows, std::vector<int>(cols));
  std::vector<std::vector<bool>> covered(rows, std::vector<bool>(cols, false));
  auto span = [&](int r, int c, int height, int width) {
    for (QTableView* view : views) view->setSpan(r, c, height, width);
    merged_ = true;
    for (int i = r; i < r + height; ++i) {
      for (int j = c; j < c + width; ++j) covered[i][j] = true;
    }
  };
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      across[r][c] = c;
      if (!mergeRow_[r] || c == 0 || text(r, c).isEmpty() || text(r, c) != text(r, c - 1)) continue;
      if (restrictCols && (r == 0 || across[r - 1][c] != across[r - 1][c - 1])) continue;
      across[r][c] = across[r][c - 1];
    }
    for (int c = 0; c < cols;) {
      int width = 1;
      while (c + width < cols && across[r][c + width] == c) ++width;
      if (width > 1) span(r, c, 1, width);
      c += width;
    }
  }
  for (int c = 0; c < cols; ++c) {
    for (int r = 0; r < rows; ++r) {
      down[r][c] = r;
      if (!mergeCol_[c] || r == 0 || covered[r][c] || covered[r - 1][c] || text(r, c).isEmpty() ||
          text(r, c) != text(r - 1, c))
        continue;
      if (restrictRows && c > 0 && down[r][c - 1] != down[r - 1][c - 1]) continue;
      down[r][c] = down[r - 1][c];
    }
    for (int r = 0; r < rows;) {
      int height = 1;
      while (r + height < rows && down[r + height][c] == r) ++height;
      if (height > 1) span(r, c, height, 1);
      r += height;
    }
  }
}

// ---- scroll bars and the frozen panes ----

void FlexGrid::setScrollBars(int bars) {
  if (bars < 0 || bars > 3) Raise(kErrInvalidPropertyValue);
  scrollBars_ = bars;
  setHorizontalScrollBarPolicy((bars & 1) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy((bars & 2) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void FlexGrid::updateGeometries() {
  QTableWidget::updateGeometries();
  layoutFrozenPanes();
}

void FlexGrid::layoutFrozenPanes() {
  if (!frozenTop_) return;
  int height = 0;
  for (int r = 0; r < std::min(fixedRows_, rowCount()); ++r) height += rowHeight(r);
  int width = 0;
  for (int c = 0; c < std::min(fixedCols_, columnCount()); ++c) width += columnWidth(c);
  const QRect area = viewport()->geometry();
  height = std::min(height, area.height());
  width = std::min(width, area.width());
  for (QTableView* pane : {frozenTop_, frozenLeft_, frozenCorner_}) {
    for (int c = 0; c < columnCount(); ++c) pane->setColumnWidth(c, columnWidth(c));
    pane->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  }
  frozenTop_->setGeometry(area.x(), area.y(), area.width(), height);
  frozenLeft_->setGeometry(area.x(), area.y(), width, area.height());
  frozenCorner_->setGeometry(area.x(), area.y(), width, height);
  frozenTop_->setVisible(height > 0);
  frozenLeft_->setVisible(width > 0);
  frozenCorner_->setVisible(height > 0 && width > 0);
  frozenTop_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
  frozenLeft_->verticalScrollBar()->setValue(verticalScrollBar()->value());
  frozenCorner_->raise();
}

void FlexGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
  QTableWidget::scrollTo(index, hint);
  if (!index.isValid()) return;
  // A data cell is not in view while it lies under the fixed rows or columns.
  const QRect rect = visualRect(index);
  const QRect top = frozenTop_->isVisible() ? frozenTop_->geometry() : QRect();
  const QRect left = frozenLeft_->isVisible() ? frozenLeft_->geometry() : QRect();
  if (index.row() >= fixedRows_ && rect.top() < top.height())
    verticalScrollBar()->setValue(verticalScrollBar()->value() - (top.height() - rect.top()));
  if (index.column() >= fixedCols_ && rect.left() < left.width())
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (left.width() - rect.left()));
}

// ---- keys ----

void FlexGrid::keyPressEvent(QKeyEvent* event) {
  QPointer<FlexGrid> self(this);
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const int key = event->key();
  const int character = CharacterOf(event);
  emit KeyDown(KeyCodeOf(event), ShiftOf(modifiers));
  if (!self) return;
  if (character != 0) {
    emit KeyPress(character);
    if (!self) return;
  }
  // A key that types a character or moves the current cell is the grid's; any other goes on to the
  // window.
  if (moveByKey(key, modifiers) || character != 0) {
    event->accept();
  } else {
    event->ignore();
  }
}

// The keys that move the current cell move it among the data cells.
bool FlexGrid::moveByKey(int key, Qt::KeyboardModifiers modifiers) {
  static const int kMovementKeys[] = {Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Left, Qt::Key_Right,
                                      Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
  if (std::find(std::begin(kMovementKeys), std::end(kMovementKeys), key) == std::end(kMovementKeys))
    return false;
  const int firstRow = fixedRows_;
  const int firstCol = fixedCols_;
  const int lastRow = rowCount() - 1;
  const int lastCol = columnCount() - 1;
  if (firstRow > lastRow || firstCol > lastCol) return true;
  int row = std::clamp(row_, firstRow, lastRow);
  int col = std::clamp(col_, firstCol, lastCol);
  const int page =
      std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()) - 1);
  const bool ctrl = modifiers & Qt::ControlModifier;
  switch (key) {
    case Qt::Key_Up:
      row = std::max(firstRow, row - 1);
      break;
    case Qt::Key_Down:
      row = std::min(lastRow, row + 1);
      break;
    case Qt::Key_Left:
      col = std::max(firstCol, col - 1);
      break;
    case Qt::Key_Right:
      col = std::min(lastCol, col + 1);
      break;
    case Qt::Key_PageUp:
      row = std::max(firstRow, row - page);
      break;
    case Qt::Key_PageDown:
      row = std::min(lastRow, row + page);
      break;
    case Qt::Key_Home:
      col = firstCol;
      if (ctrl) row = firstRow;
      break;
    default:  // End
      col = lastCol;
      if (ctrl) row = lastRow;
      break;
  }
  parked_ = false;
  moveTo(row, col);
  return true;
}

// ---- mouse ----

bool FlexGrid::cellAtPoint(const QPoint& point, int& row, int& col) const {
  // Over the fixed rows and columns the point names the fixed cell drawn there, whatever the scroll.
  const QHeaderView* rows = verticalHeader();
  const QHeaderView* cols = horizontalHeader();
  row = -1;
  col = -1;
  for (int r = 0; r < std::min(fixedRows_, rowCount()); ++r) {
    if (point.y() >= rows->sectionPosition(r) && point.y() < rows->sectionPosition(r) + rows->sectionSize(r))
      row = r;
  }
  for (int c = 0; c < std::min(fixedCols_, columnCount()); ++c) {
    if (point.x() >= cols->sectionPosition(c) && point.x() < cols->sectionPosition(c) + cols->sectionSize(c))
      col = c;
  }
  if (row < 0) row = rowAt(point.y());
  if (col < 0) col = columnAt(point.x());
  return row >= 0 && col >= 0;
}

void FlexGrid::raiseMouse(QMouseEvent* event, bool down) {
  const QPoint at = viewport()->mapTo(this, event->position().toPoint());
  const int button = ButtonOf(event->button());
  const int shift = ShiftOf(event->modifiers());
  const Single x = static_cast<Single>(Twips(at.x()));
  const Single y = static_cast<Single>(Twips(at.y()));
  if (down) {
    emit MouseDown(button, shift, x, y);
  } else {
    emit MouseUp(button, shift, x, y);
  }
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
  QPointer<FlexGrid> self(this);
  int row = 0;
  int col = 0;
  if (event->button() == Qt::LeftButton && cellAtPoint(event->position().toPoint(), row, col) &&
      !isFixed(row, col)) {
    parked_ = false;
    moveTo(row, col);
    if (!self) return;
  }
  raiseMouse(event, true);
  if (self) event->accept();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
  raiseMouse(event, false);
  event->accept();
}

// The second press of a double click raises no MouseDown of its own.
void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
}

// Dragging marks no block.
void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
}

// ---------------------------------------------------------------------------------------------------
// The typing rule

GridTyping::GridTyping(FlexGrid* grid, Boolean& pending, Integer& row, Integer& col, Options options)
    : grid_(grid), pending_(pending), row_(row), col_(col), options_(std::move(options)) {}

bool GridTyping::takes(bool enter) const {
  if (options_.locked && options_.locked()) return false;
  const int row = grid_->Row();
  const int col = grid_->Col();
  if (row < grid_->FixedRows() || col < grid_->FixedCols()) return false;
  if (enter && options_.enterInEveryColumn) return true;
  return !options_.columns || options_.columns(col);
}

bool GridTyping::keyDown(int keyCode) {
  if (keyCode != vbKeyDelete || !takes(false)) return false;
  grid_->setText(QString());
  return true;
}

bool GridTyping::keyPress(int keyAscii) {
  if (keyAscii == vbKeyReturn) {
    if (!takes(true)) return false;
    const int first = grid_->FixedRows();
    const int last = std::min(options_.lastRow ? options_.lastRow() : grid_->Rows() - 1, grid_->Rows() - 1);
    if (last < first) return false;
    grid_->setRow(grid_->Row() < last ? grid_->Row() + 1 : first);
    if (options_.zeroOnEnter && !options_.isNumber(grid_->Text())) grid_->setText(QStringLiteral("0"));
    return false;
  }
  if (!takes(false)) return false;
  if (grid_->Row() == row_ && grid_->Col() == col_) pending_ = false;
  const QString typed(QChar(static_cast<char16_t>(keyAscii)));
  grid_->setText(pending_ ? typed : grid_->Text() + typed);
  pending_ = true;
  row_ = static_cast<Integer>(grid_->Row());
  col_ = static_cast<Integer>(grid_->Col());
  if (!options_.isNumber(grid_->Text())) grid_->setText(QString());
  return true;
}

}  // namespace tavo
