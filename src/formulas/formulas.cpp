// The empirical peak-flow and concentration-time formulas of the calculator. Each formula is
// evaluated in Double with its operations in the written order and its value kept in Single; a failed
// evaluation leaves 0.

#include "formulas/formulas.h"

#include <cmath>

namespace tavo {

namespace {

// The value of a formula kept in Single, or 0 when an input or a step of it is beyond Double, a
// division by zero, a fractional power of a negative base, or the value does not fit a Single.
template <class Formula>
Single Evaluate(std::initializer_list<Double> inputs, Formula formula) {
  for (Double x : inputs) {
    if (!std::isfinite(x)) return 0;
  }
  Single scratch = 0;
  try {
    scratch = CSng(CheckFinite(formula()));
  } catch (const VbError&) {
    scratch = 0;
  }
  return scratch;
}

// Santi's rule: the square root of the area below 1000 km2, its two-thirds power from 1000 on.
Double Santi(Double S, Double coefficient) {
  return S < 1000 ? Pow(S, 0.5) * coefficient : Pow(S, 2.0 / 3) * coefficient;
}

Double PeakFlowFormula(int row, Double S) {
  switch (row) {
    case 1:
      return (0.55 * 30) * Pow(S, Pow(S, -0.05));  // Creager, C = 30
    case 2:
      return Santi(S, 33);
    case 3:
      return Santi(S, 50);
    case 4:
      return Santi(S, 66);
    case 5:
      return Pow(S, 0.5) * (1.75 * 30);  // Myer, C = 30
    case 6:
      return Pow(S, 0.5) * (1.75 * 100);  // Myer, C = 100
    case 7:
      return (Div(600, S + 10) + 1) * S;  // Scimeni
    case 8:
      return Div(2900, S + 90) * S;  // Pagliaro
    case 9:
      return Div(25 * S, Pow(S, 0.5) + 5);  // Gauguillet
    case 10:
      return Pow(S, 5.0 / 6) * 2.5;  // Fanning
    case 11:
      return Pow(S, 3.0 / 4) * 6.9;  // Dickens
    case 12:
      return Pow(S, 2.0 / 3) * 17;  // Quijano
    case 13:
      return Pow(S, 0.6) * 21;  // Zapata
    case 14:
      return (Div(1246, S + 440) + 0.22) * S;  // Kuickling, ordinary floods
    case 15:
      return (Div(3596, S + 958) + 0.08) * S;  // Kuickling, extraordinary floods
    case 16:
      return Pow(S, 2.0 / 3) * 8.5;  // Rives
    case 17:
      return Pow(S, 0.5) * 27;  // Valentini
    case 18:
      return Div(2832, 96 + S) * S;  // Gutmann
    default:
      Raise(kErrSubscript);
  }
}

}  // namespace

Single PeakFlow(int row, Double S) {
  return Evaluate({S}, [&] { return PeakFlowFormula(row, S); });
}

bool PeakFlowApplies(int row, Double S) {
  if (row == 7) return S <= 1000;
  if (row == 8) return S >= 20 && S <= 1000;
  return true;
}

Single TcCalifornia(Double L, Double H) {
  return Evaluate({L, H}, [&] { return Pow(Div(Pow(L, 3.0) * 0.87, H), 0.385) * 60; });
}

Single TcVentura(Double S, Double i) {
  return Evaluate({S, i}, [&] { return Div(Pow(S * 100, 0.5) * (60 * 0.1272), Pow(i, 0.5)); });
}

Single TcSCSUS(Double L, Double i) {
  return Evaluate({L, i}, [&] { return (Pow(Div(3.3 * L, i), 0.77) * 0.1947) * 60; });
}

QString ResultText(Single result) {
  return NumberText(Redondea(result, 2));
}

Double BoxValue(const QString& text) {
  try {
    return Val(text);
  } catch (const VbError&) {
    // Only a number beyond Double fails to read; its sign is the text's first non-blank character.
    for (QChar c : text) {
      if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
        continue;
      return c == QLatin1Char('-') ? -HUGE_VAL : HUGE_VAL;
    }
    return HUGE_VAL;
  }
}

}  // namespace tavo
