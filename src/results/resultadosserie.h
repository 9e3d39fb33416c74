// What the windows of the storm-series results share: the storms they list, chosen by the series
// run's own filter, and the results the run left for each of them.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "platform/vb.h"

namespace tavo {

// Runs `paso` for every storm of the series that the run's filter retains, in series order, with
// kTormenta the storm's number. The current storm (P, D and R) is the same afterwards: a result
// window never changes the storm that the next run computes.
void ForEachRetainedStorm(const std::function<void()>& paso);

// The results of storm k: the peak outflow of component position c, the direct runoff volume and
// the runoff coefficient of unit u and of the whole basin. Nothing when the result arrays no longer
// hold that storm or component (a later single-storm run has made them anew).
std::optional<Single> PicoSerie(int c, int k);
std::optional<Long> EscorrentiaSerie(int u, int k);
std::optional<Single> CoefEscSerie(int u, int k);
std::optional<Long> EscorrentiaTotalSerie(int k);
std::optional<Single> CoefEscTotalSerie(int k);

// The line under the title rows and charts of the series: the project's settings file.
QString ArchivoConfiguracion();

}  // namespace tavo
