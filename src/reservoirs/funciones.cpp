// Storage, area and outflow functions of dams and lakes over their tables and outflow ranges, and
// the level for a given outflow by bisection on the outflow function.
#include "reservoirs/funciones.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <typeinfo>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "reservoirs/tablas.h"

namespace tavo {

namespace {

// ---- the out-of-range questions: title, and the texts before and after the element's name ----
const QString T1 = QStringLiteral("Error, la función HSV es inconsistente...");
const QString T2 = QStringLiteral("Error, la tabla HSV es inconsistente...");
const QString T3 = QStringLiteral("Error, la tabla SHV es inconsistente");
const QString T4 = QStringLiteral("Error, la tabla HQ es inconsistente...");

const QString A1 = QStringLiteral(
    "Error, la altura de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento de la "
    "Represa ");
const QString A2 = QStringLiteral(
    "Error, la altura de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento del Lago ");
const QString A3 = QStringLiteral(
    "Error, la altura de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento de la Lago ");
const QString A4 = QStringLiteral(
    "Error, el volumen de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento de la "
    "Represa ");
const QString A5 = QStringLiteral(
    "Error, el volumen de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento del Lago ");
const QString A6 =
    QStringLiteral("Error, la altura de embalse supera el máximo de la Tabla H-Q dada para la Lago ");
const QString A7 =
    QStringLiteral("Error, la altura de embalse supera el máximo de la Tabla H-Q dada para la Represa ");
const QString AArea = QStringLiteral(
    "Error, la superficie de embalse supera el máximo de la Tabla Altura-Superficie-Almacenamiento de la "
    "Represa ");

const QString E1 = QStringLiteral(". Corrija la tabla y vuelva a procesar. ¿Desea Continuar? ");
const QString E2 = QStringLiteral(". Corrija la tabla y vuelva a procesar. ¿Desea continuar?");
const QString E3 = QStringLiteral(". Corrija la tabla y vuelva a procesar. ¿Desea continuar? ");

const QString B1 = QStringLiteral("Error, la tabla Altura-Superficie-Almacenamiento de la Represa ");
const QString B2 = QStringLiteral("Error, la tabla Altura-Superficie-Almacenamiento del Lago ");
const QString B3 = QStringLiteral("Error, la tabla Altura-Superficie-Almacenamiento de la Lago ");
const QString B4 = QStringLiteral("Error, la tabla H-Q de la Lago ");
const QString B5 = QStringLiteral("Error, la tabla H-Q de la Represa ");

const QString F1 = QStringLiteral(
    " tiene un valor inicial más elevado que el de cálculo. Corrija la tabla y vuelva a procesar. ¿Desea "
    "continuar ?");
const QString F2 = QStringLiteral(
    " tiene un valor inicial más elevado que el de cálculo. Corrija la tabla y vuelva a procesar. ¿Desea "
    "continaur? ");
const QString F3 = QStringLiteral(
    " tiene un valor inicial del volumen almacenado más elevado que el de cálculo. Corrija la tabla y vuelva "
    "a "
    "procesar. ¿Desea continuar? ");
const QString F4 = QStringLiteral(
    " tiene un valor inicial más elevado que el de cálculo. Corrija la tabla y vuelva a procesar");
const QString FArea = QStringLiteral(
    " tiene un valor inicial de la superficie más elevado que el de cálculo. Corrija la tabla y vuelva a "
    "procesar. "
    "¿Desea continuar? ");

struct Pregunta {
  const QString& titulo;
  const QString& prefijo;
  const QString& sufijo;
};

// What a lookup asks when the argument lies above the table's last row or below its first, and
// whether the element asked about is a lake.
struct Preguntas {
  Pregunta arriba;
  Pregunta abajo;
  bool lago;
};

const Preguntas kSdeHRepresa{{T1, A1, E1}, {T1, B1, F1}, false};
const Preguntas kSdeHLago{{T1, A2, E1}, {T1, B2, F1}, true};
const Preguntas kHdeSRepresa{{T2, A4, E2}, {T2, B1, F3}, false};
const Preguntas kAdeHRepresa{{T3, A1, E3}, {T2, B1, F2}, false};
const Preguntas kAdeHLago{{T3, A3, E3}, {T2, B3, F2}, true};
const Preguntas kHdeARepresa{{T2, AArea, E2}, {T2, B1, FArea}, false};
const Preguntas kHdeSLago{{T2, A5, E2}, {T2, B2, F3}, true};
const Preguntas kQdeHLago{{T4, A6, E3}, {T4, B4, F4}, true};
const Preguntas kQdeHRepresa{{T4, A7, E3}, {T4, B5, F4}, false};

const QString kSufijoBiseccion = QStringLiteral(
    ". Es posible que deba ampliar el rango de altura-caudal o altura-superficie -volumen de embalse");

enum class Precision { Single, Double };

// The record in ElementoActual as a record of kind R (no kind derives from another, so comparing the
// exact type is enough, and cheaper than a cast the routing would pay on every table look-up).
template <class R>
R& Actual() {
  Registro* registro = ElementoActual.get();
  if (!registro) Raise(kErrObjectNotSet);
  if (typeid(*registro) != typeid(R)) Raise(kErrNoSuchMember);
  return static_cast<R&>(*registro);
}

Represa& RepresaActual() {
  return Actual<Represa>();
}
Lago& LagoActual() {
  return Actual<Lago>();
}

// Asks whether to go on past the table: Yes gives the whole number 0, No ends the program. Within a
// run an element already answered Yes goes on without being asked again.
Variant FueraDeTabla(const Pregunta& p, const Preguntas& preguntas, const QString& nombre) {
  const QString elemento = (preguntas.lago ? QStringLiteral("Lago|") : QStringLiteral("Represa|")) + nombre;
  if (RunsComputing > 0 && ElementsGoingOnPastTable.contains(elemento)) return Variant(Integer(0));
  if (MsgBox(p.prefijo + nombre + p.sufijo, vbYesNo + vbExclamation, p.titulo) == vbNo) EndProgram();
  if (RunsComputing > 0) ElementsGoingOnPastTable.insert(elemento);
  return Variant(Integer(0));
}

// Linear interpolation of column Y against column X in the table of element n. With `vacioSinFilas`
// a table without rows gives an empty result and asks nothing.
template <class XT, class YT>
Variant Interpola(const Array1<Integer>& filas, const Array2<XT>& X, const Array2<YT>& Y, int n, Single x,
                  bool vacioSinFilas, const Preguntas& preguntas, const QString& nombre,
                  Precision precision) {
  const int N = filas(n);
  if (vacioSinFilas && N <= 0) return {};
  const double xd = x;
  if (xd > static_cast<double>(X(n, N))) return FueraDeTabla(preguntas.arriba, preguntas, nombre);
  if (xd < static_cast<double>(X(n, 1))) return FueraDeTabla(preguntas.abajo, preguntas, nombre);
  if (xd == static_cast<double>(X(n, 1))) return Variant(Y(n, 1));
  for (int i = 2; i <= N; ++i) {
    const double xi = X(n, i);
    if (xd == xi) return Variant(Y(n, i));
    if (xi > xd) {
      const double x0 = X(n, i - 1);
      const double y0 = Y(n, i - 1);
      const double y = (static_cast<double>(Y(n, i)) - y0) / (xi - x0) * (xd - x0) + y0;
      return precision == Precision::Double ? Variant(y) : Variant(CSng(y));
    }
  }
  return {};
}

// The interpolated value of Interpola for an argument inside a table that has been read, without
// building a result; false when Interpola would ask a question, give an empty result or fail.
template <class XT, class YT>
bool DentroDeTabla(const Array1<Integer>& filas, const Array2<XT>& X, const Array2<YT>& Y, int n, Single x,
                   double& y) {
  if (n < filas.lower() || n > filas.upper() || n > X.upper1() || n > Y.upper1()) return false;
  const int N = filas(n);
  if (N < 1 || N > X.upper2() || N > Y.upper2() || X.lower2() != 0 || Y.lower2() != 0) return false;
  const XT* xs = &X(n, 0);
  const YT* ys = &Y(n, 0);
  const double xd = x;
  if (xd > static_cast<double>(xs[N]) || xd < static_cast<double>(xs[1])) return false;
  if (xd == static_cast<double>(xs[1])) {
    y = static_cast<double>(ys[1]);
    return true;
  }
  for (int i = 2; i <= N; ++i) {
    const double xi = xs[i];
    if (xd == xi) {
      y = static_cast<double>(ys[i]);
      return true;
    }
    if (xi > xd) {
      const double x0 = xs[i - 1];
      const double y0 = ys[i - 1];
      y = (static_cast<double>(ys[i]) - y0) / (xi - x0) * (xd - x0) + y0;
      return true;
    }
  }
  return false;
}

// The dam's outflow at level h from its switched-on ranges that hold h.
Single SumaRangos(Represa& r, Single h) {
  Single q = 0;
  for (int k = 1; k <= 8; ++k) {
    if (r.chkFQ(k) != 1 || !(r.FQmin(k) <= h && h <= r.FQMax(k))) continue;
    const double d = static_cast<double>(h) - r.FQmin(k);
    const double aporte = k <= 4 ? r.FQa(k) * Pow(d, r.FQb(k)) : r.FQa(k) + r.FQb(k) * d + r.FQc(k) * (d * d);
    q = CheckSingle(q + aporte);
  }
  return q;
}

// Halves the bracket [hmin, hmax] until it is 0.001 m wide or its midpoint no longer moves, keeping
// below the level the highest midpoint whose outflow does not exceed q. A bracket too narrow to
// halve gives its lower end. The midpoints and the outflows found inside the table at them are kept in
// the memo; the others are asked of `caudal` at every visit, with its questions and messages.
Variant Biseccion(Single hmin, Single hmax, Single q, const std::function<Variant(Single)>& caudal,
                  bool (*dentro)(Single, Single&), const QString& prefijo, const QString& nombre,
                  BisectionMemo& memo) {
  if (memo.element != ElementoActual.get() || memo.hmin != hmin || memo.hmax != hmax) {
    memo = {ElementoActual.get(), hmin, hmax, {}};
  }
  auto& midpoints = memo.midpoints;
  Single hm = hmin;
  int mitades = 0;
  int parent = -1;  // the midpoint halved last, and the half kept
  int half = 0;
  while (std::fabs(hmax - hmin) > 0.001f) {
    if (++mitades > 1000) {
      MsgBox(prefijo + nombre + kSufijoBiseccion, vbOKOnly + vbExclamation, QStringLiteral("Error,..."));
      EndProgram();
    }
    int i = parent < 0 ? (midpoints.empty() ? -1 : 0) : midpoints[static_cast<size_t>(parent)].next[half];
    if (i < 0) {
      BisectionMemo::Midpoint m;
      m.h = CSng((static_cast<double>(hmax) - hmin) / 2 + hmin);
      try {
        m.fromTable = dentro(m.h, m.q);
      } catch (const VbError&) {
        m.fromTable = false;  // `caudal` reports it
      }
      midpoints.push_back(m);
      i = static_cast<int>(midpoints.size()) - 1;
      if (parent >= 0) midpoints[static_cast<size_t>(parent)].next[half] = i;
    }
    const BisectionMemo::Midpoint& m = midpoints[static_cast<size_t>(i)];
    if (m.h == hm) break;  // in single precision the bracket cannot shrink any more
    hm = m.h;
    Single qm = m.q;
    if (!m.fromTable) {
      const Variant v = caudal(hm);
      qm = v.isEmpty() ? Single(0) : v.toSingle();
    }
    half = qm <= q ? 1 : 0;
    (half ? hmin : hmax) = hm;
    parent = i;
  }
  return Variant(hm);
}

}  // namespace

OutOfTableQuestionsPerRun::OutOfTableQuestionsPerRun() {
  if (RunsComputing++ == 0) ElementsGoingOnPastTable.clear();
}

OutOfTableQuestionsPerRun::~OutOfTableQuestionsPerRun() {
  if (--RunsComputing == 0) ElementsGoingOnPastTable.clear();
}

void ShowCommonError(const VbError& e) {
  MsgBox(ErrorNroText(e));
}

void CargaFQRepresas() {
  ChkFQRepresa.redim(nRepresas, 8);
  CoefFQRepresa.redim(nRepresas, 8, 5);
  for (const auto& represa : colRepresas) {
    ElementoActual = represa;
    const int n = represa->numRepresa;
    // Only dams numbered 1..nRepresas have a place in the arrays.
    if (n < 1 || n > nRepresas) continue;
    for (int k = 1; k <= 8; ++k) {
      ChkFQRepresa(n, k) = represa->chkFQ(k);
      CoefFQRepresa(n, k, 1) = represa->FQa(k);
      CoefFQRepresa(n, k, 2) = represa->FQb(k);
      if (k >= 5) CoefFQRepresa(n, k, 3) = represa->FQc(k);
      CoefFQRepresa(n, k, 4) = represa->FQmin(k);
      CoefFQRepresa(n, k, 5) = represa->FQMax(k);
    }
  }
}

Variant SdeHRepresa(Single h) {
  Represa& r = RepresaActual();
  return Interpola(NFilasHSVRepresa, HTablaHSVRepresa, STablaHSVRepresa, r.numRepresa, h, false, kSdeHRepresa,
                   r.NombreRepresa, Precision::Double);
}

Variant SdeHLago(Single h) {
  Lago& l = LagoActual();
  return Interpola(NFilasHSVQLago, HTablaHSVQLago, STablaHSVQLago, l.numLAGO, h, false, kSdeHLago,
                   l.NombreLAGO, Precision::Double);
}

Variant HdeSRepresa(Single s) {
  Represa& r = RepresaActual();
  return Interpola(NFilasHSVRepresa, STablaHSVRepresa, HTablaHSVRepresa, r.numRepresa, s, false, kHdeSRepresa,
                   r.NombreRepresa, Precision::Double);
}

Variant AdeHRepresa(Single h) {
  Represa& r = RepresaActual();
  return Interpola(NFilasHSVRepresa, HTablaHSVRepresa, ATablaHSVRepresa, r.numRepresa, h, false, kAdeHRepresa,
                   r.NombreRepresa, Precision::Single);
}

Variant AdeHLago(Single h) {
  Lago& l = LagoActual();
  return Interpola(NFilasHSVQLago, HTablaHSVQLago, ATablaHSVQLago, l.numLAGO, h, false, kAdeHLago,
                   l.NombreLAGO, Precision::Single);
}

Variant HdeARepresa(Single a) {
  Represa& r = RepresaActual();
  return Interpola(NFilasHSVRepresa, ATablaHSVRepresa, HTablaHSVRepresa, r.numRepresa, a, false, kHdeARepresa,
                   r.NombreRepresa, Precision::Single);
}

Variant HdeSLago(Single s) {
  Lago& l = LagoActual();
  return Interpola(NFilasHSVQLago, STablaHSVQLago, HTablaHSVQLago, l.numLAGO, s, false, kHdeSLago,
                   l.NombreLAGO, Precision::Double);
}

Variant QdeHLago(Single h) {
  try {
    Lago& l = LagoActual();
    return Interpola(NFilasHSVQLago, HTablaHSVQLago, QTablaHSVQLago, l.numLAGO, h, true, kQdeHLago,
                     l.NombreLAGO, Precision::Single);
  } catch (const VbError& e) {
    ShowCommonError(e);
    CloseAllFiles();
    return {};
  }
}

Variant QdeHRepresa(Single h) {
  try {
    Represa& r = RepresaActual();
    if (r.optTabla) {
      return Interpola(NFilasHQRepresa, HTablaHQRepresa, QTablaHQRepresa, r.numRepresa, h, true, kQdeHRepresa,
                       r.NombreRepresa, Precision::Single);
    }
    return Variant(SumaRangos(r, h));
  } catch (const VbError& e) {
    ShowCommonError(e);
    CloseAllFiles();
    return {};
  }
}

// In single precision, as the routing keeps them. A level inside the table is looked up directly;
// anything else goes through the functions above, with their questions and messages.
namespace {
// The record in ElementoActual when it is of kind R; nullptr otherwise.
template <class R>
R* ActualSiEs() {
  Registro* registro = ElementoActual.get();
  return registro && typeid(*registro) == typeid(R) ? static_cast<R*>(registro) : nullptr;
}

// An interpolated value inside the table, as a Single (error 6 when it does not fit one).
template <class XT, class YT>
bool DentroDeTablaSimple(const Array1<Integer>& filas, const Array2<XT>& X, const Array2<YT>& Y, int n,
                         Single x, Single& out) {
  double y = 0;
  if (!DentroDeTabla(filas, X, Y, n, x, y)) return false;
  out = CSng(y);
  return true;
}
}  // namespace

bool SdeHLagoDentro(Single h, Single& s) {
  const Lago* l = ActualSiEs<Lago>();
  return l && DentroDeTablaSimple(NFilasHSVQLago, HTablaHSVQLago, STablaHSVQLago, l->numLAGO, h, s);
}

bool QdeHLagoDentro(Single h, Single& q) {
  const Lago* l = ActualSiEs<Lago>();
  return l && DentroDeTablaSimple(NFilasHSVQLago, HTablaHSVQLago, QTablaHSVQLago, l->numLAGO, h, q);
}

bool SdeHRepresaDentro(Single h, Single& s) {
  const Represa* r = ActualSiEs<Represa>();
  return r && DentroDeTablaSimple(NFilasHSVRepresa, HTablaHSVRepresa, STablaHSVRepresa, r->numRepresa, h, s);
}

bool QdeHRepresaDentro(Single h, Single& q) {
  Represa* r = ActualSiEs<Represa>();
  if (!r) return false;
  if (r->optTabla)
    return DentroDeTablaSimple(NFilasHQRepresa, HTablaHQRepresa, QTablaHQRepresa, r->numRepresa, h, q);
  try {
    q = SumaRangos(*r, h);
    return true;
  } catch (const VbError&) {
    return false;  // QdeHRepresa reports it
  }
}

Single SdeHLagoSimple(Single h) {
  Single s = 0;
  return SdeHLagoDentro(h, s) ? s : SdeHLago(h).toSingle();
}

Single QdeHLagoSimple(Single h) {
  Single q = 0;
  return QdeHLagoDentro(h, q) ? q : QdeHLago(h).toSingle();
}

Single SdeHRepresaSimple(Single h) {
  Single s = 0;
  return SdeHRepresaDentro(h, s) ? s : SdeHRepresa(h).toSingle();
}

Single QdeHRepresaSimple(Single h) {
  Single q = 0;
  return QdeHRepresaDentro(h, q) ? q : QdeHRepresa(h).toSingle();
}

Variant HdeQalmaRepresa(Single q) {
  BisectionMemo memo;
  return HdeQalmaRepresa(q, memo);
}

Variant HdeQalmaLago(Single q) {
  BisectionMemo memo;
  return HdeQalmaLago(q, memo);
}

Variant HdeQalmaRepresa(Single q, BisectionMemo& memo) {
  try {
    Represa& r = RepresaActual();
    Single hmin = 0;
    Single hmax = 0;
    if (r.optTabla) {
      const int n = NFilasHQRepresa(r.numRepresa);
      if (n <= 0) return {};
      hmin = HTablaHQRepresa(r.numRepresa, 1);
      hmax = HTablaHQRepresa(r.numRepresa, n);
    } else {
      if (r.chkFQ1 == 1) {
        hmin = r.FQmin1;
        hmax = r.FQMax1;
      }
      for (int k = 2; k <= 8; ++k) {
        if (r.chkFQ(k) != 1) continue;
        hmin = std::min(hmin, r.FQmin(k));
        hmax = std::max(hmax, r.FQMax(k));
      }
    }
    return Biseccion(
        hmin, hmax, q, QdeHRepresa, QdeHRepresaDentro,
        QStringLiteral(
            "Error <Proceso_en_Represa>, inconsistencia en el cálculo de H=f(Q)> en Sub HdeQalmaRepresa "),
        r.NombreRepresa, memo);
  } catch (const VbError& e) {
    ShowCommonError(e);
    CloseAllFiles();
    return {};
  }
}

Variant HdeQalmaLago(Single q, BisectionMemo& memo) {
  try {
    Lago& l = LagoActual();
    const int n = NFilasHSVQLago(l.numLAGO);
    if (n <= 0) return {};
    return Biseccion(
        HTablaHSVQLago(l.numLAGO, 1), HTablaHSVQLago(l.numLAGO, n), q, QdeHLago, QdeHLagoDentro,
        QStringLiteral(
            "Error <Proceso_en_Lago>, inconsistencia en el cálculo de H=f(Q)> en Sub HdeQalmaLago "),
        l.NombreLAGO, memo);
  } catch (const VbError& e) {
    ShowCommonError(e);
    CloseAllFiles();
    return {};
  }
}

}  // namespace tavo
