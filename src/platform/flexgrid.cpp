#include "platform/flexgrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

#include "platform/arrays.h"
#include "platform/errors.h"
#include "platform/forms.h"
#include "platform/keys.h"

namespace tavo {

namespace {

constexpr int kCellPadding = 3;        // pixels between a cell's text and its border
constexpr int kDefaultColWidth = 960;  // twips
constexpr int kHeaderMargin = 14;      // pixels a column adds to its header text's width

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
QTableView* MakeFrozenPane(QTableView* grid) {
  auto* pane = new QTableView(grid);
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
// The cells

// What the program set on a cell itself, over its column's alignment and its part's colour.
struct CellLook {
  bool ownBack = false;
  QColor back;
  int bold = -1;       // -1: the grid's
  double size = 0;     // points; 0: the grid's
  int alignment = -1;  // a FlexAlignment; -1: the column's
  bool ownFont() const { return bold >= 0 || size > 0; }
  bool operator==(const CellLook& o) const {
    return ownBack == o.ownBack && (!ownBack || back == o.back) && bold == o.bold && size == o.size &&
           alignment == o.alignment;
  }
};

// The model the grid and its frozen panes show: every cell's value and look, the fixed part, the
// columns' alignments and the grid's colours. A number is kept as a number and its text made when it
// is asked for; texts and Doubles live in pools of their own, so that a cell takes 8 bytes whatever it
// holds. A text written into several cells one after another (a name down a column) is kept once, and
// so are the looks a grid uses.
class FlexGridCells : public QAbstractTableModel {
 public:
  enum Kind : std::uint8_t { kEmpty, kText, kSingle, kDouble, kInteger, kLong };
  struct Cell {
    std::uint32_t payload = 0;    // a Single's bits, an Integer or a Long, or the place in its pool
    std::uint32_t look : 24 = 0;  // the cell's look in looks_; 0 is the look of a cell never formatted
    std::uint32_t kind : 8 = kEmpty;
  };
  static_assert(sizeof(Cell) == 8);

  explicit FlexGridCells(FlexGrid* grid) : QAbstractTableModel(grid), grid_(grid) { looks_.emplace_back(); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : rows_;
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : cols_;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const int r = index.row();
    const int c = index.column();
    switch (role) {
      case Qt::DisplayRole:
      case Qt::EditRole:
        return text(r, c);
      case Qt::TextAlignmentRole: {
        const int a = alignment(r, c);
        return QtAlignment(a, a == flexAlignGeneral ? text(r, c) : QString()).toInt();
      }
      case Qt::BackgroundRole:
        return QBrush(background(r, c));
      case Qt::FontRole:
        if (look(r, c).ownFont()) return font(r, c);
        return {};
      default:
        return {};
    }
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    return isFixed(index.row(), index.column()) ? Qt::ItemIsEnabled
                                                : (Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  }

  // ---- size ----
  void setRowCount(int rows) {
    if (rows == rows_) return;
    if (rows > rows_) {
      beginInsertRows(QModelIndex(), rows_, rows - 1);
      cells_.resize(static_cast<size_t>(rows) * static_cast<size_t>(cols_));
      rows_ = rows;
      endInsertRows();
      return;
    }
    beginRemoveRows(QModelIndex(), rows, rows_ - 1);
    for (size_t i = static_cast<size_t>(rows) * static_cast<size_t>(cols_); i < cells_.size(); ++i)
      releaseSide(cells_[i]);
    cells_.resize(static_cast<size_t>(rows) * static_cast<size_t>(cols_));
    rows_ = rows;
    endRemoveRows();
  }

  void setColumnCount(int cols) {
    if (cols == cols_) return;
    ArrayRoom<Cell> cells(static_cast<size_t>(rows_) * static_cast<size_t>(cols));
    for (int r = 0; r < rows_; ++r) {
      for (int c = 0; c < cols_; ++c) {
        Cell& old = at(r, c);
        if (c < cols) {
          cells[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)] = old;
        } else {
          releaseSide(old);
        }
      }
    }
    if (cols > cols_) {
      beginInsertColumns(QModelIndex(), cols_, cols - 1);
    } else {
      beginRemoveColumns(QModelIndex(), cols, cols_ - 1);
    }
    const bool more = cols > cols_;
    cells_ = std::move(cells);
    cols_ = cols;
    colAlignment.resize(static_cast<size_t>(cols), flexAlignGeneral);
    colAlignmentFixed.resize(static_cast<size_t>(cols), flexAlignGeneral);
    if (more) {
      endInsertColumns();
    } else {
      endRemoveColumns();
    }
  }

  // ---- values ----
  const Cell& at(int r, int c) const {
    return cells_[static_cast<size_t>(r) * static_cast<size_t>(cols_) + static_cast<size_t>(c)];
  }
  Cell& at(int r, int c) {
    return cells_[static_cast<size_t>(r) * static_cast<size_t>(cols_) + static_cast<size_t>(c)];
  }

  QString text(int r, int c) const {
    const Cell& cell = at(r, c);
    switch (cell.kind) {
      case kEmpty:
        return QString();
      case kText:
        return texts_[cell.payload];
      case kInteger:
        return PlainNumberText(static_cast<Integer>(static_cast<std::int32_t>(cell.payload)));
      case kLong:
        return PlainNumberText(static_cast<Long>(static_cast<std::int32_t>(cell.payload)));
      default: {
        char out[64];
        return QString::fromLatin1(out, numberChars(cell, out));
      }
    }
  }

  // The plain number text of a cell that holds a number, into `out` (64 characters).
  int numberChars(const Cell& cell, char* out) const {
    switch (cell.kind) {
      case kSingle:
        return PlainNumberTextChars(single(cell), out);
      case kDouble:
        return PlainNumberTextChars(doubles_[cell.payload], out);
      default: {
        const auto result = std::to_chars(out, out + 64, static_cast<std::int32_t>(cell.payload));
        return static_cast<int>(result.ptr - out);
      }
    }
  }

  static Single single(const Cell& cell) {
    Single v;
    const std::uint32_t bits = cell.payload;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }

  Variant value(int r, int c) const {
    const Cell& cell = at(r, c);
    switch (cell.kind) {
      case kEmpty:
        return Variant();
      case kText:
        return Variant(texts_[cell.payload]);
      case kSingle:
        return Variant(single(cell));
      case kDouble:
        return Variant(doubles_[cell.payload]);
      case kInteger:
        return Variant(static_cast<Integer>(static_cast<std::int32_t>(cell.payload)));
      default:
        return Variant(static_cast<Long>(static_cast<std::int32_t>(cell.payload)));
    }
  }

  // Both false when the cell already held that value.
  bool setText(int r, int c, const QString& text) {
    Cell& cell = at(r, c);
    if (cell.kind == kText ? texts_[cell.payload] == text : this->text(r, c) == text) return false;
    releaseSide(cell);
    if (text.isEmpty()) {
      cell.kind = kEmpty;
      cell.payload = 0;
      return true;
    }
    cell.payload = takeText(text);
    cell.kind = kText;
    return true;
  }

  bool setValue(int r, int c, const Variant& value) {
    Cell& cell = at(r, c);
    std::uint32_t payload = 0;
    Kind kind = kEmpty;
    switch (value.type()) {
      case Variant::Type::Empty:
        return setText(r, c, QString());
      case Variant::Type::String:
        return setText(r, c, *value.get_if<QString>());
      case Variant::Type::Single:
        std::memcpy(&payload, value.get_if<Single>(), sizeof payload);
        kind = kSingle;
        break;
      case Variant::Type::Double: {
        const Double v = *value.get_if<Double>();
        if (cell.kind == kDouble) {
          if (std::memcmp(&doubles_[cell.payload], &v, sizeof v) == 0) return false;
          doubles_[cell.payload] = v;
          return true;
        }
        releaseSide(cell);
        cell.payload = takeDouble(v);
        cell.kind = kDouble;
        return true;
      }
      case Variant::Type::Integer:
        payload = static_cast<std::uint32_t>(static_cast<std::int32_t>(*value.get_if<Integer>()));
        kind = kInteger;
        break;
      case Variant::Type::Long:
        payload = static_cast<std::uint32_t>(*value.get_if<Long>());
        kind = kLong;
        break;
      default:
        return setText(r, c, value.toString());
    }
    if (cell.kind == kind && cell.payload == payload) return false;
    releaseSide(cell);
    cell.kind = kind;
    cell.payload = payload;
    return true;
  }

  // ---- looks ----
  const CellLook& look(int r, int c) const { return looks_[at(r, c).look]; }

  // The look's place among the grid's looks, added when new.
  std::uint32_t lookIndex(const CellLook& look) {
    for (size_t i = 0; i < looks_.size(); ++i) {
      if (looks_[i] == look) return static_cast<std::uint32_t>(i);
    }
    looks_.push_back(look);
    return static_cast<std::uint32_t>(looks_.size() - 1);
  }
  const CellLook& lookAt(std::uint32_t i) const { return looks_[i]; }

  bool isFixed(int r, int c) const { return r < fixedRows || c < fixedCols; }

  int alignment(int r, int c) const {
    const int own = look(r, c).alignment;
    if (own >= 0) return own;
    return isFixed(r, c) ? colAlignmentFixed[static_cast<size_t>(c)] : colAlignment[static_cast<size_t>(c)];
  }

  QColor background(int r, int c) const {
    const CellLook& l = look(r, c);
    if (l.ownBack) return l.back;
    return isFixed(r, c) ? backColorFixed : backColor;
  }

  QFont font(int r, int c) const {
    const CellLook& l = look(r, c);
    QFont f = grid_->font();
    if (l.bold >= 0) f.setBold(l.bold != 0);
    if (l.size > 0) f.setPointSizeF(l.size);
    return f;
  }

  int fixedRows = 1;
  int fixedCols = 1;
  std::vector<int> colAlignment;       // data cells, per column
  std::vector<int> colAlignmentFixed;  // fixed cells, per column
  QColor backColor;
  QColor backColorFixed;

 private:
  // The text's place in the pool: that of the last text taken when it is the same.
  std::uint32_t takeText(const QString& text) {
    if (lastText_ < texts_.size() && textUses_[lastText_] > 0 && texts_[lastText_] == text) {
      ++textUses_[lastText_];
      return lastText_;
    }
    if (!freeTexts_.empty()) {
      lastText_ = freeTexts_.back();
      freeTexts_.pop_back();
    } else {
      lastText_ = static_cast<std::uint32_t>(texts_.size());
      texts_.emplace_back();
      textUses_.push_back(0);
    }
    texts_[lastText_] = text;
    textUses_[lastText_] = 1;
    return lastText_;
  }
  std::uint32_t takeDouble(Double v) {
    if (!freeDoubles_.empty()) {
      const std::uint32_t i = freeDoubles_.back();
      freeDoubles_.pop_back();
      doubles_[i] = v;
      return i;
    }
    doubles_.push_back(v);
    return static_cast<std::uint32_t>(doubles_.size() - 1);
  }
  // The cell's place in a pool, given back.
  void releaseSide(Cell& cell) {
    if (cell.kind == kText) {
      if (--textUses_[cell.payload] > 0) return;
      texts_[cell.payload] = QString();
      freeTexts_.push_back(cell.payload);
    } else if (cell.kind == kDouble) {
      freeDoubles_.push_back(cell.payload);
    }
  }

  FlexGrid* grid_;
  int rows_ = 0;
  int cols_ = 0;
  ArrayRoom<Cell> cells_;  // row by row; a large grid's room comes with its memory in place
  std::vector<QString> texts_;
  std::vector<std::uint32_t> textUses_;   // the cells that hold each text
  std::vector<std::uint32_t> freeTexts_;  // places in texts_ no cell uses
  std::uint32_t lastText_ = 0;            // the place of the last text taken
  std::vector<Double> doubles_;
  std::vector<std::uint32_t> freeDoubles_;  // places in doubles_ no cell uses
  std::vector<CellLook> looks_;
};

// ---------------------------------------------------------------------------------------------------
// The grid

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), cells_(std::make_unique<FlexGridCells>(this)) {
  cells_->backColor = WindowBackgroundColor();
  cells_->backColorFixed = ButtonFaceColor();
  setModel(cells_.get());
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

  cells_->setColumnCount(2);
  cells_->setRowCount(2);
  mergeRow_.assign(2, false);
  mergeCol_.assign(2, false);
  showCurrent();
}

FlexGrid::~FlexGrid() {
  // The panes and the grid itself go before the cells they show.
  for (QTableView** pane : {&frozenCorner_, &frozenLeft_, &frozenTop_}) {
    delete *pane;
    *pane = nullptr;
  }
  setModel(nullptr);
}

int FlexGrid::Rows() const {
  return cells_->rowCount();
}

int FlexGrid::Cols() const {
  return cells_->columnCount();
}

int FlexGrid::FixedRows() const {
  return cells_->fixedRows;
}

int FlexGrid::FixedCols() const {
  return cells_->fixedCols;
}

QColor FlexGrid::BackColor() const {
  return cells_->backColor;
}

QColor FlexGrid::BackColorFixed() const {
  return cells_->backColorFixed;
}

void FlexGrid::checkCell(int row, int col) const {
  if (row < 0 || row >= Rows() || col < 0 || col >= Cols()) Raise(kErrInvalidPropertyIndex);
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
    const int row1 = std::min(changed_[2], Rows() - 1);
    const int col1 = std::min(changed_[3], Cols() - 1);
    if (row1 < changed_[0] || col1 < changed_[1]) return;
    emit cells_->dataChanged(cells_->index(changed_[0], changed_[1]), cells_->index(row1, col1));
  });
}

