// Level-pool (storage-indication) routing of a lake or dam: at the end of every output step the level
// is found by bisection over the element's table so that 2S/dt + Q matches the inflows and 2S/dt - Q.
#include <cmath>
#include <string>
#include <vector>

#include "engine/almacenamiento.h"
#include "engine/informe.h"
#include "engine/resultados.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "rainfall/tormenta.h"
#include "reservoirs/tablas.h"

namespace tavo {

namespace {

// First and last level of the element's height-area-storage table (the reservoir tables).
void TableRange(const StorageElement& e, Single& hmin, Single& hmax) {
  const int n = e.number;
  if (e.lake) {
    hmax = HTablaHSVQLago(n, NFilasHSVQLago(n));
    hmin = HTablaHSVQLago(n, 1);
  } else {
    hmax = HTablaHSVRepresa(n, NFilasHSVRepresa(n));
    hmin = HTablaHSVRepresa(n, 1);
  }
}

[[noreturn]] void BisectionFailed(const StorageElement& e) {
  MsgBox(QStringLiteral("Error <Proceso_en_") + e.word +
             QStringLiteral(">, inconsistencia en el cálculo de <2S/dt + Q> en propagación ") + e.word +
             QLatin1Char(' ') + e.name +
             QStringLiteral(
                 ". Es posible que deba ampliar el rango de altura-caudal o altura-superficie -volumen "
                 "de embalse"),
         vbOKOnly + vbExclamation, QStringLiteral("Error,..."));
  EndProgram();
}

constexpr int kUnvisited = -1;  // the half's midpoint has not been worked out yet
constexpr int kNarrow = -2;     // the half is narrow enough: the search ends

// A midpoint of the level search, with its bracket, the table values at it and where the search goes on
// from it.
struct Midpoint {
  // What every visit reads first.
  Single f = 0;                            // 2S/dt + Q
  int next[2] = {kUnvisited, kUnvisited};  // the midpoint of the lower half and of the upper half
  bool fromTables = false;  // s, q and f come from the tables' plain look-ups and hold at every visit
  Single h = 0;
  Single s = 0;
  Single q = 0;
  Single inferior = 0;  // the bracket it halves
  Single superior = 0;
  int rowEnd = -1;  // the end of the detail row of a step that ends here, once written
};

// The midpoints one element's searches visit. A midpoint depends only on its bracket, which the halving
// of the table's range gives, so the searches of later steps meet the same ones: their look-ups are made
// once. Look-ups that might ask or warn are made at every visit, as the search meets them.
class MidpointTree {
 public:
  MidpointTree(const StorageElement& e, Single hmin, Single hmax) : e_(e) { root_ = Add(hmin, hmax); }

  // Finds the level of the step whose target 2S/dt + Q is `objetivo` into HEmbalse, SEmbalse, q and f
  // (reading PasoQ and, through the element's functions, its tables and ElementoActual);
  // none of them changes when the table's range leaves nothing to halve. Returns the last midpoint, or
  // kNarrow. The half a visit keeps is picked without a branch: the processor cannot foresee it.
  //
  // The targets of neighbouring steps are close, so a search mostly goes the way the last one went for
  // many halvings: those visits are checked against the last search's path side by side, without
  // following the tree, and the walk goes on from where the two part. Only midpoints of the tables are
  // passed so; a midpoint whose values are looked up at every visit is always visited.
  int Search(Single objetivo, Single& q, Single& f) {
    size_t comun = 0;  // halvings that go the way the last search went
    while (comun < camino_.size() && static_cast<int>(camino_[comun].f <= objetivo) == camino_[comun].upper)
      ++comun;
    camino_.resize(comun);
    int mitades = static_cast<int>(comun);
    int last = kNarrow;
    int i = root_;
    if (comun > 0) {
      const Paso& paso = camino_.back();
      last = paso.node;
      const Midpoint& m = nodes_[static_cast<size_t>(last)];
      HEmbalse = m.h;
      SEmbalse = m.s;
      q = m.q;
      f = m.f;
      i = m.next[paso.upper];
    }
    bool tablas = true;  // every midpoint so far came from the tables: the path can be kept
    for (; i != kNarrow;) {
      if (++mitades > 1000) BisectionFailed(e_);
      last = i;
      const Midpoint& m = nodes_[static_cast<size_t>(i)];
      HEmbalse = m.h;
      if (m.fromTables) {
        SEmbalse = m.s;
        q = m.q;
        f = m.f;
      } else {
        SEmbalse = e_.S(HEmbalse);
        q = e_.Q(HEmbalse);
        f = (SEmbalse + SEmbalse) / PasoQ / 60 + q;
      }
      const int upper = static_cast<int>(f <= objetivo);
      tablas = tablas && m.fromTables;
      if (tablas) camino_.push_back({i, m.f, upper});
      int next = m.next[upper];
      if (next == kUnvisited) {
        next = upper ? Add(m.h, m.superior) : Add(m.inferior, m.h);
        nodes_[static_cast<size_t>(i)].next[upper] = next;
      }
      i = next;
    }
    return last;
  }

