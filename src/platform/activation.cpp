#include "platform/activation.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace tavo {

namespace {

// The property that marks a window standing outside the bookkeeping.
constexpr char kOutside[] = "tavoStandsOutside";

std::vector<ActivationWatch*>& Watches() {
  static std::vector<ActivationWatch*> watches;
  return watches;
}

// The message boxes, input boxes, choosers and printing dialogs that open over a window for a moment.
bool IsPassingDialog(const QWidget* window) {
  static const char* const kinds[] = {"QMessageBox",      "QInputDialog",    "QFileDialog",  "QPrintDialog",
                                      "QPageSetupDialog", "QProgressDialog", "QColorDialog", "QFontDialog"};
  for (const char* kind : kinds) {
    if (window->inherits(kind)) return true;
  }
  if (window->property(kOutside).toBool()) return true;
  return (window->windowType() == Qt::Popup) || (window->windowType() == Qt::ToolTip);
}

// The window that was active before the active one.
QPointer<QWidget>& PreviousWindow() {
  static QPointer<QWidget> previous;
  return previous;
}

// Follows the active window of the whole program.
class ActiveWindowTracker : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
      auto* window = static_cast<QWidget*>(watched);
      if (window->isWindow() && !IsPassingDialog(window) && window != current_) {
        QWidget* previous = current_;
        PreviousWindow() = previous;
        current_ = window;
        if (previous) notify(previous, &ActivationWatch::deactivated);
        if (current_ == window) notify(window, &ActivationWatch::activated);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  // Fires a signal of the watches of a window; a watch that goes away meanwhile is skipped.
  static void notify(QWidget* window, void (ActivationWatch::*signal)()) {
    const std::vector<ActivationWatch*> watches = Watches();
    for (ActivationWatch* w : watches) {
      if (std::find(Watches().begin(), Watches().end(), w) != Watches().end() && w->window() == window)
        (w->*signal)();
    }
  }

  QPointer<QWidget> current_;
};

void InstallTracker() {
  static ActiveWindowTracker* tracker = nullptr;
  if (tracker || !QCoreApplication::instance()) return;
  tracker = new ActiveWindowTracker;
  tracker->setParent(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(tracker);
}

}  // namespace

ActivationWatch::ActivationWatch(QWidget* window) : QObject(window), window_(window) {
  InstallTracker();
  Watches().push_back(this);
}

ActivationWatch::~ActivationWatch() {
  std::erase(Watches(), this);
}

QWidget* PreviousActiveWindow() {
  return PreviousWindow();
}

void StandsOutside(QWidget* window) {
  InstallTracker();
  window->setProperty(kOutside, true);
}

}  // namespace tavo
