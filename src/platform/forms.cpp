#include "platform/forms.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollArea>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <vector>

#include "platform/dialogs.h"
#include "platform/vb.h"

namespace tavo {

namespace {
std::vector<void (*)()>& FormUnloaders() {
  static std::vector<void (*)()> unloaders;
  return unloaders;
}
}  // namespace

void RegisterForm(void (*unload)()) {
  FormUnloaders().push_back(unload);
}

void UnloadAllForms() {
  // Newest first: a window created by another goes before it.
  const auto unloaders = FormUnloaders();
  for (auto it = unloaders.rbegin(); it != unloaders.rend(); ++it) (*it)();
}

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

QString UnhandledErrorText(const VbError& e) {
  return QStringLiteral("Se ha producido el error '%1' en tiempo de ejecución:\n\n%2")
      .arg(e.number)
      .arg(e.description);
}

namespace {

std::function<void()>& AfterHandler() {
  static std::function<void()> after;
  return after;
}

void RunTrapped(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const ProgramEnded&) {
    SetProgramHasEnded(true);
  } catch (const VbError& e) {
    try {
      MsgBox(UnhandledErrorText(e), vbCritical);
    } catch (const ProgramEnded&) {
      SetProgramHasEnded(true);
    }
  } catch (const std::exception& e) {
    MsgBox(QStringLiteral("Error interno: ") + QString::fromLocal8Bit(e.what()), vbCritical);
  }
}

}  // namespace

void SetAfterHandler(std::function<void()> after) {
  AfterHandler() = std::move(after);
}

void RunGuarded(const std::function<void()>& handler) {
  // Handlers run inside handlers (a modal window's, a box validated by a button): the after-handler
  // step waits for the outermost one, and never runs inside itself.
  static int depth = 0;
  struct Inside {
    Inside() { ++depth; }
    ~Inside() { --depth; }
  };
  {
    const Inside inside;
    RunTrapped(handler);
  }
  if (depth > 0 || !AfterHandler()) return;
  const Inside inside;
  RunTrapped(AfterHandler());
}

namespace {
// True while a refusing control takes the focus back: the control the focus had reached meanwhile
// never really had it, so it is not validated on the way out.
bool& TakingFocusBack() {
  static bool taking = false;
  return taking;
}
}  // namespace

bool FocusCheck::run(QWidget* control) {
  if (!check_ || validating_) return true;
  validating_ = true;
  bool ok = true;
  RunGuarded([&] { ok = check_(); });
  validating_ = false;
  if (!ok) {
    TakingFocusBack() = true;
    control->setFocus(Qt::OtherFocusReason);
    TakingFocusBack() = false;
  }
  return ok;
}

bool FocusCheck::counts(const QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !TakingFocusBack();
}

namespace {
// Drops the mouse press that tried to take the focus from a control whose check refused: the control
// keeps the focus, so the press must not go on to click the button (or the cell) it landed on, which
// would check the control a second time. Presses in the message that told of the refusal are its own.
class RefusedClick : public QObject {
 public:
  explicit RefusedClick(QWidget* target) : target_(target) { qApp->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (target_ && widget->window() != target_->window())) return false;
    const bool drop = target_ && (widget == target_ || target_->isAncestorOf(widget));
    qApp->removeEventFilter(this);
    deleteLater();
    return drop;
  }

 private:
  QPointer<QWidget> target_;
};
}  // namespace

void FocusCheck::leave(QWidget* control, QFocusEvent* event, const std::function<bool()>& validate) {
  if (!counts(event)) return;
  QWidget* taker = QApplication::focusWidget();
  const bool ok = validate();
  if (!ok && event->reason() == Qt::MouseFocusReason && taker && taker != control) new RefusedClick(taker);
}

ValidatedBox::ValidatedBox(QWidget* parent) : QLineEdit(parent) {}

void TakesNumbers(QLineEdit* box) {
  QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
    const QString conPunto = CommaAsPoint(text);
    if (conPunto == text) return;
    // The point takes the comma's place: the text keeps its length and the caret its position.
    const int caret = box->cursorPosition();
    box->setText(conPunto);
    box->setCursorPosition(caret);
  });
}

bool ValidatedBox::validate() {
  const bool ok = check_.run(this);
  if (!ok) selectAll();
  return ok;
}

void ValidatedBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  QTimer::singleShot(0, this, [this] { selectAll(); });
}

void ValidatedBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  FocusCheck::leave(this, event, [this] { return validate(); });
}

ValidatedList::ValidatedList(QWidget* parent) : QComboBox(parent) {}

bool ValidatedList::validate() {
  const bool ok = check_.run(this);
  if (!ok && lineEdit()) lineEdit()->selectAll();
  return ok;
}

void ValidatedList::setTypable() {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
}

