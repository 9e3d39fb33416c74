// A run's state set up by hand for routing lakes and dams: the component list, the result arrays sized
// as a run sizes them, unit outflows, and linear reservoirs.
#pragma once

#include <QString>
#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "engine/almacenamiento.h"
#include "engine/frmPp.h"
#include "engine/resultados.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "reservoirs/red.h"
#include "support/fixture.h"
#include "support/network.h"

namespace tavo::test {

// A routing method and the kind of element it routes, for the tests that run every combination.
struct MethodAndKind {
  const char* method;
  bool dam;
};
inline void PrintTo(const MethodAndKind& c, std::ostream* os) {
  *os << c.method << (c.dam ? ", dam" : ", lake");
}
inline std::string MethodAndKindName(const testing::TestParamInfo<MethodAndKind>& info) {
  std::string name = info.param.method;
  name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
  return name + (info.param.dam ? "Dam" : "Lake");
}
inline const auto kEveryMethodAndKind =
    testing::Values(MethodAndKind{"Muskingum", false}, MethodAndKind{"Muskingum", true},
                    MethodAndKind{"Piscina Nivelada", false}, MethodAndKind{"Piscina Nivelada", true},
                    MethodAndKind{"Runge Kutta", false}, MethodAndKind{"Runge Kutta", true});

class StorageFixture : public TavoTest {
 protected:
  // Lists the network (units, reaches, lakes, dams) and sizes the results for `nq` steps of `pasoQ`.
  void Prepare(int nq, Integer pasoQ) {
    nComponentes = static_cast<Integer>(nUEHs + nCauces + nLagos + nRepresas);
    NombresComponentes.redim(0, nComponentes);
    int p = 0;
    for (const auto& u : colUEHs) NombresComponentes(++p) = u->NombreUEH;
    for (const auto& c : colCauces) NombresComponentes(++p) = c->NombreCauce;
    for (const auto& l : colLagos) NombresComponentes(++p) = l->NombreLAGO;
    for (const auto& r : colRepresas) NombresComponentes(++p) = r->NombreRepresa;
    PasoQ = pasoQ;
    nPasosSalida = static_cast<Integer>(nq);
    kTormenta = 1;
    QSaleCompo.redim(0, nComponentes, 0, nq + 1);
    QEntraCompo.redim(nUEHs + 1, nComponentes + 1, 0, nq + 1);
    HEmbalseLago.redim(0, nLagos, 0, nq + 1);
    SEmbalseLago.redim(0, nLagos, 0, nq + 1);
    HEmbalseRepresa.redim(0, nRepresas, 0, nq + 1);
    SEmbalseRepresa.redim(0, nRepresas, 0, nq + 1);
    QpSerie.redim(0, nComponentes, 0, 1);
  }

  static Integer Pos(const QString& name) {
    for (int i = 1; i <= nComponentes; ++i) {
      if (NombresComponentes(i) == name) return static_cast<Integer>(i);
    }
    ADD_FAILURE() << "no component " << name.toStdString();
    return 0;
  }

  // Outflow of the component at steps 1, 2, ...
  static void SetOutflow(const QString& name, const std::vector<Single>& q) {
    for (size_t k = 0; k < q.size(); ++k) QSaleCompo(Pos(name), static_cast<int>(k) + 1) = q[k];
  }

  static std::vector<Single> Row(const Array2<Single>& a, int i) {
    std::vector<Single> row;
    for (int k = 0; k <= nPasosSalida; ++k) row.push_back(a(i, k));
    return row;
  }

  // A lake, or a dam with a height-discharge table, whose storage is K times its outflow: area `ha`
  // hectares at every level from 0 to `hmax` m.
  static std::shared_ptr<Lago> LinearLake(const QString& name, Single kMin, Single ha, Single hmax) {
    auto lago = AddLago(name, QString());
    const Long s = static_cast<Long>(ha * 10000 * hmax);
    PutHSVQLago(lago->numLAGO, {{0, ha, 0, 0}, {hmax, ha, s, static_cast<Single>(s / (kMin * 60.0))}});
    return lago;
  }
  static std::shared_ptr<Represa> LinearDam(const QString& name, Single kMin, Single ha, Single hmax) {
    auto represa = AddRepresa(name, QString());
    const Long s = static_cast<Long>(ha * 10000 * hmax);
    represa->optTabla = true;
    PutHSVRepresa(represa->numRepresa, {{0, ha, 0}, {hmax, ha, s}});
    PutHQRepresa(represa->numRepresa, {{0, 0}, {hmax, static_cast<Single>(s / (kMin * 60.0))}});
    return represa;
  }

  // The outflow of a linear reservoir (K minutes) at the step ends, for an inflow linear between them.
  static std::vector<double> ExactLinear(const std::vector<Single>& inflow, double kMin, double dt) {
    std::vector<double> out{0};
    const double e = std::exp(-dt / kMin);
    for (size_t k = 1; k < inflow.size(); ++k) {
      const double a = inflow[k - 1];
      const double b = (inflow[k] - inflow[k - 1]) / dt;
      out.push_back(out.back() * e + (a - b * kMin) * (1 - e) + b * dt);
    }
    return out;
  }
};

}  // namespace tavo::test
