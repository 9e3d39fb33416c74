// Networks built in memory for the engine's tests: each call adds one component, named and drained
// as given, to its collection, its numbered array and its count.
#pragma once

#include <QString>
#include <memory>

#include "project/estado.h"

namespace tavo::test {

inline std::shared_ptr<UEH> AddUEH(const QString& name, const QString& receiver) {
  auto u = std::make_shared<UEH>();
  u->NombreUEH = name;
  u->Cauce_aa = receiver;
  colUEHs.push_back(u);
  u->numUEH = ++nUEHs;
  vUEHs[nUEHs] = u;
  return u;
}

inline std::shared_ptr<Cauce> AddCauce(const QString& name, const QString& receiver) {
  auto c = std::make_shared<Cauce>();
  c->NombreCauce = name;
  c->Cauce_aa = receiver;
  colCauces.push_back(c);
  c->numCauce = ++nCauces;
  vCauces[nCauces] = c;
  return c;
}

inline std::shared_ptr<Lago> AddLago(const QString& name, const QString& receiver) {
  auto l = std::make_shared<Lago>();
  l->NombreLAGO = name;
  l->Cauce_aa = receiver;
  colLagos.push_back(l);
  l->numLAGO = ++nLagos;
  vLagos[nLagos] = l;
  return l;
}

inline std::shared_ptr<Represa> AddRepresa(const QString& name, const QString& receiver) {
  auto r = std::make_shared<Represa>();
  r->NombreRepresa = name;
  r->Cauce_aa = receiver;
  colRepresas.push_back(r);
  r->numRepresa = ++nRepresas;
  vRepresas[nRepresas] = r;
  return r;
}

}  // namespace tavo::test
