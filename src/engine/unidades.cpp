// Rainfall-runoff on the hydrological units: retention, Kostiakov infiltration counted in wet steps,
// the excess as a discharge carried to the outlet on a trapezoid of the unit's travel time, a recession
// base flow; then each unit's and the basin's volumes, peaks and runoff coefficients.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/hietograma.h"
#include "engine/informe.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

constexpr double kCaudalPorMmMinHa = 0.166667;  // m3/s of 1 mm per minute over 1 ha
constexpr Single kBaseRecesion = 2.7183f;       // base of the recession power

// True while rain step k starts before the storm ends. Reads PasoPp and DurTormenta.
bool LlueveEnPaso(Integer k) {
  return CheckInteger(static_cast<long long>(k) * PasoPp) <
         CheckInteger(static_cast<long long>(DurTormenta) + PasoPp);
}

// The rain of step k on every unit (PpUEHPaso) and the areal mean simulated so far.
// Reads FormaPp, the units' areas and the hyetograph (through PpDelPaso); writes PpUEHPaso, PpUEH,
// PpMediaAcum, iUEH and, with one depth per unit, PpTormenta.
void LluviaDelPaso(Integer k) {
  if (!LlueveEnPaso(k)) return;
  Array2<Single>& PpUEHPaso = tavo::PpUEHPaso;  // the thread's own, found once for the loops below
  Array1<Single>& PpUEH = tavo::PpUEH;
  if (FormaPp == 0 || FormaPp == 1 || FormaPp == 2 || FormaPp == 4) {
    PpUEHPaso(1, k) = PpDelPaso(k);
    PpMediaAcum = static_cast<Single>(PpMediaAcum + PpUEHPaso(1, k));
    for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
      PpUEHPaso(iUEH, k) = PpUEHPaso(1, k);
      PpUEH(iUEH) = static_cast<Single>(PpUEH(iUEH) + PpUEHPaso(1, k));
    }
  } else if (FormaPp == 3) {
    for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
      PpTormenta = PpUEH(iUEH);
      PpUEHPaso(iUEH, k) = PpDelPaso(k);
      PpMediaAcum = static_cast<Single>(
          PpMediaAcum + Div(static_cast<double>(vUEHs[iUEH]->Area) * PpUEHPaso(iUEH, k), AreaTotalUEHs));
    }
  }
}

// The last power of the Kostiakov law worked out for each unit: the next wet step needs it again.
struct PotenciaKostiakov {
  bool valida = false;
  double base = 0;
  double valor = 0;
};
thread_local std::vector<PotenciaKostiakov> UltimaPotencia;

double PotenciaUEH(PotenciaKostiakov& p, double base, double exponente) {
  if (!(p.valida && p.base == base)) p = {true, base, Pow(base, exponente)};
  return p.valor;
}

// The discharge [m3/s] that unit i produces in rain step k from the rain p that falls on it, with its
// retention R (RetencionRestante(i)), its wet-step counter c (nPasosInfiltra(i)) and its last power of
// the Kostiakov law (UltimaPotencia), which it updates. Reads the unit and PasoPp; with the report on,
// writes the unit's line of the report.
Single ProduccionUEH(Integer i, Integer k, Single p, Single& R, Single& contador,
                     PotenciaKostiakov& potencia) {
  const UEH& u = *vUEHs[i];
  Single Z = 0;
  if (R == 0) {
    Z = 0;
  } else if (p < R) {
    Z = p;
    R = R - p;
  } else {
    Z = R;
    R = 0;
  }
  const Single n = p - Z;
  Single I = 0;
  if (n != 0) {
    // The c-th step with net rain infiltrates a·((c·Δ + Ti)^b − ((c − 1)·Δ + Ti)^b).
    const Single c = contador;
    const double t = static_cast<double>(PasoPp) * c + u.KostiakovI;
    const double anterior = PotenciaUEH(potencia, t - PasoPp, u.KostiakovB);
    const Single F1 = static_cast<Single>(PotenciaUEH(potencia, t, u.KostiakovB));
    I = static_cast<Single>(F1 - anterior);
    I = static_cast<Single>(static_cast<double>(I) * u.KostiakovA);
    if (I < 0) I = 0;
    contador = c + 1;
  }
  const Single e = n > I ? n - I : 0.0f;
  const Single intensidad = DivS(e, PasoPp);
  const Single q = static_cast<Single>(intensidad * kCaudalPorMmMinHa * u.Area);
  if (PizarraActiva) LineaPasoUEH(k, u.NombreUEH, p, Z, I, q);
  return q;
}