void ValidatedList::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  FocusCheck::leave(this, event, [this] { return validate(); });
}

namespace {
QMdiArea*& Host() {
  static QMdiArea* host = nullptr;
  return host;
}

// Makes a child window fit in the area: smaller when it is larger, moved back when it reaches past
// the right or bottom edge.
void FitInArea(QMdiSubWindow* frame) {
  const QSize room = Host()->viewport()->size();
  if (!Host()->isVisible() || room.isEmpty()) return;
  const QSize size = frame->size().boundedTo(room);
  if (size != frame->size()) frame->resize(size);
  const QPoint corner(std::min(frame->x(), room.width() - size.width()),
                      std::min(frame->y(), room.height() - size.height()));
  if (corner != frame->pos()) frame->move(std::max(corner.x(), 0), std::max(corner.y(), 0));
}

QMargins& FrameForTests() {
  static QMargins frame;
  return frame;
}

// The room the window manager takes around a window, as far as it is known: once it has framed the
// window, what it took; before that, on a desktop, room for a title bar and thin borders, a little more
// than most window managers take.
struct FrameRoom {
  QMargins margins;
  bool known = false;
};

FrameRoom FrameRoomOf(const QWidget* form) {
  if (form->windowFlags().testFlag(Qt::FramelessWindowHint)) return {QMargins(), true};
  if (!FrameForTests().isNull()) return {FrameForTests(), true};
  const QRect frame = form->frameGeometry();
  const QRect inner = form->geometry();
  const QMargins room(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                      frame.bottom() - inner.bottom());
  if (!room.isNull()) return {room, true};
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return {room, true};
  constexpr int kBorder = 6;
  constexpr int kTitleBar = 36;
  return {QMargins(kBorder, kTitleBar, kBorder, kBorder), false};
}

const QString kScrollPage = QStringLiteral("tavoPaginaDesplazable");

// A window larger than the screen: its controls move onto a page that scrolls inside it, so that
// every one of them can still be reached. The window's own layout, when it has one, goes on working
// on the controls where they are, and the page follows what it does.
class ScrolledForm : public QObject {
 public:
  explicit ScrolledForm(QWidget* form) : QObject(form), form_(form) {
    area_ = new QScrollArea(form);
    area_->setObjectName(kScrollPage);
    area_->setFrameShape(QFrame::NoFrame);
    page_ = new QWidget;
    page_->setBackgroundRole(form->backgroundRole());
    page_->setAutoFillBackground(form->autoFillBackground());
    for (QObject* child : form->children()) {
      auto* control = qobject_cast<QWidget*>(child);
      if (!control || control == area_ || control->isWindow()) continue;
      const QRect place = control->geometry();
      const bool hidden = control->isHidden();
      control->setParent(page_);
      control->setGeometry(place);
      control->setVisible(!hidden);
    }
    page_->resize(form->size().expandedTo(Extent()));
    area_->setWidget(page_);
    area_->setGeometry(form->rect());
    area_->show();
    form->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == form_ && event->type() == QEvent::Resize) {
      area_->setGeometry(form_->rect());
      // After the window's own resize handling has placed its controls.
      QTimer::singleShot(0, this, [this] { page_->resize(Extent().expandedTo(area_->viewport()->size())); });
    }
    return false;
  }

 private:
  // The size that holds every control of the page, with a small margin.
  QSize Extent() const {
    constexpr int kMargin = 8;
    const QRect used = page_->childrenRect();
    return used.isEmpty() ? QSize() : QSize(used.right() + 1 + kMargin, used.bottom() + 1 + kMargin);
  }

  QWidget* form_;
  QScrollArea* area_;
  QWidget* page_;
};

}  // namespace