void FlexGrid::allCellsChanged() {
  cellsChanged(0, 0, Rows() - 1, Cols() - 1);
}

// ---- size ----

void FlexGrid::setRows(int rows) {
  if (rows < FixedRows() || rows < 1) Raise(kErrInvalidPropertyValue);
  if (rows == Rows()) return;
  cells_->setRowCount(rows);
  mergeRow_.resize(static_cast<size_t>(rows), false);
  keepCurrentInside();
  scheduleMerge();
}

void FlexGrid::setCols(int cols) {
  if (cols < FixedCols() || cols < 1) Raise(kErrInvalidPropertyValue);
  if (cols == Cols()) return;
  cells_->setColumnCount(cols);
  mergeCol_.resize(static_cast<size_t>(cols), false);
  keepCurrentInside();
  scheduleMerge();
}

void FlexGrid::setFixedRows(int rows) {
  if (rows < 0 || rows > Rows()) Raise(kErrInvalidPropertyValue);
  cells_->fixedRows = rows;
  allCellsChanged();
  if (row_ < rows) parked_ = true;
  keepCurrentInside();
  layoutFrozenPanes();
}

void FlexGrid::setFixedCols(int cols) {
  if (cols < 0 || cols > Cols()) Raise(kErrInvalidPropertyValue);
  cells_->fixedCols = cols;
  allCellsChanged();
  if (col_ < cols) parked_ = true;
  keepCurrentInside();
  layoutFrozenPanes();
}

