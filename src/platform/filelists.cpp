#include "platform/filelists.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QStyledItemDelegate>

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"

namespace tavo {

namespace {

// A drive letter and colon, as another machine names its drives.
bool IsDriveLetterText(const QString& text) {
  static const QRegularExpression letter(QStringLiteral("^[A-Za-z]:"));
  return letter.match(text).hasMatch();
}

constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 14;

// Draws each folder entry indented by its depth below the root.
class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem shifted = option;
    shifted.rect.adjust(index.data(kDepthRole).toInt() * kIndentPixels, 0, 0, 0);
    QStyledItemDelegate::paint(painter, shifted, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) +
           QSize(index.data(kDepthRole).toInt() * kIndentPixels, 0);
  }
};

}  // namespace

// ---- drives ----

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  for (const QFileInfo& root : QDir::drives()) addItem(root.absoluteFilePath());
  connect(this, &QComboBox::currentIndexChanged, this, &DriveList::changed);
}

void DriveList::setDrive(const QString& text) {
  for (int i = 0; i < count(); ++i) {
    if (itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
      setCurrentIndex(i);
      return;
    }
  }
  if (!IsDriveLetterText(text)) Raise(kErrDeviceUnavailable);
}

void DriveList::requireDrive(const QString& text) {
  for (const QFileInfo& root : QDir::drives()) {
    if (root.absoluteFilePath().compare(text, Qt::CaseInsensitive) == 0) return;
  }
  if (!IsDriveLetterText(text)) Raise(kErrDeviceUnavailable);
}

void DriveList::showDriveOf(const QString& folder) {
  const QString path = ResolvePath(folder);
  int best = -1;
  for (int i = 0; i < count(); ++i) {
    if (path.startsWith(itemText(i), Qt::CaseInsensitive) &&
        (best < 0 || itemText(i).size() > itemText(best).size()))
      best = i;
  }
  if (best >= 0) setCurrentIndex(best);
}

// ---- folders ----

DirList::DirList(QWidget* parent) : QListWidget(parent), path_(CurDir()) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new IndentDelegate(this));
  connect(this, &QListWidget::itemActivated, this, &DirList::openEntry);
  fill();
}

void DirList::requireFolder(const QString& folder) {
  const QFileInfo info(ResolvePath(folder));
  if (folder.isEmpty() || !info.isDir()) Raise(kErrPathNotFound);
  if (!info.isReadable() || !info.isExecutable()) Raise(kErrPermissionDenied);
}

void DirList::setPath(const QString& folder) {
  requireFolder(folder);
  const QString target = ResolvePath(folder);
  path_ = target;
  fill();
  emit changed();
}

void DirList::openEntry(QListWidgetItem* item) {
  const QString target = item->data(Qt::UserRole).toString();
  try {
    setPath(target);
  } catch (const VbError& e) {
    MsgBox(ErrorNroTextAfterComma(e, QStringLiteral("Verifique.")));
  }
}

void DirList::fill() {
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  // The open folder and its parents, from the root down.
  QStringList chain;
  for (QDir dir(path_);;) {
    chain.prepend(dir.absolutePath());
    if (!dir.cdUp()) break;
  }
  int depth = 0;
  for (const QString& folder : chain) {
    const QString name = QDir(folder).isRoot() ? folder : QFileInfo(folder).fileName();
    auto* entry = new QListWidgetItem(open, name, this);
    entry->setData(Qt::UserRole, folder);
    entry->setData(kDepthRole, depth);
    ++depth;
  }
  QListWidgetItem* current = item(count() - 1);
  setCurrentItem(current);

  const QFileInfoList subfolders =
      QDir(path_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& sub : subfolders) {
    auto* entry = new QListWidgetItem(closed, sub.fileName(), this);
    entry->setData(Qt::UserRole, sub.absoluteFilePath());
    entry->setData(kDepthRole, depth);
  }
  scrollToItem(current);
}

// ---- files ----

FileList::FileList(QWidget* parent) : QListWidget(parent), path_(CurDir()) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemClicked, this, &FileList::clicked);
  refresh();
}

void FileList::setPath(const QString& folder) {
  const QString target = ResolvePath(folder);
  if (folder.isEmpty() || !QFileInfo(target).isDir()) Raise(kErrPathNotFound);
  if (target != path_) setCurrentRow(-1);
  path_ = target;
  refresh();
}

void FileList::setPattern(const QString& pattern) {
  pattern_ = pattern;
  refresh();
}

QString FileList::fileName() const {
  const QListWidgetItem* item = currentItem();
  return item && item->isSelected() ? item->text() : QString();
}

void FileList::setFileName(const QString& name) {
  QString file = name;
  const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
  if (slash >= 0) {
    setPath(slash == 0 ? QStringLiteral("/") : name.left(slash));
    file = name.mid(slash + 1);
  }
  for (int i = 0; i < count(); ++i) {
    if (item(i)->text() == file) {
      setCurrentRow(i);
      return;
    }
  }
}

void FileList::refresh() {
  const QString chosen = fileName();
  clear();
  QStringList filters = pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& f : filters) {
    f = f.trimmed();
    if (f == QLatin1String("*.*")) f = QStringLiteral("*");
  }
  QDir dir(path_);
  dir.setNameFilters(filters);
  dir.setFilter(QDir::Files);
  dir.setSorting(QDir::Name | QDir::IgnoreCase);
  addItems(dir.entryList());
  // The chosen file stays chosen while it is listed.
  setCurrentRow(-1);
  if (!chosen.isEmpty()) setFileName(chosen);
}

void FileList::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);
  emit mousePressed();
}

void FileList::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) emit clicked();
}

}  // namespace tavo
