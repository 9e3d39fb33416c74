// Rainfall-runoff on the hydrological units: retention, Kostiakov infiltration counted in wet steps,
// the excess as a discharge carried to the outlet on a trapezoid of the unit's travel time, a recession
// base flow; then each unit's and the basin's volumes, peaks and runoff coefficients.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/hietograma.h"
#include "engine/informe.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "platform/workers.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

constexpr double kCaudalPorMmMinHa = 0.166667;  // m3/s of 1 mm per minute over 1 ha
constexpr Single kBaseRecesion = 2.7183f;       // base of the recession power

// Below this many unit steps a run's units are not worth the other threads' start.
constexpr long long kPasosParaHilos = 4096;

// The threads a run may spread `trabajo` unit steps over: its own alone while a series runs (the
// series' storms take the other threads) or when the work is small.
int HilosDeLaCorrida(long long trabajo) {
  if (SeriesRunning || trabajo < kPasosParaHilos) return 1;
  return ThreadCount();
}

// True while rain step k starts before a storm of `duracion` minutes ends. Reads PasoPp.
bool LlueveEnPaso(Integer k, Integer duracion) {
  return CheckInteger(static_cast<long long>(k) * PasoPp) <
         CheckInteger(static_cast<long long>(duracion) + PasoPp);
}
bool LlueveEnPaso(Integer k) {
  return LlueveEnPaso(k, DurTormenta);
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

// Where the discharge of rain step k reaches the unit's outlet: a trapezoid rising over the travel
// time Tc, level while the rain step lasts, falling over Tc after it. Reads PasoPp and PasoQ.
struct TramoUEH {
  Integer Tc = 0;
  Integer primero = 0;  // the output step before the first it reaches
  Integer pasos = 0;    // the output steps it reaches; none when below 1
  Integer ultimo = 0;   // the last it reaches
};
TramoUEH TramoTraslado(const UEH& u, Integer k, Integer r) {
  TramoUEH t;
  t.Tc = CInt(Div(Div(u.LongitudMax, u.VelMedia), 60));
  t.primero = CheckInteger(static_cast<long long>(k) * r - r);
  // No travel time: the discharge reaches the outlet at every output step of its rain step.
  const Integer fin = CheckInteger(static_cast<long long>(t.Tc) + PasoPp);
  t.pasos = t.Tc == 0 ? r : CheckInteger((static_cast<long long>(fin) + PasoQ - 1) / PasoQ - 1);
  if (t.pasos >= 1) t.ultimo = CheckInteger(static_cast<long long>(t.primero) + t.pasos);
  return t;
}

// Adds the discharge q on its stretch of a unit's row of outlet flows, `salida` (element j of the row
// at salida[j]). Reads PasoPp and PasoQ.
// Built twice, for processors with and without AVX2, which sweeps the runs of steps four at a time;
// both give the same values. Once only under the thread sanitizer, whose start comes after the choice
// between the two would be made.
#if defined(__SANITIZE_THREAD__)
#define TAVO_CLONES_AVX2
#else
#define TAVO_CLONES_AVX2 __attribute__((target_clones("avx2", "default")))
#endif
TAVO_CLONES_AVX2 void SumaTraslado(const TramoUEH& tramo, Single q, Single* salida) {
  const Integer primero = tramo.primero;
  const Integer pasos = tramo.pasos;
  const Integer Tc = tramo.Tc;
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

// Carries the discharge q of rain step k to the outlet of unit i. A flow that lands beyond the horizon
// grows it. Reads the unit, RelacionPasos, PasoPp and PasoQ; writes row i of QSaleCompo (the thread's,
// given) and nPasosSalida when it grows.
void TrasladoUEH(Integer i, Integer k, Single q, Array2<Single>& QSaleCompo) {
  const TramoUEH tramo = TramoTraslado(*vUEHs[i], k, RelacionPasos);
  if (tramo.pasos < 1) return;
  if (tramo.ultimo > nPasosSalida) AmpliaHorizonte(tramo.ultimo);
  SumaTraslado(tramo, q, QSaleCompo.row(i, tramo.primero + 1, tramo.ultimo) - (tramo.primero + 1));
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

// The rows of the table of flows at the units' outlets.
struct FilasCaudales {
  const Array2<Single>& lluvia;  // PpUEHPaso
  const Array2<Single>& caudal;  // QSaleCompo
  Integer r;                     // RelacionPasos
  Integer finLluvia;             // the storm's duration and a rain step [min]
  qsizetype pieza;               // the room of a row
  // The row of output step k: 12 blanks per unit, which end the line before, then the new line with
  // the step, its time and each unit's rain and flow (each column at most 32 characters). The rain of
  // a step is often the same for every unit and for the output steps of one rain step. Reads PasoQ
  // and nUEHs.
  void Escribe(ReportRow& fila, Integer k, NumberTextMemo& memo) const {
    const Integer t = static_cast<Integer>(k * PasoQ);
    fila.blanks(12 * nUEHs).text("\r\n ").right(k, 7).right(t, 7);
    const Integer pasoLluvia = static_cast<Integer>((k + r - 1) / r);
    for (Integer i = 1; i <= nUEHs; ++i) {
      if (t < finLluvia) {
        fila.right(Redondea(DivS(lluvia(i, pasoLluvia), r), 2), 5, memo);
      } else {
        fila.text("    0");
      }
      fila.right(Redondea(caudal(i, k), 2), 8).blanks(4);
    }
  }
};

// The table's rows of steps 1 to NQ made on the run's threads, a stretch of steps each, in two rounds:
// the first measures each stretch's rows, the second writes them in their places at the end of the
// report, memory the report already has (memory taken anew costs its first touch, as much as the rows
// themselves). Each unit's runoff volume and peak are summed on their own, in the order of the steps, as
// the rows do. Should any row fail, nothing is kept, so that the rows are made again in order. False,
// with nothing done, then or when a run writes its rows in order. Writes what TablaCaudalesUEHs writes.
bool FilasLadoALado(const FilasCaudales& filas, Integer NQ) {
  const int hilos = HilosDeLaCorrida(static_cast<long long>(nUEHs) * NQ);
  if (hilos < 2 || ReportOmitted || NQ < 2) return false;
  Array1<Single>& VolEscUEH = tavo::VolEscUEH;  // the thread's own, handed to the other threads
  TextBuffer& TextoProceso = tavo::TextoProceso;
  const Integer tormenta = kTormenta;
  const int tramos = std::min<int>(NQ, 4 * hilos);
  const auto desde = [&](int tramo) {
    return static_cast<Integer>(1 + static_cast<long long>(NQ) * tramo / tramos);
  };
  // The rows of steps a to b written from `destino`, the last one whole with nothing after it, or only
  // measured without it; their length.
  const auto escribe = [&filas](Integer a, Integer b, char* destino) {
    NumberTextMemo memo;
    std::vector<char> aparte(static_cast<size_t>(filas.pieza + ReportRow::kMargin));
    qsizetype largo = 0;
    for (Integer k = a; k <= b; ++k) {
      // A row may write beyond its end, where the next row goes: the last one is made apart.
      char* const desde = destino && k < b ? destino + largo : aparte.data();
      ReportRow fila(desde, filas.pieza);
      filas.Escribe(fila, k, memo);
      const qsizetype n = fila.here() - desde;
      if (destino && k == b) std::memcpy(destino + largo, aparte.data(), static_cast<size_t>(n));
      largo += n;
    }
    return largo;
  };
  std::vector<qsizetype> largos(static_cast<size_t>(tramos));
  std::vector<std::pair<Single, Single>> antes;  // each unit's volume and peak
  for (Integer i = 1; i <= nUEHs; ++i) antes.emplace_back(VolEscUEH(i), QpSerie(i, tormenta));
  try {
    EnParalelo(tramos + nUEHs, hilos, [&](int tarea) {
      if (tarea <= tramos) {
        largos[static_cast<size_t>(tarea - 1)] = escribe(desde(tarea - 1), desde(tarea) - 1, nullptr);
        return;
      }
      const Integer i = static_cast<Integer>(tarea - tramos);
      Single volumen = VolEscUEH(i);
      Single pico = QpSerie(i, tormenta);
      const Single* q = filas.caudal.row(i, 1, NQ) - 1;
      for (Integer k = 1; k <= NQ; ++k) {
        volumen = static_cast<Single>(volumen + static_cast<double>(q[k]) * PasoQ * 60);
        if (q[k] > pico) pico = q[k];
      }
      VolEscUEH(i) = volumen;
      QpSerie(i, tormenta) = pico;
    });
  } catch (...) {
    for (Integer i = 1; i <= nUEHs; ++i) {
      VolEscUEH(i) = antes[static_cast<size_t>(i - 1)].first;
      QpSerie(i, tormenta) = antes[static_cast<size_t>(i - 1)].second;
    }
    return false;
  }
  std::vector<qsizetype> lugares(static_cast<size_t>(tramos) + 1);
  for (int t = 0; t < tramos; ++t)
    lugares[static_cast<size_t>(t) + 1] = lugares[static_cast<size_t>(t)] + largos[static_cast<size_t>(t)];
  char* const inicio = TextoProceso.reserveTail(lugares.back());
  // The rows' values are those measured: nothing fails the second time.
  EnParalelo(tramos, hilos, [&](int tramo) {
    escribe(desde(tramo - 1), desde(tramo) - 1, inicio + lugares[static_cast<size_t>(tramo - 1)]);
  });
  TextoProceso.commitTail(inicio + lugares.back());
  kPaso = static_cast<Integer>(NQ + 1);
  iUEH = static_cast<Integer>(nUEHs + 1);
  return true;
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
  // The room of one step's row.
  const qsizetype pieza = static_cast<qsizetype>(nUEHs) * (12 + 2 * 32 + 4) + 3 + 2 * 32;
  const FilasCaudales filas{PpUEHPaso, QSaleCompo, r, finLluvia, pieza};
  if (FilasLadoALado(filas, NQ)) return;
  NumberTextMemo lluvia;
  for (kPaso = 1; kPaso <= NQ; ++kPaso) {
    ReportRow fila(TextoProceso, pieza);
    filas.Escribe(fila, kPaso, lluvia);
    fila.end();
    for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
      const Single q = QSaleCompo(iUEH, kPaso);
      VolEscUEH(iUEH) = static_cast<Single>(VolEscUEH(iUEH) + static_cast<double>(q) * PasoQ * 60);
      if (q > QpSerie(iUEH, kTormenta)) QpSerie(iUEH, kTormenta) = q;
    }
  }
}

// Each unit's discharge in rain steps 1 to `ultimo`, carried to its outlet: step by step, every unit
// in a step. Reads and writes what LluviaDelPaso, ProduccionUEH and TrasladoUEH do; writes kPaso and
// iUEH.
void UnidadesEnOrden(Integer ultimo) {
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
}

// What the units' steps change beyond the units' rows of outlet flows and their rain, which start at
// zero: taken before the steps, and put back.
class EstadoUnidades {
 public:
  EstadoUnidades()
      : media_(PpMediaAcum),
        tormenta_(PpTormenta),
        entregada_(PpEntregada),
        acumulada_(Periodos::De(PpAcumPer)),
        intensidad_(Periodos::De(IntensidadPer)) {
    for (Integer i = 1; i <= nUEHs; ++i)
      unidades_.push_back({PpUEH(i), RetencionRestante(i), nPasosInfiltra(i)});
  }
  // Everything as it was, the horizon back at `horizonte` and the units' rows of outlet flows and of
  // rain at zero.
  void Repone(Integer horizonte) const {
    PpMediaAcum = media_;
    PpTormenta = tormenta_;
    PpEntregada = entregada_;
    acumulada_.Repone(PpAcumPer);
    intensidad_.Repone(IntensidadPer);
    if (nPasosSalida != horizonte) AmpliaHorizonte(horizonte);
    for (Integer i = 1; i <= nUEHs; ++i) {
      const Unidad& u = unidades_[static_cast<size_t>(i - 1)];
      PpUEH(i) = u.lluvia;
      RetencionRestante(i) = u.retencion;
      nPasosInfiltra(i) = u.contador;
      std::fill_n(QSaleCompo.row(i, QSaleCompo.lower2(), QSaleCompo.upper2()),
                  QSaleCompo.upper2() - QSaleCompo.lower2() + 1, 0.0f);
      std::fill_n(PpUEHPaso.row(i, PpUEHPaso.lower2(), PpUEHPaso.upper2()),
                  PpUEHPaso.upper2() - PpUEHPaso.lower2() + 1, 0.0f);
    }
    UltimaPotencia.assign(UltimaPotencia.size(), PotenciaKostiakov{});
  }

 private:
  struct Unidad {
    Single lluvia, retencion, contador;
  };
  // The bounds of an array of the hyetograph's periods and its element 0, the one the steps write.
  struct Periodos {
    int upper;
    Single primero;
    static bool TienePrimero(const Array1<Single>& a) { return a.lower() <= 0 && a.upper() >= 0; }
    static Periodos De(const Array1<Single>& a) { return {a.upper(), TienePrimero(a) ? a(0) : 0.0f}; }
    void Repone(Array1<Single>& a) const {
      a.redimPreserve(upper);
      if (TienePrimero(a)) a(0) = primero;
    }
  };
  Single media_, tormenta_, entregada_;
  Periodos acumulada_, intensidad_;
  std::vector<Unidad> unidades_;
};

// The same as UnidadesEnOrden, unit by unit on the run's threads, when the report takes no unit line:
// each unit's discharge depends only on its own rain and its own state, and each writes only its own
// row of outlet flows, in the same order of steps, so the values are the same. The rain of every step
// is worked out first, in order. A flow that lands beyond the horizon is carried, with the unit's later
// ones, after the threads end, where the horizon grows. Should any step fail, everything goes back to
// where it was and the steps are taken in order, so that the failure comes where it comes there.
// False, with nothing done, when the units are taken in order.
bool UnidadesLadoALado(Integer ultimo) {
  const int hilos = HilosDeLaCorrida(static_cast<long long>(nUEHs) * ultimo);
  if (hilos < 2 || PizarraActiva || nUEHs < 2) return false;
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;  // the thread's own, handed to the other threads
  Array1<Single>& RetencionRestante = tavo::RetencionRestante;
  Array1<Single>& nPasosInfiltra = tavo::nPasosInfiltra;
  std::vector<PotenciaKostiakov>& potencias = UltimaPotencia;
  const EstadoUnidades antes;  // what the steps in order start from
  const Integer horizonte = nPasosSalida;
  try {
    for (kPaso = 1; kPaso <= ultimo; ++kPaso) LluviaDelPaso(kPaso);
    const Array2<Single>& lluvia = PpUEHPaso;
    const Integer r = RelacionPasos;
    const Integer duracion = DurTormenta;
    // Each unit's discharges that land beyond the horizon, and its later ones: (step, discharge).
    std::vector<std::vector<std::pair<Integer, Single>>> despues(static_cast<size_t>(nUEHs) + 1);
    EnParalelo(nUEHs, hilos, [&](int i) {
      const UEH& u = *vUEHs[i];
      // The unit's state is worked on here and put in its place at the end: the units' states lie side
      // by side, and threads writing beside each other at every step would slow each other down.
      Single retencion = RetencionRestante(i);
      Single contador = nPasosInfiltra(i);
      PotenciaKostiakov potencia = potencias[static_cast<size_t>(i)];
      std::vector<std::pair<Integer, Single>>& pendientes = despues[static_cast<size_t>(i)];
      Single* fila = nullptr;
      for (Integer k = 1; k <= ultimo; ++k) {
        const Single p = LlueveEnPaso(k, duracion) ? lluvia(i, k) : 0.0f;
        const Single q = ProduccionUEH(static_cast<Integer>(i), k, p, retencion, contador, potencia);
        if (q == 0) continue;
        if (!pendientes.empty()) {
          pendientes.emplace_back(k, q);
          continue;
        }
        const TramoUEH tramo = TramoTraslado(u, k, r);
        if (tramo.pasos < 1) continue;
        if (tramo.ultimo > horizonte) {
          pendientes.emplace_back(k, q);
          continue;
        }
        if (!fila) fila = QSaleCompo.row(i, 0, horizonte);
        SumaTraslado(tramo, q, fila);
      }
      RetencionRestante(i) = retencion;
      nPasosInfiltra(i) = contador;
      potencias[static_cast<size_t>(i)] = potencia;
    });
    for (Integer i = 1; i <= nUEHs; ++i) {
      for (const auto& [k, q] : despues[static_cast<size_t>(i)]) TrasladoUEH(i, k, q, QSaleCompo);
    }
  } catch (...) {
    antes.Repone(horizonte);
    return false;
  }
  kPaso = std::max<Integer>(ultimo, 0) + 1;
  if (ultimo >= 1) iUEH = nUEHs + 1;
  return true;
}

}  // namespace

void SimulaUEHs() {
  EncabezadoUEHs();
  UltimaPotencia.assign(nUEHs + 1, PotenciaKostiakov{});
  // Every rain step of the horizon, and at least every step the storm covers, even when the extra
  // time after the storm is shorter than a rain step.
  const Integer pasosTormenta = CheckInteger(static_cast<long long>(std::ceil(Div(DurTormenta, PasoPp))));
  const Integer ultimo = std::max<Integer>(NPasosLluvia - 1, pasosTormenta);
  if (!UnidadesLadoALado(ultimo)) UnidadesEnOrden(ultimo);
  FlujoBase();
}

void ResumenUEHs() {
  TablaCaudalesUEHs();
  Array1<Single>& VolEscUEH = tavo::VolEscUEH;  // the thread's own, found once for the loop below
  Array1<Single>& CoefEscUEH = tavo::CoefEscUEH;
  Array1<Single>& PpUEH = tavo::PpUEH;
  VolEscTotal = 0;
  for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
    const UEH& u = *vUEHs[iUEH];
    VolEscTotal = CLng(static_cast<double>(VolEscTotal) + VolEscUEH(iUEH));
    const double escorrentia = UnitRunoff(iUEH);
    if (VolEscUEH(iUEH) > 0.001f && u.Area > 0 && PpUEH(iUEH) > 0) {
      CoefEscUEH(iUEH) = static_cast<Single>(escorrentia / u.Area / 10 * 100 / PpUEH(iUEH));
    } else {
      CoefEscUEH(iUEH) = 0;
    }
    if (PizarraActiva) ResumenUEH(iUEH);
    ESerie(iUEH, kTormenta) = CLng(escorrentia);
    CESerie(iUEH, kTormenta) = CoefEscUEH(iUEH);
  }
  // Never below nothing, as each unit's (see UnitRunoff).
  VolEscTotal = CheckLong(std::max<long long>(static_cast<long long>(VolEscTotal) - VolBaseTotal, 0));
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