// ---- the current cell ----

void FlexGrid::setRow(int row) {
  if (row < 0 || row >= Rows()) Raise(kErrInvalidRow);
  parked_ = false;
  moveTo(row, col_);
}

void FlexGrid::setCol(int col) {
  if (col < 0 || col >= Cols()) Raise(kErrInvalidCol);
  parked_ = false;
  moveTo(row_, col);
}

void FlexGrid::setRowSel(int row) {
  if (row < 0 || row >= Rows()) Raise(kErrInvalidRow);
  rowSel_ = row;
  showCurrent();
}

void FlexGrid::setColSel(int col) {
  if (col < 0 || col >= Cols()) Raise(kErrInvalidCol);
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
    row = std::min(row, Rows() - 1);
    col = std::min(col, Cols() - 1);
  }
  row_ = rowSel_ = row;
  col_ = colSel_ = col;
  showCurrent();
}

// After the grid shrank, grew or changed its fixed part: the current cell stays inside the grid, on a
// data cell whenever the grid has one where it stood.
void FlexGrid::keepCurrentInside() {
  int row = std::min(row_, Rows() - 1);
  int col = std::min(col_, Cols() - 1);
  const bool dataRows = Rows() > FixedRows();
  const bool dataCols = Cols() > FixedCols();
  if (parked_ || row != row_ || col != col_) {
    if (row < FixedRows() && dataRows) row = FixedRows();
    if (col < FixedCols() && dataCols) col = FixedCols();
    parked_ = (row < FixedRows() && !dataRows) || (col < FixedCols() && !dataCols);
  }
  row_ = row;
  col_ = col;
  rowSel_ = std::min(rowSel_, Rows() - 1);
  colSel_ = std::min(colSel_, Cols() - 1);
  showCurrent();
}

