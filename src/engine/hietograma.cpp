// The hyetograph of the current storm: the shares of P per period by the chosen temporal
// distribution (or a measured storm's depths), turned into depths and intensities, and the rain of
// every calculation step sampled from the cumulative curve at the step's end.
#include "engine/hietograma.h"

#include <array>
#include <vector>

#include "engine/informe.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "rainfall/distribuciones.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Shares of P per period [%]; `cumulative` empty: the cumulative shares are the running sum.
struct Shape {
  std::vector<Single> shares;
  std::vector<Single> cumulative;
};

std::vector<Single> TheoreticalLongShares() {
  std::vector<Single> shares(6, 2.5f);
  for (Single s : {6.0f, 7.0f, 8.0f, 37.0f, 11.0f, 6.0f}) shares.push_back(s);
  shares.insert(shares.end(), 6, 1.0f);
  shares.insert(shares.end(), 6, 0.6667f);
  return shares;
}

// The theoretical distribution's class for a duration of Dh hours; nullptr beyond 48 hours.
const Shape* TheoreticalShape(double hours) {
  static const Shape oneHour{{100}, {100}};
  static const Shape three{{20, 60, 20}, {20, 80, 100}};
  static const Shape four{{12, 20, 55, 13}, {12, 32, 87, 100}};
  static const Shape five{{9, 10, 53, 18, 10}, {}};
  static const Shape six{{8, 9, 11, 49, 15, 8}, {}};
  static const Shape day{TheoreticalLongShares(), {}};
  if (hours <= 2.5) return &oneHour;
  if (hours >= 2.501 && hours <= 3.5) return &three;
  if (hours >= 3.501 && hours <= 4.5) return &four;
  if (hours >= 4.501 && hours <= 5.5) return &five;
  if (hours >= 5.501 && hours <= 11.999) return &six;
  if (hours >= 12 && hours <= 48) return &day;
  return nullptr;
}

// The three shapes taken from measured storms, distributions 2 to 4.
const Shape& BuiltInShape(int distribution) {
  static const std::array<Shape, 3> shapes{{
      {{34, 31, 18, 9, 8}, {34, 65, 83, 92, 100}},
      {{42, 26, 23, 7, 2}, {42, 68, 91, 98, 100}},
      {{6, 20, 18, 34, 22}, {6, 26, 44, 78, 100}},
  }};
  return shapes[distribution - 2];
}

// Sets the period count nPerDistri; the period arrays grow to it when they are shorter.
void SetPeriods(Integer periods) {
  nPerDistri = periods;
  if (PpAcumPer.upper() < periods) PpAcumPer.redimPreserve(periods);
  if (IntensidadPer.upper() < periods) IntensidadPer.redimPreserve(periods);
  if (PpPeriodo.upper() < periods) PpPeriodo.redimPreserve(periods);
}

// Shares in IntensidadPer, cumulative shares in PpAcumPer (the given ones, or the running sum), for
// the nPerDistri periods.
void SetShares(const std::vector<Single>& shares, const std::vector<Single>& cumulative) {
  for (int k = 1; k <= nPerDistri; ++k) {
    IntensidadPer(k) = shares[k - 1];
    if (!cumulative.empty()) {
      PpAcumPer(k) = cumulative[k - 1];
    } else {
      PpAcumPer(k) = k == 1 ? IntensidadPer(1) : PpAcumPer(k - 1) + IntensidadPer(k);
    }
  }
}

void SetShape(const Shape& shape) {
  SetPeriods(static_cast<Integer>(shape.shares.size()));
  SetShares(shape.shares, shape.cumulative);
}

// The cumulative shares of a measured storm or a user table, from the shares already in IntensidadPer.
void RunningSum() {
  for (int k = 1; k <= nPerDistri; ++k)
    PpAcumPer(k) = k == 1 ? IntensidadPer(1) : PpAcumPer(k - 1) + IntensidadPer(k);
}

// A storm the chosen distribution cannot spread: said before any run, and nothing is built. Within a
// storm series the series says it, naming the storm. `everyStorm`: no other storm could be spread either.
// Reads SeriesRunning; writes the refusal, nPerDistri, NumPer and PpEntregada.
void Refuse(const QString& message, bool everyStorm) {
  if (!SeriesRunning) MsgBox(message, vbExclamation, QStringLiteral("Advertencia !"));
  HyetographRefused = true;
  HyetographRefusal = message;
  HyetographRefusesEveryStorm = everyStorm;
  nPerDistri = 0;
  NumPer = 0;
  PpEntregada = 0;
}

