// Activate and Deactivate of the program's windows as the program expects them: they fire only when
// the active window passes from one of the program's own windows to another. A message box, input
// box or chooser that opens over a window and closes again, or a visit to another application, is no
// change of the active window (Qt re-activates the window below a closing message box).
#pragma once

#include <QObject>
#include <QWidget>

namespace tavo {

class ActivationWatch : public QObject {
  Q_OBJECT
 public:
  // Watches a top-level window; the watch lives as long as the window.
  explicit ActivationWatch(QWidget* window);
  ~ActivationWatch() override;

  QWidget* window() const { return window_; }

 signals:
  // The window became the program's active window after another of its windows.
  void activated();
  // Another window of the program became active after this one.
  void deactivated();

 private:
  QWidget* window_;
};

// The program's window that was active before the active one; null when there was none or it is gone.
QWidget* PreviousActiveWindow();

// Makes a window of the program stand outside this bookkeeping, as another application does: going to
// it and coming back is no change of the active window (the help viewer, which the program's windows
// never saw as one of their own).
void StandsOutside(QWidget* window);

}  // namespace tavo