void FlexGrid::showCurrent() {
  QItemSelectionModel* selection = selectionModel();
  const QModelIndex current = cells_->index(row_, col_);
  selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
  const QModelIndex from = cells_->index(std::min(row_, rowSel_), std::min(col_, colSel_));
  const QModelIndex to = cells_->index(std::max(row_, rowSel_), std::max(col_, colSel_));
  selection->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
  // Scrolled into view once the program's statements have run, so that a walk over many cells
  // scrolls once.
  if (scrollPending_) return;
  scrollPending_ = true;
  QTimer::singleShot(0, this, [this] {
    scrollPending_ = false;
    if (row_ < Rows() && col_ < Cols()) scrollTo(cells_->index(row_, col_));
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
  checkCell(row, col);
  return cells_->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
  checkCell(row, col);
  if (!cells_->setText(row, col, text)) return;
  cellsChanged(row, col, row, col);
  scheduleMerge();
}

Variant FlexGrid::ValueMatrix(int row, int col) const {
  checkCell(row, col);
  return cells_->value(row, col);
}

void FlexGrid::setValueMatrix(int row, int col, const Variant& value) {
  checkCell(row, col);
  if (!cells_->setValue(row, col, value)) return;
  cellsChanged(row, col, row, col);
  scheduleMerge();
}

void FlexGrid::setFormatString(const QString& format) {
  format_ = format;
  const QStringList fields = format.split(QLatin1Char('|'));
  if (fields.size() > Cols()) setCols(static_cast<int>(fields.size()));
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
    if (alignment >= 0)
      cells_->colAlignment[static_cast<size_t>(c)] = cells_->colAlignmentFixed[static_cast<size_t>(c)] =
          alignment;
    setTextMatrix(0, c, text);
    setColumnWidth(c, fontMetrics().horizontalAdvance(text) + kHeaderMargin);
  }
  allCellsChanged();
}

// ---- columns ----

int FlexGrid::WidestText(int col) const {
  checkCell(0, col);
  // Digits take the width of the widest of them, so that a number is measured by its shape: the
  // numbers of a column have few shapes, each measured once.
  const QFontMetrics metrics(font());
  QChar widestDigit = QLatin1Char('0');
  for (char d = '1'; d <= '9'; ++d) {
    if (metrics.horizontalAdvance(QLatin1Char(d)) > metrics.horizontalAdvance(widestDigit))
      widestDigit = QLatin1Char(d);
  }
  QHash<QString, int> measured;  // texts in the grid's font
  std::vector<std::pair<std::string, int>> shapes;
  int widest = 0;
  for (int r = 0; r < Rows(); ++r) {
    if (mergeRow_[static_cast<size_t>(r)]) continue;
    const FlexGridCells::Cell& cell = cells_->at(r, col);
    if (cell.kind == FlexGridCells::kEmpty) continue;
    if (cells_->lookAt(cell.look).ownFont()) {
      widest = std::max(widest, QFontMetrics(cells_->font(r, col)).horizontalAdvance(cells_->text(r, col)));
      continue;
    }
    if (cell.kind == FlexGridCells::kText) {
      const QString text = cells_->text(r, col);
      auto seen = measured.constFind(text);
      if (seen == measured.constEnd()) seen = measured.insert(text, metrics.horizontalAdvance(text));
      widest = std::max(widest, *seen);
      continue;
    }
    char out[64];
    const int n = cells_->numberChars(cell, out);
    for (int i = 0; i < n; ++i) {
      if (out[i] >= '0' && out[i] <= '9') out[i] = static_cast<char>(widestDigit.unicode());
    }
    const std::string_view shape(out, static_cast<size_t>(n));
    auto known = std::find_if(shapes.begin(), shapes.end(), [&](const auto& s) { return s.first == shape; });
    if (known == shapes.end()) {
      shapes.emplace_back(std::string(shape), metrics.horizontalAdvance(QString::fromLatin1(out, n)));
      known = shapes.end() - 1;
    }
    widest = std::max(widest, known->second);
  }
  return widest;
}

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
  return cells_->colAlignment[static_cast<size_t>(col)];
}

