// The large networks of the engine benchmarks: 70 units into a chain of 70 reaches, and the largest
// network, with a lake between every unit and its reach and 20 dams on the chain, also saved as a
// project.
#pragma once

#include <cmath>

#include "editor/frmUEHs.h"
#include "platform/app.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"
#include "reservoirs/tablas.h"

namespace tavo::bench {

// 150 mm in 2880 minutes with 1-minute steps and an hour after the storm.
inline void TormentaLarga() {
  PpTormenta = 150;
  DurTormenta = 2880;
  PasoPp = 1;
  PasoQ = 1;
  TiempoAdicional = 60;
  FormaPp = 0;
  DistriPp = 2;
}

// Reach c-i of the chain, draining into `receptor`, and unit u-i draining into `entrada`.
inline void CauceYUnidad(int i, const QString& receptor, const QString& entrada) {
  auto c = std::make_shared<Cauce>();
  c->NombreCauce = QStringLiteral("c-%1").arg(i);
  c->Cauce_aa = receptor;
  c->numCauce = static_cast<Integer>(i);
  c->optDirMusk = i % 2 == 0;
  c->LongCauce = 600 + 30 * i;
  c->VelMediaCauce = 1.5f;
  c->Cauce_k_Musk = 20;
  c->Cauce_n_Musk = 0.2f;
  colCauces.push_back(c);
  vCauces[i] = c;
  auto u = std::make_shared<UEH>();
  u->NombreUEH = QStringLiteral("u-%1").arg(i);
  u->Cauce_aa = entrada;
  u->numUEH = static_cast<Integer>(i);
  u->Area = 50 + i;
  u->VelMedia = 1;
  u->LongitudMax = 1200 + 20 * i;
  u->RetensionZ = 5;
  u->KostiakovA = 0.3f;
  u->KostiakovB = 0.5f;
  u->KostiakovI = 2;
  u->Q0Recesion = 0.1f;
  u->KRecesion = 12;
  colUEHs.push_back(u);
  vUEHs[i] = u;
}

inline QString SiguienteCauce(int i) {
  return i < 70 ? QStringLiteral("c-%1").arg(i + 1) : QStringLiteral("0");
}

inline void RedGrande() {
  ResetEstadoProyecto();
  for (int i = 1; i <= 70; ++i) CauceYUnidad(i, SiguienteCauce(i), QStringLiteral("c-%1").arg(i));
  nCauces = nUEHs = 70;
  TormentaLarga();
}

constexpr int kFilas = 6;  // rows of every table, levels 0 to 5 m

// Room in the dams' tables for dams 1 to n.
inline void TablasRepresas(int n) {
  NFilasHSVRepresa.redim(0, n);
  NFilasHQRepresa.redim(0, n);
  for (auto* t : {&HTablaHSVRepresa, &ATablaHSVRepresa, &HTablaHQRepresa, &QTablaHQRepresa})
    t->redim(n, kFilas);
  STablaHSVRepresa.redim(n, kFilas);
}

// Dam r-k, routed by level pool and draining into `receptor`, with its tables from 0 to 5 m.
inline void RepresaPiscina(int k, const QString& receptor) {
  auto r = std::make_shared<Represa>();
  r->NombreRepresa = QStringLiteral("r-%1").arg(k);
  r->Cauce_aa = receptor;
  r->numRepresa = static_cast<Integer>(k);
  r->Metodo = QStringLiteral("Piscina Nivelada");
  r->optTabla = true;
  colRepresas.push_back(r);
  vRepresas[k] = r;
  NFilasHSVRepresa(k) = kFilas;
  NFilasHQRepresa(k) = kFilas;
  for (int f = 1; f <= kFilas; ++f) {
    const double h = f - 1;
    HTablaHSVRepresa(k, f) = HTablaHQRepresa(k, f) = static_cast<Single>(h);
    ATablaHSVRepresa(k, f) = static_cast<Single>(20 + 4 * h);
    STablaHSVRepresa(k, f) = static_cast<Long>(10000 * (20 * h + 2 * h * h));
    QTablaHQRepresa(k, f) = static_cast<Single>(30 * std::pow(h, 1.5));
  }
}

// A typical project: 20 units, each into one of a chain of 20 reaches, with dam r-1 after c-7 and
// dam r-2 after c-14; a 24-hour storm of 150 mm in 1-minute steps.
inline void RedTipica() {
  ResetEstadoProyecto();
  ResetReservoirState();
  TablasRepresas(2);
  for (int i = 1; i <= 20; ++i) {
    const QString receptor = i == 7    ? QStringLiteral("r-1")
                             : i == 14 ? QStringLiteral("r-2")
                             : i == 20 ? QStringLiteral("0")
                                       : QStringLiteral("c-%1").arg(i + 1);
    CauceYUnidad(i, receptor, QStringLiteral("c-%1").arg(i));
  }
  RepresaPiscina(1, QStringLiteral("c-8"));
  RepresaPiscina(2, QStringLiteral("c-15"));
  nUEHs = nCauces = 20;
  nRepresas = 2;
  TormentaLarga();
  DurTormenta = 1440;
}

// Unit u-i drains into lake l-i, which drains into reach c-i of a main stem c-1 → c-70; every third
// reach of the stem passes through a dam, r-k after c-3k.
inline void RedMayor() {
  ResetEstadoProyecto();
  ResetReservoirState();
  NFilasHSVQLago.redim(0, 70);
  for (auto* t : {&HTablaHSVQLago, &ATablaHSVQLago, &QTablaHSVQLago}) t->redim(70, kFilas);
  STablaHSVQLago.redim(70, kFilas);
  TablasRepresas(20);

  for (int i = 1; i <= 70; ++i) {
    const bool presa = i % 3 == 0 && i / 3 <= 20;
    CauceYUnidad(i, presa ? QStringLiteral("r-%1").arg(i / 3) : SiguienteCauce(i),
                 QStringLiteral("l-%1").arg(i));
    auto l = std::make_shared<Lago>();
    l->NombreLAGO = QStringLiteral("l-%1").arg(i);
    l->Cauce_aa = QStringLiteral("c-%1").arg(i);
    l->numLAGO = static_cast<Integer>(i);
    l->Metodo = QStringLiteral("Piscina Nivelada");
    colLagos.push_back(l);
    vLagos[i] = l;
    NFilasHSVQLago(i) = kFilas;
    for (int f = 1; f <= kFilas; ++f) {
      const double h = f - 1;
      HTablaHSVQLago(i, f) = static_cast<Single>(h);
      ATablaHSVQLago(i, f) = static_cast<Single>(2 + h);
      STablaHSVQLago(i, f) = static_cast<Long>(10000 * (2 * h + h * h / 2));
      QTablaHSVQLago(i, f) = static_cast<Single>(4 * std::pow(h, 1.5));
    }
  }
  for (int k = 1; k <= 20; ++k) RepresaPiscina(k, QStringLiteral("c-%1").arg(3 * k + 1));
  nUEHs = nCauces = nLagos = 70;
  nRepresas = 20;
  TormentaLarga();
}

// The program folder of a benchmark, also its current folder.
inline void CarpetaDelPrograma(const QString& folder) {
  SetAppPath(folder);
  ChDir(folder);
  DirPrograma = folder;
}

// The settings of project Grande in `folder`: an hour after every storm and every duration and return
// period on.
inline void ConfiguracionMayor(const QString& folder) {
  SeqFile f(folder + QStringLiteral("/Grande_Conf.pcn"), OpenMode::Output);
  for (const char* texto : {"Grande", "Red mayor", "", "", "", "", "", "/"})
    f.write({QString::fromUtf8(texto)});
  f.write({folder});
  f.write({QString()});
  f.write({Integer(1)});
  f.write({QStringLiteral("Grande_Conf.pcn")});
  f.write({Integer(0)});
  f.write({QStringLiteral("Ninguno")});
  f.write({QStringLiteral("0")});
  f.write({QString()});
  for (bool b : {true, false, false}) f.write({b});
  f.write({Integer(0)});
  f.write({Integer(0)});
  for (bool b : {true, false, true, false}) f.write({b});
  f.write({Integer(60)});
  f.write({QStringLiteral("800")});
  f.write({QStringLiteral("0")});
  for (int k = 0; k < kNroRecurrencias + kNroDuraciones; ++k) f.write({Integer(1)});
  f.close();
}

// The largest network saved as project Grande in `folder`, which becomes the open project.
inline void GuardaProyectoMayor(const QString& folder) {
  RedMayor();
  DirActual = DirTrabajo = folder;
  NombreProyecto = QStringLiteral("Grande");
  // The settings first: saving the network reads them back.
  ConfiguracionMayor(folder);
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();
  GuardaTablaHSVQLago();
  GuardaTablaHSVRepresa();
  GuardaTablaHQRepresa();
}

}  // namespace tavo::bench