// Adds a value's text to the table row LineaDistri, with blanks up to the column width (BlancosDistri,
// nBlancosDistri).
void AddColumn(const QString& text, int width) {
  nBlancosDistri = static_cast<Integer>(width - text.size());
  BlancosDistri = nBlancosDistri > 0 ? QString(nBlancosDistri, QLatin1Char(' ')) : QString();
  LineaDistri += text + BlancosDistri;
}

// A value cut down to hundredths.
Single Hundredths(Single value) {
  return static_cast<Single>(Int(100.0f * value)) / 100.0f;
}

// The period of the hyetograph that holds minute t: NP + 1 from the storm's end on, and more for a
// step that ends more than a period after it. Reads nPerDistri and DurTormenta.
Integer PeriodAt(Integer t) {
  const Single periods = DivS(static_cast<Single>(t) * static_cast<Single>(nPerDistri), DurTormenta);
  return CInt(Int(periods) + 1);
}

// The cumulative depth at minute t, which lies in period j, by straight-line interpolation within
// the period. After the storm's end the curve stays at the storm's total. Reads the hyetograph and
// DurTormenta.
double CumulativeAt(Integer t, Integer j) {
  const Integer NP = nPerDistri;
  const Integer period = j > NP + 1 ? static_cast<Integer>(NP + 1) : j;
  const double rate = period <= NP ? IntensidadPer(period) : 0.0;
  const double start = Div(static_cast<double>(period - 1) * DurTormenta, NP);
  return PpAcumPer(period - 1) + rate * (t - start);
}

// The end of period k, k × D / NP minutes from the start of the storm, to hundredths of a minute.
Single PeriodEnd(Integer k) {
  return static_cast<Single>(Round(Div(static_cast<double>(k) * DurTormenta, nPerDistri), 2));
}

// True for the step that holds the end of a storm whose duration is not a whole number of steps.
// Reads DurTormenta and PasoPp.
bool IsLastPartialStep(Integer k) {
  return k == Int(Div(DurTormenta, PasoPp)) + 1;
}

}  // namespace

void DistribucionTemporalPp() {
  HyetographRefused = false;
  try {
    const Single P = PpTormenta;
    const Integer D = DurTormenta;
    const double steps = Int(Div(D, PasoPp));
    if (steps < 0) Raise(kErrSubscript);  // a negative duration or step has no periods
    nPerDistri = CInt(steps);
    PpAcumPer.redimPreserve(nPerDistri);
    IntensidadPer.redimPreserve(nPerDistri);
    PpPeriodo.redimPreserve(nPerDistri);
    if (P == 0 || D == 0) return;

    const bool measured = FormaPp == 4;
    const int table = DistriPp - 4;
    if (DurationRefused(D)) {
      Refuse(QStringLiteral(
                 "La distribución temporal teórica sólo se aplica a tormentas de hasta 48 horas (2880 "
                 "minutos) de duración. Elija otra distribución temporal o una duración menor."),
             false);
      return;
    }
    // The user tables are read as saved, into a copy of the builder's own: the distribution editor's
    // unsaved changes stay in the editor.
    TablasDisTemPer leidas;
    const TablasDisTemPer& tablas = SeriesDistributions ? *SeriesDistributions : leidas;
    if (!measured && table >= 1 && table <= 3) {
      if (!SeriesDistributions) LeeTablaDisTemPer(leidas);
      if (tablas.NroFilasTablaPp[table] == 0) {
        Refuse(QStringLiteral("La distribución personalizada ") + QString::number(table) +
                   QStringLiteral(
                       " no tiene períodos cargados en el archivo distriPp_dpt.pcn. Defínala en el editor de "
                       "distribuciones o elija otra distribución temporal."),
               true);
        return;
      }
    }

    if (PizarraActiva) AppendToReport(kCrLf + QStringLiteral("Entrada: PRECIPITACION"));
    if (measured) {
      SetPeriods(CInt(Int(Div(D, PasoPp))));
      for (int k = 1; k <= nPerDistri; ++k) IntensidadPer(k) = PpPeriodo(k) / P * 100.0f;
      RunningSum();
    } else if (DistriPp == 0) {
      SetShape(Shape{{100}, {100}});
    } else if (DistriPp == 1) {
      SetShape(*TheoreticalShape(D / 60.0));
    } else if (DistriPp >= 2 && DistriPp <= 4) {
      SetShape(BuiltInShape(DistriPp));
    } else if (table >= 1 && table <= 3) {
      SetPeriods(tablas.NroFilasTablaPp[table]);
      for (int k = 1; k <= nPerDistri; ++k) IntensidadPer(k) = tablas.DisPer(table, k);
      RunningSum();
    }

    if (PizarraActiva) {
      AppendToReport(kCrLf + QStringLiteral("Pp= ") + NumberText(P) + QStringLiteral(" [mm]  ") +
                     NumberText(D) + QStringLiteral(" [min]"));
    }
    if (!measured) PpPeriodo(0) = 0;
    if (PizarraActiva) {
      AppendToReport(kCrLf + QStringLiteral("Distribución temporal de la Pp:") + kCrLf +
                     QStringLiteral("Per.k t[min] Pp[mm]  Pp Acumulada[mm]  Intensidad de Pp[mm/min]"));
    }
    const Integer NP = nPerDistri;
    QString tableText;
    for (kPer = 1; kPer <= NP; ++kPer) {
      const int k = kPer;
      PpAcumPer(k) = P * PpAcumPer(k) / 100.0f;
      IntensidadPer(k) =
          static_cast<Single>(static_cast<double>(P) * IntensidadPer(k) / (1.0 / NP) / D / 100.0);
      if (!measured) PpPeriodo(k) = PpAcumPer(k) - PpAcumPer(k - 1);
      LineaDistri.clear();
      AddColumn(NumberText(kPer), 5);
      AddColumn(NumberText(PeriodEnd(kPer)), 6);
      AddColumn(NumberText(Hundredths(PpPeriodo(k))), 11);
      AddColumn(NumberText(Hundredths(PpAcumPer(k))), 25);
      LineaDistri += NumberText(Hundredths(IntensidadPer(k)));
      if (PizarraActiva) tableText += kCrLf + QLatin1Char(' ') + LineaDistri;
    }
    if (PizarraActiva) AppendToReport(tableText);
    NumPer = NP;
    PpEntregada = 0;
    HyetographDepth = P;
  } catch (const VbError& e) {
    MsgBox(ErrorNroText(e));
    PpTormenta = 0;
    DurTormenta = 0;
  }
}