void FlexGrid::setColAlignment(int col, int alignment) {
  checkCell(0, col);
  CheckAlignment(alignment);
  cells_->colAlignment[static_cast<size_t>(col)] = alignment;
  cellsChanged(FixedRows(), col, Rows() - 1, col);
}

// ---- cell format ----

template <class Change>
void FlexGrid::forMarkedBlock(Change change) {
  const int row0 = std::min(row_, rowSel_);
  const int col0 = std::min(col_, colSel_);
  const int row1 = std::max(row_, rowSel_);
  const int col1 = std::max(col_, colSel_);
  // The block's cells share few looks: each is changed once.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> changedLooks;
  for (int r = row0; r <= row1; ++r) {
    for (int c = col0; c <= col1; ++c) {
      FlexGridCells::Cell& cell = cells_->at(r, c);
      const std::uint32_t look = cell.look;
      auto done = std::find_if(changedLooks.begin(), changedLooks.end(),
                               [&](const auto& p) { return p.first == look; });
      if (done == changedLooks.end()) {
        CellLook changedLook = cells_->lookAt(look);
        change(changedLook);
        changedLooks.emplace_back(look, cells_->lookIndex(changedLook));
        done = changedLooks.end() - 1;
      }
      cell.look = done->second;
    }
  }
  cellsChanged(row0, col0, row1, col1);
}