namespace {
// Waits for the window manager to frame a window placed before its frame was known, and places it
// again with the frame it got, so that a title bar taller than the allowance stays on the screen.
class FrameWatch : public QObject {
 public:
  explicit FrameWatch(QWidget* form) : QObject(form), form_(form) {
    setObjectName(kName);
    form->installEventFilter(this);
  }
  // A window waits for its frame with one watch at most.
  static bool Waiting(const QWidget* form) {
    return form->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly) != nullptr;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != form_) return false;
    switch (event->type()) {
      case QEvent::Hide:
        Stop();
        break;
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Expose:
      case QEvent::UpdateRequest:
      case QEvent::WindowActivate:
        if (FrameRoomOf(form_).known) {
          Stop();
          // After the event: the frame's own moves come first.
          QTimer::singleShot(0, form_, [form = form_] { FitOnScreen(form); });
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  void Stop() {
    form_->removeEventFilter(this);
    setObjectName(QString());
    deleteLater();
  }

  static inline const QString kName = QStringLiteral("tavoEsperaMarco");
  QWidget* form_;
};
}  // namespace

void FitOnScreen(QWidget* form) {
  const QRect area = ScreenArea();
  const FrameRoom frame = FrameRoomOf(form);
  const QSize room = area.size().shrunkBy(frame.margins);
  if (room.isEmpty()) return;
  if (form->width() > room.width() || form->height() > room.height()) {
    if (!form->findChild<QScrollArea*>(kScrollPage, Qt::FindDirectChildrenOnly)) new ScrolledForm(form);
    form->setMinimumSize(0, 0);
    form->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    form->resize(form->size().boundedTo(room));
  }
  QRect outer = form->geometry().marginsAdded(frame.margins);
  outer.moveRight(std::min(outer.right(), area.right()));
  outer.moveBottom(std::min(outer.bottom(), area.bottom()));
  outer.moveLeft(std::max(outer.left(), area.left()));
  outer.moveTop(std::max(outer.top(), area.top()));
  // A move places the frame the toolkit knows of: before the window manager has framed the window
  // that is the window itself, so it goes where its inside must stand.
  const QPoint inside = outer.topLeft() + QPoint(frame.margins.left(), frame.margins.top());
  const QPoint known = form->geometry().topLeft() - form->pos();
  if (inside != form->geometry().topLeft()) form->move(inside - known);
  if (!frame.known && !FrameWatch::Waiting(form)) new FrameWatch(form);
}

void SetWindowFrameForTests(const QMargins& frame) {
  FrameForTests() = frame;
}

void SetMdiHost(QMdiArea* area) {
  Host() = area;
}
QMdiArea* MdiHost() {
  return Host();
}

void ShowModeless(QWidget* form, bool mdiChild) {
  if (mdiChild && Host()) {
    QMdiSubWindow* frame = nullptr;
    for (QMdiSubWindow* w : Host()->subWindowList()) {
      if (w->widget() == form) frame = w;
    }
    const bool framed = frame != nullptr;
    const QSize client = form->size();
    if (!frame) {
      frame = Host()->addSubWindow(form);
      frame->setAttribute(Qt::WA_DeleteOnClose, false);
      QObject::connect(form, &QObject::destroyed, frame, &QObject::deleteLater);
    }
    frame->show();
    form->show();
    // A new frame is sized around the window's own size (windows place their controls themselves and
    // give the frame no size of their own).
    if (!framed && form->size() != client) frame->resize(frame->size() + client - form->size());
    FitInArea(frame);
    Host()->setActiveSubWindow(frame);
    return;
  }
  if (!form->isWindow()) form->setParent(nullptr, Qt::Window);
  const bool opening = !form->isVisible();
  form->show();
  if (opening) FitOnScreen(form);
  form->raise();
  form->activateWindow();
}

namespace {
// Ends a modal wait when its window is hidden.
class HideWatcher : public QObject {
 public:
  explicit HideWatcher(QEventLoop* loop) : loop_(loop) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide) loop_->quit();
    return QObject::eventFilter(watched, event);
  }

 private:
  QEventLoop* loop_;
};
}  // namespace

namespace {
// The windows a modal Show is waiting for, innermost last.
std::vector<QWidget*>& ModalWaits() {
  static std::vector<QWidget*> waits;
  return waits;
}
}  // namespace

void ShowModal(QWidget* form) {
  // A window that a Show already waits for is only brought forward: waits never stack.
  auto& waits = ModalWaits();
  if (std::find(waits.begin(), waits.end(), form) != waits.end()) {
    form->raise();
    form->activateWindow();
    return;
  }
  if (!form->isWindow()) form->setParent(nullptr, Qt::Dialog);
  // Blocking takes hold only when a window is shown: one open without blocking is shown again.
  if (form->isVisible()) form->hide();
  form->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  HideWatcher watcher(&loop);
  QPointer<QWidget> guard(form);
  form->installEventFilter(&watcher);
  QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
  form->show();
  FitOnScreen(form);
  form->raise();
  form->activateWindow();
  if (form->isVisible()) {
    waits.push_back(form);
    loop.exec();
    waits.erase(std::find(waits.begin(), waits.end(), form));
  }
  if (!guard) return;
  guard->removeEventFilter(&watcher);
  // Blocking belongs to this showing only: the next Show of the window is modeless again.
  guard->setWindowModality(Qt::NonModal);
}

void HideForm(QWidget* form) {
  if (auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget())) frame->hide();
  form->hide();
}

bool ValidateFocusedBox(QWidget* window) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus || !window->isAncestorOf(focus)) return true;
  if (auto* box = qobject_cast<ValidatedBox*>(focus)) return box->validate();
  if (auto* list = qobject_cast<ValidatedList*>(focus)) return list->validate();
  return true;
}

}  // namespace tavo
