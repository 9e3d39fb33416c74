// Networks built in memory for the engine's tests: each call adds one component, named and drained
// as given, numbered after the last of its kind, to its collection, its numbered array and its count.
#pragma once

#include <QString>
#include <memory>

#include "project/estado.h"

namespace tavo::test {

template <class Record, class Collection, class Numbered>
std::shared_ptr<Record> AddComponent(Collection& collection, Numbered& numbered, Integer& count,
                                     const char* nameField, const char* numberField, const QString& name,
                                     const QString& receiver) {
  auto record = std::make_shared<Record>();
  record->set(QString::fromLatin1(nameField), name);
  record->Cauce_aa = receiver;
  record->set(QString::fromLatin1(numberField), ++count);
  collection.push_back(record);
  numbered[count] = record;
  return record;
}

inline std::shared_ptr<UEH> AddUEH(const QString& name, const QString& receiver = QString()) {
  return AddComponent<UEH>(colUEHs, vUEHs, nUEHs, "NombreUEH", "numUEH", name, receiver);
}
inline std::shared_ptr<Cauce> AddCauce(const QString& name, const QString& receiver = QString()) {
  return AddComponent<Cauce>(colCauces, vCauces, nCauces, "NombreCauce", "numCauce", name, receiver);
}
inline std::shared_ptr<Lago> AddLago(const QString& name, const QString& receiver = QString()) {
  return AddComponent<Lago>(colLagos, vLagos, nLagos, "NombreLAGO", "numLAGO", name, receiver);
}
inline std::shared_ptr<Represa> AddRepresa(const QString& name, const QString& receiver = QString()) {
  return AddComponent<Represa>(colRepresas, vRepresas, nRepresas, "NombreRepresa", "numRepresa", name,
                               receiver);
}

}  // namespace tavo::test