QColor FlexGrid::CellBackColor() const {
  checkCell(row_, col_);
  return cells_->background(row_, col_);
}

void FlexGrid::setCellBackColor(const QColor& color) {
  forMarkedBlock([&](CellLook& look) {
    look.ownBack = true;
    look.back = color;
  });
}

bool FlexGrid::CellFontBold() const {
  checkCell(row_, col_);
  const CellLook& look = cells_->look(row_, col_);
  return look.bold >= 0 ? look.bold != 0 : font().bold();
}

void FlexGrid::setCellFontBold(bool bold) {
  forMarkedBlock([&](CellLook& look) { look.bold = bold ? 1 : 0; });
}

double FlexGrid::CellFontSize() const {
  checkCell(row_, col_);
  const CellLook& look = cells_->look(row_, col_);
  return look.size > 0 ? look.size : font().pointSizeF();
}

void FlexGrid::setCellFontSize(double points) {
  if (points <= 0) Raise(kErrInvalidPropertyValue);
  forMarkedBlock([&](CellLook& look) { look.size = points; });
}

int FlexGrid::CellAlignment() const {
  checkCell(row_, col_);
  return cells_->alignment(row_, col_);
}

void FlexGrid::setCellAlignment(int alignment) {
  CheckAlignment(alignment);
  forMarkedBlock([&](CellLook& look) { look.alignment = alignment; });
}

// ---- colours ----

void FlexGrid::setBackColor(const QColor& color) {
  cells_->backColor = color;
  allCellsChanged();
}

void FlexGrid::setBackColorFixed(const QColor& color) {
  cells_->backColorFixed = color;
  allCellsChanged();
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
  return mergeCol_[static_cast<size_t>(col)];
}

void FlexGrid::setMergeCol(int col, bool merge) {
  checkCell(0, col);
  mergeCol_[static_cast<size_t>(col)] = merge;
  scheduleMerge();
}

