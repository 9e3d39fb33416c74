#include "platform/forms.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTimer>
#include <exception>
#include <vector>

#include "platform/dialogs.h"

namespace tavo {

namespace {
std::vector<void (*)()>& FormUnloaders() {
  static std::vector<void (*)()> unloaders;
  return unloaders;
}
}  // namespace

void RegisterForm(void (*unload)()) { FormUnloaders().push_back(unload); }

void UnloadAllForms() {
  // Newest first: a window created by another goes before it.
  const auto unloaders = FormUnloaders();
  for (auto it = unloaders.rbegin(); it != unloaders.rend(); ++it) (*it)();
}

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

QString UnhandledErrorText(const VbError& e) {
  return QStringLiteral("Se ha producido el error '%1' en tiempo de ejecución:\n\n%2").arg(e.number).arg(e.description);
}

void RunGuarded(const std::function<void()>& handler) {
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

ValidatedBox::ValidatedBox(QWidget* parent) : QLineEdit(parent) {}

bool ValidatedBox::validate() {
  if (!check_ || validating_) return true;
  validating_ = true;
  bool ok = true;
  RunGuarded([&] { ok = check_(); });
  validating_ = false;
  if (!ok) {
    setFocus(Qt::OtherFocusReason);
    selectAll();
  }
  return ok;
}

void ValidatedBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  QTimer::singleShot(0, this, [this] { selectAll(); });
}

void ValidatedBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  const Qt::FocusReason reason = event->reason();
  // Leaving the window (another window activated, a menu or a message opened) is no lost focus.
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  validate();
}

bool ValidateFocusedBox(QWidget* window) {
  auto* box = qobject_cast<ValidatedBox*>(QApplication::focusWidget());
  if (!box || !window->isAncestorOf(box)) return true;
  return box->validate();
}

}  // namespace tavo
