// The progress window of long runs: the storm in hand, a progress bar and the elapsed time.
#pragma once

#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include "platform/forms.h"

namespace tavo {

class frmPp2 : public QWidget, public FormInstance<frmPp2> {
  Q_OBJECT
 public:
  frmPp2();
  void Form_Load() {}
  void Form_Unload() {}

  // Shows the window at once, repainted, with the busy pointer over it.
  void Muestra(const QString& caption);
  // The pointer back to normal, the bar and the storm line hidden, and the window closed.
  void Termina();
  // Paints the captions and the bar now: the run holds the interface until it ends.
  void Repinta();

  QPushButton* cmdTrestante;
  QProgressBar* ProgressBar1;
  QPushButton* cmdMiTime;
};

// Installs the hooks through which a series drives this window (engine/hooks.h).
void InstallProgressWindowHooks();

}  // namespace tavo