bool DurationRefused(Integer D) {
  return FormaPp != 4 && DistriPp == 1 && !TheoreticalShape(D / 60.0);
}

Single PpDelPaso(Integer k) {
  const Integer D = DurTormenta;
  const Single P = PpTormenta;
  PpAcumPer(0) = 0;
  IntensidadPer(0) = 0;
  const Integer t = CheckInteger(static_cast<long long>(k) * PasoPp);
  if (CheckInteger(static_cast<long long>(t) - D) >= PasoPp) return 0;

  if (DistriPp == 0 && FormaPp != 4) {
    if (IsLastPartialStep(k))
      return static_cast<Single>(Div(1, D) * P * (D - CheckInteger((k - 1LL) * PasoPp)));
    return static_cast<Single>(Div(1, D) * P * PasoPp);
  }

  const Integer NP = nPerDistri;
  const Integer j = PeriodAt(t);
  if (j + 1 > NP) {
    PpAcumPer.redimPreserve(j + 2);
    IntensidadPer.redimPreserve(j + 2);
  }
  // The step that holds the end of the storm hands out exactly the rest of it when the curve would
  // pass the storm's depth; a step that ends periods after the storm's end takes the whole rest.
  const Single total = FormaPp == 3 ? HyetographDepth : P;
  double cumulative = CumulativeAt(t, j);
  if (IsLastPartialStep(k) && cumulative > total) cumulative = total;

  if (FormaPp == 3) {
    // One depth per unit: the hyetograph was built with the storm's depth; each unit receives its
    // own depth P times the share of the storm that falls in this step.
    const Integer start = CheckInteger(static_cast<long long>(t) - PasoPp);
    const double before = CumulativeAt(start, PeriodAt(start));
    return static_cast<Single>(P * Div(cumulative - before, HyetographDepth));
  }

  const Single rain = static_cast<Single>(cumulative - PpEntregada);
  if (j <= NP) PpEntregada = static_cast<Single>(cumulative);
  return rain;
}

void ResetHietogramaState() {
  kPer = 0;
  LineaDistri.clear();
  BlancosDistri.clear();
  nBlancosDistri = 0;
  HyetographDepth = 0;
  HyetographRefused = false;
  HyetographRefusal.clear();
  HyetographRefusesEveryStorm = false;
}

}  // namespace tavo