// Carries the discharge q of rain step k to the unit's outlet: a trapezoid rising over the travel
// time Tc, level while the rain step lasts, falling over Tc after it. A flow that lands beyond the
// horizon grows it. Reads the unit, RelacionPasos, PasoPp and PasoQ; writes row i of QSaleCompo (the
// thread's, given) and nPasosSalida when it grows.
// Built twice, for processors with and without AVX2, which sweeps the runs of steps four at a time;
// both give the same values. Once only under the thread sanitizer, whose start comes after the choice
// between the two would be made.
#if defined(__SANITIZE_THREAD__)
#define TAVO_CLONES_AVX2
#else
#define TAVO_CLONES_AVX2 __attribute__((target_clones("avx2", "default")))
#endif
TAVO_CLONES_AVX2 void TrasladoUEH(Integer i, Integer k, Single q, Array2<Single>& QSaleCompo) {
  const UEH& u = *vUEHs[i];
  const Integer Tc = CInt(Div(Div(u.LongitudMax, u.VelMedia), 60));
  const Integer r = RelacionPasos;
  const Integer primero = CheckInteger(static_cast<long long>(k) * r - r);
  // No travel time: the discharge reaches the outlet at every output step of its rain step.
  const Integer fin = CheckInteger(static_cast<long long>(Tc) + PasoPp);
  const Integer pasos = Tc == 0 ? r : CheckInteger((static_cast<long long>(fin) + PasoQ - 1) / PasoQ - 1);
  if (pasos < 1) return;
  const Integer ultimo = CheckInteger(static_cast<long long>(primero) + pasos);
  if (ultimo > nPasosSalida) AmpliaHorizonte(ultimo);
  Single* salida = QSaleCompo.row(i, primero + 1, ultimo) - (primero + 1);
  if (Tc == 0) {
    for (Integer j = 1; j <= pasos; ++j) salida[primero + j] += q;
    return;
  }
  const double pendiente = static_cast<double>(q) / Tc;
  const int paso = PasoQ;
  const int lluvia = PasoPp;
  const int tc = Tc;
  Single* destino = salida + primero;
  // The rise (t < Tc) and the fall (t > PasoPp) split the steps into plain runs without tests.
  const int finSubida = std::min<int>(pasos, (tc - 1) / paso);  // last j with t < Tc
  const int inicioBajada = lluvia / paso + 1;                   // first j with t > PasoPp
  int j = 1;
  for (const int fin = std::min<int>({finSubida, inicioBajada - 1, pasos}); j <= fin; ++j) {
    destino[j] += static_cast<Single>(pendiente * (j * paso));
  }
  if (finSubida >= inicioBajada) {
    // Still rising when the rain step is over.
    for (const int fin = std::min<int>(finSubida, pasos); j <= fin; ++j) {
      destino[j] +=
          static_cast<Single>(pendiente * (j * paso)) - static_cast<Single>(pendiente * (j * paso - lluvia));
    }
  } else {
    // Level: the rise is complete and the rain step lasts.
    for (const int fin = std::min<int>(inicioBajada - 1, pasos); j <= fin; ++j) destino[j] += q;
  }
  for (; j <= pasos; ++j) destino[j] += q - static_cast<Single>(pendiente * (j * paso - lluvia));
}

// 2.7183 to the power x; units with the same recession constant share the value of a step.
double Recesion(double x) {
  thread_local double ultimoExponente = 0;
  thread_local double ultimoValor = 1;
  if (x != ultimoExponente) {
    ultimoValor = Pow(kBaseRecesion, x);
    ultimoExponente = x;
  }
  return ultimoValor;
}