bool FlexGrid::MergeRow(int row) const {
  checkCell(row, 0);
  return mergeRow_[static_cast<size_t>(row)];
}

void FlexGrid::setMergeRow(int row, bool merge) {
  checkCell(row, 0);
  mergeRow_[static_cast<size_t>(row)] = merge;
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
  const int rows = Rows();
  const int cols = Cols();
  const QList<QTableView*> views = {this, frozenTop_, frozenLeft_, frozenCorner_};
  for (QTableView* view : views) view->clearSpans();
  merged_ = false;
  if (merge_ == flexMergeNever) return;
  const bool restrictRows = merge_ == flexMergeRestrictRows || merge_ == flexMergeRestrictAll;
  const bool restrictCols = merge_ == flexMergeRestrictColumns || merge_ == flexMergeRestrictAll;
  auto text = [this](int r, int c) { return cells_->text(r, c); };
  // Only the rows and columns marked for merging merge: the first cell of the run each of their cells
  // belongs to, across (within a marked row) and down (within a marked column). A cell of a row or a
  // column not marked is a run of its own.
  std::map<int, std::vector<int>> across;    // by marked row
  std::map<int, std::vector<bool>> covered;  // by row: its cells in a run across
  std::vector<std::vector<int>> down(static_cast<size_t>(cols));
  auto acrossAt = [&](int r, int c) {
    const auto it = across.find(r);
    return it == across.end() ? c : it->second[static_cast<size_t>(c)];
  };
  auto downAt = [&](int r, int c) {
    return down[static_cast<size_t>(c)].empty() ? r : down[static_cast<size_t>(c)][static_cast<size_t>(r)];
  };
  auto isCovered = [&](int r, int c) {
    const auto it = covered.find(r);
    return it != covered.end() && it->second[static_cast<size_t>(c)];
  };
  auto span = [&](int r, int c, int height, int width) {
    for (QTableView* view : views) {
      if (view->model() == cells_.get()) view->setSpan(r, c, height, width);
    }
    merged_ = true;
  };
  for (int r = 0; r < rows; ++r) {
    if (!mergeRow_[static_cast<size_t>(r)]) continue;
    std::vector<int>& runs = across[r];
    runs.resize(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
      runs[static_cast<size_t>(c)] = c;
      if (c == 0) continue;
      const QString here = text(r, c);
      if (here.isEmpty() || here != text(r, c - 1)) continue;
      if (restrictCols && (r == 0 || acrossAt(r - 1, c) != acrossAt(r - 1, c - 1))) continue;
      runs[static_cast<size_t>(c)] = runs[static_cast<size_t>(c - 1)];
    }
    for (int c = 0; c < cols;) {
      int width = 1;
      while (c + width < cols && runs[static_cast<size_t>(c + width)] == c) ++width;
      if (width > 1) {
        span(r, c, 1, width);
        std::vector<bool>& cells = covered[r];
        cells.resize(static_cast<size_t>(cols), false);
        for (int j = c; j < c + width; ++j) cells[static_cast<size_t>(j)] = true;
      }
      c += width;
    }
  }
  for (int c = 0; c < cols; ++c) {
    if (!mergeCol_[static_cast<size_t>(c)]) continue;
    std::vector<int>& runs = down[static_cast<size_t>(c)];
    runs.resize(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
      runs[static_cast<size_t>(r)] = r;
      if (r == 0 || isCovered(r, c) || isCovered(r - 1, c)) continue;
      const QString here = text(r, c);
      if (here.isEmpty() || here != text(r - 1, c)) continue;
      if (restrictRows && c > 0 && downAt(r, c - 1) != downAt(r - 1, c - 1)) continue;
      runs[static_cast<size_t>(r)] = runs[static_cast<size_t>(r - 1)];
    }
    for (int r = 0; r < rows;) {
      int height = 1;
      while (r + height < rows && runs[static_cast<size_t>(r + height)] == r) ++height;
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
  QTableView::updateGeometries();
  layoutFrozenPanes();
}

void FlexGrid::layoutFrozenPanes() {
  if (!frozenTop_) return;
  int height = 0;
  for (int r = 0; r < std::min(FixedRows(), Rows()); ++r) height += rowHeight(r);
  int width = 0;
  for (int c = 0; c < std::min(FixedCols(), Cols()); ++c) width += columnWidth(c);
  const QRect area = viewport()->geometry();
  height = std::min(height, area.height());
  width = std::min(width, area.width());
  const std::pair<QTableView*, bool> panes[] = {
      {frozenTop_, height > 0}, {frozenLeft_, width > 0}, {frozenCorner_, height > 0 && width > 0}};
  for (const auto& [pane, shown] : panes) {
    // A pane shows the cells only while it is in view: hidden, it follows no change of them.
    if (shown != (pane->model() == cells_.get())) {
      pane->setModel(shown ? cells_.get() : nullptr);
      if (shown) {
        QItemSelectionModel* own = pane->selectionModel();
        pane->setSelectionModel(selectionModel());
        delete own;
        if (merged_ || merge_ != flexMergeNever) scheduleMerge();
      }
    }
    if (shown) {
      for (int c = 0; c < Cols(); ++c) pane->setColumnWidth(c, columnWidth(c));
      pane->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    }
    pane->setVisible(shown);
  }
  frozenTop_->setGeometry(area.x(), area.y(), area.width(), height);
  frozenLeft_->setGeometry(area.x(), area.y(), width, area.height());
  frozenCorner_->setGeometry(area.x(), area.y(), width, height);
  frozenTop_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
  frozenLeft_->verticalScrollBar()->setValue(verticalScrollBar()->value());
  frozenCorner_->raise();
}

void FlexGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
  QTableView::scrollTo(index, hint);
  if (!index.isValid() || !frozenTop_) return;
  // A data cell is not in view while it lies under the fixed rows or columns.
  const QRect rect = visualRect(index);
  const QRect top = frozenTop_->isVisible() ? frozenTop_->geometry() : QRect();
  const QRect left = frozenLeft_->isVisible() ? frozenLeft_->geometry() : QRect();
  if (index.row() >= FixedRows() && rect.top() < top.height())
    verticalScrollBar()->setValue(verticalScrollBar()->value() - (top.height() - rect.top()));
  if (index.column() >= FixedCols() && rect.left() < left.width())
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (left.width() - rect.left()));
}

