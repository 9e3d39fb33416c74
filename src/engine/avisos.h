// Notices of a run that change none of its results: Muskingum constants that give a negative routing
// coefficient at the output step, and outlets whose hydrograph the run's horizon cuts while the flood
// is still high. The run drivers show them, once per run or series.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/vb.h"

namespace tavo {

// The notice on the reaches, lakes and dams routed by Muskingum whose output step PasoQ lies below
// 2·K·x or above 2·K·(1 − x), where a routing coefficient is negative; empty when there is none.
// Reads the network containers as loaded for the run.
QString NegativeMuskingumNotice();

// An outlet of the storm just simulated whose discharge at the last output step is still above 5 % of
// its peak.
struct CutOutlet {
  QString name;
  Single last = 0;  // discharge at the last output step [m3/s]
  Single peak = 0;  // peak discharge of the storm [m3/s]
};

// The outlets of the storm just simulated (results of storm kTormenta) whose hydrograph is cut; none
// when the simulation stopped before its end.
std::vector<CutOutlet> CutOutlets();
// The notice of a single storm on its cut outlets; empty when there is none.
QString CutHydrographNotice(const std::vector<CutOutlet>& cut);

// The storms of a series whose outlets were cut, gathered storm by storm and told once at the end.
class CutStorms {
 public:
  // One storm computed, with its cut outlets.
  void add(const std::vector<CutOutlet>& cut);
  // The notice of the whole series; empty when no storm was cut.
  QString notice() const;

 private:
  int computed_ = 0;
  int cut_ = 0;
  QStringList outlets_;
};

// Shows a notice of the run (exclamation icon, OK, title "Advertencia !"); an empty one shows nothing.
void ShowRunNotice(const QString& texto);

}  // namespace tavo