// The recession base flow of every unit at every output step, with its volumes.
// Reads the units, nPasosSalida and PasoQ; writes the units' rows of QSaleCompo, VolBaseUEH,
// VolBaseTotal, kPaso and iUEH.
void FlujoBase() {
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;  // the thread's own, found once for the loops below
  Array1<Long>& VolBaseUEH = tavo::VolBaseUEH;
  for (kPaso = 1; kPaso <= nPasosSalida; ++kPaso) {
    const Integer t = CheckInteger(static_cast<long long>(kPaso) * PasoQ);
    for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
      const UEH& u = *vUEHs[iUEH];
      if (!(u.Q0Recesion > 0 && u.KRecesion > 0)) continue;
      const Single Qb =
          static_cast<Single>(u.Q0Recesion * Recesion(-t / (static_cast<double>(u.KRecesion) * 60)));
      QSaleCompo(iUEH, kPaso) = QSaleCompo(iUEH, kPaso) + Qb;
      const double volumen = static_cast<double>(Qb) * PasoQ * 60;
      VolBaseUEH(iUEH) = CLng(VolBaseUEH(iUEH) + volumen);
      VolBaseTotal = CLng(VolBaseTotal + volumen);
    }
  }
}

// The flows at every unit's outlet, step by step, with each unit's runoff volume and peak. The rows
// are written whether or not the report is on, unless the run writes no report at all.
// Reads the units' rows of QSaleCompo, PpUEHPaso, the steps and the storm; writes VolEscUEH, the units'
// peaks QpSerie(i, kTormenta), kPaso, iUEH and TextoProceso.
void TablaCaudalesUEHs() {
  const bool detalle = PizarraActiva;
  if (detalle) {
    TextoProceso += QStringLiteral("\r\n");
    TextoProceso += QStringLiteral("\r\nCaudales propagados al pié de cada UEH:");
    TextoProceso += QStringLiteral("\r\n") + QString(12, QLatin1Char(' '));
  }
  for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
    if (!ReportOmitted)
      TextoProceso += QString(8, QLatin1Char(' ')) + vUEHs[iUEH]->NombreUEH + QString(7, QLatin1Char(' '));
  }
  if (detalle) {
    TextoProceso += QString(7, QLatin1Char(' '));
    TextoProceso += QStringLiteral("\r\nPer.k  t[min]");
  }
  for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
    if (!ReportOmitted) TextoProceso += QStringLiteral("- Pp[mm] Q[m3/s] ");
  }

  Array2<Single>& PpUEHPaso = tavo::PpUEHPaso;  // the thread's own, found once for the loops below
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;
  Array1<Single>& VolEscUEH = tavo::VolEscUEH;
  TextBuffer& TextoProceso = tavo::TextoProceso;
  const Integer r = RelacionPasos;
  const Integer finLluvia = CheckInteger(static_cast<long long>(DurTormenta) + PasoPp);
  const Integer NQ = nPasosSalida;
  CheckInteger(static_cast<long long>(NQ) * PasoQ);
  CheckInteger(static_cast<long long>(NQ) + r - 1);
  // One step's piece of the report: 12 blanks per unit, which end the line before, then the new line
  // with the step, its time and each unit's rain and flow (each column at most 32 characters). The
  // rain of a step is often the same for every unit and for the output steps of one rain step.
  const qsizetype pieza = static_cast<qsizetype>(nUEHs) * (12 + 2 * 32 + 4) + 3 + 2 * 32;
  NumberTextMemo lluvia;
  for (kPaso = 1; kPaso <= NQ; ++kPaso) {
    const Integer t = static_cast<Integer>(kPaso * PasoQ);
    ReportRow fila(TextoProceso, pieza);
    fila.blanks(12 * nUEHs).text("\r\n ").right(kPaso, 7).right(t, 7);
    const Integer pasoLluvia = static_cast<Integer>((kPaso + r - 1) / r);
    for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
      if (t < finLluvia) {
        fila.right(Redondea(DivS(PpUEHPaso(iUEH, pasoLluvia), r), 2), 5, lluvia);
      } else {
        fila.text("    0");
      }
      const Single q = QSaleCompo(iUEH, kPaso);
      fila.right(Redondea(q, 2), 8).blanks(4);
      VolEscUEH(iUEH) = static_cast<Single>(VolEscUEH(iUEH) + static_cast<double>(q) * PasoQ * 60);
      if (q > QpSerie(iUEH, kTormenta)) QpSerie(iUEH, kTormenta) = q;
    }
    fila.end();
  }
}

}  // namespace