// ---- keys ----

void FlexGrid::keyPressEvent(QKeyEvent* event) {
  QPointer<FlexGrid> self(this);
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const int key = event->key();
  const int character = CharacterOf(event);
  emit KeyDown(VbKeyCode(event->key(), event->modifiers() & Qt::KeypadModifier), ShiftOf(modifiers));
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
  const int firstRow = FixedRows();
  const int firstCol = FixedCols();
  const int lastRow = Rows() - 1;
  const int lastCol = Cols() - 1;
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
  for (int r = 0; r < std::min(FixedRows(), Rows()); ++r) {
    if (point.y() >= rows->sectionPosition(r) && point.y() < rows->sectionPosition(r) + rows->sectionSize(r))
      row = r;
  }
  for (int c = 0; c < std::min(FixedCols(), Cols()); ++c) {
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
    const bool zero = grid_->Text() == QLatin1String("0");
    zeroRow_ = zero ? grid_->Row() : -1;
    zeroCol_ = zero ? grid_->Col() : -1;
    return false;
  }
  if (!takes(false)) return false;
  const bool onZero = grid_->Row() == zeroRow_ && grid_->Col() == zeroCol_ &&
                      grid_->Text() == QLatin1String("0") && keyAscii >= '0' && keyAscii <= '9';
  zeroRow_ = zeroCol_ = -1;
  if (grid_->Row() == row_ && grid_->Col() == col_) pending_ = false;
  const QString typed = CommaAsPoint(QString(QChar(static_cast<char16_t>(keyAscii))));
  grid_->setText(pending_ || onZero ? typed : grid_->Text() + typed);
  pending_ = true;
  row_ = static_cast<Integer>(grid_->Row());
  col_ = static_cast<Integer>(grid_->Col());
  if (!options_.isNumber(grid_->Text())) grid_->setText(QString());
  return true;
}

}  // namespace tavo