  Midpoint& operator[](int i) { return nodes_[static_cast<size_t>(i)]; }
  // The row ends kept for the midpoints.
  std::vector<std::string> rowEnds;

 private:
  // The midpoint of [inferior, superior], or kNarrow when the bracket is 0.005 m wide or less.
  int Add(Single inferior, Single superior) {
    if (!(static_cast<Single>(std::abs(superior - inferior)) > 0.005f)) return kNarrow;
    Midpoint m;
    m.h = (superior - inferior) / 2 + inferior;
    m.inferior = inferior;
    m.superior = superior;
    m.fromTables = e_.SInside(m.h, m.s) && e_.QInside(m.h, m.q);
    if (m.fromTables) m.f = (m.s + m.s) / PasoQ / 60 + m.q;
    nodes_.push_back(m);
    return static_cast<int>(nodes_.size()) - 1;
  }

  const StorageElement& e_;
  std::vector<Midpoint> nodes_;
  int root_ = kNarrow;
  // The last search's path from the root, as far as it ran over midpoints of the tables: the midpoint of
  // each halving, its 2S/dt + Q and the half kept (1 the upper).
  struct Paso {
    int node;
    Single f;
    int upper;
  };
  std::vector<Paso> camino_;
};

}  // namespace

void RouteLevelPool(const StorageElement& e, Integer j) {
  // The thread's own, found once for the loop below.
  Array2<Single>& QEntraCompo = tavo::QEntraCompo;
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;
  TextBuffer& TextoProceso = tavo::TextoProceso;
  Array2<Single>& nivel = *e.levels;
  Array2<Single>& almacenado = *e.storages;
  const Integer n = e.number;

  HEmbalse = e.initialLevel;
  SEmbalse = e.S(HEmbalse);
  QEntraCompo(j, 0) = QInicial;
  Single hmin = 0;
  Single hmax = 0;
  TableRange(e, hmin, hmax);
  if (!ReportOmitted)
    TextoProceso += DetailHeading(
        e, j,
        QStringLiteral(
            "k - t[mi] - qe(i, k)[m3/s] - I1+I2 - 2S1/dt+Q1  2S2/dt+Q2    q(i, k)[m3/s] -  H[m]    S[m3]"));
  Single q = e.Q(HEmbalse);
  kPaso = 0;
  nivel(n, 0) = HEmbalse;
  almacenado(n, 0) = SEmbalse;
  QSaleCompo(j, 0) = q;
  // X is 2S/dt - Q at the start of the step, F is 2S/dt + Q at the last level tried.
  Single x = CheckSingle((SEmbalse + SEmbalse) / PasoQ / 60 - q);
  Single entradas = 0;
  Single f = 0;
  AppendDetailRow(TextoProceso, 0, 0, QEntraCompo(j, 0), entradas, x, f, q, HEmbalse, SEmbalse);

  MidpointTree tree(e, hmin, hmax);
  for (kPaso = 1; kPaso <= nPasosSalida; ++kPaso) {
    const int k = kPaso;
    entradas = QEntraCompo(j, k - 1) + QEntraCompo(j, k);
    const Single objetivo = CheckSingle(x + entradas);
    const int last = tree.Search(objetivo, q, f);
    nivel(n, k) = HEmbalse;
    almacenado(n, k) = SEmbalse;
    x = CheckSingle(objetivo - 2 * q);
    QSaleCompo(j, k) = q;
    const Integer t = CheckInteger(static_cast<long long>(PasoQ) * k);
    ReportRow row(TextoProceso);
    DetailRowHead(row, static_cast<Integer>(k), t, QEntraCompo(j, k), entradas, x);
    // A step that ends on a midpoint of the tables ends its row as every step that ends there.
    Midpoint* fin = last != kNarrow && tree[last].fromTables ? &tree[last] : nullptr;
    if (fin && fin->rowEnd >= 0) {
      const std::string& rowEnd = tree.rowEnds[static_cast<size_t>(fin->rowEnd)];
      row.ascii(rowEnd.data(), static_cast<int>(rowEnd.size()));
    } else {
      const char* from = row.here();
      DetailRowTail(row, f, q, HEmbalse, SEmbalse);
      if (fin && from) {
        fin->rowEnd = static_cast<int>(tree.rowEnds.size());
        tree.rowEnds.emplace_back(from, row.here());
      }
    }
    row.end();
  }
  if (!ReportOmitted) TextoProceso += DetailEnd(e);
}

}  // namespace tavo