void SimulaUEHs() {
  EncabezadoUEHs();
  UltimaPotencia.assign(nUEHs + 1, PotenciaKostiakov{});
  // Every rain step of the horizon, and at least every step the storm covers, even when the extra
  // time after the storm is shorter than a rain step.
  const Integer pasosTormenta = CheckInteger(static_cast<long long>(std::ceil(Div(DurTormenta, PasoPp))));
  const Integer ultimo = std::max<Integer>(NPasosLluvia - 1, pasosTormenta);
  // The thread's own arrays, found once for the loops below.
  Array2<Single>& PpUEHPaso = tavo::PpUEHPaso;
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;
  Array1<Single>& RetencionRestante = tavo::RetencionRestante;
  Array1<Single>& nPasosInfiltra = tavo::nPasosInfiltra;
  std::vector<PotenciaKostiakov>& potencias = UltimaPotencia;
  for (kPaso = 1; kPaso <= ultimo; ++kPaso) {
    LluviaDelPaso(kPaso);
    const bool llueve = LlueveEnPaso(kPaso);
    for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
      const Single p = llueve ? PpUEHPaso(iUEH, kPaso) : 0.0f;
      const Single q = ProduccionUEH(iUEH, kPaso, p, RetencionRestante(iUEH), nPasosInfiltra(iUEH),
                                     potencias[static_cast<size_t>(iUEH)]);
      if (q != 0) TrasladoUEH(iUEH, kPaso, q, QSaleCompo);
    }
  }
  FlujoBase();
}

void ResumenUEHs() {
  TablaCaudalesUEHs();
  Array1<Single>& VolEscUEH = tavo::VolEscUEH;  // the thread's own, found once for the loop below
  Array1<Long>& VolBaseUEH = tavo::VolBaseUEH;
  Array1<Single>& CoefEscUEH = tavo::CoefEscUEH;
  Array1<Single>& PpUEH = tavo::PpUEH;
  VolEscTotal = 0;
  for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
    const UEH& u = *vUEHs[iUEH];
    VolEscTotal = CLng(static_cast<double>(VolEscTotal) + VolEscUEH(iUEH));
    if (VolEscUEH(iUEH) > 0.001f && u.Area > 0 && PpUEH(iUEH) > 0) {
      CoefEscUEH(iUEH) = static_cast<Single>((static_cast<double>(VolEscUEH(iUEH)) - VolBaseUEH(iUEH)) /
                                             u.Area / 10 * 100 / PpUEH(iUEH));
    } else {
      CoefEscUEH(iUEH) = 0;
    }
    if (PizarraActiva) ResumenUEH(iUEH);
    ESerie(iUEH, kTormenta) = CLng(static_cast<double>(VolEscUEH(iUEH)) - VolBaseUEH(iUEH));
    CESerie(iUEH, kTormenta) = CoefEscUEH(iUEH);
  }
  VolEscTotal = CheckLong(static_cast<long long>(VolEscTotal) - VolBaseTotal);
  // No rain, no coefficient.
  if (VolEscTotal > 0.001f && AreaTotalUEHs > 0 && PpMediaAcum > 0) {
    CoefEscTotal =
        static_cast<Single>(static_cast<double>(VolEscTotal) / AreaTotalUEHs / 10 * 100 / PpMediaAcum);
  } else {
    CoefEscTotal = 0;
  }
  CETotalSerie(kTormenta) = CoefEscTotal;
  ETotalSerie(kTormenta) = VolEscTotal;
  if (PizarraActiva) TotalesCuenca();
}

}  // namespace tavo
