// Small in-memory networks and reservoir tables for the reservoir tests.
#pragma once

#include <memory>
#include <vector>

#include "project/estado.h"
#include "reservoirs/tablas.h"
#include "support/network.h"

namespace tavo::test {

struct FilaHSV {
  Single h;
  Single a;
  Long s;
  Single q = 0;  // lakes only
};
struct FilaHQ {
  Single h;
  Single q;
};

// Puts a table into memory for element n, creating the family for elements 0..5 when it was never read.
inline void PutHSVRepresa(int n, const std::vector<FilaHSV>& filas) {
  if (NFilasHSVRepresa.empty()) {
    NFilasHSVRepresa.redim(0, 5);
    HTablaHSVRepresa.redim(5, 10);
    ATablaHSVRepresa.redim(5, 10);
    STablaHSVRepresa.redim(5, 10);
  }
  NFilasHSVRepresa(n) = static_cast<Integer>(filas.size());
  for (size_t i = 0; i < filas.size(); ++i) {
    HTablaHSVRepresa(n, static_cast<int>(i) + 1) = filas[i].h;
    ATablaHSVRepresa(n, static_cast<int>(i) + 1) = filas[i].a;
    STablaHSVRepresa(n, static_cast<int>(i) + 1) = filas[i].s;
  }
}

inline void PutHSVQLago(int n, const std::vector<FilaHSV>& filas) {
  if (NFilasHSVQLago.empty()) {
    NFilasHSVQLago.redim(0, 5);
    HTablaHSVQLago.redim(5, 10);
    ATablaHSVQLago.redim(5, 10);
    STablaHSVQLago.redim(5, 10);
    QTablaHSVQLago.redim(5, 11);
  }
  NFilasHSVQLago(n) = static_cast<Integer>(filas.size());
  for (size_t i = 0; i < filas.size(); ++i) {
    HTablaHSVQLago(n, static_cast<int>(i) + 1) = filas[i].h;
    ATablaHSVQLago(n, static_cast<int>(i) + 1) = filas[i].a;
    STablaHSVQLago(n, static_cast<int>(i) + 1) = filas[i].s;
    QTablaHSVQLago(n, static_cast<int>(i) + 1) = filas[i].q;
  }
}

inline void PutHQRepresa(int n, const std::vector<FilaHQ>& filas) {
  if (NFilasHQRepresa.empty()) {
    NFilasHQRepresa.redim(0, 5);
    HTablaHQRepresa.redim(5, 10);
    QTablaHQRepresa.redim(5, 10);
  }
  NFilasHQRepresa(n) = static_cast<Integer>(filas.size());
  for (size_t i = 0; i < filas.size(); ++i) {
    HTablaHQRepresa(n, static_cast<int>(i) + 1) = filas[i].h;
    QTablaHQRepresa(n, static_cast<int>(i) + 1) = filas[i].q;
  }
}

}  // namespace tavo::test
