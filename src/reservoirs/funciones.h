// Storage, area and outflow of the dam or lake held in ElementoActual, read from its tables by linear
// interpolation or from the dam's analytic outflow ranges, and the level for a given outflow by
// bisection. A value beyond a table asks whether to go on (result 0) or to end the program.
#pragma once

#include <QSet>
#include <QString>
#include <atomic>
#include <vector>

#include "platform/arrays.h"
#include "platform/errors.h"
#include "platform/vb.h"

namespace tavo {

// ---- the dams' outflow settings as CargaFQRepresas last copied them ----
inline Array2<Integer> ChkFQRepresa;  // (dam, range 1..8): the range's switch
inline Array3<Single> CoefFQRepresa;  // (dam, range 1..8, 1 a | 2 b | 3 c | 4 lower | 5 upper level)

// ---- the out-of-range questions within a run ----
inline std::atomic<int> RunsComputing{0};       // runs under way that hold an OutOfTableQuestionsPerRun
inline QSet<QString> ElementsGoingOnPastTable;  // dams and lakes answered Yes in the run under way

// Held by a run (one storm, or a whole storm series) while it computes: each dam or lake is asked
// once about a value beyond its tables, and after Yes its later out-of-range look-ups in the run go on
// with 0 without asking. A run inside another one (a storm of a series) shares the outer one's answers.
// Outside a run every look-up asks.
class OutOfTableQuestionsPerRun {
 public:
  OutOfTableQuestionsPerRun();
  ~OutOfTableQuestionsPerRun();
  OutOfTableQuestionsPerRun(const OutOfTableQuestionsPerRun&) = delete;
  OutOfTableQuestionsPerRun& operator=(const OutOfTableQuestionsPerRun&) = delete;
};

// Copies the outflow ranges of every dam of colRepresas into ChkFQRepresa and CoefFQRepresa.
void CargaFQRepresas();

// Table functions. Each returns the stored value of a row the argument hits (a Long storage, a
// Single level, area or outflow), an interpolated value (Double for storages and for levels from
// storages, Single otherwise), the Integer 0 after the user chose to go on past the table, or empty.
// Only QdeHLago traps failures (tables never read, a record of the wrong kind); the others raise
// them to their caller.
Variant SdeHRepresa(Single h);
Variant SdeHLago(Single h);
Variant HdeSRepresa(Single s);
Variant AdeHRepresa(Single h);
Variant AdeHLago(Single h);
Variant HdeARepresa(Single a);
Variant HdeSLago(Single s);
Variant QdeHLago(Single h);

// Outflow of the dam [m3/s] at level h: from its height-discharge table when optTabla is set, else
// the sum of its switched-on ranges that hold h. Single, or empty after a failure it reports.
Variant QdeHRepresa(Single h);

// The storage and outflow at a level inside the element's tables (or, for a dam's outflow, its ranges
// without a failure): true with the value, having asked nothing and shown nothing; false when only the
// functions above can tell.
bool SdeHLagoDentro(Single h, Single& s);
bool QdeHLagoDentro(Single h, Single& q);
bool SdeHRepresaDentro(Single h, Single& s);
bool QdeHRepresaDentro(Single h, Single& q);

// The same storages and outflows as Singles, for the routing's many look-ups: an empty result is 0.
Single SdeHLagoSimple(Single h);
Single QdeHLagoSimple(Single h);
Single SdeHRepresaSimple(Single h);
Single QdeHRepresaSimple(Single h);

// The midpoints that the bisections of one element have visited, with the outflows found inside its
// table there: the bisections of the many outflows of one routing meet the same midpoints, as each
// depends only on the bracket, and look each outflow up once.
struct BisectionMemo {
  struct Midpoint {
    Single h = 0;
    bool fromTable = false;  // q was found inside the table, asking nothing
    Single q = 0;
    int next[2] = {-1, -1};  // the midpoint of the lower half and of the upper half, once visited
  };
  const void* element = nullptr;  // the record and the bracket the midpoints belong to
  Single hmin = 0;
  Single hmax = 0;
  std::vector<Midpoint> midpoints;
};

// Level [m] at which the dam's or lake's outflow equals q, by bisection between the ends of its
// table (or of its switched-on ranges). Single, or empty when there is no table or after a failure.
// With a memo, the same from the midpoints remembered there.
Variant HdeQalmaRepresa(Single q);
Variant HdeQalmaLago(Single q);
Variant HdeQalmaRepresa(Single q, BisectionMemo& memo);
Variant HdeQalmaLago(Single q, BisectionMemo& memo);

// The common error message of the reservoir procedures: "Error Nro. ", the number, the error text,
// " ," and "Verifique", with an OK button and no title.
void ShowCommonError(const VbError& e);

}  // namespace tavo
