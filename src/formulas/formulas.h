// Empirical estimates for a basin: the peak discharge Qp [m3/s] by eighteen formulas of the basin
// area, and the concentration time Tc [min] by three formulas of the main channel and the area.
#pragma once

#include <QString>

#include "platform/vb.h"

namespace tavo {

// The peak-flow formulas, in the order of their rows, and the concentration-time ones.
constexpr int kPeakFlowRows = 18;
constexpr int kConcentrationTimeRows = 3;

// Peak discharge [m3/s] by the formula of row `row` (1 to 18) for an area of S km2, evaluated in
// Double and kept in Single; 0 when the evaluation fails (a division by zero, a fractional power of a
// negative base, a value beyond Double or beyond Single).
Single PeakFlow(int row, Double S);
// False where the row's formula does not apply: Scimeni above 1000 km2, Pagliaro outside 20 to 1000.
bool PeakFlowApplies(int row, Double S);

// Concentration times [min] by California Culverts (channel length L km, height difference H m),
// Ventura (area S km2, mean slope i % of the longest channel) and SCS-US (L, i); 0 when the
// evaluation fails.
Single TcCalifornia(Double L, Double H);
Single TcVentura(Double S, Double i);
Single TcSCSUS(Double L, Double i);

// The text a result label shows: the value rounded to hundredths (halves to even), as number text.
QString ResultText(Single result);

// The value of a typed text by the leading-number rule; a number beyond Double reads as an
// infinity of its sign, so that the limits of the boxes still apply to it.
Double BoxValue(const QString& text);

}  // namespace tavo
